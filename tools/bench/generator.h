#pragma once

#include <QDate>
#include <QString>

// A plant of `regulatorow` controllers read every `minut` minutes for the
// days od..doDnia (excluded), written into a new database file (the schema
// of tolvek-baza, the indexes built after the bulk load). Throws on failure.
void generujPomiary(const QString &plik, int regulatorow, int minut, QDate od, QDate doDnia);
