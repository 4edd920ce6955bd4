#pragma once

#include <array>

// Answer values of one command: a single value (CZYTAJ, CZYTAJ_BLOK, ...)
// or elements of an array (indices 1..3 for CZYTAJ_DIODY, 0..31 for
// CZYTAJ32). Values are 0..255.
struct DaneRozkazu {
    int wartosc = 0;
    std::array<int, 32> bajty{};
};
