#pragma once

#include <QString>

#include <variant>

// The operator's commands for a controller, each with what it needs, filled
// in when the operator gives it: nothing is fetched back from a window when
// the command runs. The names are the ones the station shows and logs.
namespace polecenia
{

// "Ustaw_przel": the switch setting of selectors 4..7 of the front panel as
// the operator left them, selector 4 in bit 0 ... 7 in bit 3.
struct UstawPrzel {
    int bajt = 0;
};

// "Blokuj": block (true) or unblock the controller.
struct Blokuj {
    bool Blokada = false;
};

// "UstawKondensator": switch stage NrDiody (0-based, 8 is stage 9) on or off.
struct UstawKondensator {
    int NrDiody = 0;
    bool Wlacz = false;
};

// "WczytajStanRegul": read the controller now.
struct WczytajStanRegul {
};

} // namespace polecenia

using Polecenie =
    std::variant<polecenia::UstawPrzel, polecenia::Blokuj, polecenia::UstawKondensator, polecenia::WczytajStanRegul>;

// The command's name, as the station shows and logs it.
inline QString nazwaPolecenia(const Polecenie &p)
{
    struct Nazwa {
        QString operator()(const polecenia::UstawPrzel &) const { return QStringLiteral("Ustaw_przel"); }
        QString operator()(const polecenia::Blokuj &) const { return QStringLiteral("Blokuj"); }
        QString operator()(const polecenia::UstawKondensator &) const { return QStringLiteral("UstawKondensator"); }
        QString operator()(const polecenia::WczytajStanRegul &) const { return QStringLiteral("WczytajStanRegul"); }
    };
    return std::visit(Nazwa{}, p);
}
