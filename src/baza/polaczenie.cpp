#include "polaczenie.h"

#include "bladbazy.h"
#include "funkcjesql.h"
#include "sqlpomoc.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QUrl>

#include <atomic>
#include <sqlite3.h>
#include <sys/socket.h>
#include <utility>

namespace
{

std::atomic<int> licznikPolaczen{0};

enum class RodzajPliku { Brak, Katalog, Nieczytelny, Pusty, SQLite, Jet, Inny };

RodzajPliku rozpoznaj(const QString &sciezka)
{
    const QFileInfo fi(sciezka);
    if (!fi.exists())
        return RodzajPliku::Brak;
    if (fi.isDir())
        return RodzajPliku::Katalog;
    QFile f(sciezka);
    if (!f.open(QIODevice::ReadOnly))
        return RodzajPliku::Nieczytelny;
    const QByteArray naglowek = f.read(32);
    if (naglowek.isEmpty())
        return RodzajPliku::Pusty;
    if (naglowek.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        return RodzajPliku::SQLite;
    if (naglowek.startsWith(QByteArrayLiteral("\x00\x01\x00\x00")) &&
        (naglowek.mid(4, 15) == "Standard Jet DB" || naglowek.mid(4, 15) == "Standard ACE DB"))
        return RodzajPliku::Jet;
    return RodzajPliku::Inny;
}

// Refuses, with a message the operator can act on, every file that is not
// an SQLite database; creating is only for the tools.
void sprawdzPlik(const QString &sciezka, const QString &nazwaPodana, bool wolnoUtworzyc)
{
    const QString katalog = QDir::currentPath();
    switch (rozpoznaj(sciezka)) {
    case RodzajPliku::SQLite:
        return;
    case RodzajPliku::Brak:
        if (wolnoUtworzyc)
            return;
        // Started from the desktop menu, the station runs in the home
        // folder: say where it looked and both ways out.
        throw BladBazy(1, QStringLiteral("Nie znaleziono pliku bazy danych „%1” (szukano: %2).\n\n"
                                         "Uruchom program w katalogu danych instalacji, w którym leży plik bazy, "
                                         "albo utwórz bazę w katalogu %3 jednym z poleceń:\n"
                                         "    tolvek-baza init – pusta baza,\n"
                                         "    tolvek-baza demo – baza z przykładową instalacją.")
                              .arg(nazwaPodana, sciezka, katalog));
    case RodzajPliku::Katalog:
        throw BladBazy(1, QStringLiteral("„%1” jest katalogiem, a nie plikiem bazy danych.").arg(sciezka));
    case RodzajPliku::Nieczytelny:
        throw BladBazy(1, QStringLiteral("Nie można odczytać pliku bazy danych „%1” (brak uprawnień?).").arg(sciezka));
    case RodzajPliku::Pusty:
        if (wolnoUtworzyc)
            return;
        throw BladBazy(1, QStringLiteral("Plik „%1” jest pusty: to nie jest baza danych SQLite.").arg(sciezka));
    case RodzajPliku::Jet:
        throw BladBazy(1, QStringLiteral("Plik „%1” jest bazą danych Access/Jet, a nie SQLite. Program korzysta z bazy "
                                         "SQLite 3: plik trzeba najpierw przekonwertować do formatu SQLite.")
                              .arg(sciezka));
    case RodzajPliku::Inny:
        break;
    }
    throw BladBazy(26, QStringLiteral("Plik „%1” nie jest bazą danych SQLite.").arg(sciezka));
}

sqlite3 *uchwyt(QSqlDatabase &db)
{
    const QVariant v = db.driver()->handle();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3 *const *>(v.constData());
}

void pragma(QSqlDatabase &db, const QString &tekst)
{
    QSqlQuery q(db);
    if (!q.exec(tekst))
        throw sqlpomoc::blad(q.lastError(), tekst);
}

} // namespace

void Przerywacz::ustaw(int gniazdo, void *sqlite)
{
    const std::lock_guard<std::mutex> l(m_blokada);
    m_gniazdo = gniazdo;
    m_sqlite = sqlite;
    if (gniazdo >= 0 || sqlite)
        m_przerwano = false;
}

bool Przerywacz::wezPrzerwano()
{
    const std::lock_guard<std::mutex> l(m_blokada);
    return std::exchange(m_przerwano, false);
}

void Przerywacz::przerwij()
{
    const std::lock_guard<std::mutex> l(m_blokada);
    if (m_gniazdo >= 0)
        ::shutdown(m_gniazdo, SHUT_RDWR);
    if (m_sqlite)
        sqlite3_interrupt(static_cast<sqlite3 *>(m_sqlite));
    m_przerwano = m_przerwano || m_gniazdo >= 0 || m_sqlite;
}

Polaczenie::Polaczenie() : m_nazwa(QStringLiteral("tolvek-%1").arg(++licznikPolaczen)) {}

Polaczenie::~Polaczenie()
{
    Close();
}

QString Polaczenie::zrodloDanych(const QString &polaczenieTekst)
{
    const QStringList czesci = polaczenieTekst.split(QLatin1Char(';'));
    for (const QString &c : czesci) {
        const qsizetype rowna = c.indexOf(QLatin1Char('='));
        if (rowna < 0)
            continue;
        const QString klucz = c.left(rowna).simplified();
        if (klucz.compare(QLatin1String("data source"), Qt::CaseInsensitive) != 0)
            continue;
        QString w = c.mid(rowna + 1).trimmed();
        if (w.size() >= 2 && (w.front() == QLatin1Char('"') || w.front() == QLatin1Char('\'')) && w.back() == w.front())
            w = w.mid(1, w.size() - 2);
        return w;
    }
    return {};
}

void Polaczenie::Open(const QString &polaczenieTekst, const QString &, const QString &)
{
    otworz(ZrodloBazy::zTekstuPolaczenia(polaczenieTekst));
}

void Polaczenie::otworz(const ZrodloBazy &zrodlo)
{
    if (zrodlo.silnik() == Silnik::PostgreSQL)
        otworzSerwer(zrodlo, Tryb::Zapis);
    else
        otworz(zrodlo.tekst(), Tryb::Zapis);
}

void Polaczenie::otworzPlik(const QString &sciezka, bool utworz)
{
    otworz(sciezka, utworz ? Tryb::ZapisLubUtworz : Tryb::Zapis);
}

void Polaczenie::otworzDoOdczytu(const QString &sciezka)
{
    otworz(sciezka, Tryb::Odczyt);
}

void Polaczenie::otworzDoOdczytu(const ZrodloBazy &zrodlo)
{
    if (zrodlo.silnik() == Silnik::PostgreSQL)
        otworzSerwer(zrodlo, Tryb::Odczyt);
    else
        otworz(zrodlo.tekst(), Tryb::Odczyt);
}

void Polaczenie::otworz(const QString &nazwaPodana, Tryb tryb)
{
    Close();
    const QString sciezka = QFileInfo(nazwaPodana).absoluteFilePath();
    const bool utworz = tryb == Tryb::ZapisLubUtworz;
    sprawdzPlik(sciezka, nazwaPodana, utworz);

    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_nazwa);
    // mode=rw makes the engine itself refuse to create a file that vanished
    // since the check above.
    QUrl url = QUrl::fromLocalFile(sciezka);
    url.setQuery(utworz ? QStringLiteral("mode=rwc")
                        : (tryb == Tryb::Odczyt ? QStringLiteral("mode=ro") : QStringLiteral("mode=rw")));
    m_db.setDatabaseName(url.toString(QUrl::FullyEncoded));
    m_db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
    try {
        if (!m_db.open())
            throw sqlpomoc::blad(m_db.lastError(), sciezka);
        sqlite3 *h = uchwyt(m_db);
        if (!h)
            throw BladBazy(1, QStringLiteral("Sterownik bazy danych nie udostępnia połączenia SQLite."));
        sqlite3_extended_result_codes(h, 1);
        const int rc = zarejestrujFunkcjeSql(h);
        if (rc != SQLITE_OK)
            throw BladBazy(
                rc,
                QStringLiteral("Nie można zarejestrować funkcji SQL: %1").arg(QString::fromUtf8(sqlite3_errstr(rc))));
        // The first read of the schema tells a damaged or foreign file.
        pragma(m_db, QStringLiteral("SELECT count(*) FROM sqlite_master"));
        pragma(m_db, QStringLiteral("PRAGMA busy_timeout=%1").arg(m_czasOczekiwaniaMs));
        // WAL keeps readers and the writer apart; synchronous=FULL syncs the
        // log at every commit, so a committed row survives a killed process
        // and a power cut. A file system without WAL support keeps its
        // rollback journal, which is just as durable. A reader leaves the
        // journal as the writers set it.
        if (tryb != Tryb::Odczyt) {
            pragma(m_db, QStringLiteral("PRAGMA journal_mode=WAL"));
            pragma(m_db, QStringLiteral("PRAGMA synchronous=FULL"));
        }
    } catch (...) {
        Close();
        throw;
    }
    m_plik = sciezka;
    m_zrodlo = ZrodloBazy::plik(sciezka);
    m_przerywacz->ustaw(-1, uchwyt(m_db));
}

void Polaczenie::Close()
{
    // Before the handle goes: a watcher never touches a closed one.
    m_przerywacz->ustaw(-1, nullptr);
    const bool byla = m_db.isValid();
    if (m_db.isOpen())
        m_db.close();
    m_db = QSqlDatabase();
    if (byla)
        QSqlDatabase::removeDatabase(m_nazwa);
    m_plik.clear();
    m_zrodlo = ZrodloBazy();
    m_tabele.clear();
}

bool Polaczenie::otwarte() const
{
    return m_db.isOpen();
}

bool Polaczenie::plikPrzeniesiony()
{
    if (!m_db.isOpen())
        return false;
    sqlite3 *h = uchwyt(m_db);
    int przeniesiony = 0;
    // The engine compares the inode it has open with the one at the path.
    if (!h || sqlite3_file_control(h, "main", SQLITE_FCNTL_HAS_MOVED, &przeniesiony) != SQLITE_OK)
        return false;
    return przeniesiony != 0;
}

QString Polaczenie::plik() const
{
    return m_plik;
}

QSqlDatabase &Polaczenie::db()
{
    return m_db;
}
