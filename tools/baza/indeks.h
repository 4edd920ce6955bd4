#pragma once

#include "baza/zrodlobazy.h"

#include <QString>

// What unikalnePomiary found and did.
struct WynikIndeksu {
    bool byl = false;    // the unique index was there already
    qint64 grup = 0;     // (Adres, Data) pairs stored more than once
    qint64 nadmiar = 0;  // rows beyond the first of each pair
    qint64 usuniete = 0; // of those, deleted
    QString lista;       // the first pairs, one a line
    bool utworzony = false;
};

// Makes the index of Pomiary (Adres, Data) unique, as tolvek-baza init
// creates it: on a database made before it was, a reading forwarded twice
// would otherwise be stored twice. Rows stored twice before are listed;
// with usun, all but the first of each pair are deleted and the index is
// made, else nothing changes. One transaction. Throws BladBazy.
WynikIndeksu unikalnePomiary(const ZrodloBazy &baza, bool usun);
