#include "ocena.h"

#include "clregulator.h"
#include "comm/komunikator.h"
#include "platform/zegar.h"
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

std::optional<wiarygodnosc::Odrzucenie> OcenaBloku::ocenBlok(clRegulator &r, const dekodowanie::WartosciBloku &w)
{
    using namespace wiarygodnosc;
    const QString hz = QStringLiteral("Hz");
    const QString v = QStringLiteral("V");
    const QString a = QStringLiteral("A");

    if (okresZmierzony(w.P)) {
        const double f = 115200.0 / w.P;
        if (auto p = pozaZakresem(Zakres{czestotliwoscMin, czestotliwoscMax}, f, "frequency",
                                  QStringLiteral("częstotliwość"), hz))
            return p;
        if (auto p = pozaZakresem(r.Filtr.czestotliwosc, w.Okres, "frequency", QStringLiteral("częstotliwość"), hz))
            return p;
    }
    if (w.Napiecie < 0)
        return Odrzucenie{QStringLiteral("negative voltage %1 V").arg(liczba(w.Napiecie)),
                          QStringLiteral("(ujemne napięcie %1 V)").arg(liczba(w.Napiecie))};
    if (auto p = pozaZakresem(r.Filtr.napiecie, w.Napiecie, "voltage", QStringLiteral("napięcie"), v))
        return p;
    if (auto p = pozaZakresem(r.Filtr.pradBierny, w.PradBierny, "reactive current", QStringLiteral("prąd bierny"), a))
        return p;
    if (auto p = pozaZakresem(r.Filtr.pradCalk, w.PradCalk, "total current", QStringLiteral("prąd całkowity"), a))
        return p;

    if (!r.punktLicznika)
        return std::nullopt;
    const std::int64_t ms = m_zegar.msMonotoniczne();
    const DataCzas teraz = m_zegar.teraz();
    const std::optional<std::int64_t> uplynelo = r.punktLicznika->uplynelo(ms, teraz);
    if (!uplynelo)
        return std::nullopt;
    std::optional<Odrzucenie> powod = ocenLicznik(r.punktLicznika->licznik, w.TimerU, *uplynelo);
    if (!powod)
        return std::nullopt;
    // The accepted point may itself be wrong (a counter stored before these
    // checks existed): a block that agrees with the last one refused for its
    // counter alone shows a counter running steadily, and is taken.
    std::optional<PunktLicznika> &odrzucony = r.odrzucenia.licznik;
    if (odrzucony) {
        const std::optional<std::int64_t> odOdrzuconego = odrzucony->uplynelo(ms, teraz);
        if (odOdrzuconego && !ocenLicznik(odrzucony->licznik, w.TimerU, *odOdrzuconego)) {
            qCInfo(lcModel).noquote() << "controller" << r.Id << r.Kod << "- its time counter runs steadily from"
                                      << odrzucony->licznik << "s; the earlier point" << r.punktLicznika->licznik
                                      << "s is dropped";
            return std::nullopt;
        }
    }
    odrzucony = PunktLicznika{w.TimerU, ms, teraz, false};
    return powod;
}

void OcenaBloku::zglosOdrzucenie(clRegulator &r, const wiarygodnosc::Odrzucenie &powod, const DaneRozkazu &czytajOdp,
                                 const DaneRozkazu &blokOdp)
{
    m_komunikator.blokOdrzucony(r.Id); // every refusal counts, logged or not
    // The first refusal of a series is logged with its bytes; the rest of the
    // series is counted and told when a block is accepted again.
    if (r.odrzucenia.wSerii++ > 0)
        return;
    QByteArray bajty;
    bajty.append(static_cast<char>(czytajOdp.wartosc & 0xFF));
    for (int b : blokOdp.bajty)
        bajty.append(static_cast<char>(b & 0xFF));
    qCWarning(lcModel).noquote() << QStringLiteral("controller %1 %2 sent a block that is refused (%3), taken as a "
                                                   "failed reading: %4")
                                        .arg(r.Id)
                                        .arg(r.Kod, powod.powod, QString::fromLatin1(bajty.toHex(' ')));
}

void OcenaBloku::koniecSeriiOdrzucen(clRegulator &r)
{
    if (r.odrzucenia.wSerii > 1)
        qCInfo(lcModel).noquote() << "controller" << r.Id << r.Kod << "- a block is accepted again after"
                                  << r.odrzucenia.wSerii << "refused ones";
    r.odrzucenia.wSerii = 0;
}
