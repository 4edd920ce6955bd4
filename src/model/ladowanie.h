#pragma once

class colRegulatory;
class Komunikaty;
class Rekordy;

// Start-up step 7: loads every "regulator" row of rsRegulatory into the
// registry, with its thresholds, limits and last stored counters from
// rsOstPomiar. A row whose address no frame can carry is loaded and the
// operator is told (through komunikaty, without waiting). Throws BladBazy
// on a database failure.
void WczytajRegulatory(Rekordy &rsRegulatory, Rekordy &rsOstPomiar, colRegulatory &oRegulatory, Komunikaty &komunikaty);
