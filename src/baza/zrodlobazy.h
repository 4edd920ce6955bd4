#pragma once

#include <QList>
#include <QPair>
#include <QString>

// The two engines the station's database can live in: the SQLite file
// tolvek.mdb of one station, or a PostgreSQL server shared by several.
enum class Silnik { SQLite, PostgreSQL };

// Where "the database" is: a file, or a server named by a libpq connection
// string ("service=tolvek", "host=... dbname=...", "postgresql://...").
// The password of a server never comes through here: libpq takes it from
// ~/.pgpass or ~/.pg_service.conf.
class ZrodloBazy final
{
public:
    ZrodloBazy() = default;
    static ZrodloBazy plik(const QString &sciezka);
    // Throws BladBazy when the text is no connection string, or when it
    // carries a password.
    static ZrodloBazy serwer(const QString &polaczenie);
    // A connection text of the station: "Provider=...;Data Source=FILE;..."
    // names a file (an error when the Data Source is missing); any other
    // text is a server's connection string.
    static ZrodloBazy zTekstuPolaczenia(const QString &tekst);
    // A value given on a command line: an existing file, a text that reads
    // as a server's connection string, or else a file name.
    static ZrodloBazy zArgumentu(const QString &tekst);

    Silnik silnik() const { return m_silnik; }
    bool pusty() const { return m_tekst.isEmpty(); }
    // The file path (SQLite) or the connection string as given (server).
    const QString &tekst() const { return m_tekst; }
    // The server's connection parameters as libpq reads them, in its order;
    // empty for a file.
    const QList<QPair<QString, QString>> &parametry() const { return m_parametry; }
    QString parametr(const QString &klucz) const;
    // For messages: the file's path, or which server and database, never a
    // secret.
    QString opis() const;

private:
    Silnik m_silnik = Silnik::SQLite;
    QString m_tekst;
    QList<QPair<QString, QString>> m_parametry;
};

class Ustawienia;
// The station's database as its settings name it ([baza] polaczenie=, else
// tolvek.mdb in the working directory); throws BladBazy for a connection
// string that cannot be used (unreadable, or holding a password).
ZrodloBazy zrodloBazy(const Ustawienia &u);
