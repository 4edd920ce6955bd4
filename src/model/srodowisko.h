#pragma once

#include <functional>

class clsBD;
class Komunikator;
class Komunikaty;
class ListaAlarmow;
class Rekordy;
class Zegar;
class ZdarzeniaRegulatora;

// The front panel's four control switches (indices 4..7 of ctlPrzel1) as
// the switch byte, and the clearing of their Zmieniony flags. The panel
// window sets these; without a panel the byte is 0.
struct PrzelacznikiPanelu {
    std::function<int()> bajtPrzelacznikow;
    std::function<void()> wyczyscZmienionePrzelaczniki;
};

// Everything a controller's operations use beyond the record itself: the
// dispatcher for the line, the alarm list, the event sink, the journal and
// the two storing cursors, the clock, the messages and the panel switches.
// The composition root builds one; every record of the registry shares it.
struct SrodowiskoRegulatora {
    Komunikator &komunikator;
    ListaAlarmow &alarmy;
    ZdarzeniaRegulatora &zdarzenia;
    clsBD &bd;
    Rekordy &rsPomiary;
    Rekordy &rsOstPomiar;
    const Zegar &zegar;
    Komunikaty &komunikaty;
    PrzelacznikiPanelu &przelaczniki;
};
