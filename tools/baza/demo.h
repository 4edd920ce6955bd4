#pragma once

#include "platform/datacz.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

class Polaczenie;

// A small plant for trying the station out: four controllers on addresses
// 1..4 (one without alarm thresholds), an energy meter, and the object tree.
void wypelnijDemo(Polaczenie &cn);

// What the stored history of the demo plant needs to know of a controller.
struct OpisRegulatora {
    int adres;
    QString kod;
    double pradNominalny; // typical total current, A
    std::optional<double> progTgFiMin, progTgFi;
};
std::vector<OpisRegulatora> regulatoryDemo();

// Appends n plausible readings to Pomiary, spread over the four controllers
// at one-minute steps back from `teraz`, oldest first, in one transaction.
void dopiszPomiary(Polaczenie &cn, std::int64_t n, DataCzas teraz);

// The plant's recent past, as the station would have stored it: a reading
// of each controller every 15 minutes over the `dni` days up to `teraz`
// (a working-day load curve, quieter weekends, tg fi near its limits with a
// few disturbances, one communication break), and the alarms those readings
// raised, ended and mostly acknowledged. Returns the counts written.
struct Historia {
    std::int64_t pomiary = 0;
    int alarmy = 0;
};
Historia dopiszHistorie(Polaczenie &cn, DataCzas teraz, int dni);
