#include "dzwiek.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

void DzwiekAplay::graj(const QString &plik)
{
    const QFileInfo fi(QDir::current().filePath(plik));
    if (!fi.isFile())
        return;
    static const QString aplay = QStandardPaths::findExecutable(QStringLiteral("aplay"));
    if (aplay.isEmpty())
        return;
    // Detached: a missing or busy sound device must not hold up the station.
    QProcess::startDetached(aplay, {QStringLiteral("-q"), fi.absoluteFilePath()});
}
