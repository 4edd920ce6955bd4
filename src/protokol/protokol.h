#pragma once

#include "dane.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

// The controller bus as bytes: request frames, the 0x02 pair rule of the
// answers and the meaning of the 32-byte measurement block. Pure functions
// of bytes (Qt Core only), shared by the station's command engine and the
// controller simulator, so both speak the same protocol by construction.
namespace protokol
{

inline constexpr int bajtStartu = 0x02;

// Locations in a controller.
inline constexpr int lokWyjscia1 = 0x90;     // stage outputs 1..8, a 0 bit = on
inline constexpr int lokWyjscia2 = 0xA0;     // bit 7: stage 9
inline constexpr int lokStan3 = 0xB0;        // the third state byte
inline constexpr int lokBlokada = 0x2F;      // bit 5 set = blocked
inline constexpr int lokPrzelaczniki = 0x6A; // the manual switch byte
inline constexpr int lokRozladowanie = 0x70; // + stage index 0..8: discharge countdown
inline constexpr int lokBlokPomiarow = 0x4F;

// Operation codes; only the two write codes carry a parameter byte.
inline constexpr int kodZapisz = 0x01;
inline constexpr int kodZapiszB = 0x03;
inline constexpr int kodCzytaj = 0x04;
inline constexpr int kodCzytajB = 0x05;
inline constexpr int kodDajBlok = 0x06;

inline constexpr int bezParametru = -1;
// USTAW_KOND starts a 60-second discharge countdown.
inline constexpr int sekundyRozladowania = 0x3C;

// One request frame: 02 adres lokacja kod [parametr]. Throws
// std::out_of_range for a byte outside 0..255, so a wrong address is never
// truncated onto the line.
QByteArray ramka(int adres, int lokacja, int kod, int parametr = bezParametru);
// 5 for the write codes, 4 for the read codes, 0 for a code that starts no frame.
int dlugoscRamki(int kod);
// Whether a controller has that location for that operation.
bool znanaLokacja(int kod, int lokacja);

// The command table: what each named command sends and what answer it takes.
enum class RodzajRozkazu {
    Zapis,     // frame(s), no answer: succeeds when the frame was written
    Odczyt,    // one frame, then one value
    Czytaj,    // nothing sent, one value (the first value of the block)
    Czytaj32,  // nothing sent, 32 values (the rest of the block)
    Diody,     // three frames, one value after each
    UstawBlok, // write the blocking byte, then read it back
};

struct SzablonRamki {
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

// The entry whose name equals nazwaWielkimi (names are upper case), in the
// table's order; nullptr for an unknown name.
const OpisRozkazu *znajdzRozkaz(const QString &nazwaWielkimi);
// The request frames of a command in the order they are sent (none for
// CZYTAJ and CZYTAJ32). parametr is the parameter byte, or the stage index
// from which USTAW_KOND and BADAJ_KOND compute the location. Throws
// std::out_of_range for an address, parameter or location outside 0..255.
QList<QByteArray> ramkiRozkazu(const OpisRozkazu &opis, int adres, int parametr);

// The pair rule of the answers: a value 2 travels as 0x02 and one more
// byte, and a received 0x02 takes the following byte with it and reads as 2.
QByteArray naLinie(const QByteArray &wartosci);
class CzytnikPar final
{
public:
    // The value this byte completes, or nothing while a 0x02 waits for the
    // byte it takes with it.
    std::optional<int> przyjmij(std::uint8_t bajt);

private:
    bool m_para = false;
};

// The 32-byte measurement block, B0 first, as the numbers it carries
// (big-endian; the scaling to engineering units is the reader's).
struct BlokPomiarow {
    std::int64_t licznikCalkowity = 0;         // B0-B3, unsigned
    std::int32_t licznikPojemnosciowy = 0;     // B4-B7
    std::int32_t licznikBierny = 0;            // B8-B11
    std::int32_t licznikCzasu = 0;             // B12-B14, unsigned 24-bit seconds
    std::int16_t napiecie = 0;                 // B15-B16
    std::int16_t pradBierny = 0;               // B17-B18
    std::int16_t pradCalkowity = 0;            // B19-B20
    std::int16_t faza = 0;                     // B21-B22
    std::int16_t okres = 0;                    // B23-B24: the period count minus one
    std::uint8_t przelacznik1 = 0;             // B25
    std::uint8_t przelacznik2 = 0;             // B26
    std::array<std::uint8_t, 4> wyswietlacz{}; // B27-B30, digits 1..4
    std::uint8_t b31 = 0;                      // B31, not used
    bool operator==(const BlokPomiarow &) const = default;
};
inline constexpr int dlugoscBloku = 32;
// From the values of CZYTAJ32 (elements 0..31), or from 32 bytes; a shorter
// byte array reads as if padded with zeros.
BlokPomiarow dekodujBlok(const DaneRozkazu &dane);
BlokPomiarow dekodujBlok(QByteArrayView bajty);
// The 32 values of a block (before the pair rule).
QByteArray zakodujBlok(const BlokPomiarow &blok);

// The LED answer of CZYTAJ_DIODY: the bytes of locations 0x90, 0xA0, 0xB0.
struct StanDiod {
    std::uint8_t wyjscia1 = 0;
    std::uint8_t wyjscia2 = 0;
    std::uint8_t stan3 = 0;
};
StanDiod dekodujDiody(const DaneRozkazu &dane);

// Scale factors of a controller's transformers: KE turns a counter into
// energy, KI a current count into amperes.
struct Skale {
    double KE = 0;
    double KI = 0;
};
Skale skale(double przekladnia, double skalaNapiecia, double przekladniaNap);

} // namespace protokol
