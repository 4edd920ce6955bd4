#pragma once

#include <functional>
#include <optional>

class clsBD;
class Komunikator;
class Komunikaty;
class ListaAlarmow;
class ZapisPomiarow;
class Zegar;
class ZdarzeniaRegulatora;

// The front panel's four control switches (indices 4..7 of ctlPrzel1) as
// the switch byte, and the clearing of their Zmieniony flags, asked for by
// the controller's number: only a panel that shows that controller answers,
// so a setting queued for one controller never sends another's switches.
// The panel window sets these; without one there is no byte.
struct PrzelacznikiPanelu {
    std::function<std::optional<int>(int NrRegulatora)> bajtPrzelacznikow;
    std::function<void(int NrRegulatora)> wyczyscZmienionePrzelaczniki;
};

// Everything a controller's operations use beyond the record itself: the
// dispatcher for the line, the alarm list, the event sink, the journal, the
// writer of readings, the clock, the messages and the panel switches.
// The composition root builds one; every record of the registry shares it.
struct SrodowiskoRegulatora {
    Komunikator &komunikator;
    ListaAlarmow &alarmy;
    ZdarzeniaRegulatora &zdarzenia;
    clsBD &bd;
    ZapisPomiarow &zapis;
    const Zegar &zegar;
    Komunikaty &komunikaty;
    PrzelacznikiPanelu &przelaczniki;
};
