#include "app/kontekst.h"
#include "clregulator.h"
#include "platform/tekst.h"
#include "wewnetrzne.h"

namespace
{
constexpr int maksAlarmow = 32767;
} // namespace

void clRegulator::DodajAlarm(DataCzas Data, int KodAlarmu, const QString &Komentarz)
{
    Kontekst &k = kontekst();
    // A controller silent for hours adds one call per tick; the count stops
    // at the 16-bit top instead of wrapping to 0, which would mean "never
    // alarmed" and skip the clearing of its alarms.
    if (AktywneAlarmy < maksAlarmow)
        ++AktywneAlarmy;
    // The list ignores a second alarm of an already active (Id, code) pair.
    k.alarmy.NowyAlarm(Data, Id, KodAlarmu, Komentarz);
    k.oWizual.eAlarm(Id, KodAlarmu, Komentarz, true);
}

void clRegulator::SprawdzAlarm(int KodAlarmu)
{
    if (AktywneAlarmy <= 0)
        return; // nothing was ever raised for this controller
    Kontekst &k = kontekst();
    const QString kod = Str(KodAlarmu);
    for (int i = 1; i <= k.alarmy.Count(); ++i) {
        const WierszAlarmu &w = k.alarmy.wiersz(i);
        bool liczba = false;
        const double nr = w.nrRegul.trimmed().toDouble(&liczba);
        if (liczba && nr == Id && w.kodAlarmu == kod && w.stan == QLatin1String("A"))
            k.alarmy.DezaktywujAlarm(i);
    }
}

void clRegulator::sprawdzProgi()
{
    Kontekst &k = kontekst();
    // Strict comparisons: a value equal to its threshold raises nothing.
    if (PradBierny > ProgPrad)
        DodajAlarm(k.teraz(), 201, QLatin1Char('(') + StrSingle(PradBierny) + QStringLiteral(" A)"));
    else
        SprawdzAlarm(201);

    if (Napiecie > ProgNapiecie)
        DodajAlarm(k.teraz(), 202, QLatin1Char('(') + StrSingle(Napiecie) + QStringLiteral(" V)"));
    else
        SprawdzAlarm(202);

    if (TgFi < ProgTgFiMin || TgFi > ProgTgFiMax)
        DodajAlarm(k.teraz(), 203, QLatin1Char('(') + FormatSingle(TgFi, 7) + QLatin1Char(')'));
    else
        SprawdzAlarm(203);
}
