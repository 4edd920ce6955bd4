// Values to and from the PostgreSQL server, below Qt's QPSQL driver.

#include "bladbazy.h"
#include "sqlpomoc.h"

#include <QSqlField>
#include <QSqlResult>

#include <libpq-fe.h>

namespace
{

// Type numbers of the server's catalog (pg_type.oid).
constexpr Oid oidInt8 = 20;
constexpr Oid oidInt2 = 21;
constexpr Oid oidInt4 = 23;
constexpr Oid oidDate = 1082;
constexpr Oid oidTimestamp = 1114;
constexpr Oid oidTimestamptz = 1184;

const PGresult *wynik(const QSqlQuery &q)
{
    const QSqlResult *r = q.result();
    if (!r)
        return nullptr;
    const QVariant h = r->handle();
    if (!h.isValid() || (qstrcmp(h.typeName(), "pg_result*") != 0 && qstrcmp(h.typeName(), "PGresult*") != 0))
        return nullptr;
    return *static_cast<const PGresult *const *>(h.constData());
}

} // namespace

namespace sqlpomoc
{

QVariant wartoscSerwera(const QSqlQuery &q, int i)
{
    const PGresult *w = wynik(q);
    // In forward-only mode the driver holds one row per result.
    const int wiersz = q.isForwardOnly() ? 0 : q.at();
    if (!w || i < 0 || i >= PQnfields(w) || wiersz < 0 || wiersz >= PQntuples(w))
        return zBazy(q.value(i));
    if (PQgetisnull(w, wiersz, i))
        return {};
    switch (PQftype(w, i)) {
    case oidTimestamp:
    case oidTimestamptz:
    case oidDate:
        return QString::fromLatin1(PQgetvalue(w, wiersz, i));
    case oidInt2:
    case oidInt4:
    case oidInt8:
        return QByteArray(PQgetvalue(w, wiersz, i)).toLongLong();
    default:
        return zBazy(q.value(i));
    }
}

QString zWartosciami(const QSqlDriver *sterownik, const QString &sql, const QVariantList &wartosci)
{
    QString w;
    w.reserve(sql.size() + 16 * wartosci.size());
    qsizetype n = 0;
    QChar cytat;
    for (const QChar c : sql) {
        if (!cytat.isNull()) {
            if (c == cytat)
                cytat = QChar();
            w += c;
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            cytat = c;
            w += c;
        } else if (c == QLatin1Char('?')) {
            if (n >= wartosci.size())
                throw BladBazy(1, QStringLiteral("Za mało wartości do zapytania: %1").arg(sql));
            const QVariant &v = wartosci.at(n++);
            QSqlField pole(QString(), v.metaType());
            if (v.isValid() && !v.isNull())
                pole.setValue(v);
            w += sterownik->formatValue(pole);
        } else {
            w += c;
        }
    }
    if (n != wartosci.size())
        throw BladBazy(1, QStringLiteral("Za dużo wartości do zapytania: %1").arg(sql));
    return w;
}

} // namespace sqlpomoc
