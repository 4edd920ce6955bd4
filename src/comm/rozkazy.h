#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>

// The command table of the controller bus: what each named command sends
// and what answer it takes. Names are upper case here; callers may write
// them in any case and the engine compares their upper-case form.
enum class RodzajRozkazu {
    Zapis,     // frame(s), no answer: succeeds when the frame was written
    Odczyt,    // one frame, then one value
    Czytaj,    // nothing sent, one value (the first value of the block)
    Czytaj32,  // nothing sent, 32 values (the rest of the block)
    Diody,     // three frames, one value after each
    UstawBlok, // write the blocking byte, then read it back
};

// One request frame: 0x02, address, location, operation code and, with the
// write codes only, a parameter byte.
struct SzablonRamki {
    static constexpr int bezParametru = -1;
    static constexpr int parametrRozkazu = -2;
    int lokacja = 0;
    bool lokacjaPlusParametr = false; // location + the stage index
    int kod = 0;
    int parametr = bezParametru; // bezParametru, parametrRozkazu or a fixed byte
};

struct OpisRozkazu {
    const char *nazwa;
    RodzajRozkazu rodzaj;
    int ileRamek;
    std::array<SzablonRamki, 3> ramki;
};

// The entry whose name equals nazwaWielkimi, in the table's order; nullptr
// for an unknown name.
const OpisRozkazu *znajdzRozkaz(const QString &nazwaWielkimi);

// The request frames of a command in the order they are sent (empty for
// CZYTAJ and CZYTAJ32). parametr is the parameter byte, or the stage index
// from which USTAW_KOND and BADAJ_KOND compute the location. Throws
// std::out_of_range for an address, parameter or location outside 0..255.
QList<QByteArray> ramkiRozkazu(const OpisRozkazu &opis, int adres, int parametr);
