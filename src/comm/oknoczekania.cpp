#include "oknoczekania.h"

#include <algorithm>

namespace
{
std::int64_t sekundaPoczatku(std::int64_t ms)
{
    std::int64_t s = ms / 1000;
    if (ms % 1000 != 0 && ms < 0)
        --s;
    return s;
}
} // namespace

bool OknoCzekania::minelo(DataCzas teraz) const
{
    if (m_limitMs > 0)
        return teraz.ms() - m_start.ms() >= m_limitMs;
    return DataCzas::sekundyMiedzy(m_start, teraz) > limitSekund;
}

std::int64_t OknoCzekania::doTerminu(DataCzas teraz) const
{
    if (m_limitMs > 0)
        return std::max<std::int64_t>(0, m_start.ms() + m_limitMs - teraz.ms());
    // The first moment with more than limitSekund second boundaries between
    // the start and it is the boundary that opens second start+limit+1.
    const std::int64_t termin = (sekundaPoczatku(m_start.ms()) + limitSekund + 1) * 1000;
    return std::max<std::int64_t>(0, termin - teraz.ms());
}

std::int64_t OknoCzekania::nastepnySen(DataCzas teraz) const
{
    return std::min(krokMs, doTerminu(teraz));
}

void OknoCzekania::poPrzebudzeniu(DataCzas wyjscie, DataCzas termin, DataCzas teraz)
{
    if (teraz < wyjscie) {
        // The wall clock was set back (daylight saving, a time sync): the
        // wait keeps the length it had, instead of hanging for an hour.
        m_start = m_start.plusMs(teraz.ms() - wyjscie.ms());
        return;
    }
    const std::int64_t spoznienie = teraz.ms() - termin.ms();
    if (spoznienie > tolerancjaMs)
        m_start = m_start.plusMs(spoznienie);
}
