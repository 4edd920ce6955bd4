#include "clsfunkcje.h"

std::int16_t clsFunkcje::TworzInt(std::uint8_t b1, std::uint8_t b2)
{
    const std::int32_t v = b1 * 256 + b2;
    return static_cast<std::int16_t>(v > 32767 ? v - 65536 : v);
}

std::int32_t clsFunkcje::TworzLong(std::uint8_t b1, std::uint8_t b2, std::uint8_t b3, std::uint8_t b4)
{
    const std::int64_t v = TworzLongU(b1, b2, b3, b4);
    return static_cast<std::int32_t>(v > 2147483647 ? v - 4294967296LL : v);
}

std::int64_t clsFunkcje::TworzLongU(std::uint8_t b1, std::uint8_t b2, std::uint8_t b3, std::uint8_t b4)
{
    return (std::int64_t{b1} << 24) | (std::int64_t{b2} << 16) | (std::int64_t{b3} << 8) | std::int64_t{b4};
}
