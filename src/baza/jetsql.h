#pragma once

#include <QString>

#include <optional>

// This year by the system's calendar.
int biezacyRok();
// The four-digit year of a two-digit one: the century that puts it at most
// 80 years before and 19 years after rokBiezacy (in 2026: 46-99 are 19xx,
// 00-45 are 20xx), so the window moves on with the calendar.
int rokZDwochCyfr(int rr, int rokBiezacy);

// The inside of a "#...#" date literal (without the marks) as the stored
// text "yyyy-MM-dd HH:mm:ss". Forms: yyyy-M-d, M/d/yyyy, M/d/yy (month
// before day; "-" or "/" as separator), optionally followed by a time H:mm
// or H:mm:ss; a two-digit year as rokZDwochCyfr reads it.
std::optional<QString> literalDaty(const QString &wnetrze, int rokBiezacy = biezacyRok());

// A Format() pattern of the station's dialect as a pattern of the server's
// to_char(): the same tokens (d, dd, m, mm, yy, yyyy, y, h, hh, n, nn, s,
// ss; "m" after an hour part is minutes), everything else literal text.
// Names of days and months (ddd, mmm, ...) have none: they would come in
// the server's language.
std::optional<QString> wzorToChar(const QString &wzor);
