#pragma once

#include "baza/zrodlobazy.h"

#include <QStringList>

class Polaczenie;

// The six tables of the station, as the server names them.
const QStringList &tabeleStacji();

// The station's tables that are already on the server of that connection.
QStringList tabeleNaSerwerze(Polaczenie &cn);

// Creates the station's tables and indexes on a PostgreSQL server, all or
// nothing (one transaction). Refuses, changing nothing, when any of the
// tables is already there. Throws BladBazy or std::runtime_error.
void utworzSchematSerwera(const ZrodloBazy &serwer);
