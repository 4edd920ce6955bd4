#pragma once

#include "platform/datacz.h"

#include <cstdint>

class Polaczenie;

// A small plant for trying the station out: four controllers on addresses
// 1..4 (one without alarm thresholds), an energy meter, and the object tree.
void wypelnijDemo(Polaczenie &cn);

// Appends n plausible readings to Pomiary, spread over the four controllers
// at one-minute steps back from `teraz`, oldest first, in one transaction.
void dopiszPomiary(Polaczenie &cn, std::int64_t n, DataCzas teraz);
