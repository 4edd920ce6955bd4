#include "wiarygodnosc.h"

#include <cmath>

namespace wiarygodnosc
{

namespace
{
// Seconds an exchange may take beyond the time between two readings (four
// attempts of a three-second time-out, and rounding), and the share a
// controller's clock may drift over a long gap.
constexpr std::int64_t zapasSekund = 30;
constexpr std::int64_t dryfNaSekundy = 100; // 1 %

std::optional<float> granica(const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return std::nullopt;
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (!ok || !std::isfinite(d) || d == 0)
        return std::nullopt;
    return static_cast<float>(d);
}
} // namespace

bool Zakres::zawiera(double wartosc) const
{
    if (min && wartosc < *min)
        return false;
    if (max && wartosc > *max)
        return false;
    return true;
}

Zakres zakres(const QVariant &min, const QVariant &max, bool *bledny)
{
    if (bledny)
        *bledny = false;
    const Zakres z{granica(min), granica(max)};
    if (z.min && z.max && *z.max <= *z.min) {
        if (bledny)
            *bledny = true;
        return {};
    }
    return z;
}

std::optional<std::int64_t> PunktLicznika::uplynelo(std::int64_t msTeraz, DataCzas scianaTeraz) const
{
    if (!zPoprzedniegoUruchomienia)
        return (msTeraz - msMonotoniczne) / 1000;
    if (sciana.nigdy() || scianaTeraz < sciana)
        return std::nullopt;
    return DataCzas::sekundyMiedzy(sciana, scianaTeraz);
}

std::optional<Odrzucenie> ocenLicznik(std::int32_t poprzedni, std::int32_t obecny, std::int64_t uplynelo)
{
    const std::int64_t dozwolone = uplynelo + zapasSekund + uplynelo / dryfNaSekundy;
    const std::int64_t przyrost = static_cast<std::int64_t>(obecny) - poprzedni;
    if (przyrost >= 0 && przyrost <= dozwolone)
        return std::nullopt; // ran on
    if (obecny >= 0 && obecny <= dozwolone)
        return std::nullopt; // restarted since
    if (przyrost < 0)
        return Odrzucenie{QStringLiteral("time counter ran back from %1 to %2 s").arg(poprzedni).arg(obecny),
                          QStringLiteral("(licznik czasu cofnął się z %1 do %2 s)").arg(poprzedni).arg(obecny)};
    return Odrzucenie{QStringLiteral("time counter jumped by %1 s in %2 s").arg(przyrost).arg(uplynelo),
                      QStringLiteral("(licznik czasu skoczył o %1 s w %2 s)").arg(przyrost).arg(uplynelo)};
}

bool okresZmierzony(int P)
{
    return P != 0 && P != 1;
}

} // namespace wiarygodnosc
