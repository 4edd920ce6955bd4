#pragma once

#include "baza/zrodlobazy.h"

#include <QStringList>

// The six tables of tolvek.mdb and the indexes the look-ups and queries
// need, as SQL statements for creating a new database file or the schema
// on a server: the same tables, columns and keys on both engines.
// Regulatory, Alarmy and Log carry the nullable column Stacja (the station
// that polls a controller or wrote the row); the station works on files
// made before it. The station itself never creates or alters tables;
// tolvek-baza does.
QStringList schematBazy(Silnik silnik = Silnik::SQLite);
