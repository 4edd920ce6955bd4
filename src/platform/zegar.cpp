#include "zegar.h"

#include <QTimeZone>

#include <chrono>

DataCzas ZegarSystemowy::teraz() const
{
    // UTC now plus the local offset, the offset asked again at most once a
    // second: the link asks the clock at every answer byte, and every local
    // conversion makes the C library look at /etc/localtime again. A change
    // of summer time shows within a second.
    const std::int64_t utc = QDateTime::currentMSecsSinceEpoch();
    const std::int64_t odnowienie = m_odnowienie.load(std::memory_order_relaxed);
    std::int64_t przesuniecie = m_przesuniecie.load(std::memory_order_relaxed);
    if (utc >= odnowienie || utc < odnowienie - 2000) {
        przesuniecie = std::int64_t{QDateTime::fromMSecsSinceEpoch(utc).offsetFromUtc()} * 1000;
        m_przesuniecie.store(przesuniecie, std::memory_order_relaxed);
        m_odnowienie.store(utc + 1000, std::memory_order_relaxed);
    }
    return DataCzas::z(QDateTime::fromMSecsSinceEpoch(utc + przesuniecie, QTimeZone::utc()));
}

std::int64_t ZegarSystemowy::msMonotoniczne() const
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
