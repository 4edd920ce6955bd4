#include "rozkazy.h"

#include "clcomm.h"

namespace
{

// Locations in a controller.
constexpr int lokWyjscia1 = 0x90; // stage outputs 1..8, a 0 bit = on
constexpr int lokWyjscia2 = 0xA0; // bit 7: stage 9
constexpr int lokStan3 = 0xB0;
constexpr int lokBlokada = 0x2F;      // bit 5 set = blocked
constexpr int lokPrzelaczniki = 0x6A; // the manual switch byte
constexpr int lokRozladowanie = 0x70; // + stage index: discharge countdown
constexpr int lokBlokPomiarow = 0x4F;

// Operation codes; only the two write codes carry a parameter byte.
constexpr int kodZapisz = 0x01;
constexpr int kodZapiszB = 0x03;
constexpr int kodCzytaj = 0x04;
constexpr int kodCzytajB = 0x05;
constexpr int kodDajBlok = 0x06;

constexpr int P = SzablonRamki::parametrRozkazu;
constexpr int brak = SzablonRamki::bezParametru;
// USTAW_KOND starts a 60-second discharge countdown.
constexpr int sekundyRozladowania = 0x3C;

using R = RodzajRozkazu;

// In the order of comparison.
constexpr std::array<OpisRozkazu, 14> tablica{{
    {"DAJ_DANE", R::Zapis, 1, {{{lokBlokPomiarow, false, kodDajBlok, brak}}}},
    {"CZYTAJ", R::Czytaj, 0, {}},
    {"CZYTAJ32", R::Czytaj32, 0, {}},
    {"CZYTAJ_DIODY",
     R::Diody,
     3,
     {{{lokWyjscia1, false, kodCzytaj, brak},
       {lokWyjscia2, false, kodCzytaj, brak},
       {lokStan3, false, kodCzytaj, brak}}}},
    {"USTAW_SR", R::Zapis, 1, {{{lokPrzelaczniki, false, kodZapiszB, P}}}},
    {"TESTUJ", R::Odczyt, 1, {{{lokStan3, false, kodCzytaj, brak}}}},
    {"CZYTAJ_KOND1", R::Odczyt, 1, {{{lokWyjscia1, false, kodCzytaj, brak}}}},
    {"CZYTAJ_KOND2", R::Odczyt, 1, {{{lokWyjscia2, false, kodCzytaj, brak}}}},
    {"USTAW_KOND", R::Zapis, 1, {{{lokRozladowanie, true, kodZapiszB, sekundyRozladowania}}}},
    {"BADAJ_KOND", R::Odczyt, 1, {{{lokRozladowanie, true, kodCzytajB, brak}}}},
    {"WLACZ_KOND", R::Zapis, 1, {{{lokWyjscia1, false, kodZapisz, P}}}},
    {"WLACZ_KOND2", R::Zapis, 1, {{{lokWyjscia2, false, kodZapisz, P}}}},
    {"CZYTAJ_BLOK", R::Odczyt, 1, {{{lokBlokada, false, kodCzytajB, brak}}}},
    {"USTAW_BLOK", R::UstawBlok, 2, {{{lokBlokada, false, kodZapiszB, P}, {lokBlokada, false, kodCzytajB, brak}}}},
}};

} // namespace

const OpisRozkazu *znajdzRozkaz(const QString &nazwaWielkimi)
{
    for (const OpisRozkazu &o : tablica) {
        if (nazwaWielkimi == QLatin1String(o.nazwa))
            return &o;
    }
    return nullptr;
}

QList<QByteArray> ramkiRozkazu(const OpisRozkazu &opis, int adres, int parametr)
{
    QList<QByteArray> ramki;
    for (int i = 0; i < opis.ileRamek; ++i) {
        const SzablonRamki &s = opis.ramki[static_cast<std::size_t>(i)];
        const int lokacja = s.lokacjaPlusParametr ? s.lokacja + parametr : s.lokacja;
        const int bajtParametru = s.parametr == SzablonRamki::parametrRozkazu ? parametr : s.parametr;
        ramki.append(clComm::ramka(adres, lokacja, s.kod, bajtParametru));
    }
    return ramki;
}
