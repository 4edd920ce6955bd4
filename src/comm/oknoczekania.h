#pragma once

#include "platform/datacz.h"

#include <cstdint>

// The bookkeeping of one wait for an answer byte. The wait fails once more
// than two whole seconds (second boundaries of the wall clock) of the
// link's own waiting have passed. While the link sleeps, other handlers run;
// a wake-up that comes later than it was due shows how long they took, and
// the start of the wait moves later by that much, so their time never
// counts against the controller.
class OknoCzekania final
{
public:
    static constexpr std::int64_t limitSekund = 2;
    // The longest single sleep: short enough to notice the deadline and
    // long handlers in good time, long enough to cost no CPU.
    static constexpr std::int64_t krokMs = 250;
    // A precise timer still fires a millisecond or two late; lateness up to
    // this much is the timer's, not another handler's.
    static constexpr std::int64_t tolerancjaMs = 15;

    // limitMs > 0: the wait fails after that many milliseconds instead (a
    // scan's shorter time-out), with the same allowance for other handlers.
    explicit OknoCzekania(DataCzas start, std::int64_t limitMs = 0) : m_start(start), m_limitMs(limitMs) {}

    DataCzas start() const { return m_start; }
    bool minelo(DataCzas teraz) const;
    // Milliseconds from teraz until minelo() becomes true; 0 when it is.
    std::int64_t doTerminu(DataCzas teraz) const;
    // How long to sleep next: until the deadline, but no longer than krokMs.
    std::int64_t nastepnySen(DataCzas teraz) const;

    // A sleep began at wyjscie and was due to end at termin (the end of its
    // time, or the moment the data signal came); the link ran again at teraz.
    void poPrzebudzeniu(DataCzas wyjscie, DataCzas termin, DataCzas teraz);

private:
    DataCzas m_start;
    std::int64_t m_limitMs;
};
