#pragma once

#include "platform/datacz.h"

#include <QHash>
#include <QList>

#include <array>
#include <cstdint>

// Each controller's traffic since the start or the last reset, counted by
// the link (frames, answers, time-outs, repeats, delays, line time) and the
// dispatcher (refused blocks, failed readings). Counting allocates only for
// a controller's first exchange; the windows only read it.
class StatystykaKomunikacji final
{
public:
    struct Wiersz {
        int nrRegulatora = 0;
        std::int64_t zapytania = 0;     // request frames written
        std::int64_t odpowiedzi = 0;    // answers taken whole
        std::int64_t bezOdpowiedzi = 0; // answers that did not come in time
        std::int64_t powtorzenia = 0;   // attempts after a command's first
        std::int64_t odrzucone = 0;     // blocks the model refused as implausible
        std::int64_t nieudaneOdczyty = 0;
        DataCzas ostatniaOdpowiedz;  // null: none since the reset
        std::int64_t medianaMs = -1; // -1: no answer delay measured
        std::int64_t najdluzszaMs = -1;
        double udzialLinii = 0; // share of the line's time since the reset, 0..1
    };

    explicit StatystykaKomunikacji(std::int64_t msTeraz = 0) : m_odMs(msTeraz) {}

    void zapytanie(int nr);
    void powtorzenie(int nr);
    void odpowiedz(int nr, std::int64_t opoznienieMs, DataCzas czas);
    void brakOdpowiedzi(int nr);
    void czasLinii(int nr, std::int64_t ms);
    void blokOdrzucony(int nr);
    void odczytNieudany(int nr);

    void zeruj(std::int64_t msTeraz);
    // One row per controller that exchanged anything since the reset.
    QList<Wiersz> wiersze(std::int64_t msTeraz) const;
    Wiersz wiersz(int nr, std::int64_t msTeraz) const;

    // Delays are kept in buckets: 1 ms up to 200 ms, then 10 ms up to 3 s and
    // one above, so a median costs no list of samples.
    static constexpr int kubelkiDokladne = 200;
    static constexpr int kubelkiZgrubne = 280;
    static constexpr int liczbaKubelkow = kubelkiDokladne + kubelkiZgrubne + 1;

private:
    struct Liczniki {
        Wiersz w;
        std::int64_t msLinii = 0;
        std::array<std::uint32_t, liczbaKubelkow> opoznienia{};
    };
    Liczniki &liczniki(int nr);
    Wiersz zLicznikow(const Liczniki &l, std::int64_t msTeraz) const;

    QHash<int, Liczniki> m_regulatory;
    std::int64_t m_odMs;
};
