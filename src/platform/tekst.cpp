#include "tekst.h"

#include <QLocale>

QString Str(std::int64_t v)
{
    const QString t = QString::number(v);
    return v < 0 ? t : QLatin1Char(' ') + t;
}

QString Str(int v)
{
    return Str(static_cast<std::int64_t>(v));
}

QString StrSingle(double v)
{
    const float f = static_cast<float>(v);
    QString t = QString::number(static_cast<double>(f), 'g', 7);
    t.replace(QLatin1String("e+0"), QLatin1String("E+")).replace(QLatin1String("e-0"), QLatin1String("E-"));
    t.replace(QLatin1String("e+"), QLatin1String("E+")).replace(QLatin1String("e-"), QLatin1String("E-"));
    if (t.startsWith(QLatin1String("0.")))
        t.remove(0, 1); // the engine writes .5, not 0.5
    else if (t.startsWith(QLatin1String("-0.")))
        t.remove(1, 1);
    return f < 0 ? t : QLatin1Char(' ') + t;
}

QString FormatSingle(float v, int miejsc)
{
    const double naWlasnejPrecyzji = QString::number(static_cast<double>(v), 'g', 7).toDouble();
    return QString::number(naWlasnejPrecyzji, 'f', miejsc);
}

namespace
{
// Read at every call, not once: the locale is the process environment's, and
// the tests set it in-process. A locale the C library has not generated is
// still known to Qt, which carries its own locale data.
QString lokalLiczb()
{
    for (const char *zmienna : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
        const QString v = qEnvironmentVariable(zmienna);
        if (!v.isEmpty())
            return v;
    }
    return QStringLiteral("C");
}
} // namespace

QString FormatSingleRegionalnie(float v, int miejsc)
{
    QString t = FormatSingle(v, miejsc);
    const QString separator = QLocale(lokalLiczb()).decimalPoint();
    if (separator != QLatin1String("."))
        t.replace(QLatin1Char('.'), separator);
    return t;
}
