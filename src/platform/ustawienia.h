#pragma once

#include <QString>

#include <memory>

// The per-user settings store: text values addressed by section and key
// under the application "Tolvek". Tests replace it.
class Ustawienia
{
public:
    virtual ~Ustawienia() = default;
    virtual QString czytaj(const QString &sekcja, const QString &klucz, const QString &domyslna) const = 0;
    virtual void zapisz(const QString &sekcja, const QString &klucz, const QString &wartosc) = 0;
};

// $XDG_CONFIG_HOME/Tolvek/Tolvek.conf, INI format, user scope, readable by
// its owner only (created 0600; a wider mode found is narrowed).
class UstawieniaPlik final : public Ustawienia
{
public:
    UstawieniaPlik();
    // An explicit file, for tools and tests.
    explicit UstawieniaPlik(const QString &sciezka);
    ~UstawieniaPlik() override;
    QString czytaj(const QString &sekcja, const QString &klucz, const QString &domyslna) const override;
    void zapisz(const QString &sekcja, const QString &klucz, const QString &wartosc) override;
    QString sciezka() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// $XDG_CONFIG_HOME/Tolvek/Tolvek.conf (~/.config when the variable is unset).
QString domyslnaSciezkaUstawien();

// Device path for port number n: the key com<n> of section [porty] when it
// is present, else /dev/ttyS<n-1>.
QString sciezkaPortu(const Ustawienia &u, int numer);

// The station's own connection text for the file tolvek.mdb in the working
// directory: what the station opens when no server is set.
QString domyslnyTekstPolaczenia();

// [baza] polaczenie=: a PostgreSQL connection string ("service=tolvek",
// "host=... dbname=...") when the station's database is on a server, else
// domyslnyTekstPolaczenia(). The station, tolvek-raport and tolvek-baza all
// take "the database" from here (zrodloBazy in baza/zrodlobazy.h).
QString tekstPolaczeniaBazy(const Ustawienia &u);

// [stacja] nazwa=: this station's name among the stations of one server;
// the host name when unset.
QString nazwaStacji(const Ustawienia &u);

// The station's spool: [bufor] plik= when set, else
// $XDG_DATA_HOME/Tolvek/bufor-<station>.sqlite (the name in lower case,
// other characters than letters, digits, "-" and "_" as "_").
QString sciezkaBufora(const Ustawienia &u, const QString &stacja);

// A positive number of the settings, or the default (a value that is none is
// logged).
double liczbaUstawienia(const Ustawienia &u, const QString &sekcja, const QString &klucz, double domyslna);
