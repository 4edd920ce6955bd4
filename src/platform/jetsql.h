#pragma once

#include <QString>

#include <optional>

// The inside of a "#...#" date literal (without the marks) as the stored
// text "yyyy-MM-dd HH:mm:ss". Forms: yyyy-M-d, M/d/yyyy, M/d/yy (month
// before day; "-" or "/" as separator), optionally followed by a time H:mm
// or H:mm:ss. Two-digit years 00-29 are 20xx, 30-99 are 19xx.
std::optional<QString> literalDaty(const QString &wnetrze);
