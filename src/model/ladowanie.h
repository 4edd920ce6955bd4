#pragma once

class Kontekst;

// Start-up step 7: loads every "regulator" row of rsRegulatory into the
// registry, with its thresholds, limits and last stored counters from
// rsOstPomiar. Throws BladBazy on a database failure.
void WczytajRegulatory(Kontekst &k);
