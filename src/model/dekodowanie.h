#pragma once

// The decoding of a measurement block with a controller's configuration
// (its transformers and voltage class): pure, no line, no clock.

#include "protokol/dane.h"
#include "protokol/protokol.h"

#include <cstdint>

class clRegulator;

namespace dekodowanie
{

// The values one block gives, before they enter the record.
struct WartosciBloku {
    protokol::BlokPomiarow blok;
    float Napiecie = 0, PradCalkSr = 0, PradBiernPojSr = 0, PradBiernSr = 0;
    float PradBierny = 0, PradCalk = 0, Faza = 0, Okres = 0, PradCzynny = 0, TgFi = 0;
    std::int32_t TimerU = 0;
    int P = 0;
    bool zaklocenia = false;
};

WartosciBloku przeliczBlok(const clRegulator &regulator, const DaneRozkazu &dane);
void przyjmijBlok(clRegulator &r, const WartosciBloku &w);
// Decodes r.blok into the record (steps 4-7 of the reading).
void dekodujBlok(clRegulator &r);

} // namespace dekodowanie
