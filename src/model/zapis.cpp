#include "clregulator.h"
#include "wewnetrzne.h"

#include <cstdlib>

namespace
{

// The energies of the interval since the last stored reading.
struct EnergieOkresu {
    float czynna = 0;
    QVariant biernaPoj; // a single, or the integer 1 for a growing counter
    float biernaCalk = 0;
};

EnergieOkresu energieOkresu(const clRegulator &r, std::int64_t dw)
{
    // dc is the controller's own count since the last stored reading, dw the
    // seconds this reading has taken so far. Normally dc spans a whole
    // interval and lies far from dw: the interval's energies are then the
    // differences of the cumulative counters. Only when the two agree within
    // 20 s are the counters themselves stored.
    const std::int64_t dc = static_cast<std::int64_t>(r.TimerU) - static_cast<std::int64_t>(r.popTimerU);
    if (std::llabs(dw - dc) <= 20)
        return {r.PradCzynny, r.PradBiernPojSr, r.PradBiernSr};
    const float d = r.PradBiernPojSr - r.PopPradBiernPojSr;
    // A growing capacitive counter is marked with the integer 1.
    return {r.PradCzynny - r.PopPradCzynny, d <= 0 ? QVariant(d) : QVariant(1), r.PradBiernSr - r.PopPradBiernSr};
}

} // namespace

void clRegulator::ZapiszDaneDB()
{
    const SrodowiskoRegulatora &s = srodowisko();
    const EnergieOkresu e = energieOkresu(*this, DataCzas::sekundyMiedzy(OstatniOdczyt, s.zegar.teraz()));
    TgFiOkres = e.czynna != 0 ? static_cast<float>(static_cast<double>(e.biernaCalk) / e.czynna) : 9.999f;

    WpisPomiaru w;
    w.adres = adres;
    w.data = OstatniOdczyt;
    w.enCzynna = e.czynna;
    w.enBiernaPoj = e.biernaPoj;
    w.enBiernaCalk = e.biernaCalk;
    w.napiecie = Napiecie;
    w.pradBierny = PradBierny;
    w.pradCalk = PradCalk;
    w.czestotliwosc = Okres;
    w.pradCzynny = PradCzynny;
    w.pradBiernSr = PradBiernSr;
    w.pradBiernPojSr = PradBiernPojSr;
    w.timerU = TimerU;

    // In the spool the reading is as good as stored: the next interval
    // starts from its counters, whenever the forwarder gets it into the
    // database. A reading the spool could not take (its disk) leaves the
    // counters where they were, so the next one stored covers its energy.
    if (!s.zapis.zapisz(w)) {
        s.zdarzenia.eZapisDB(true);
        return;
    }
    PopPradCzynny = PradCzynny;
    PopPradBiernSr = PradBiernSr;
    PopPradBiernPojSr = PradBiernPojSr;
    popTimerU = TimerU;
    OstatniZapis = OstatniOdczyt;
}
