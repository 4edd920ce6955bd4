#pragma once

#include "parametry.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace sim
{

// The controllers of a station database: rows of Regulatory whose Typ is
// exactly "regulator", with their address, code, ratios, voltage class and
// stage powers. Rows with an address outside 0..255 or a repeated address
// are skipped with a warning. Returns false with an error text when the
// file cannot be read.
bool czytajBaze(const QString &plik, std::vector<ParametryRegulatora> *wynik, QStringList *ostrzezenia, QString *blad);

// Writes the pseudo-terminal's path into the station's settings:
// [porty] com<N> = path and [port] nr_portu = N. An empty file name means
// the station's own file, $XDG_CONFIG_HOME/Tolvek/Tolvek.conf. Returns the
// file written, or an empty text with blad set.
QString zapiszUstawienia(const QString &plik, int com, const QString &sciezkaPortu, QString *blad);

} // namespace sim
