#include "clregulator.h"

#include "wewnetrzne.h"

#include <cmath>
#include <stdexcept>

Q_LOGGING_CATEGORY(lcModel, "tolvek.model")

const SrodowiskoRegulatora &clRegulator::srodowisko() const
{
    if (!m_s)
        throw std::logic_error("clRegulator: record created without its environment");
    return *m_s;
}

bool clRegulator::SprawdzStanDiody(int NrDiody) const
{
    int bity = 0;
    if (NrDiody == 8)
        bity = m_stan.StanDiod2 & 0x80;
    else if (NrDiody >= 0 && NrDiody < 8)
        bity = m_stan.StanDiod1 & MaskaBitu[NrDiody];
    else
        return false; // no such stage: never reported as switched on
    // A 0 bit means that the stage is switched on.
    return bity == 0;
}

DataCzas clRegulator::nastepnyOdczyt(DataCzas N, DataCzas Teraz, int F)
{
    // A row with no interval would otherwise divide by zero; reading it once
    // a minute keeps it monitored without flooding the line.
    if (F <= 0)
        F = 1;
    // From the 1899 anchor the seconds exceed 32 bits: sekundyMiedzy is 64-bit.
    const double L = static_cast<double>(DataCzas::sekundyMiedzy(N, Teraz)) / 60.0;
    double n = L / F;
    if (n == 0 || n != std::floor(n))
        n = std::floor(n) + 1;
    return N.plusMinuty(std::llround(F * n));
}
