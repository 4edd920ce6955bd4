// Polaczenie::opisTabeli: a table's name, columns and row key from the
// engine's catalog, looked up once per connection.

#include "bladbazy.h"
#include "polaczenie.h"
#include "sqlpomoc.h"

#include <QSqlQuery>

using sqlpomoc::identyfikator;
using sqlpomoc::wykonaj;

namespace
{

OpisTabeli opisPliku(QSqlDatabase &db, const QString &tabela)
{
    OpisTabeli o;
    QSqlQuery q(db);
    wykonaj(q, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"),
            {tabela});
    if (!q.next())
        return o;
    o.nazwa = q.value(0).toString();
    q.finish();
    wykonaj(q, QStringLiteral("PRAGMA table_info(%1)").arg(identyfikator(o.nazwa)));
    while (q.next()) {
        o.kolumny.append(q.value(1).toString());
        o.typy.append(q.value(2).toString().toUpper());
    }
    o.klucz = QStringLiteral("rowid");
    return o;
}

// Unquoted names fold to lower case on the server, and the schema is made
// that way; a table created with a quoted mixed-case name is found too.
OpisTabeli opisSerwera(QSqlDatabase &db, const QString &tabela)
{
    OpisTabeli o;
    QSqlQuery q(db);
    q.setForwardOnly(true);
    wykonaj(q,
            QStringLiteral("SELECT c.oid, c.relname FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace "
                           "WHERE lower(c.relname) = lower(?) AND c.relkind IN ('r', 'p') "
                           "AND n.nspname = ANY (current_schemas(false)) "
                           "ORDER BY array_position(current_schemas(false), n.nspname), c.relname = ? DESC LIMIT 1"),
            {tabela, tabela.toLower()});
    if (!q.next())
        return o;
    const qlonglong oid = q.value(0).toLongLong();
    o.nazwa = q.value(1).toString();
    q.finish();
    wykonaj(q,
            QStringLiteral("SELECT a.attname, upper(format_type(a.atttypid, a.atttypmod)), "
                           "EXISTS (SELECT 1 FROM pg_index i WHERE i.indrelid = a.attrelid AND i.indisprimary "
                           "AND i.indnatts = 1 AND i.indkey[0] = a.attnum) "
                           "FROM pg_attribute a WHERE a.attrelid = ? AND a.attnum > 0 AND NOT a.attisdropped "
                           "ORDER BY a.attnum"),
            {oid});
    while (q.next()) {
        o.kolumny.append(q.value(0).toString());
        o.typy.append(q.value(1).toString());
        if (q.value(2).toBool() || q.value(2).toString() == QLatin1String("t"))
            o.klucz = q.value(0).toString();
    }
    if (o.klucz.isEmpty())
        throw BladBazy(1, QStringLiteral("Tabela „%1” na serwerze nie ma klucza głównego z jednej kolumny, po którym "
                                         "program rozpoznaje wiersze; utwórz schemat poleceniem "
                                         "„tolvek-baza init --do …”.")
                              .arg(o.nazwa));
    return o;
}

} // namespace

const OpisTabeli &Polaczenie::opisTabeli(const QString &tabela)
{
    if (!otwarte())
        throw BladBazy(1, QStringLiteral("Połączenie z bazą danych jest zamknięte."));
    const QString klucz = tabela.trimmed().toLower();
    const auto znany = m_tabele.constFind(klucz);
    if (znany != m_tabele.constEnd())
        return *znany;
    OpisTabeli o =
        silnik() == Silnik::PostgreSQL ? opisSerwera(m_db, tabela.trimmed()) : opisPliku(m_db, tabela.trimmed());
    if (o.nazwa.isEmpty())
        throw BladBazy(1, QStringLiteral("W bazie danych (%1) brak tabeli „%2”.").arg(m_zrodlo.opis(), tabela));
    return *m_tabele.insert(klucz, std::move(o));
}
