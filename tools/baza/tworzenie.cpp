#include "tworzenie.h"

#include "baza/bladbazy.h"
#include "baza/polaczenie.h"
#include "db/schemat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include <filesystem>
#include <stdexcept>

namespace
{

bool toIndeks(const QString &s)
{
    return s.startsWith(QLatin1String("CREATE INDEX")) || s.startsWith(QLatin1String("CREATE UNIQUE INDEX"));
}

void usunPliki(const QString &sciezka, std::initializer_list<const char *> przyrostki)
{
    for (const char *przyrostek : przyrostki) {
        const QString p = sciezka + QLatin1String(przyrostek);
        if (QFile::exists(p) && !QFile::remove(p))
            throw std::runtime_error(QStringLiteral("nie można usunąć pliku „%1”").arg(p).toStdString());
    }
}

} // namespace

QStringList tabeleSchematu()
{
    QStringList w;
    for (const QString &s : schematBazy())
        if (!toIndeks(s))
            w.append(s);
    return w;
}

QStringList indeksySchematu()
{
    QStringList w;
    for (const QString &s : schematBazy())
        if (toIndeks(s))
            w.append(s);
    return w;
}

void wykonajSql(Polaczenie &cn, const QStringList &sql)
{
    for (const QString &s : sql) {
        QSqlQuery q(cn.db());
        if (!q.exec(s)) {
            const int nr = q.lastError().nativeErrorCode().toInt();
            throw BladBazy(nr != 0 ? nr : 1,
                           q.lastError().databaseText() + QStringLiteral(" (") + s + QLatin1Char(')'));
        }
    }
}

void utworzBaze(const QString &sciezka, bool nadpisz, const std::function<void(Polaczenie &)> &wypelnij)
{
    const QFileInfo cel(sciezka);
    if (cel.exists() && !nadpisz)
        throw std::runtime_error(
            QStringLiteral("plik „%1” już istnieje; użyj --nadpisz, aby go zastąpić").arg(sciezka).toStdString());
    if (cel.isDir())
        throw std::runtime_error(QStringLiteral("„%1” jest katalogiem").arg(sciezka).toStdString());
    if (!cel.absoluteDir().exists())
        throw std::runtime_error(
            QStringLiteral("katalog „%1” nie istnieje").arg(cel.absoluteDir().path()).toStdString());

    const QString tymczasowy = cel.absoluteDir().filePath(
        QStringLiteral(".%1.%2.tmp").arg(cel.fileName(), QUuid::createUuid().toString(QUuid::Id128).left(8)));
    try {
        {
            Polaczenie cn;
            cn.otworzPlik(tymczasowy, true);
            // The file is private until it is renamed: no journal needed
            // while it is being filled.
            wykonajSql(cn, {QStringLiteral("PRAGMA journal_mode=OFF"), QStringLiteral("PRAGMA synchronous=OFF"),
                            QStringLiteral("PRAGMA cache_size=-262144"), QStringLiteral("PRAGMA temp_store=MEMORY")});
            wypelnij(cn);
            // The station's own connections ask for WAL too; setting it here
            // makes the finished file a WAL database from the start.
            wykonajSql(cn, {QStringLiteral("PRAGMA journal_mode=WAL")});
            cn.Close();
        }
        // A log or shared-memory file left by an earlier database of that
        // name would be replayed into the new one.
        usunPliki(sciezka, {"-wal", "-shm", "-journal"});
        std::error_code blad;
        std::filesystem::rename(tymczasowy.toStdString(), sciezka.toStdString(), blad);
        if (blad)
            throw std::runtime_error(QStringLiteral("nie można zapisać pliku „%1”: %2")
                                         .arg(sciezka, QString::fromLocal8Bit(blad.message().c_str()))
                                         .toStdString());
    } catch (...) {
        for (const char *przyrostek : {"", "-wal", "-shm", "-journal"})
            QFile::remove(tymczasowy + QLatin1String(przyrostek));
        throw;
    }
}
