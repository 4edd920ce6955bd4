#include "clswizual.h"

#include "clsoapp.h"
#include "model/colregulatory.h"
#include "model/listaalarmow.h"
#include "platform/dzwiek.h"
#include "platform/tekst.h"

namespace
{
constexpr int kolorCzerwony = 255;
constexpr int kolorCzarny = 0;
} // namespace

clsWizual::clsWizual(const colRegulatory &regulatory, const clsoApp &app, const ListaAlarmow &alarmy, Dzwiek &dzwiek,
                     QObject *parent)
    : QObject(parent), m_regulatory(regulatory), m_app(app), m_alarmy(alarmy), m_dzwiek(dzwiek)
{
}

QString clsWizual::kodRegulatora(int NrRegulatora) const
{
    const clRegulator *r = m_regulatory.znajdz(NrRegulatora);
    return r ? r->Kod : QString();
}

QString clsWizual::kluczWezla(int NrRegulatora) const
{
    const clRegulator *r = m_regulatory.znajdz(NrRegulatora);
    if (!r)
        return {};
    if (!r->Kod.isEmpty() && m_regulatory.znajdz(r->Kod) == r)
        return r->Kod;
    return QStringLiteral("#") + QString::number(r->Id);
}

QString clsWizual::kluczStopnia(const QString &kluczRegulatora, int n)
{
    return kluczRegulatora + QStringLiteral("_b") + Str(n);
}

void clsWizual::podpisZablokuj(bool zablokowany)
{
    Q_EMIT menuPodpis(QStringLiteral("mnuRegulZablok"),
                      zablokowany ? QStringLiteral("&Odblokuj regulator") : QStringLiteral("&Zablokuj regulator"));
}

void clsWizual::podpisStopnia(const clRegulator *r)
{
    const int n = r ? m_app.NrAktBaterii : 0;
    const bool zal = n >= 1 && n <= 9 && r->SprawdzStanDiody(n - 1);
    Q_EMIT menuPodpis(QStringLiteral("mnuRegulBatZal"),
                      zal ? QStringLiteral("&Wyłącz stopień") : QStringLiteral("&Załącz stopień"));
}

void clsWizual::eZmianaTrybuSterowania(bool AktTryb)
{
    Q_EMIT menuPodpis(QStringLiteral("mnuSterWlacz"),
                      AktTryb ? QStringLiteral("Wyłącz tryb sterowania") : QStringLiteral("Włącz tryb sterowania"));
    Q_EMIT menuDostepne(QStringLiteral("mnuRegulZablok"), AktTryb);
    Q_EMIT panelObraz(5, AktTryb ? obrazTrybu() : QString());
    Q_EMIT panelTekst(5, AktTryb ? QStringLiteral("sterowanie") : QStringLiteral("normalny"));
    Q_EMIT menuDostepne(QStringLiteral("mnuRegulBatZal"), AktTryb);
    Q_EMIT menuDostepne(QStringLiteral("mnuRegulBatTestuj"), AktTryb);
    // Pausing the line and scanning it stop the polling: control mode only.
    Q_EMIT przyciskDostepny(QStringLiteral("Komun"), AktTryb);
    Q_EMIT przyciskDostepny(QStringLiteral("Czarodziej"), AktTryb);
    Q_EMIT menuDostepne(QStringLiteral("mnuNarzSzukaj"), AktTryb);
    if (m_app.Loaded_Panel)
        Q_EMIT trybPanelu(AktTryb);
    Q_EMIT trybSterowania(AktTryb);
}

void clsWizual::eAlarm(int, int, const QString &, bool) {}

void clsWizual::eZapisDB(bool) {}

void clsWizual::eKomunikacja(int Status)
{
    if (Status != 0)
        return;
    Q_EMIT panelTekst(4, QString());
    Q_EMIT panelObraz(4, obrazBezczynny());
}

void clsWizual::eWstrzymanieKomunikacji(bool wstrzymana)
{
    Q_EMIT panelTekst(4, wstrzymana ? QStringLiteral("wstrzymana") : QString());
    Q_EMIT panelObraz(4, obrazBezczynny());
    Q_EMIT przyciskWcisniety(QStringLiteral("Komun"), !wstrzymana);
}

void clsWizual::eMonitoring(int, bool Trwa)
{
    Q_EMIT panelObraz(2, Trwa ? obrazAktywny() : obrazBezczynny());
}

namespace
{
QString tekstCzynnosci(const QString &przedrostek, const QString &kod, bool trwa)
{
    return trwa ? przedrostek + kod + QStringLiteral("' ...") : QString();
}
} // namespace

void clsWizual::eOkresowyOdczyt(int NrRegulatora, bool Trwa)
{
    Q_EMIT panelTekst(
        1, tekstCzynnosci(QStringLiteral("Oczytuję okresowe dane z regulatora '"), kodRegulatora(NrRegulatora), Trwa));
}

void clsWizual::eZalaczanieBaterii(int NrRegulatora, bool Trwa)
{
    Q_EMIT panelTekst(
        1, tekstCzynnosci(QStringLiteral("Załączam stopień regulatora '"), kodRegulatora(NrRegulatora), Trwa));
}

void clsWizual::eWylaczanieBaterii(int NrRegulatora, bool Trwa)
{
    Q_EMIT panelTekst(
        1, tekstCzynnosci(QStringLiteral("Wyłączam stopień regulatora '"), kodRegulatora(NrRegulatora), Trwa));
}

void clsWizual::eBlokowanieRegul(int NrRegulatora, bool Stan, bool Trwa)
{
    Q_EMIT panelTekst(
        1, tekstCzynnosci(Stan ? QStringLiteral("Blokuję regulator '") : QStringLiteral("Odblokowuję regulator '"),
                          kodRegulatora(NrRegulatora), Trwa));
}

void clsWizual::eNoweDane(int NrRegulatora, const QString &TypDanych)
{
    if (TypDanych != QLatin1String("O"))
        return;
    const clRegulator *r = m_regulatory.znajdz(NrRegulatora);
    if (!r)
        return;
    if (m_app.Loaded_Panel && NrRegulatora == m_app.NrAktRegulatora)
        Q_EMIT panelDoOdswiezenia(NrRegulatora);
    if (m_app.Loaded_Dane)
        Q_EMIT daneDoOdswiezenia(NrRegulatora);
    const QString klucz = kluczWezla(NrRegulatora);
    Q_EMIT wezelObraz(klucz, r->Zablokowany ? 4 : 2);
    for (int n = 1; n <= 9; ++n) {
        const QString kluczB = kluczStopnia(klucz, n);
        const bool zal = r->SprawdzStanDiody(n - 1);
        Q_EMIT wezelObraz(kluczB, zal ? 5 : 6);
        Q_EMIT wezelKolor(kluczB, zal ? kolorCzerwony : kolorCzarny);
    }
    // The stage command says what it will do to the selected stage now.
    if (NrRegulatora == m_app.NrAktRegulatora)
        podpisStopnia(r);
}

void clsWizual::eZmianaBaterii(int NrRegulatora, int NrBaterii)
{
    const clRegulator *r = m_regulatory.znajdz(NrRegulatora);
    if (!r || NrBaterii < 1 || NrBaterii > 9)
        return;
    Q_EMIT menuPodpis(QStringLiteral("mnuRegulBatZal"), r->SprawdzStanDiody(NrBaterii - 1)
                                                            ? QStringLiteral("&Wyłącz stopień")
                                                            : QStringLiteral("&Załącz stopień"));
}

void clsWizual::eZmianaAlarmow()
{
    ustawPanel3(m_alarmy.IloscNiePotwAlarmow() > 0 || m_alarmy.IloscAktywnychAlarmow() > 0);
}

void clsWizual::eZmianaRegulatora(int NrRegulatora)
{
    const clRegulator *r = m_regulatory.znajdz(NrRegulatora);
    Q_EMIT przyciskWcisniety(QStringLiteral("Monit"), r && r->Monitoring);
    // The block and stage commands act on this controller from now on.
    podpisZablokuj(r && r->Zablokowany);
    podpisStopnia(r);
    if (m_app.Loaded_Panel)
        Q_EMIT panelDoOdswiezenia(NrRegulatora);
    if (m_app.Loaded_Dane)
        Q_EMIT daneDoOdswiezenia(NrRegulatora);
}

void clsWizual::eBlokadaRegul(int NrRegulatora, bool Zablokowany, bool OdtworzDzwiek)
{
    Q_EMIT wezelObraz(kluczWezla(NrRegulatora), Zablokowany ? 4 : 2);
    if (OdtworzDzwiek)
        GrajDzwiek(Zablokowany ? QStringLiteral("zablokregul.wav") : QStringLiteral("odblokregul.wav"));
    // The command queues the opposite of the current controller's state, so
    // its caption follows that controller only, not every one read.
    if (NrRegulatora != m_app.NrAktRegulatora)
        return;
    podpisZablokuj(Zablokowany);
    if (m_app.Loaded_Panel) {
        if (Zablokowany)
            Q_EMIT blokadaPanelu(NrRegulatora, true);
        else
            Q_EMIT panelDoOdswiezenia(NrRegulatora);
    }
}

void clsWizual::GrajDzwiek(const QString &plik)
{
    m_dzwiek.graj(plik);
}

void clsWizual::mrugnij()
{
    ustawPanel3(!m_panel3);
}

void clsWizual::ustawPanel3(bool obraz)
{
    m_panel3 = obraz;
    Q_EMIT panelObraz(3, obraz ? obrazAlarmu() : QString());
}
