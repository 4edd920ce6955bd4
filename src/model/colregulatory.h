#pragma once

#include "clregulator.h"

#include <QHash>
#include <QString>

#include <memory>
#include <vector>

// The controller registry (oRegulatory): records in load order, position
// i (1-based) holds the record whose Id is i, optional unique text key Kod.
class colRegulatory final
{
public:
    // Throws std::invalid_argument when sKey is already present.
    clRegulator &Add(int adres, const QString &Kod, const QString &sKey = {});
    // Throws std::out_of_range for a missing position or key.
    clRegulator &Item(int pozycja) const;
    clRegulator &Item(const QString &klucz) const;
    clRegulator *znajdz(int pozycja) const;          // nullptr when missing
    clRegulator *znajdz(const QString &klucz) const; // nullptr when missing
    int Count() const { return static_cast<int>(m_rekordy.size()); }
    void Remove(int pozycja);

    auto begin() const { return m_rekordy.begin(); }
    auto end() const { return m_rekordy.end(); }

private:
    // Drops the key of the removed record and shifts the later positions.
    void przeliczKlucze(int usunietyIndeks);
    std::vector<std::unique_ptr<clRegulator>> m_rekordy;
    QHash<QString, int> m_klucze; // key -> 0-based index
};
