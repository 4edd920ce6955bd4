#include "protokol.h"

#include "clsfunkcje.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace protokol
{

namespace
{

constexpr int P = SzablonRamki::parametrRozkazu;
constexpr int brak = bezParametru;
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

std::uint8_t u8(int v)
{
    return static_cast<std::uint8_t>(v & 0xFF);
}

void dopisz(QByteArray &b, std::int64_t v, int bajtow)
{
    for (int i = bajtow - 1; i >= 0; --i)
        b.append(static_cast<char>((v >> (8 * i)) & 0xFF));
}

} // namespace

QByteArray ramka(int adres, int lokacja, int kod, int parametr)
{
    const auto bajt = [](int v, const char *co) {
        if (v < 0 || v > 0xFF)
            throw std::out_of_range(std::string("frame byte out of range: ") + co);
        return static_cast<char>(v);
    };
    QByteArray r;
    r.reserve(5);
    r.append(static_cast<char>(bajtStartu));
    r.append(bajt(adres, "address"));
    r.append(bajt(lokacja, "location"));
    r.append(bajt(kod, "operation code"));
    if (parametr != bezParametru)
        r.append(bajt(parametr, "parameter"));
    return r;
}

int dlugoscRamki(int kod)
{
    switch (kod) {
    case kodZapisz:
    case kodZapiszB:
        return 5;
    case kodCzytaj:
    case kodCzytajB:
    case kodDajBlok:
        return 4;
    default:
        return 0;
    }
}

bool znanaLokacja(int kod, int lokacja)
{
    const bool odliczanie = lokacja >= lokRozladowanie && lokacja <= lokRozladowanie + 8;
    const bool stan = lokacja == lokWyjscia1 || lokacja == lokWyjscia2 || lokacja == lokBlokada ||
                      lokacja == lokPrzelaczniki || odliczanie;
    switch (kod) {
    case kodZapisz:
    case kodZapiszB:
        return stan;
    case kodCzytaj:
    case kodCzytajB:
        return stan || lokacja == lokStan3;
    case kodDajBlok:
        return lokacja == lokBlokPomiarow;
    default:
        return false;
    }
}

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
        ramki.append(ramka(adres, lokacja, s.kod, bajtParametru));
    }
    return ramki;
}

QByteArray naLinie(const QByteArray &wartosci)
{
    QByteArray b;
    b.reserve(wartosci.size() + 4);
    for (const char c : wartosci) {
        b.append(c);
        if (static_cast<std::uint8_t>(c) == bajtStartu)
            b.append(static_cast<char>(bajtStartu));
    }
    return b;
}

std::optional<int> CzytnikPar::przyjmij(std::uint8_t bajt)
{
    if (m_para) {
        // Whatever the partner byte is, the pair reads as the value 2.
        m_para = false;
        return bajtStartu;
    }
    if (bajt == bajtStartu) {
        m_para = true;
        return std::nullopt;
    }
    return bajt;
}

BlokPomiarow dekodujBlok(const DaneRozkazu &dane)
{
    QByteArray b;
    b.reserve(dlugoscBloku);
    for (int v : dane.bajty)
        b.append(static_cast<char>(u8(v)));
    return dekodujBlok(QByteArrayView(b));
}

BlokPomiarow dekodujBlok(QByteArrayView bajty)
{
    const auto b = [&bajty](int i) -> std::uint8_t {
        return i < bajty.size() ? static_cast<std::uint8_t>(bajty[i]) : 0;
    };
    BlokPomiarow w;
    // TworzLongU keeps the true unsigned value, also at and above 2^31.
    w.licznikCalkowity = clsFunkcje::TworzLongU(b(0), b(1), b(2), b(3));
    w.licznikPojemnosciowy = clsFunkcje::TworzLong(b(4), b(5), b(6), b(7));
    w.licznikBierny = clsFunkcje::TworzLong(b(8), b(9), b(10), b(11));
    w.licznikCzasu = clsFunkcje::TworzLong(0, b(12), b(13), b(14));
    w.napiecie = clsFunkcje::TworzInt(b(15), b(16));
    w.pradBierny = clsFunkcje::TworzInt(b(17), b(18));
    w.pradCalkowity = clsFunkcje::TworzInt(b(19), b(20));
    w.faza = clsFunkcje::TworzInt(b(21), b(22));
    w.okres = clsFunkcje::TworzInt(b(23), b(24));
    w.przelacznik1 = b(25);
    w.przelacznik2 = b(26);
    for (int i = 0; i < 4; ++i)
        w.wyswietlacz[static_cast<std::size_t>(i)] = b(27 + i);
    w.b31 = b(31);
    return w;
}

QByteArray zakodujBlok(const BlokPomiarow &blok)
{
    QByteArray b;
    b.reserve(dlugoscBloku);
    dopisz(b, blok.licznikCalkowity, 4);
    dopisz(b, blok.licznikPojemnosciowy, 4);
    dopisz(b, blok.licznikBierny, 4);
    dopisz(b, blok.licznikCzasu, 3);
    dopisz(b, blok.napiecie, 2);
    dopisz(b, blok.pradBierny, 2);
    dopisz(b, blok.pradCalkowity, 2);
    dopisz(b, blok.faza, 2);
    dopisz(b, blok.okres, 2);
    b.append(static_cast<char>(blok.przelacznik1));
    b.append(static_cast<char>(blok.przelacznik2));
    for (std::uint8_t c : blok.wyswietlacz)
        b.append(static_cast<char>(c));
    b.append(static_cast<char>(blok.b31));
    return b;
}

StanDiod dekodujDiody(const DaneRozkazu &dane)
{
    return {u8(dane.bajty[1]), u8(dane.bajty[2]), u8(dane.bajty[3])};
}

Skale skale(double przekladnia, double skalaNapiecia, double przekladniaNap)
{
    return {std::sqrt(3.0) / 100.0 * przekladnia * skalaNapiecia * przekladniaNap * 400.0 / 3600000.0,
            przekladnia / 200.0};
}

} // namespace protokol
