#pragma once

#include <QString>

#include <cstdint>

// The number-to-text rule used for alarm comments, list columns, search
// criteria and tree keys: decimal, "." as decimal point, at most 7
// significant digits for single-precision values, and a leading blank when
// the value is not negative. Both sides of a comparison are always built by
// the same rule.
QString Str(std::int64_t v);
QString Str(int v);
QString StrSingle(double v);
// A single-precision value with a fixed number of decimals ("0.0000000" is
// 7): the value is first taken at its own precision (7 significant
// digits), so 9.999f gives 9.9990000 and not the float's binary noise.
QString FormatSingle(float v, int miejsc);
// FormatSingle with the decimal separator of the station's numeric locale
// (LC_ALL, else LC_NUMERIC, else LANG, as the C library and Qt read them):
// "9,9990000" on a Polish system. Only the texts whose format is regional use
// it; everything built by Str keeps ".".
QString FormatSingleRegionalnie(float v, int miejsc);
