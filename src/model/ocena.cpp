// The plausibility of a decoded block, judged before anything of it enters
// the record.
#include "clregulator.h"
#include "wewnetrzne.h"

#include <algorithm>

namespace
{
QString liczba(double v)
{
    return QString::number(v, 'g', 7);
}

// A value outside a pair of "Filtrowanie danych" limits: the log names the
// quantity in English, the alarm in Polish with the side that is in force.
std::optional<wiarygodnosc::Odrzucenie> pozaZakresem(const wiarygodnosc::Zakres &z, double v, const char *nazwa,
                                                     const QString &wielkosc, const QString &jednostka)
{
    if (z.zawiera(v))
        return std::nullopt;
    QString granice;
    if (z.min && z.max)
        granice = QStringLiteral("poza ") + liczba(*z.min) + QStringLiteral("..") + liczba(*z.max);
    else if (z.max)
        granice = QStringLiteral("powyżej ") + liczba(*z.max);
    else
        granice = QStringLiteral("poniżej ") + liczba(*z.min);
    return wiarygodnosc::Odrzucenie{QStringLiteral("%1 %2 outside the limits %3..%4")
                                        .arg(QLatin1String(nazwa), liczba(v),
                                             z.min ? liczba(*z.min) : QStringLiteral("-"),
                                             z.max ? liczba(*z.max) : QStringLiteral("-")),
                                    QStringLiteral("(%1 %2 %3 %4 %3)").arg(wielkosc, liczba(v), jednostka, granice)};
}
} // namespace

bool clRegulator::zaWczesnieNaZapis(DataCzas Teraz) const
{
    if (OstatniZapis.nigdy())
        return false;
    // A last storing later than now (a clock set back) does not hold storing
    // up: only the misfiring window of the 20 s rule is kept out.
    const std::int64_t odstep = DataCzas::sekundyMiedzy(OstatniZapis, Teraz);
    return odstep >= 0 && odstep < minOdstepZapisuSekund;
}

std::optional<wiarygodnosc::Odrzucenie> clRegulator::ocenBlok(const WartosciBloku &w)
{
    using namespace wiarygodnosc;
    const SrodowiskoRegulatora &s = srodowisko();
    const QString hz = QStringLiteral("Hz");
    const QString v = QStringLiteral("V");
    const QString a = QStringLiteral("A");

    if (okresZmierzony(w.P)) {
        const double f = 115200.0 / w.P;
        if (auto p = pozaZakresem(Zakres{czestotliwoscMin, czestotliwoscMax}, f, "frequency",
                                  QStringLiteral("częstotliwość"), hz))
            return p;
        if (auto p = pozaZakresem(Filtr.czestotliwosc, w.Okres, "frequency", QStringLiteral("częstotliwość"), hz))
            return p;
    }
    if (w.Napiecie < 0)
        return Odrzucenie{QStringLiteral("negative voltage %1 V").arg(liczba(w.Napiecie)),
                          QStringLiteral("(ujemne napięcie %1 V)").arg(liczba(w.Napiecie))};
    if (auto p = pozaZakresem(Filtr.napiecie, w.Napiecie, "voltage", QStringLiteral("napięcie"), v))
        return p;
    if (auto p = pozaZakresem(Filtr.pradBierny, w.PradBierny, "reactive current", QStringLiteral("prąd bierny"), a))
        return p;
    if (auto p = pozaZakresem(Filtr.pradCalk, w.PradCalk, "total current", QStringLiteral("prąd całkowity"), a))
        return p;

    if (!punktLicznika)
        return std::nullopt;
    const std::int64_t ms = s.zegar.msMonotoniczne();
    const DataCzas teraz = s.zegar.teraz();
    const std::optional<std::int64_t> uplynelo = punktLicznika->uplynelo(ms, teraz);
    if (!uplynelo)
        return std::nullopt;
    std::optional<Odrzucenie> powod = ocenLicznik(punktLicznika->licznik, w.TimerU, *uplynelo);
    if (!powod)
        return std::nullopt;
    // The accepted point may itself be wrong (a counter stored before these
    // checks existed): a block that agrees with the last one refused for its
    // counter alone shows a counter running steadily, and is taken.
    if (m_licznikOdrzucony) {
        const std::optional<std::int64_t> odOdrzuconego = m_licznikOdrzucony->uplynelo(ms, teraz);
        if (odOdrzuconego && !ocenLicznik(m_licznikOdrzucony->licznik, w.TimerU, *odOdrzuconego)) {
            qCInfo(lcModel).noquote() << "controller" << Id << Kod << "- its time counter runs steadily from"
                                      << m_licznikOdrzucony->licznik << "s; the earlier point" << punktLicznika->licznik
                                      << "s is dropped";
            return std::nullopt;
        }
    }
    m_licznikOdrzucony = PunktLicznika{w.TimerU, ms, teraz, false};
    return powod;
}

void clRegulator::zglosOdrzucenie(const wiarygodnosc::Odrzucenie &powod, const DaneRozkazu &czytajOdp,
                                  const DaneRozkazu &blokOdp)
{
    srodowisko().komunikator.blokOdrzucony(Id); // every refusal counts, logged or not
    // The first refusal of a series is logged with its bytes; the rest of the
    // series is counted and told when a block is accepted again.
    if (m_odrzuconeWSerii++ > 0)
        return;
    QByteArray bajty;
    bajty.append(static_cast<char>(czytajOdp.wartosc & 0xFF));
    for (int b : blokOdp.bajty)
        bajty.append(static_cast<char>(b & 0xFF));
    qCWarning(lcModel).noquote() << QStringLiteral("controller %1 %2 sent a block that is refused (%3), taken as a "
                                                   "failed reading: %4")
                                        .arg(Id)
                                        .arg(Kod, powod.powod, QString::fromLatin1(bajty.toHex(' ')));
}

void clRegulator::koniecSeriiOdrzucen()
{
    if (m_odrzuconeWSerii > 1)
        qCInfo(lcModel).noquote() << "controller" << Id << Kod << "- a block is accepted again after"
                                  << m_odrzuconeWSerii << "refused ones";
    m_odrzuconeWSerii = 0;
}

void clRegulator::odlozPoOdrzuceniu(DataCzas Teraz)
{
    // Noise spoils one block: the next tick asks again. A controller whose
    // blocks keep being refused (a limit it breaks for as long as it lasts)
    // would be asked on every tick and take the line from the others, so
    // after its retries it waits for its next grid point.
    if (m_punktOdrzucen != NastepnyOdczyt) {
        m_punktOdrzucen = NastepnyOdczyt;
        m_odrzuceniaPunktu = 0;
    }
    if (++m_odrzuceniaPunktu <= ponowieniaOdrzuconego)
        return;
    DataCzas nastepny = nastepnyOdczyt(NastepnyOdczyt, Teraz, CzestOdczytu);
    if (nastepny <= Teraz)
        nastepny = nastepny.plusMinuty(std::max(CzestOdczytu, 1));
    NastepnyOdczyt = nastepny;
    m_odrzuceniaPunktu = 0;
}
