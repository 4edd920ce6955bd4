#include "clregulator.h"
#include "comm/protokol.h"

#include <cmath>

void clRegulator::dekodujBlok()
{
    const protokol::BlokPomiarow w = protokol::dekodujBlok(blok);
    // Every product is formed in double and rounded to single only when it
    // is stored, as the counters and the reports expect.
    const double skala = SkalaNapiecia;
    const double przekladniaNap = PrzekladniaNap;
    const protokol::Skale k = protokol::skale(Przekladnia, skala, przekladniaNap);

    Napiecie = static_cast<float>(w.napiecie * skala * przekladniaNap);
    // The total counter keeps its true unsigned value, so one at or above
    // 2^31 scales correctly instead of stopping the reading.
    PradCalkSr = static_cast<float>(static_cast<double>(w.licznikCalkowity) * k.KE);
    PradBiernPojSr = static_cast<float>(w.licznikPojemnosciowy * k.KE);
    PradBiernSr = static_cast<float>(w.licznikBierny * k.KE);
    TimerU = w.licznikCzasu;
    PradBierny = static_cast<float>(w.pradBierny * k.KI);
    PradCalk = static_cast<float>(w.pradCalkowity * k.KI);
    Faza = w.faza;

    // The period count plus one, formed in int: 32767 + 1 is 32768 here,
    // a valid (if implausible) period rather than an overflow.
    P = static_cast<int>(w.okres) + 1;
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

    m_stan.StanPrzel1 = w.przelacznik1;
    m_stan.StanPrzel2 = w.przelacznik2;
    m_stan.StanDisplay1 = w.wyswietlacz[0];
    m_stan.StanDisplay2 = w.wyswietlacz[1];
    m_stan.StanDisplay3 = w.wyswietlacz[2];
    m_stan.StanDisplay4 = w.wyswietlacz[3];
}
