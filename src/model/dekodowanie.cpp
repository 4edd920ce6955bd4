#include "clregulator.h"
#include "protokol/protokol.h"

#include <cmath>

clRegulator::WartosciBloku clRegulator::przeliczBlok(const DaneRozkazu &dane) const
{
    WartosciBloku w;
    w.blok = protokol::dekodujBlok(dane);
    const protokol::BlokPomiarow &b = w.blok;
    // Every product is formed in double and rounded to single only when it
    // is stored, as the counters and the reports expect.
    const double skala = SkalaNapiecia;
    const double przekladniaNap = PrzekladniaNap;
    const protokol::Skale k = protokol::skale(Przekladnia, skala, przekladniaNap);

    w.Napiecie = static_cast<float>(b.napiecie * skala * przekladniaNap);
    // The total counter keeps its true unsigned value, so one at or above
    // 2^31 scales correctly instead of stopping the reading.
    w.PradCalkSr = static_cast<float>(static_cast<double>(b.licznikCalkowity) * k.KE);
    w.PradBiernPojSr = static_cast<float>(b.licznikPojemnosciowy * k.KE);
    w.PradBiernSr = static_cast<float>(b.licznikBierny * k.KE);
    w.TimerU = b.licznikCzasu;
    w.PradBierny = static_cast<float>(b.pradBierny * k.KI);
    w.PradCalk = static_cast<float>(b.pradCalkowity * k.KI);
    w.Faza = b.faza;

    // The period count plus one, formed in int: 32767 + 1 is 32768 here,
    // a valid (if implausible) period rather than an overflow.
    w.P = static_cast<int>(b.okres) + 1;
    if (w.P == 1)
        w.zaklocenia = true; // a zero count: the signal was disturbed
    w.Okres = w.P != 0 ? static_cast<float>(115200.0 / w.P) : Okres;

    // Active counter from the total and reactive ones; a reactive counter
    // not below the total one can only come from a disturbed measurement.
    const float a = std::fabs(w.PradCalkSr);
    const float r = std::fabs(w.PradBiernSr);
    if (r < a) {
        const double calk = w.PradCalkSr;
        const double bierny = w.PradBiernSr;
        w.PradCzynny = static_cast<float>(std::sqrt(calk * calk - bierny * bierny));
    } else {
        w.PradCzynny = r;
        w.zaklocenia = true;
    }

    w.TgFi = w.PradCzynny == 0 ? 9.999f : static_cast<float>(static_cast<double>(w.PradBiernSr) / w.PradCzynny);
    return w;
}

void clRegulator::przyjmijBlok(const WartosciBloku &w)
{
    Napiecie = w.Napiecie;
    PradCalkSr = w.PradCalkSr;
    PradBiernPojSr = w.PradBiernPojSr;
    PradBiernSr = w.PradBiernSr;
    TimerU = w.TimerU;
    PradBierny = w.PradBierny;
    PradCalk = w.PradCalk;
    Faza = w.Faza;
    P = w.P;
    Okres = w.Okres;
    if (w.zaklocenia)
        ZakloceniaHarm = true;
    PradCzynny = w.PradCzynny;
    TgFi = w.TgFi;

    m_stan.StanPrzel1 = w.blok.przelacznik1;
    m_stan.StanPrzel2 = w.blok.przelacznik2;
    m_stan.StanDisplay1 = w.blok.wyswietlacz[0];
    m_stan.StanDisplay2 = w.blok.wyswietlacz[1];
    m_stan.StanDisplay3 = w.blok.wyswietlacz[2];
    m_stan.StanDisplay4 = w.blok.wyswietlacz[3];
}

void clRegulator::dekodujBlok()
{
    przyjmijBlok(przeliczBlok(blok));
}
