#include "dekodowanie.h"

#include "clregulator.h"

#include <cmath>

namespace dekodowanie
{

WartosciBloku przeliczBlok(const clRegulator &regulator, const DaneRozkazu &dane)
{
    WartosciBloku w;
    w.blok = protokol::dekodujBlok(dane);
    const protokol::BlokPomiarow &b = w.blok;
    // Every product is formed in double and rounded to single only when it
    // is stored, as the counters and the reports expect.
    const double skala = regulator.SkalaNapiecia;
    const double przekladniaNap = regulator.PrzekladniaNap;
    const protokol::Skale k = protokol::skale(regulator.Przekladnia, skala, przekladniaNap);

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
    w.Okres = w.P != 0 ? static_cast<float>(115200.0 / w.P) : regulator.Okres;

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

void przyjmijBlok(clRegulator &r, const WartosciBloku &w)
{
    r.Napiecie = w.Napiecie;
    r.PradCalkSr = w.PradCalkSr;
    r.PradBiernPojSr = w.PradBiernPojSr;
    r.PradBiernSr = w.PradBiernSr;
    r.TimerU = w.TimerU;
    r.PradBierny = w.PradBierny;
    r.PradCalk = w.PradCalk;
    r.Faza = w.Faza;
    r.P = w.P;
    r.Okres = w.Okres;
    if (w.zaklocenia)
        r.ZakloceniaHarm = true;
    r.PradCzynny = w.PradCzynny;
    r.TgFi = w.TgFi;

    clsStan &s = r.stan();
    s.StanPrzel1 = w.blok.przelacznik1;
    s.StanPrzel2 = w.blok.przelacznik2;
    s.StanDisplay1 = w.blok.wyswietlacz[0];
    s.StanDisplay2 = w.blok.wyswietlacz[1];
    s.StanDisplay3 = w.blok.wyswietlacz[2];
    s.StanDisplay4 = w.blok.wyswietlacz[3];
}

void dekodujBlok(clRegulator &r)
{
    przyjmijBlok(r, przeliczBlok(r, r.blok));
}

} // namespace dekodowanie
