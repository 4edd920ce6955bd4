#pragma once

#include "baza/zrodlobazy.h"

#include <QList>
#include <QString>

#include <cstdint>

class Postep;

// What one run of "kopiuj" did to each table.
struct KopiaTabeli {
    QString tabela;
    std::int64_t skopiowane = 0; // rows copied by this run
    std::int64_t wczesniej = 0;  // rows copied by earlier, interrupted runs
    bool juzGotowa = false;      // copied whole by an earlier run: left alone
    bool brakWPliku = false;
    double sekundy = 0;
};

// Copies the station's six tables from a database file into the same
// tables on a server (made by "tolvek-baza init --do"), with their keys, so
// the server holds exactly what the file held; sets the auto-numbers after
// the highest key and refreshes the server's statistics.
//
// Rows go over COPY in parts of `porcja` rows, each part in a transaction
// together with a note of how far the table has got (table
// tolvek_kopiowanie). An interrupted run is taken up again where it stopped
// by running it again with the same file; a table copied whole is not
// copied twice. A table that already holds rows that did not come from
// this file is refused, before anything is written (a second station's
// history does not go into the same server this way). Throws
// std::runtime_error or BladBazy with a Polish message.
QList<KopiaTabeli> kopiujDoSerwera(const QString &plik, const ZrodloBazy &serwer, Postep &postep, int porcja = 50000);
