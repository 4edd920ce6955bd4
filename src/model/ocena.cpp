// The plausibility of a decoded block, judged before anything of it enters
// the record.
#include "clregulator.h"
#include "wewnetrzne.h"

namespace
{
constexpr std::int64_t odstepZgloszenMs = 60000;

QString liczba(double v)
{
    return QString::number(v, 'g', 7);
}

std::optional<QString> pozaZakresem(const wiarygodnosc::Zakres &z, double v, const char *nazwa)
{
    if (z.zawiera(v))
        return std::nullopt;
    return QStringLiteral("%1 %2 outside the limits %3..%4")
        .arg(QLatin1String(nazwa), liczba(v), z.min ? liczba(*z.min) : QStringLiteral("-"),
             z.max ? liczba(*z.max) : QStringLiteral("-"));
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

std::optional<QString> clRegulator::ocenBlok(const WartosciBloku &w)
{
    using namespace wiarygodnosc;
    const SrodowiskoRegulatora &s = srodowisko();

    if (okresZmierzony(w.P)) {
        const double f = 115200.0 / w.P;
        if (f < czestotliwoscMin || f > czestotliwoscMax)
            return QStringLiteral("frequency %1 Hz").arg(liczba(f));
        if (auto p = pozaZakresem(Filtr.czestotliwosc, w.Okres, "frequency"))
            return p;
    }
    if (w.Napiecie < 0)
        return QStringLiteral("negative voltage %1 V").arg(liczba(w.Napiecie));
    if (auto p = pozaZakresem(Filtr.napiecie, w.Napiecie, "voltage"))
        return p;
    if (auto p = pozaZakresem(Filtr.pradBierny, w.PradBierny, "reactive current"))
        return p;
    if (auto p = pozaZakresem(Filtr.pradCalk, w.PradCalk, "total current"))
        return p;

    if (!punktLicznika)
        return std::nullopt;
    const std::int64_t ms = s.zegar.msMonotoniczne();
    const DataCzas teraz = s.zegar.teraz();
    const std::optional<std::int64_t> uplynelo = punktLicznika->uplynelo(ms, teraz);
    if (!uplynelo)
        return std::nullopt;
    const std::optional<QString> powod = ocenLicznik(punktLicznika->licznik, w.TimerU, *uplynelo);
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

void clRegulator::zglosOdrzucenie(const QString &powod, const DaneRozkazu &czytajOdp, const DaneRozkazu &blokOdp)
{
    srodowisko().komunikator.blokOdrzucony(Id); // every refusal counts, logged or not
    const std::int64_t ms = srodowisko().zegar.msMonotoniczne();
    if (m_ostatnieZgloszenieMs != 0 && ms - m_ostatnieZgloszenieMs < odstepZgloszenMs) {
        ++m_odrzuconeBezZgloszenia;
        return;
    }
    QByteArray bajty;
    bajty.append(static_cast<char>(czytajOdp.wartosc & 0xFF));
    for (int b : blokOdp.bajty)
        bajty.append(static_cast<char>(b & 0xFF));
    QString wiecej;
    if (m_odrzuconeBezZgloszenia > 0)
        wiecej = QStringLiteral(" (%1 more refused since the last line)").arg(m_odrzuconeBezZgloszenia);
    qCWarning(lcModel).noquote() << QStringLiteral("controller %1 %2 sent a block no installation gives (%3), taken "
                                                   "as a failed reading%4: %5")
                                        .arg(Id)
                                        .arg(Kod, powod, wiecej, QString::fromLatin1(bajty.toHex(' ')));
    m_ostatnieZgloszenieMs = ms;
    m_odrzuconeBezZgloszenia = 0;
}
