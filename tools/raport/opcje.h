#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <stdexcept>

// The command line of tolvek-raport.
struct Opcje {
    enum class Polecenie { Brak, Dobowy, Okresowy, WykresDobowy, WykresOkresowy };
    Polecenie polecenie = Polecenie::Brak;
    QString regulator;
    QDate data, od, doDnia;
    int rodzaj = 0; // RodzajDobowy / RodzajOkresowy
    QString pdf, csv;
    QString baza; // empty: the station's database of the settings
    bool pomoc = false;
    bool wersja = false;
};

// A command line that cannot be run; the text says why, in Polish.
struct BladWywolania : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Throws BladWywolania.
Opcje rozbierzOpcje(const QStringList &argumenty);

extern const char *const pomocRaportu;
