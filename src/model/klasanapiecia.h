#pragma once

// The measuring-voltage classes (Regulatory.NapieciePomiar) a controller
// knows. The class sets the voltage scale of the block; another value gives
// the scale 0, so the voltage and the energy counters decode as 0. Stored
// data and other stations rely on that rule, so it stays; the station says
// so instead of recording zeros in silence.

#include <QString>

#include <array>

class colRegulatory;
class Komunikaty;

inline constexpr std::array<int, 3> klasyNapiecia{100, 380, 500};

// The voltage scale of a class: 0.25, 1, 1.25, or 0 for an unknown one.
float skalaNapiecia(int napieciePomiar);

// The reason an editor gives for a value that is no known class.
QString powodNieznanejKlasy();

// Tells the operator once, and logs, which controllers of the registry have
// an unknown class and what that does.
void zglosNieznaneKlasy(const colRegulatory &regulatory, Komunikaty &komunikaty);
