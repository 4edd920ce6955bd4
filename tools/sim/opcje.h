#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace sim
{

enum KodWyjscia { Zakonczono = 0, BladUruchomienia = 1, ZleArgumenty = 2 };

struct Opcje {
    QList<int> adresy;
    QString baza;
    QString urzadzenie; // empty: a new pseudo-terminal
    bool ustawienia = false;
    QString plikUstawien; // empty: the station's own settings file
    int com = 1;
    int opoznienieMs = 20;
    int predkosc = 4800; // 0: no pacing
    bool log = false;
    QString plikLogu; // empty: standard output
    QString gniazdo;
    bool regulacja = false;
    QStringList polecenia;
    std::optional<quint32> ziarno;
};

// Fills o from the arguments (the program's path first); answers --help,
// --version and a call that cannot run: the exit code to end with, or
// nullopt when the simulator starts.
std::optional<int> czytajOpcje(const QStringList &argumenty, Opcje *o);

} // namespace sim
