#pragma once

class colRegulatory;
class Komunikaty;
class Tabela;

#include <QString>

// Start-up step 7: loads every "regulator" row of the Regulatory table
// (its rows in the order of their key) that this station polls into the
// registry, with its thresholds, limits and last stored counters from the
// OstPomiar rows. A row whose address no frame can carry
// is loaded and the operator is told (through komunikaty, without waiting).
// Throws BladBazy on a database failure.
//
// Several stations share one database: a row whose Stacja names another
// station is that station's controller and is not loaded; a row with no
// Stacja (or a table without the column) belongs to every station, so a
// single station's table works as it is. stacja empty: every row.
//
// zaklad, when given, receives every controller of the plant for the
// read-only windows (charts, reports, alarm archive): first this station's
// in registry order (so a registry number is the same position there),
// then the other stations' ones. Two controller rows with one address
// would mix their readings (Pomiary is keyed by address): the operator is
// told, once per address.
void WczytajRegulatory(const Tabela &regulatory, const Tabela &ostPomiar, colRegulatory &oRegulatory,
                       Komunikaty &komunikaty, const QString &stacja = {}, colRegulatory *zaklad = nullptr);

// Whether a Regulatory row with this Stacja value is polled by the station
// of that name.
bool regulatorStacji(const QVariant &stacjaWiersza, const QString &stacja);
