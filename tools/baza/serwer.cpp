#include "serwer.h"

#include "baza/bladbazy.h"
#include "baza/polaczenie.h"
#include "baza/sqlpomoc.h"
#include "db/schemat.h"
#include "tworzenie.h"

#include <QSqlQuery>

#include <stdexcept>

const QStringList &tabeleStacji()
{
    static const QStringList t = {QStringLiteral("Regulatory"), QStringLiteral("Hierarchia"),
                                  QStringLiteral("OstPomiar"),  QStringLiteral("Alarmy"),
                                  QStringLiteral("Log"),        QStringLiteral("Pomiary")};
    return t;
}

QStringList tabeleNaSerwerze(Polaczenie &cn)
{
    QStringList sa;
    for (const QString &t : tabeleStacji()) {
        try {
            cn.opisTabeli(t);
            sa << t;
        } catch (const BladBazy &) {
            // not there
        }
    }
    return sa;
}

void utworzSchematSerwera(const ZrodloBazy &serwer)
{
    Polaczenie cn;
    cn.otworz(serwer);
    const QStringList sa = tabeleNaSerwerze(cn);
    if (!sa.isEmpty())
        throw std::runtime_error(QStringLiteral("w bazie danych (%1) są już tabele stacji: %2; schematu nie utworzono "
                                                "(nowy schemat wymaga pustej bazy danych)")
                                     .arg(serwer.opis(), sa.join(QStringLiteral(", ")))
                                     .toStdString());
    // Definitions of a server are transactional: a failure leaves nothing.
    wykonajSql(cn, QStringList{QStringLiteral("BEGIN")} + schematBazy(Silnik::PostgreSQL) +
                       QStringList{QStringLiteral("COMMIT")});
}
