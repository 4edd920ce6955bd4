#pragma once

#include <QSqlDatabase>
#include <QString>

// A connection to the station's database (cnBaza), opened from a
// connection string of the form "Provider=...;Data Source=tolvek.mdb;...".
// The Data Source names an SQLite 3 file relative to the working directory.
// Every connection opened here has the station's SQL functions in force
// (format(), iif()), WAL journal and synchronous=FULL, so that no committed
// row is lost when the process is killed or the power fails.
class Polaczenie final
{
public:
    Polaczenie();
    ~Polaczenie();
    Polaczenie(const Polaczenie &) = delete;
    Polaczenie &operator=(const Polaczenie &) = delete;

    // Throws BladBazy: a missing file gives a message that names the file
    // and the working directory; an Access/Jet file gives a message that
    // says so; the station never creates the file.
    void Open(const QString &polaczenieTekst, const QString &uzytkownik = {}, const QString &haslo = {});
    void Close();
    bool otwarte() const;
    // The file path taken from the Data Source.
    QString plik() const;
    QSqlDatabase &db();

    // Parses the Data Source out of a connection string.
    static QString zrodloDanych(const QString &polaczenieTekst);
    // For tools: open an SQLite file by path, creating it when allowed.
    void otworzPlik(const QString &sciezka, bool utworz);
    // For readers beside the station (charts, reports, tolvek-raport): an
    // existing file, read-only. A reader of a WAL database neither waits for
    // the station's writes nor holds them up.
    void otworzDoOdczytu(const QString &sciezka);

private:
    enum class Tryb { Zapis, ZapisLubUtworz, Odczyt };
    void otworz(const QString &nazwaPodana, Tryb tryb);

    QString m_nazwa; // QSqlDatabase connection name, unique per object
    QString m_plik;
    QSqlDatabase m_db;
};
