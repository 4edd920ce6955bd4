#pragma once

#include "bufor.h"

#include <QHash>
#include <QVector>

#include <cstdint>

class BladBazy;
class Polaczenie;
class Rekordy;

// Writes spooled entries into the plant's database, all of them in one
// transaction or none. Forwarding is idempotent: when an entry may have been
// sent before (a commit whose answer was lost, a crash between the commit and
// the spool's removal; the caller names the last such entry in sprawdzDo)
// it is looked for before it is written again, a reading by its
// (Adres, Data), an alarm or Log row by all its columns, so it is stored
// once, also on a database without the unique index on Pomiary. An alarm's
// later changes find its row through the Id_alarmu the spool recorded.
// Columns a table lacks (Stacja, Log.Czas in older files) are left out.
class ZapisDoBazy final
{
public:
    ZapisDoBazy(Polaczenie &cn, BuforZapisu &bufor, std::int64_t sprawdzDo)
        : m_cn(cn), m_bufor(bufor), m_sprawdzDo(sprawdzDo)
    {
    }

    // Throws BladBazy, with the transaction rolled back. *idAlarmow gets
    // the Id_alarmu of each alarm row written, by the spool's alarm number.
    void zapisz(const QVector<WpisBufora> &wpisy, QHash<std::int64_t, std::int64_t> *idAlarmow);

    // A refusal of the entry itself (a constraint, a value of the wrong type,
    // an alarm row that is no longer there), as opposed to a database that is
    // away, locked, full or read-only: such an entry goes to quarantine and
    // the others go on.
    static bool odmowaWpisu(const BladBazy &b);

private:
    void pomiary(const QVector<const WpisBufora *> &wpisy);
    std::int64_t alarm(const WpisBufora &w);
    void zmianaAlarmu(const WpisBufora &w, const QHash<std::int64_t, std::int64_t> &nowe);
    void log(const WpisBufora &w);
    // The columns of dane that the table has, in the table's spelling.
    QVariantMap kolumnyTabeli(const QString &tabela, const QVariantMap &dane);
    // The key of a row equal in every column to wiersz; none when there is none.
    std::optional<QVariant> znajdzRowny(const QString &tabela, const QString &kolumnaKlucza, const QVariantMap &wiersz,
                                        const std::function<bool(const QVariant &)> &wolny = {});

    Polaczenie &m_cn;
    BuforZapisu &m_bufor;
    std::int64_t m_sprawdzDo;
};
