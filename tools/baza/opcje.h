#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The exit codes of tolvek-baza.
enum KodBazy { kodOk = 0, kodWywolanie = 1, kodBlad = 2 };

// What the command line asks for.
struct Wywolanie {
    QString polecenie;
    QString plik;
    bool maPlik = false;
    QString serwer;
    bool maSerwer = false;
    QString zPliku;
    bool maZ = false;
    bool nadpisz = false;
    std::optional<qint64> pomiary;
    QString bufor;
    bool ponow = false;
    bool usunDuplikaty = false;
};

// Reads the arguments (the program's path first) into *w; answers --help,
// --version and a call that cannot run: the exit code to end with, or
// nullopt when the command runs.
std::optional<int> czytajWywolanie(const QStringList &argumenty, Wywolanie *w);
