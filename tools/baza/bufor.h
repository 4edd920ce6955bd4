#pragma once

#include "baza/zrodlobazy.h"

#include <QString>

// The station's spool from the command line: the entries the database
// refused (quarantine), put back into the queue once their cause is mended,
// and a spool forwarded by hand (one set aside when the station was pointed
// at another database, or the station's own while it is stopped).

// The quarantine as text, one entry a line; *ile gets their number.
QString opisKwarantanny(const QString &sciezkaBufora, int *ile);
// Puts the quarantine back into the queue; how many entries.
int przywrocKwarantanne(const QString &sciezkaBufora);

struct WynikPrzekazania {
    qint64 przekazane = 0;
    int odlozone = 0;
    qint64 zostalo = 0;
    QString powod; // why the database did not take the rest
};
// Forwards everything the spool holds into the database. Throws BladBazy.
WynikPrzekazania przekazBufor(const QString &sciezkaBufora, const ZrodloBazy &baza);
