#pragma once

#include "platform/datacz.h"

#include <QString>

#include <cstdint>
#include <optional>

class Polaczenie;
class Rekordy;

// The alarm and log store (oBD): the only writer of Alarmy and Log. Each
// operation opens its own short-lived cursor over the shared connection.
// Failures are thrown as BladBazy to the caller.
class clsBD final
{
public:
    explicit clsBD(Polaczenie &cnBaza) : m_cn(cnBaza) {}

    // The station whose name new Alarmy and Log rows carry in their Stacja
    // column (a table without that column gets rows without it).
    void ustawStacje(const QString &nazwa) { m_stacja = nazwa; }
    const QString &stacja() const { return m_stacja; }

    // Returns the Id_alarmu of the new row.
    std::int32_t ZapiszAlarm(DataCzas Data, const QString &typ, const QString &Tresc,
                             const QString &Kod_regulatora = {}, const QString &Operator = {});
    bool ModyfikujAlarm(std::int32_t Id_alarmu, std::optional<DataCzas> data_potw, std::optional<DataCzas> data_dezakt,
                        const QString &Operator = {});
    bool ZapiszDoLoga(const QString &Operacja, const QString &Status, const QString &typ,
                      const QString &Kod_regulatora = {});

    // What the operator is told when a Log row cannot be written; the same
    // text for every journal failure, so an open one is not stacked again.
    static QString bladDziennika(int numer, const QString &opis);

private:
    // A row written into a file that was deleted or moved away would be
    // lost without a word: such a write fails instead.
    void sprawdzPlik() const;
    void ustawStacjeWiersza(Rekordy &rs) const;
    Polaczenie &m_cn;
    QString m_stacja;
};
