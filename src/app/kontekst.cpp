#include "kontekst.h"

#include "polecenia.h"
#include "start.h"

#include <stdexcept>

Kontekst::Kontekst(Platforma platforma)
    : m_platforma(std::move(platforma)), oComm(zegar(), komunikaty()), oKomunikator(oComm),
      oWizual(oRegulatory, oApp, listaAlarmow, dzwiek()), stacja(nazwaStacji(ustawienia())), oBD(bufor, zegar()),
      zapisPomiarow(bufor, komunikaty()), listaAlarmow(oRegulatory, oBD, zegar(), komunikaty()),
      harmonogram(oRegulatory, odczyt, oKolejka, oWizual, listaAlarmow, zegar(), komunikaty()),
      operacje(oApp, oRegulatory, oKolejka, zrodloBazy, zapisPomiarow),
      linia(harmonogram, oComm, oBD, komunikaty(), [this](QString *opis) { return Start::otworzPort(*this, opis); })
{
    oBD.ustawStacje(stacja);
    bufor.poDodaniu = [this] {
        zapisPomiarow.dodano();
        if (przekaznik)
            przekaznik->obudz();
    };
    if (m_platforma.fabrykaPortow)
        oComm.ustawPort(m_platforma.fabrykaPortow());
    oComm.ustawAdresy([this](int nr) {
        const clRegulator *r = oRegulatory.znajdz(nr);
        if (!r)
            throw std::out_of_range("no controller with this number");
        return r->adres;
    });
    QObject::connect(&oKomunikator, &Komunikator::stanLinii, &oWizual, &clsWizual::eKomunikacja);
    QObject::connect(&oKomunikator, &Komunikator::wymianaRozpoczeta, &harmonogram, &Harmonogram::wstrzymaj);
    QObject::connect(&oKomunikator, &Komunikator::wymianyZakonczone, &harmonogram, &Harmonogram::wznow);
    // The alarm timers first, then panel 3.
    QObject::connect(&listaAlarmow, &ListaAlarmow::liczbyAlarmowZmienione, &harmonogram,
                     &Harmonogram::naZmianeLiczbAlarmow);
    QObject::connect(&listaAlarmow, &ListaAlarmow::liczbyAlarmowZmienione, &oWizual, &clsWizual::eZmianaAlarmow);
    oApp.poUstawieniuTrybu = [this](bool tryb) { oWizual.eZmianaTrybuSterowania(tryb); };
    QObject::connect(&linia, &LiniaStacji::stanZmieniony, &oWizual, &clsWizual::eWstrzymanieKomunikacji);
    oKolejka.ustawWykonawce([this](clsPozKolejki poz) {
        return wykonajPolecenie(oRegulatory, odczyt, sterowanie, zegar(), std::move(poz));
    });
}

Kontekst::~Kontekst()
{
    harmonogram.zatrzymaj();
    if (przekaznik)
        przekaznik->zatrzymaj();
}

void Kontekst::uruchomPrzekaznik(GraniceBufora granice)
{
    przekaznik = std::make_unique<Przekaznik>(bufor.sciezka(), zrodloBazy, granice, bufor.ostatniPrzedOtwarciem());
    zapisPomiarow.ustawPrzekaznik(*przekaznik);
    QObject::connect(przekaznik.get(), &Przekaznik::idAlarmu, &listaAlarmow, &ListaAlarmow::ustawIdAlarmu);
    przekaznik->start();
}
