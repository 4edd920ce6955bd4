#include "colregulatory.h"

#include <stdexcept>

clRegulator &colRegulatory::Add(int adres, const QString &Kod, const QString &sKey)
{
    if (!sKey.isEmpty() && m_klucze.contains(sKey))
        throw std::invalid_argument("colRegulatory: key already present: " + sKey.toStdString());
    auto rekord = std::make_unique<clRegulator>();
    rekord->Kod = Kod;
    rekord->adres = adres;
    m_rekordy.push_back(std::move(rekord));
    if (!sKey.isEmpty())
        m_klucze.insert(sKey, Count() - 1);
    return *m_rekordy.back();
}

clRegulator &colRegulatory::Item(int pozycja) const
{
    clRegulator *r = znajdz(pozycja);
    if (!r)
        throw std::out_of_range("colRegulatory: no record at position " + std::to_string(pozycja));
    return *r;
}

clRegulator &colRegulatory::Item(const QString &klucz) const
{
    clRegulator *r = znajdz(klucz);
    if (!r)
        throw std::out_of_range("colRegulatory: no record with key " + klucz.toStdString());
    return *r;
}

clRegulator *colRegulatory::znajdz(int pozycja) const
{
    if (pozycja < 1 || pozycja > Count())
        return nullptr;
    return m_rekordy[static_cast<std::size_t>(pozycja - 1)].get();
}

clRegulator *colRegulatory::znajdz(const QString &klucz) const
{
    const auto it = m_klucze.constFind(klucz);
    if (it == m_klucze.constEnd())
        return nullptr;
    return m_rekordy[static_cast<std::size_t>(it.value())].get();
}

void colRegulatory::Remove(int pozycja)
{
    if (pozycja < 1 || pozycja > Count())
        throw std::out_of_range("colRegulatory: no record at position " + std::to_string(pozycja));
    const int indeks = pozycja - 1;
    m_rekordy.erase(m_rekordy.begin() + indeks);
    przeliczKlucze(indeks);
}

void colRegulatory::przeliczKlucze(int usunietyIndeks)
{
    for (auto it = m_klucze.begin(); it != m_klucze.end();) {
        if (it.value() == usunietyIndeks) {
            it = m_klucze.erase(it);
            continue;
        }
        if (it.value() > usunietyIndeks)
            --it.value();
        ++it;
    }
}
