#pragma once

#include <cstdint>

// Numbers built from answer bytes; big-endian, the first argument is the
// most significant byte.
class clsFunkcje final
{
public:
    static std::int16_t TworzInt(std::uint8_t b1, std::uint8_t b2);
    static std::int32_t TworzLong(std::uint8_t b1, std::uint8_t b2, std::uint8_t b3, std::uint8_t b4);
    // Unsigned 32-bit: a counter at or above 2^31 keeps its true value
    // instead of failing with an overflow, so a large counter never stops
    // the reading loop.
    static std::int64_t TworzLongU(std::uint8_t b1, std::uint8_t b2, std::uint8_t b3, std::uint8_t b4);
    // True exactly when l is greater than 0.
    static bool logic(std::int32_t l) { return l > 0; }
};
