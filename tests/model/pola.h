#pragma once

// Data rows state what they expect of a record as "Name=value" pairs:
// "=" is exact to the single-precision bit, "~" a fuzzy float comparison.

#include "model/clregulator.h"

#include <QRegularExpression>
#include <QTest>

#include <cmath>
#include <utility>

inline double pole(const clRegulator &r, QStringView nazwa)
{
    const std::pair<const char *, double> pola[] = {{"P", r.P},
                                                    {"Okres", r.Okres},
                                                    {"TimerU", r.TimerU},
                                                    {"ZakloceniaHarm", r.ZakloceniaHarm},
                                                    {"Napiecie", r.Napiecie},
                                                    {"PradBierny", r.PradBierny},
                                                    {"PradCalk", r.PradCalk},
                                                    {"Faza", r.Faza},
                                                    {"PradCalkSr", r.PradCalkSr},
                                                    {"PradBiernSr", r.PradBiernSr},
                                                    {"PradBiernPojSr", r.PradBiernPojSr},
                                                    {"PradCzynny", r.PradCzynny},
                                                    {"TgFi", r.TgFi},
                                                    {"CzestOdczytu", r.CzestOdczytu},
                                                    {"CzestZapisu", r.CzestZapisu},
                                                    {"Przekladnia", r.Przekladnia},
                                                    {"PrzekladniaNap", r.PrzekladniaNap},
                                                    {"NapieciePomiar", r.NapieciePomiar},
                                                    {"SkalaNapiecia", r.SkalaNapiecia},
                                                    {"ProgNapiecie", r.ProgNapiecie},
                                                    {"ProgPrad", r.ProgPrad},
                                                    {"ProgTgFiMin", r.ProgTgFiMin},
                                                    {"ProgTgFiMax", r.ProgTgFiMax}};
    for (const auto &[n, v] : pola)
        if (nazwa == QLatin1String(n))
            return v;
    return std::nan(""); // an unknown name fails every comparison
}

inline void porownajPola(const clRegulator &r, const QString &oczekiwane)
{
    static const QRegularExpression para(QStringLiteral("(\\w+)([=~])(\\S+)"));
    for (auto it = para.globalMatch(oczekiwane); it.hasNext();) {
        const auto m = it.next();
        const double jest = pole(r, m.capturedView(1));
        const float ma = m.captured(3).toFloat();
        const bool zgodne = m.captured(2) == QLatin1String("=") ? jest == static_cast<double>(ma)
                                                                : qFuzzyCompare(static_cast<float>(jest), ma);
        QVERIFY2(zgodne, qPrintable(m.captured(0) + QStringLiteral(" but is ") + QString::number(jest, 'g', 12)));
    }
}
