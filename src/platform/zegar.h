#pragma once

#include "datacz.h"

#include <atomic>
#include <cstdint>

// The clock seam: the wall clock as a naive local date-time, and a
// monotonic count of milliseconds for intervals that a clock set back (the
// end of summer time, a correction) must not stretch or shorten. Tests
// replace it.
class Zegar
{
public:
    virtual ~Zegar() = default;
    virtual DataCzas teraz() const = 0;
    // Milliseconds from an arbitrary start; never goes back.
    virtual std::int64_t msMonotoniczne() const = 0;
};

class ZegarSystemowy final : public Zegar
{
public:
    DataCzas teraz() const override;
    std::int64_t msMonotoniczne() const override;

private:
    // The local offset from UTC and when to ask for it again (UTC ms).
    mutable std::atomic<std::int64_t> m_przesuniecie{0};
    mutable std::atomic<std::int64_t> m_odnowienie{0};
};
