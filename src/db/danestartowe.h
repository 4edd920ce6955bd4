#pragma once

#include "baza/bladbazy.h"
#include "baza/polaczenie.h"
#include "baza/tabela.h"
#include "baza/zrodlobazy.h"
#include "bufor.h"

#include <QHash>

#include <functional>
#include <optional>

// What the station reads from its database to start: the Regulatory rows in
// the order of their key, and the OstPomiar rows.
struct DaneStartowe {
    Tabela regulatory;
    Tabela ostPomiar;
};

// How an attempt to read them ended.
struct OdczytStartowy {
    std::optional<DaneStartowe> dane;
    std::optional<BladBazy> blad;
    // The database is away (a server that does not answer or is starting, a
    // file locked, unreadable, or gone since an earlier start), as opposed
    // to a fault the operator must mend (no file where there never was one,
    // not a station database, a server that refuses the login).
    bool niedostepna = false;
};

// Over a connection of its own, on the calling thread: a worker's, since a
// server that does not answer holds it up to the connection's time-out.
// zPoprzedniegoStartu: the spool holds a copy taken from this database, so
// a file missing at its path is gone for a while, not a wrong folder.
// poPolaczeniu: told the connection once it is made (to cut it off).
OdczytStartowy czytajDaneStartowe(const ZrodloBazy &zrodlo, bool zPoprzedniegoStartu,
                                  const std::function<void(const Polaczenie &)> &poPolaczeniu = {});

// The OstPomiar rows with the spool's own counters in force: the spool has
// the last reading the station took for each address, forwarded or not.
Tabela zLicznikamiBufora(const Tabela &ostPomiar, const QHash<int, OstatniPomiar> &bufor);

// The identity of a database for its spool: a file's absolute path or a
// server's connection string.
QString tozsamoscBazy(const ZrodloBazy &zrodlo);
