#include "indeks.h"

#include "baza/bladbazy.h"
#include "baza/polaczenie.h"
#include "baza/sqlpomoc.h"

#include <QSqlQuery>

namespace
{

QSqlQuery zapytaj(Polaczenie &cn, const QString &sql)
{
    QSqlQuery q(cn.db());
    sqlpomoc::wykonaj(q, sql);
    return q;
}

// Whether a unique index covers exactly (Adres, Data).
bool indeksUnikalny(Polaczenie &cn)
{
    if (cn.silnik() == Silnik::PostgreSQL) {
        QSqlQuery q =
            zapytaj(cn, QStringLiteral("SELECT 1 FROM pg_indexes WHERE schemaname = current_schema() AND "
                                       "tablename = 'pomiary' AND indexdef LIKE 'CREATE UNIQUE INDEX %(adres, "
                                       "data)'"));
        return q.next();
    }
    QSqlQuery lista = zapytaj(cn, QStringLiteral("PRAGMA index_list(Pomiary)"));
    while (lista.next()) {
        if (lista.value(QStringLiteral("unique")).toInt() != 1)
            continue;
        QSqlQuery kolumny =
            zapytaj(cn, QStringLiteral("PRAGMA index_info(%1)")
                            .arg(sqlpomoc::identyfikator(lista.value(QStringLiteral("name")).toString())));
        QStringList k;
        while (kolumny.next())
            k << kolumny.value(QStringLiteral("name")).toString().toLower();
        if (k == QStringList{QStringLiteral("adres"), QStringLiteral("data")})
            return true;
    }
    return false;
}

} // namespace

WynikIndeksu unikalnePomiary(const ZrodloBazy &baza, bool usun)
{
    Polaczenie cn;
    cn.otworz(baza);
    WynikIndeksu w;
    if (indeksUnikalny(cn)) {
        w.byl = true;
        return w;
    }
    if (!cn.db().transaction())
        throw sqlpomoc::blad(cn.db().lastError(), QStringLiteral("BEGIN"));
    try {
        QSqlQuery q = zapytaj(cn, QStringLiteral("SELECT Adres, Data, count(*) FROM Pomiary GROUP BY Adres, Data "
                                                 "HAVING count(*) > 1 ORDER BY Adres, Data"));
        while (q.next()) {
            ++w.grup;
            w.nadmiar += q.value(2).toLongLong() - 1;
            if (w.grup <= 20)
                w.lista += QStringLiteral("  Adres %1, %2: %3 razy\n")
                               .arg(q.value(0).toString(), sqlpomoc::wartosc(q, 1).toString(), q.value(2).toString());
        }
        if (w.grup > 20)
            w.lista += QStringLiteral("  … i %1 innych\n").arg(w.grup - 20);
        if (w.grup > 0 && !usun) {
            cn.db().rollback();
            return w;
        }
        if (w.grup > 0) {
            // The first stored of each pair stays; the repeats are copies of it.
            QSqlQuery d = zapytaj(cn, QStringLiteral("DELETE FROM Pomiary WHERE rowid NOT IN (SELECT min(rowid) FROM "
                                                     "Pomiary GROUP BY Adres, Data)"));
            w.usuniete = d.numRowsAffected();
        }
        zapytaj(cn, QStringLiteral("DROP INDEX IF EXISTS Pomiary_Adres_Data"));
        zapytaj(cn, QStringLiteral("CREATE UNIQUE INDEX Pomiary_Adres_Data ON Pomiary (Adres, Data)"));
        if (!cn.db().commit())
            throw sqlpomoc::blad(cn.db().lastError(), QStringLiteral("COMMIT"));
    } catch (...) {
        cn.db().rollback();
        throw;
    }
    w.utworzony = true;
    return w;
}
