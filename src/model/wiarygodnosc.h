#pragma once

// Whether a decoded measurement block can be taken. The bus has no checksum
// and no address echo: noise on the line, or an answer torn by a stray 0x02,
// decodes into numbers all the same. Values that no installation produces
// are refused as broken answers; the limits a plant sets for a controller
// ("Filtrowanie danych") refuse values that may well be real (a mis-set
// limit, a lasting overvoltage). Either way the controller answered: a
// refusal is told as what it is, never as silence.

#include "platform/datacz.h"

#include <QString>
#include <QVariant>

#include <cstdint>
#include <optional>

namespace wiarygodnosc
{

// Why a block was refused: a line for the log, and the comment of the
// operator's alarm naming the value and the limit it broke, e.g.
// "(napięcie 230 V poza 100..200 V)".
struct Odrzucenie {
    QString powod;
    QString komentarz;
};

// The mains frequency of any installation the controllers serve.
inline constexpr double czestotliwoscMin = 40.0;
inline constexpr double czestotliwoscMax = 70.0;

// One pair of limits of Regulatory's "Filtrowanie danych". A side that is
// null or 0 is not in force: 0 is what an unset limit holds, and a lower
// limit of 0 on a signed quantity (the reactive current of an
// overcompensated plant) would refuse real readings.
struct Zakres {
    std::optional<float> min;
    std::optional<float> max;
    bool ustawiony() const { return min.has_value() || max.has_value(); }
    bool zawiera(double wartosc) const;
};

// A pair as the columns hold it. A pair whose maximum is not above its
// minimum cannot be meant and filters nothing; *bledny tells the caller to
// say so.
Zakres zakres(const QVariant &min, const QVariant &max, bool *bledny = nullptr);

// The limits every reading must keep: voltage, reactive and total current,
// frequency. The other pairs are not applied: "Prąd czynny" names the
// cumulative active counter in the record, not a current, and an energy
// limit would refuse a controller's first stored interval for ever (that
// interval is the whole counter), besides scaling with an interval length
// the limits do not know.
struct Filtr {
    Zakres napiecie, pradBierny, pradCalk, czestotliwosc;
};

// The controller's time counter (whole seconds) as last accepted, and when.
// A point carried over from the last stored reading of an earlier run knows
// only the wall-clock time of that reading.
struct PunktLicznika {
    std::int32_t licznik = 0;
    std::int64_t msMonotoniczne = 0; // meaningful when !zPoprzedniegoUruchomienia
    DataCzas sciana;
    bool zPoprzedniegoUruchomienia = false;
    // Whole seconds since the point, or nothing when they cannot be known
    // (a wall clock set back across a restart).
    std::optional<std::int64_t> uplynelo(std::int64_t msTeraz, DataCzas scianaTeraz) const;
};

// The time counter read `uplynelo` seconds after `poprzedni`: it either ran
// on by about that much, or restarted (a power cut, a controller that clears
// its counters, the 24-bit wrap) and counts from a value no larger. Anything
// else is a broken answer; the reason is returned. The allowance covers the
// length of an exchange and a controller's crystal.
std::optional<Odrzucenie> ocenLicznik(std::int32_t poprzedni, std::int32_t obecny, std::int64_t uplynelo);

// The frequency of a period count P (115200 / P) is checked only when the
// controller counted one: P = 1 marks a disturbed signal and P = 0 leaves
// the frequency unknown, both the controller's own states.
bool okresZmierzony(int P);

} // namespace wiarygodnosc
