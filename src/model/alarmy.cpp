#include "clregulator.h"
#include "platform/tekst.h"
#include "wewnetrzne.h"

namespace
{
constexpr int maksAlarmow = 32767;
} // namespace

void clRegulator::DodajAlarm(DataCzas Data, int KodAlarmu, const QString &Komentarz)
{
    const SrodowiskoRegulatora &s = srodowisko();
    // A controller silent for hours adds one call per tick; the count stops
    // at the 16-bit top instead of wrapping to 0, which would mean "never
    // alarmed" and skip the clearing of its alarms.
    if (AktywneAlarmy < maksAlarmow)
        ++AktywneAlarmy;
    // The list ignores a second alarm of an already active (Id, code) pair.
    s.alarmy.NowyAlarm(Data, Id, KodAlarmu, Komentarz);
    s.zdarzenia.eAlarm(Id, KodAlarmu, Komentarz, true);
}

void clRegulator::SprawdzAlarm(int KodAlarmu)
{
    if (AktywneAlarmy <= 0)
        return; // nothing was ever raised for this controller
    const SrodowiskoRegulatora &s = srodowisko();
    const QString kod = Str(KodAlarmu);
    for (int i = 1; i <= s.alarmy.Count(); ++i) {
        const WierszAlarmu &w = s.alarmy.wiersz(i);
        bool liczba = false;
        const double nr = w.nrRegul.trimmed().toDouble(&liczba);
        if (liczba && nr == Id && w.kodAlarmu == kod && w.stan == QLatin1String("A"))
            s.alarmy.DezaktywujAlarm(i);
    }
}

void clRegulator::sprawdzProgi()
{
    const SrodowiskoRegulatora &s = srodowisko();
    // Strict comparisons: a value equal to its threshold raises nothing.
    if (PradBierny > ProgPrad)
        DodajAlarm(s.zegar.teraz(), 201, QLatin1Char('(') + StrSingle(PradBierny) + QStringLiteral(" A)"));
    else
        SprawdzAlarm(201);

    if (Napiecie > ProgNapiecie)
        DodajAlarm(s.zegar.teraz(), 202, QLatin1Char('(') + StrSingle(Napiecie) + QStringLiteral(" V)"));
    else
        SprawdzAlarm(202);

    if (TgFi < ProgTgFiMin || TgFi > ProgTgFiMax)
        DodajAlarm(s.zegar.teraz(), 203, QLatin1Char('(') + FormatSingleRegionalnie(TgFi, 7) + QLatin1Char(')'));
    else
        SprawdzAlarm(203);
}
