#pragma once

#include <QString>
#include <QStringList>

// The CSV files of the station (charts, reports, the alarm archive, the
// line statistics): UTF-8, ";" between fields. Each kind keeps its own line
// end and byte-order mark; the quoting is one.

// A field: quoted when it holds ";", a quote or a line break, its quotes
// doubled; any other text as it is.
QString poleCsv(const QString &tekst);

// One line: every field through poleCsv, ";" between them, then koniec.
QString wierszCsv(const QStringList &pola, QStringView koniec = u"\n");

// Writes tekst as UTF-8, whole or not at all: a failed write leaves an older
// file as it was. False with the system's reason.
bool zapiszTekst(const QString &plik, const QString &tekst, QString *blad = nullptr);
