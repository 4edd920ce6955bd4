#pragma once

class clsBD;
class Komunikator;
class Komunikaty;
class ListaAlarmow;
class ZapisPomiarow;
class Zegar;
class ZdarzeniaRegulatora;

// Everything a controller's operations use beyond the record itself: the
// dispatcher for the line, the alarm list, the event sink, the journal, the
// writer of readings, the clock and the messages.
// The composition root builds one; every record of the registry shares it.
struct SrodowiskoRegulatora {
    Komunikator &komunikator;
    ListaAlarmow &alarmy;
    ZdarzeniaRegulatora &zdarzenia;
    clsBD &bd;
    ZapisPomiarow &zapis;
    const Zegar &zegar;
    Komunikaty &komunikaty;
};
