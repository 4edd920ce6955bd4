#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace sim
{

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
    bool pomoc = false;
    bool wersja = false;
};

// Fills o from the arguments (without the program name). Returns an error
// text, empty when all is well.
QString czytajOpcje(const QStringList &argumenty, Opcje *o);
QString tekstPomocy();
QString tekstWersji();

} // namespace sim
