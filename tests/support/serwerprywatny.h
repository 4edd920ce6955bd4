#pragma once

// A PostgreSQL server of a test's own (scripts/serwer-pg, path in
// TOLVEK_SERWER_PG): stopping, freezing or starting the run's shared one
// would fail the tests that use it at the same time.

#include "testsupport.h"

#include <QFile>
#include <QProcess>
#include <QString>
#include <QUuid>

class SerwerPrywatny final
{
public:
    SerwerPrywatny() : katalog(QStringLiteral("/tmp/tolvek-pgu-") + QUuid::createUuid().toString(QUuid::Id128).left(8))
    {
        if (!skrypt(QStringLiteral("start")))
            return;
        QFile p(katalog + QStringLiteral("/polaczenie"));
        if (p.open(QIODevice::ReadOnly))
            polaczenie = QString::fromUtf8(p.readAll()).trimmed();
    }
    ~SerwerPrywatny()
    {
        skrypt(QStringLiteral("odmroz"));
        skrypt(QStringLiteral("stop"));
    }
    SerwerPrywatny(const SerwerPrywatny &) = delete;
    SerwerPrywatny &operator=(const SerwerPrywatny &) = delete;

    // The station's tables in its database, as tolvek-baza (path in
    // TOLVEK_BAZA) makes them; false when it did not start or that failed.
    bool utworzTabele() const
    {
        const QStringList argumenty{QStringLiteral("init"), QStringLiteral("--do"), polaczenie};
        return !polaczenie.isEmpty() && uruchomProgram(qEnvironmentVariable("TOLVEK_BAZA"), argumenty).kod == 0;
    }
    // pauza, wznow, zamroz, odmroz (see the script).
    bool skrypt(const QString &polecenie)
    {
        return QProcess::execute(qEnvironmentVariable("TOLVEK_SERWER_PG"), {polecenie, katalog}) == 0;
    }
    QString katalog;
    QString polaczenie; // empty when it did not start
};
