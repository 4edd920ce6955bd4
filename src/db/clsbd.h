#pragma once

#include "platform/datacz.h"

#include <QString>

#include <cstdint>
#include <optional>

class BuforZapisu;
class Zegar;

// The alarm and log store (oBD): the only writer of Alarmy and Log. Rows go
// into the station's spool, in order with the readings, and reach the
// database through the forwarder; a failure of the spool itself is thrown
// as BladBazy to the caller.
class clsBD final
{
public:
    clsBD(BuforZapisu &bufor, const Zegar &zegar) : m_bufor(bufor), m_zegar(zegar) {}

    // The station whose name new Alarmy and Log rows carry in their Stacja
    // column (a table without that column gets rows without it).
    void ustawStacje(const QString &nazwa) { m_stacja = nazwa; }
    const QString &stacja() const { return m_stacja; }

    // Returns the alarm's number in the spool: its identity for
    // ModyfikujAlarm, whether or not the database has its row yet.
    std::int64_t ZapiszAlarm(DataCzas Data, const QString &typ, const QString &Tresc,
                             const QString &Kod_regulatora = {}, const QString &Operator = {});
    bool ModyfikujAlarm(std::int64_t nrAlarmu, std::optional<DataCzas> data_potw, std::optional<DataCzas> data_dezakt,
                        const QString &Operator = {});
    // The row carries the time it was written (Log.Czas), so that one
    // forwarded later keeps it.
    bool ZapiszDoLoga(const QString &Operacja, const QString &Status, const QString &typ,
                      const QString &Kod_regulatora = {});

    // What the operator is told when a Log row cannot be written; the same
    // text for every journal failure, so an open one is not stacked again.
    static QString bladDziennika(int numer, const QString &opis);

private:
    BuforZapisu &m_bufor;
    const Zegar &m_zegar;
    QString m_stacja;
};
