#pragma once

#include "platform/datacz.h"

#include <cstdint>

class clRegulator;
class Zegar;
class ZapisPomiarow;
class ZdarzeniaRegulatora;

// The storing of a controller's reading: the interval's energies and the
// latest values into the spool, and the counters carried on to the next
// interval once the spool has taken them.
class ZapisRegulatora final
{
public:
    ZapisRegulatora(ZapisPomiarow &zapis, ZdarzeniaRegulatora &zdarzenia, const Zegar &zegar)
        : m_zapis(zapis), m_zdarzenia(zdarzenia), m_zegar(zegar)
    {
    }

    void ZapiszDaneDB(clRegulator &r);

    // Storing two readings less than 25 s apart would meet the storing's
    // 20 s rule by accident and store the cumulative counters as one
    // interval's energy, so such a reading waits for the next grid point.
    static constexpr std::int64_t minOdstepZapisuSekund = 25;
    static bool zaWczesnieNaZapis(const clRegulator &r, DataCzas Teraz);

private:
    ZapisPomiarow &m_zapis;
    ZdarzeniaRegulatora &m_zdarzenia;
    const Zegar &m_zegar;
};
