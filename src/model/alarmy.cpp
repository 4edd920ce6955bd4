#include "alarmy.h"

#include "clregulator.h"
#include "listaalarmow.h"
#include "platform/tekst.h"
#include "platform/zegar.h"
#include "zdarzenia.h"

namespace
{
constexpr int maksAlarmow = 32767;
} // namespace

void AlarmyRegulatora::DodajAlarm(clRegulator &r, DataCzas Data, int KodAlarmu, const QString &Komentarz)
{
    // A controller silent for hours adds one call per tick; the count stops
    // at the 16-bit top instead of wrapping to 0, which would mean "never
    // alarmed" and skip the clearing of its alarms.
    if (r.AktywneAlarmy < maksAlarmow)
        ++r.AktywneAlarmy;
    // The list ignores a second alarm of an already active (Id, code) pair.
    m_alarmy.NowyAlarm(Data, r.Id, KodAlarmu, Komentarz);
    m_zdarzenia.eAlarm(r.Id, KodAlarmu, Komentarz, true);
}

void AlarmyRegulatora::SprawdzAlarm(const clRegulator &r, int KodAlarmu)
{
    if (r.AktywneAlarmy <= 0)
        return; // nothing was ever raised for this controller
    const QString kod = Str(KodAlarmu);
    for (int i = 1; i <= m_alarmy.Count(); ++i) {
        const WierszAlarmu &w = m_alarmy.wiersz(i);
        bool liczba = false;
        const double nr = w.nrRegul.trimmed().toDouble(&liczba);
        if (liczba && nr == r.Id && w.kodAlarmu == kod && w.stan == QLatin1String("A"))
            m_alarmy.DezaktywujAlarm(i);
    }
}

void AlarmyRegulatora::sprawdzProgi(clRegulator &r)
{
    // Strict comparisons: a value equal to its threshold raises nothing.
    if (r.PradBierny > r.ProgPrad)
        DodajAlarm(r, m_zegar.teraz(), 201, QLatin1Char('(') + StrSingle(r.PradBierny) + QStringLiteral(" A)"));
    else
        SprawdzAlarm(r, 201);

    if (r.Napiecie > r.ProgNapiecie)
        DodajAlarm(r, m_zegar.teraz(), 202, QLatin1Char('(') + StrSingle(r.Napiecie) + QStringLiteral(" V)"));
    else
        SprawdzAlarm(r, 202);

    if (r.TgFi < r.ProgTgFiMin || r.TgFi > r.ProgTgFiMax)
        DodajAlarm(r, m_zegar.teraz(), 203, QLatin1Char('(') + FormatSingleRegionalnie(r.TgFi, 7) + QLatin1Char(')'));
    else
        SprawdzAlarm(r, 203);
}
