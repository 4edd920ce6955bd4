#pragma once

#include <cstdint>

// Front-panel state of one controller: nine bytes, all written by the reading.
struct clsStan {
    std::uint8_t StanPrzel1 = 0;
    std::uint8_t StanPrzel2 = 0;
    std::uint8_t StanDisplay1 = 0;
    std::uint8_t StanDisplay2 = 0;
    std::uint8_t StanDisplay3 = 0;
    std::uint8_t StanDisplay4 = 0;
    std::uint8_t StanDiod1 = 0; // stages 1..8, bit n = stage n+1, 0 = on
    std::uint8_t StanDiod2 = 0; // bit 7 = stage 9, 0 = on
    std::uint8_t StanDiod3 = 0;
};

// Single-bit masks of stages 1..8; entry 8 is 0.
inline constexpr std::uint8_t MaskaBitu[9] = {1, 2, 4, 8, 16, 32, 64, 128, 0};
