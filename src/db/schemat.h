#pragma once

#include <QStringList>

// The six tables of tolvek.mdb and the indexes the look-ups and queries
// need, as SQL statements for creating a new database file. The station
// itself never creates or alters tables; tolvek-baza does.
QStringList schematBazy();
