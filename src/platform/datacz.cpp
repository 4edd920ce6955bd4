#include "datacz.h"

namespace
{
constexpr std::int64_t msDnia = 86400000;
const QDate epoka(1899, 12, 30);

std::int64_t floorDiv(std::int64_t a, std::int64_t b)
{
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}
} // namespace

DataCzas DataCzas::z(const QDate &d, const QTime &t)
{
    if (!d.isValid())
        return DataCzas();
    const std::int64_t dni = epoka.daysTo(d);
    const std::int64_t msCzasu = t.isValid() ? t.msecsSinceStartOfDay() : 0;
    return DataCzas(dni * msDnia + msCzasu);
}

DataCzas DataCzas::zTekstu(const QString &s, bool *ok)
{
    // Date and time are read apart: a QDateTime would be local time, and a
    // wall-clock time that the local zone skips (02:30 on the day summer
    // time begins) would not read at all.
    const QString t = s.trimmed();
    const QDate d = QDate::fromString(t.left(10), QStringLiteral("yyyy-MM-dd"));
    QTime czas(0, 0);
    bool dobra = d.isValid();
    if (dobra && t.size() > 10) {
        const QChar sep = t.at(10);
        const QString reszta = t.mid(11);
        czas = QTime();
        if (sep == QLatin1Char(' ') || sep == QLatin1Char('T')) {
            for (const char *w : {"HH:mm:ss", "HH:mm:ss.zzz", "HH:mm"}) {
                czas = QTime::fromString(reszta, QString::fromLatin1(w));
                if (czas.isValid())
                    break;
            }
        }
        dobra = czas.isValid();
    }
    if (ok)
        *ok = dobra;
    return dobra ? z(d, czas) : DataCzas();
}

QDate DataCzas::data() const
{
    return epoka.addDays(floorDiv(m_ms, msDnia));
}

QTime DataCzas::czas() const
{
    const std::int64_t reszta = m_ms - floorDiv(m_ms, msDnia) * msDnia;
    return QTime::fromMSecsSinceStartOfDay(static_cast<int>(reszta));
}

QString DataCzas::tekstBazy() const
{
    return format(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString DataCzas::format(const QString &wzor) const
{
    // QDateTime formatting would resolve the wall time in the local zone;
    // formatting date and time separately keeps the value naive.
    return QDateTime(data(), czas(), Qt::UTC).toString(wzor);
}

DataCzas DataCzas::poczatekDnia() const
{
    return DataCzas(floorDiv(m_ms, msDnia) * msDnia);
}

std::int64_t DataCzas::sekundyMiedzy(DataCzas a, DataCzas b)
{
    return floorDiv(b.m_ms, 1000) - floorDiv(a.m_ms, 1000);
}
