#pragma once

#include <QString>

#include <optional>

struct sqlite3;

// The date formatting of the station's SQL dialect: Format(date, 'pattern')
// with the tokens d, dd, m, mm, yy, yyyy, h, hh, n, nn, s, ss in any letter
// case, "m"/"mm" after an hour part meaning minutes, and every other
// character copied as it stands. The date is text "yyyy-MM-dd HH:mm:ss" (the
// time may be missing, a "T" may separate it, seconds may carry a fraction).
// Returns nothing when the text is not such a date.
std::optional<QString> formatujDateJet(const QString &wartosc, const QString &wzor);

// Registers format(value, pattern) on a connection, overriding the
// printf-like built-in of the same name, and iif(c, a, b) when the engine
// has none. Returns an SQLite result code.
int zarejestrujFunkcjeSql(sqlite3 *baza);
