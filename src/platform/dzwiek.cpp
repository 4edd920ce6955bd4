#include "dzwiek.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#ifndef TOLVEK_KATALOG_DANYCH
#define TOLVEK_KATALOG_DANYCH "/usr/share/tolvek"
#define TOLVEK_KATALOG_DANYCH_WZGLEDNY "share/tolvek"
#define TOLVEK_KATALOG_PROGRAMOW_WZGLEDNY "bin"
#endif

QStringList katalogiDzwiekow()
{
    QStringList k{QStringLiteral(".")};
    // A package installs under /usr, a build may have been configured for
    // /usr/local or installed with another --prefix: the executable's own
    // prefix is asked first.
    if (QCoreApplication::instance()) {
        const int poziomy = int(QStringLiteral(TOLVEK_KATALOG_PROGRAMOW_WZGLEDNY).count(QLatin1Char('/'))) + 1;
        QString prefiks = QCoreApplication::applicationDirPath();
        for (int i = 0; i < poziomy; ++i)
            prefiks += QStringLiteral("/..");
        k << QDir::cleanPath(prefiks + QStringLiteral("/" TOLVEK_KATALOG_DANYCH_WZGLEDNY));
    }
    const QString wbudowany = QStringLiteral(TOLVEK_KATALOG_DANYCH);
    if (!k.contains(wbudowany))
        k << wbudowany;
    return k;
}

QString znajdzPlik(const QString &plik, const QStringList &katalogi)
{
    for (const QString &katalog : katalogi) {
        const QFileInfo fi(QDir::current().filePath(QDir(katalog).filePath(plik)));
        if (fi.isFile())
            return fi.absoluteFilePath();
    }
    return {};
}

void DzwiekAplay::graj(const QString &plik)
{
    const QString sciezka = znajdzPlik(plik, m_katalogi);
    if (sciezka.isEmpty())
        return;
    static const QString aplay = QStandardPaths::findExecutable(QStringLiteral("aplay"));
    if (aplay.isEmpty())
        return;
    // Detached: a missing or busy sound device must not hold up the station,
    // nor fill its log with the player's complaints every three seconds.
    QProcess p;
    p.setProgram(aplay);
    p.setArguments({QStringLiteral("-q"), sciezka});
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    p.startDetached();
}
