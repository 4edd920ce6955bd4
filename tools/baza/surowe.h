#pragma once

#include <sqlite3.h>

class Polaczenie;

// The engine beneath a connection, for bulk inserts that Qt SQL would make
// slow: one prepared statement, one transaction.
sqlite3 *uchwytSqlite(Polaczenie &cn);
// Throws BladBazy unless rc reports success.
void sprawdzSqlite(sqlite3 *h, int rc);
