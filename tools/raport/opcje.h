#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

// The exit codes of tolvek-raport.
enum KodRaportu { kodOk = 0, kodBlad = 1, kodWywolanie = 2 };

// The command line of tolvek-raport.
struct Opcje {
    enum class Polecenie { Brak, Dobowy, Okresowy, WykresDobowy, WykresOkresowy };
    Polecenie polecenie = Polecenie::Brak;
    QString regulator;
    QDate data, od, doDnia;
    int rodzaj = 0; // RodzajDobowy / RodzajOkresowy
    QString pdf, csv;
    QString baza; // empty: the station's database of the settings
};

// Fills o from the arguments (the program's path first); answers --help,
// --version and a call that cannot run: the exit code to end with, or
// nullopt when the report is written.
std::optional<int> czytajOpcje(const QStringList &argumenty, Opcje *o);
