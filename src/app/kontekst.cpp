#include "kontekst.h"

#include "polecenia.h"

#include <stdexcept>

Kontekst::Kontekst(Platforma platforma)
    : m_platforma(std::move(platforma)), oComm(zegar(), komunikaty()), oKomunikator(oComm),
      oWizual(oRegulatory, oApp, listaAlarmow, dzwiek()), stacja(nazwaStacji(ustawienia())), oRegulatory(&srodowisko),
      oBD(cnBaza), zapisPomiarow(cnBaza, rsPomiary, rsOstPomiar, rsRegulatory, zegar(), komunikaty()),
      listaAlarmow(oRegulatory, oBD, zegar(), komunikaty()),
      harmonogram(oRegulatory, oKolejka, oWizual, listaAlarmow, zegar(), komunikaty()),
      operacje(oApp, oRegulatory, oKolejka, rsRegulatory)
{
    // The window thread never waits long for another program's lock.
    cnBaza.ustawCzasOczekiwania(Polaczenie::czasOczekiwaniaStacjiMs);
    oBD.ustawStacje(stacja);
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
    oKolejka.ustawWykonawce(
        [this](clsPozKolejki poz) { return wykonajPolecenie(oRegulatory, zegar(), std::move(poz)); });
}

Kontekst::~Kontekst()
{
    harmonogram.zatrzymaj();
}
