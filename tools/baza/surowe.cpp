#include "surowe.h"

#include "baza/bladbazy.h"
#include "baza/polaczenie.h"

#include <QSqlDriver>
#include <QVariant>

sqlite3 *uchwytSqlite(Polaczenie &cn)
{
    const QVariant v = cn.db().driver()->handle();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
        throw BladBazy(1, QStringLiteral("sterownik bazy nie udostępnia połączenia SQLite"));
    return *static_cast<sqlite3 *const *>(v.constData());
}

void sprawdzSqlite(sqlite3 *h, int rc)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw BladBazy(rc, QString::fromUtf8(sqlite3_errmsg(h)));
}
