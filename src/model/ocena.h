#pragma once

#include "dekodowanie.h"
#include "wiarygodnosc.h"

#include <optional>

class clRegulator;
class Komunikator;
class Zegar;

// The plausibility of a decoded block, judged before anything of it enters
// the record, and the accounting of refused blocks.
class OcenaBloku final
{
public:
    OcenaBloku(Komunikator &komunikator, const Zegar &zegar) : m_komunikator(komunikator), m_zegar(zegar) {}

    // Why a block is refused, or nothing: a frequency outside 40..70 Hz, a
    // negative voltage, a time counter that neither ran on nor restarted, a
    // value outside the configured limits.
    std::optional<wiarygodnosc::Odrzucenie> ocenBlok(clRegulator &r, const dekodowanie::WartosciBloku &w);
    // A refused block is counted in the line's statistics; the first of a
    // series is logged with its bytes, and the end of a series with its length.
    void zglosOdrzucenie(clRegulator &r, const wiarygodnosc::Odrzucenie &powod, const DaneRozkazu &czytajOdp,
                         const DaneRozkazu &blokOdp);
    void koniecSeriiOdrzucen(clRegulator &r);

private:
    Komunikator &m_komunikator;
    const Zegar &m_zegar;
};
