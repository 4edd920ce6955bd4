#pragma once

#include <QString>

#include <optional>

// The inside of a "#...#" date literal (without the marks) as the stored
// text "yyyy-MM-dd HH:mm:ss". Forms: yyyy-M-d, M/d/yyyy, M/d/yy (month
// before day; "-" or "/" as separator), optionally followed by a time H:mm
// or H:mm:ss. Two-digit years 00-29 are 20xx, 30-99 are 19xx.
std::optional<QString> literalDaty(const QString &wnetrze);

// A Format() pattern of the station's dialect as a pattern of the server's
// to_char(): the same tokens (d, dd, m, mm, yy, yyyy, y, h, hh, n, nn, s,
// ss; "m" after an hour part is minutes), everything else literal text.
// Names of days and months (ddd, mmm, ...) have none: they would come in
// the server's language.
std::optional<QString> wzorToChar(const QString &wzor);
