#pragma once

#include "zrodlobazy.h"

#include <QHash>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <memory>
#include <mutex>

// What the cursors need to know of a table: its name as the engine spells
// it, its columns in order with their declared types (upper case), and the
// column that identifies a row ("rowid" in a file; the primary key on a
// server).
struct OpisTabeli {
    QString nazwa;
    QStringList kolumny;
    QStringList typy;
    QString klucz;
};

// Stops, from another thread, what a connection is doing: a statement under
// way on a server returns at once with the session ended (its socket is
// shut down, which wakes a wait no time-out of the server's would end: a
// frozen server, a network that drops packets), one on a file is
// interrupted at its next step. Safe to keep and to call after the
// connection has closed; the connection's own thread closes it.
class Przerywacz final
{
public:
    void przerwij();
    // Whether a statement was cut off since the last look.
    bool wezPrzerwano();

private:
    friend class Polaczenie;
    void ustaw(int gniazdo, void *sqlite);
    std::mutex m_blokada;
    int m_gniazdo = -1;
    void *m_sqlite = nullptr;
    bool m_przerwano = false;
};

// A connection to the station's database (cnBaza), opened from a
// connection string of the form "Provider=...;Data Source=tolvek.mdb;...",
// whose Data Source names an SQLite 3 file relative to the working
// directory, or from a PostgreSQL connection string ("service=tolvek").
// Every file connection has the station's SQL functions in force (format(),
// iif()), WAL journal and synchronous=FULL, so that no committed row is lost
// when the process is killed or the power fails. On a server the tables
// and columns are lower case, so the station's unquoted names in any letter
// case reach them, and the session keeps the station's time zone.
class Polaczenie final
{
public:
    Polaczenie();
    ~Polaczenie();
    Polaczenie(const Polaczenie &) = delete;
    Polaczenie &operator=(const Polaczenie &) = delete;

    // Throws BladBazy: a missing file gives a message that names the file
    // and the working directory; an Access/Jet file gives a message that
    // says so; the station never creates the file. A server that cannot be
    // reached gives a message that names it and what to check.
    void Open(const QString &polaczenieTekst, const QString &uzytkownik = {}, const QString &haslo = {});
    void otworz(const ZrodloBazy &zrodlo);
    void Close();
    bool otwarte() const;
    Silnik silnik() const { return m_zrodlo.silnik(); }
    // Where this connection leads, to open another one to the same place.
    const ZrodloBazy &zrodlo() const { return m_zrodlo; }

    // How long a statement waits for another program's lock before it fails
    // ("database is locked"; on a server, the lock time-out); applied at
    // every open. Readers on worker threads and the tools may wait; the
    // station's own connection, on the window thread, waits only a moment
    // (czasOczekiwaniaStacjiMs).
    void ustawCzasOczekiwania(int ms) { m_czasOczekiwaniaMs = ms; }
    static constexpr int czasOczekiwaniaStacjiMs = 200;

    // The open file is no longer at its path: deleted (its link count 0),
    // renamed, or replaced by another file. Writes would go into a file
    // nobody will ever see again. Closing such a connection removes nothing
    // at the path: the engine neither checkpoints nor deletes the journal
    // files of a moved database, which may by now belong to the file in its
    // place. Always false on a server.
    bool plikPrzeniesiony();
    // A server session the server or the network has ended (libpq gives up
    // on it after a failed statement); never true for a file.
    bool polaczenieZerwane() const;
    // Whether a server is there and takes connections, whatever it would say
    // to this user (libpq's ping): a server that refuses the login or lacks
    // the database is there, one that does not answer or is starting up is
    // not. Blocks at most sekundy.
    static bool serwerPrzyjmuje(const ZrodloBazy &zrodlo, int sekundy);
    // The file path taken from the Data Source; empty on a server.
    QString plik() const;
    // For a watcher on another thread (see Przerywacz).
    std::shared_ptr<Przerywacz> przerywacz() const { return m_przerywacz; }
    QSqlDatabase &db();

    // The table of that name in any letter case, described once per
    // connection. Throws BladBazy when there is none.
    const OpisTabeli &opisTabeli(const QString &tabela);

    // Parses the Data Source out of a connection string.
    static QString zrodloDanych(const QString &polaczenieTekst);
    // For tools: open an SQLite file by path, creating it when allowed.
    void otworzPlik(const QString &sciezka, bool utworz);
    // For readers beside the station (charts, reports, tolvek-raport): an
    // existing file, read-only. A reader of a WAL database neither waits for
    // the station's writes nor holds them up.
    void otworzDoOdczytu(const QString &sciezka);
    // The same for a file or a server: a server session that cannot write.
    void otworzDoOdczytu(const ZrodloBazy &zrodlo);

private:
    enum class Tryb { Zapis, ZapisLubUtworz, Odczyt };
    void otworz(const QString &nazwaPodana, Tryb tryb);
    void otworzSerwer(const ZrodloBazy &zrodlo, Tryb tryb);

    int m_czasOczekiwaniaMs = 5000;
    QString m_nazwa; // QSqlDatabase connection name, unique per object
    QString m_plik;
    ZrodloBazy m_zrodlo;
    QSqlDatabase m_db;
    QHash<QString, OpisTabeli> m_tabele; // by lower-case name
    std::shared_ptr<Przerywacz> m_przerywacz = std::make_shared<Przerywacz>();
};
