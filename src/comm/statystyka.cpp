#include "statystyka.h"

#include <algorithm>

namespace
{
int kubelek(std::int64_t ms)
{
    if (ms < StatystykaKomunikacji::kubelkiDokladne)
        return static_cast<int>(std::max<std::int64_t>(ms, 0));
    const std::int64_t zgrubny = (ms - StatystykaKomunikacji::kubelkiDokladne) / 10;
    return StatystykaKomunikacji::kubelkiDokladne +
           static_cast<int>(std::min<std::int64_t>(zgrubny, StatystykaKomunikacji::kubelkiZgrubne));
}

// The bucket's lower edge: the median is told to the bucket's resolution.
std::int64_t dolKubelka(int k)
{
    if (k < StatystykaKomunikacji::kubelkiDokladne)
        return k;
    return StatystykaKomunikacji::kubelkiDokladne + std::int64_t{k - StatystykaKomunikacji::kubelkiDokladne} * 10;
}
} // namespace

StatystykaKomunikacji::Liczniki &StatystykaKomunikacji::liczniki(int nr)
{
    auto it = m_regulatory.find(nr);
    if (it == m_regulatory.end()) {
        it = m_regulatory.insert(nr, Liczniki{});
        it->w.nrRegulatora = nr;
    }
    return *it;
}

void StatystykaKomunikacji::zapytanie(int nr)
{
    ++liczniki(nr).w.zapytania;
}

void StatystykaKomunikacji::powtorzenie(int nr)
{
    ++liczniki(nr).w.powtorzenia;
}

void StatystykaKomunikacji::odpowiedz(int nr, std::int64_t opoznienieMs, DataCzas czas)
{
    Liczniki &l = liczniki(nr);
    ++l.w.odpowiedzi;
    l.w.ostatniaOdpowiedz = czas;
    if (opoznienieMs < 0)
        return;
    ++l.opoznienia[static_cast<std::size_t>(kubelek(opoznienieMs))];
    l.w.najdluzszaMs = std::max(l.w.najdluzszaMs, opoznienieMs);
}

void StatystykaKomunikacji::brakOdpowiedzi(int nr)
{
    ++liczniki(nr).w.bezOdpowiedzi;
}

void StatystykaKomunikacji::czasLinii(int nr, std::int64_t ms)
{
    liczniki(nr).msLinii += std::max<std::int64_t>(ms, 0);
}

void StatystykaKomunikacji::blokOdrzucony(int nr)
{
    ++liczniki(nr).w.odrzucone;
}

void StatystykaKomunikacji::odczytNieudany(int nr)
{
    ++liczniki(nr).w.nieudaneOdczyty;
}

void StatystykaKomunikacji::zeruj(std::int64_t msTeraz)
{
    m_regulatory.clear();
    m_odMs = msTeraz;
}

StatystykaKomunikacji::Wiersz StatystykaKomunikacji::zLicznikow(const Liczniki &l, std::int64_t msTeraz) const
{
    Wiersz w = l.w;
    std::uint64_t wszystkie = 0;
    for (std::uint32_t n : l.opoznienia)
        wszystkie += n;
    if (wszystkie > 0) {
        // The lower median: the first bucket that reaches half the samples.
        std::uint64_t suma = 0;
        for (int k = 0; k < liczbaKubelkow; ++k) {
            suma += l.opoznienia[static_cast<std::size_t>(k)];
            if (2 * suma >= wszystkie) {
                w.medianaMs = std::min(dolKubelka(k), w.najdluzszaMs);
                break;
            }
        }
    }
    const std::int64_t okres = msTeraz - m_odMs;
    w.udzialLinii = okres > 0 ? std::min(1.0, static_cast<double>(l.msLinii) / static_cast<double>(okres)) : 0.0;
    return w;
}

QList<StatystykaKomunikacji::Wiersz> StatystykaKomunikacji::wiersze(std::int64_t msTeraz) const
{
    QList<Wiersz> r;
    r.reserve(m_regulatory.size());
    for (const Liczniki &l : m_regulatory)
        r.append(zLicznikow(l, msTeraz));
    std::sort(r.begin(), r.end(), [](const Wiersz &a, const Wiersz &b) { return a.nrRegulatora < b.nrRegulatora; });
    return r;
}

StatystykaKomunikacji::Wiersz StatystykaKomunikacji::wiersz(int nr, std::int64_t msTeraz) const
{
    const auto it = m_regulatory.constFind(nr);
    if (it == m_regulatory.constEnd()) {
        Wiersz w;
        w.nrRegulatora = nr;
        return w;
    }
    return zLicznikow(*it, msTeraz);
}
