#include "zapis.h"

#include "clregulator.h"
#include "db/zapispomiarow.h"
#include "platform/zegar.h"
#include "zdarzenia.h"

#include <QVariant>

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

bool ZapisRegulatora::zaWczesnieNaZapis(const clRegulator &r, DataCzas Teraz)
{
    if (r.OstatniZapis.nigdy())
        return false;
    // A last storing later than now (a clock set back) does not hold storing
    // up: only the misfiring window of the 20 s rule is kept out.
    const std::int64_t odstep = DataCzas::sekundyMiedzy(r.OstatniZapis, Teraz);
    return odstep >= 0 && odstep < minOdstepZapisuSekund;
}

void ZapisRegulatora::ZapiszDaneDB(clRegulator &r)
{
    const EnergieOkresu e = energieOkresu(r, DataCzas::sekundyMiedzy(r.OstatniOdczyt, m_zegar.teraz()));
    r.TgFiOkres = e.czynna != 0 ? static_cast<float>(static_cast<double>(e.biernaCalk) / e.czynna) : 9.999f;

    WpisPomiaru w;
    w.adres = r.adres;
    w.data = r.OstatniOdczyt;
    w.enCzynna = e.czynna;
    w.enBiernaPoj = e.biernaPoj;
    w.enBiernaCalk = e.biernaCalk;
    w.napiecie = r.Napiecie;
    w.pradBierny = r.PradBierny;
    w.pradCalk = r.PradCalk;
    w.czestotliwosc = r.Okres;
    w.pradCzynny = r.PradCzynny;
    w.pradBiernSr = r.PradBiernSr;
    w.pradBiernPojSr = r.PradBiernPojSr;
    w.timerU = r.TimerU;

    // In the spool the reading is as good as stored: the next interval
    // starts from its counters, whenever the forwarder gets it into the
    // database. A reading the spool could not take (its disk) leaves the
    // counters where they were, so the next one stored covers its energy.
    if (!m_zapis.zapisz(w)) {
        m_zdarzenia.eZapisDB(true);
        return;
    }
    r.PopPradCzynny = r.PradCzynny;
    r.PopPradBiernSr = r.PradBiernSr;
    r.PopPradBiernPojSr = r.PradBiernPojSr;
    r.popTimerU = r.TimerU;
    r.OstatniZapis = r.OstatniOdczyt;
}
