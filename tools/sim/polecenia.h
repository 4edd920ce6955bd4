#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace sim
{

class Magistrala;
class RegulatorSym;

// The operator's commands, one per line, from standard input, the control
// socket or --polecenie. Every command answers with its output lines and a
// closing "OK" or "BŁĄD: ...". A is a bus address (decimal or 0x..) or "*"
// for every emulated controller.
class Polecenia final
{
public:
    Polecenia(Magistrala &magistrala, std::function<void()> koniec);

    QStringList wykonaj(const QString &linia);
    static QString pomoc();

private:
    // The controllers named by A, or an error text.
    std::vector<RegulatorSym *> regulatory(const QString &a, QString *blad) const;

    Magistrala &m_magistrala;
    std::function<void()> m_koniec;
};

} // namespace sim
