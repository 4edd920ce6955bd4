#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

#include <compare>
#include <cstdint>

// A naive local wall-clock date-time: milliseconds since 1899-12-30 00:00
// with no time zone attached, as the database engine's day numbers were.
// Value 0 stands for "never". Arithmetic never passes through a time zone,
// so the historical local-mean-time offsets that a zone database gives for
// 1899 cannot leak into interval grids, and a daylight-saving change does
// not shift them.
class DataCzas final
{
public:
    constexpr DataCzas() = default;
    static constexpr DataCzas zMs(std::int64_t ms) { return DataCzas(ms); }
    static DataCzas z(const QDate &d, const QTime &t = QTime(0, 0));
    static DataCzas z(const QDateTime &dt) { return z(dt.date(), dt.time()); }
    // Accepts "yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd HH:mm:ss.zzz", "yyyy-MM-ddTHH:mm:ss"
    // and "yyyy-MM-dd"; anything else gives an invalid (never) value and ok=false.
    static DataCzas zTekstu(const QString &s, bool *ok = nullptr);

    constexpr std::int64_t ms() const { return m_ms; }
    constexpr bool nigdy() const { return m_ms == 0; }

    QDate data() const;
    QTime czas() const;
    // Local QDateTime with the same wall-clock fields (for display only).
    QDateTime doQDateTime() const { return QDateTime(data(), czas()); }

    // "yyyy-MM-dd HH:mm:ss": the text form stored in the database.
    QString tekstBazy() const;
    // Formats with QDate/QTime patterns ("dd/MM/yyyy hh:mm:ss", ...).
    QString format(const QString &wzor) const;

    constexpr DataCzas plusMs(std::int64_t d) const { return DataCzas(m_ms + d); }
    constexpr DataCzas plusSekundy(std::int64_t s) const { return DataCzas(m_ms + s * 1000); }
    constexpr DataCzas plusMinuty(std::int64_t m) const { return DataCzas(m_ms + m * 60000); }
    constexpr DataCzas plusDni(std::int64_t d) const { return DataCzas(m_ms + d * 86400000); }
    // Midnight of the same day.
    DataCzas poczatekDnia() const;

    // Number of whole-second boundaries between a and b (b - a), as the
    // engine's "s" date difference counts them.
    static std::int64_t sekundyMiedzy(DataCzas a, DataCzas b);

    constexpr auto operator<=>(const DataCzas &) const = default;

private:
    constexpr explicit DataCzas(std::int64_t ms) : m_ms(ms) {}
    std::int64_t m_ms = 0;
};
