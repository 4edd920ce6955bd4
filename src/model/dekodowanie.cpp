#include "clregulator.h"
#include "comm/clsfunkcje.h"

#include <cmath>

namespace
{
std::uint8_t b(const DaneRozkazu &blok, int i)
{
    return static_cast<std::uint8_t>(blok.bajty[static_cast<std::size_t>(i)]);
}
} // namespace

void clRegulator::dekodujBlok()
{
    // Every product is formed in double and rounded to single only when it
    // is stored, as the counters and the reports expect.
    const double skala = SkalaNapiecia;
    const double przekladnia = Przekladnia;
    const double przekladniaNap = PrzekladniaNap;

    Napiecie = static_cast<float>(clsFunkcje::TworzInt(b(blok, 15), b(blok, 16)) * skala * przekladniaNap);

    // Counter factor and current factor of this controller's transformers.
    const double KE = std::sqrt(3.0) / 100.0 * przekladnia * skala * przekladniaNap * 400.0 / 3600000.0;
    const double KI = przekladnia / 200.0;

    // TworzLongU keeps the true unsigned value, so a counter at or above
    // 2^31 scales correctly instead of stopping the reading.
    PradCalkSr = static_cast<float>(
        static_cast<double>(clsFunkcje::TworzLongU(b(blok, 0), b(blok, 1), b(blok, 2), b(blok, 3))) * KE);
    PradBiernPojSr = static_cast<float>(clsFunkcje::TworzLong(b(blok, 4), b(blok, 5), b(blok, 6), b(blok, 7)) * KE);
    PradBiernSr = static_cast<float>(clsFunkcje::TworzLong(b(blok, 8), b(blok, 9), b(blok, 10), b(blok, 11)) * KE);

    // A 24-bit count: the top byte is always 0.
    TimerU = clsFunkcje::TworzLong(0, b(blok, 12), b(blok, 13), b(blok, 14));

    PradBierny = static_cast<float>(clsFunkcje::TworzInt(b(blok, 17), b(blok, 18)) * KI);
    PradCalk = static_cast<float>(clsFunkcje::TworzInt(b(blok, 19), b(blok, 20)) * KI);
    Faza = clsFunkcje::TworzInt(b(blok, 21), b(blok, 22));

    // The period count plus one, formed in int: 32767 + 1 is 32768 here,
    // a valid (if implausible) period rather than an overflow.
    P = static_cast<int>(clsFunkcje::TworzInt(b(blok, 23), b(blok, 24))) + 1;
    if (P == 1)
        ZakloceniaHarm = true; // a zero count: the signal was disturbed
    if (P != 0)
        Okres = static_cast<float>(115200.0 / P);

    // Active counter from the total and reactive ones; a reactive counter
    // not below the total one can only come from a disturbed measurement.
    const float a = std::fabs(PradCalkSr);
    const float r = std::fabs(PradBiernSr);
    if (r < a) {
        const double calk = PradCalkSr;
        const double bierny = PradBiernSr;
        PradCzynny = static_cast<float>(std::sqrt(calk * calk - bierny * bierny));
    } else {
        PradCzynny = r;
        ZakloceniaHarm = true;
    }

    TgFi = PradCzynny == 0 ? 9.999f : static_cast<float>(static_cast<double>(PradBiernSr) / PradCzynny);

    m_stan.StanPrzel1 = b(blok, 25);
    m_stan.StanPrzel2 = b(blok, 26);
    m_stan.StanDisplay1 = b(blok, 27);
    m_stan.StanDisplay2 = b(blok, 28);
    m_stan.StanDisplay3 = b(blok, 29);
    m_stan.StanDisplay4 = b(blok, 30);
}
