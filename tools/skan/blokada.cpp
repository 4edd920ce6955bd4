#include "blokada.h"

#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QStringList>

#include <cerrno>
#include <csignal>

QString wlascicielPortu(const QString &urzadzenie)
{
    // The serial layer names the lock after the device without "/dev/",
    // slashes turned into underscores, in the first of these folders that
    // holds it.
    QString nazwa = urzadzenie;
    if (nazwa.startsWith(QLatin1String("/dev/")))
        nazwa = nazwa.mid(5);
    nazwa.replace(QLatin1Char('/'), QLatin1Char('_'));
    const QStringList katalogi = {QStringLiteral("/var/lock"),
                                  QStringLiteral("/etc/locks"),
                                  QStringLiteral("/var/spool/locks"),
                                  QStringLiteral("/var/spool/uucp"),
                                  QStringLiteral("/tmp"),
                                  QStringLiteral("/var/tmp"),
                                  QStringLiteral("/var/lock/lockdev"),
                                  QStringLiteral("/run/lock"),
                                  QStandardPaths::writableLocation(QStandardPaths::TempLocation)};
    for (const QString &k : katalogi) {
        const QString sciezka = k + QStringLiteral("/LCK..") + nazwa;
        if (!QFileInfo::exists(sciezka))
            continue;
        QLockFile plik(sciezka);
        qint64 pid = 0;
        QString host;
        QString program;
        if (!plik.getLockInfo(&pid, &host, &program) || pid <= 0)
            continue;
        if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
            continue; // a stale lock: its process is gone
        return QStringLiteral("%1 (PID %2)").arg(program.isEmpty() ? QStringLiteral("?") : program).arg(pid);
    }
    return {};
}
