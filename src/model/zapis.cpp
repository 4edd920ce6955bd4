#include "clregulator.h"
#include "platform/bladbazy.h"
#include "platform/tekst.h"
#include "wewnetrzne.h"

#include <cstdlib>

namespace
{

// Runs the database steps of one storing; a failing step is reported and
// the storing goes on with the next one, so one bad column or a locked
// table does not cost the counters carried forward in the record.
class KrokiZapisu final
{
public:
    explicit KrokiZapisu(const SrodowiskoRegulatora &s) : m_s(s) {}

    template <class Krok> bool operator()(Krok krok)
    {
        try {
            krok();
            return true;
        } catch (const BladBazy &e) {
            m_s.zdarzenia.eZapisDB(true);
            m_s.komunikaty.pokaz(QStringLiteral("Błąd zapisu do bazy danych nr ") + Str(e.numer()) + QLatin1Char('\r') +
                                     QLatin1Char('\'') + e.opis() + QLatin1Char('\''),
                                 model::tytulAplikacji(), Ikona::Brak);
            return false;
        }
    }

private:
    const SrodowiskoRegulatora &m_s;
};

} // namespace

model::EnergieOkresu model::energieOkresu(const clRegulator &r, float czynny, float biernSr, float biernPojSr,
                                          std::int32_t timerU, std::int64_t dw)
{
    // dc is the controller's own count since the last stored reading, dw the
    // seconds this reading has taken so far. Normally dc spans a whole
    // interval and lies far from dw: the interval's energies are then the
    // differences of the cumulative counters. Only when the two agree within
    // 20 s are the counters themselves stored.
    const std::int64_t dc = static_cast<std::int64_t>(timerU) - static_cast<std::int64_t>(r.popTimerU);
    if (std::llabs(dw - dc) <= 20)
        return {czynny, biernPojSr, biernSr};
    const float d = biernPojSr - r.PopPradBiernPojSr;
    // A growing capacitive counter is marked with the integer 1.
    return {czynny - r.PopPradCzynny, d <= 0 ? QVariant(d) : QVariant(1), biernSr - r.PopPradBiernSr};
}

void clRegulator::ZapiszDaneDB()
{
    const SrodowiskoRegulatora &s = srodowisko();
    KrokiZapisu krok(s);
    Rekordy &rs = s.rsPomiary;

    const model::EnergieOkresu e = model::energieOkresu(*this, PradCzynny, PradBiernSr, PradBiernPojSr, TimerU,
                                                        DataCzas::sekundyMiedzy(OstatniOdczyt, s.zegar.teraz()));
    const float enCzynna = e.czynna;
    const QVariant enBiernaPoj = e.biernaPoj;
    const float enBiernaCalk = e.biernaCalk;

    // Without a new row the assignments would land on the cursor's current
    // row and overwrite a stored reading, so a failed AddNew skips the row.
    if (krok([&] { rs.AddNew(); })) {
        krok([&] { rs.ustaw(QStringLiteral("Adres"), adres); });
        krok([&] { rs.ustaw(QStringLiteral("EnCzynna"), enCzynna); });
        krok([&] { rs.ustaw(QStringLiteral("EnBiernaPoj"), enBiernaPoj); });
        krok([&] { rs.ustaw(QStringLiteral("EnBiernaCalk"), enBiernaCalk); });
        krok([&] { rs.ustaw(QStringLiteral("Napiecie"), Napiecie); });
        krok([&] { rs.ustaw(QStringLiteral("PradBierny"), PradBierny); });
        krok([&] { rs.ustaw(QStringLiteral("PradCalk"), PradCalk); });
        krok([&] { rs.ustaw(QStringLiteral("Czestotliwosc"), Okres); });
        krok([&] { rs.ustaw(QStringLiteral("Data"), model::wartoscCzasu(OstatniOdczyt)); });
        krok([&] { rs.Update(); });
    }
    TgFiOkres = enCzynna != 0 ? static_cast<float>(static_cast<double>(enBiernaCalk) / enCzynna) : 9.999f;

    PopPradCzynny = PradCzynny;
    PopPradBiernSr = PradBiernSr;
    PopPradBiernPojSr = PradBiernPojSr;
    popTimerU = TimerU;
    OstatniZapis = OstatniOdczyt;

    Rekordy &ost = s.rsOstPomiar;
    // Both steps run (each failure is reported), but only a search that ran
    // from the first row tells where this controller's row is: after a
    // failed one the cursor may stand on another controller's row, whose
    // counters must not be overwritten with these.
    const bool odPoczatku = krok([&] { ost.MoveFirst(); });
    const bool wyszukano = krok([&] { ost.Find(QStringLiteral("Adres=") + Str(adres)); }) && odPoczatku;
    if (!wyszukano)
        return;
    bool wiersz = !ost.EOF_();
    if (!wiersz) {
        wiersz = krok([&] { ost.AddNew(); });
        if (wiersz)
            krok([&] { ost.ustaw(QStringLiteral("Adres"), adres); });
    }
    if (wiersz) {
        krok([&] { ost.ustaw(QStringLiteral("PopPradCzynny"), PradCzynny); });
        krok([&] { ost.ustaw(QStringLiteral("PopPradBiernSr"), PradBiernSr); });
        krok([&] { ost.ustaw(QStringLiteral("PopPradBiernPojSr"), PradBiernPojSr); });
        krok([&] { ost.ustaw(QStringLiteral("PopTimerU"), TimerU); });
        krok([&] { ost.ustaw(QStringLiteral("Czas"), model::wartoscCzasu(OstatniOdczyt)); });
        krok([&] { ost.Update(); });
    }
}
