#pragma once

#include "comm/protokol.h"

#include <QByteArray>

#include <cmath>

// A 32-byte measurement block as the station reads it: the protocol unit's
// decoding and scale factors, and the active counter and tg fi derived from
// them, so the simulator's tests check its bytes against the station's
// reading, not against the simulator's own arithmetic.
struct OdczytBloku {
    double pradCalkSr = 0, pradBiernPojSr = 0, pradBiernSr = 0;
    qint64 timerU = 0;
    double napiecie = 0, pradBierny = 0, pradCalk = 0, okres = 0, pradCzynny = 0, tgFi = 0;
    qint64 calkSurowy = 0;
    int faza = 0;
    quint8 przel1 = 0, przel2 = 0;
    int cyfry[4] = {0, 0, 0, 0};
};

inline OdczytBloku dekoduj(const QByteArray &b, double przekladnia = 40, double skala = 1.0, double przNap = 1)
{
    const protokol::BlokPomiarow w = protokol::dekodujBlok(b);
    const protokol::Skale k = protokol::skale(przekladnia, skala, przNap);
    OdczytBloku o;
    o.napiecie = w.napiecie * skala * przNap;
    o.calkSurowy = w.licznikCalkowity;
    o.pradCalkSr = static_cast<double>(w.licznikCalkowity) * k.KE;
    o.pradBiernPojSr = w.licznikPojemnosciowy * k.KE;
    o.pradBiernSr = w.licznikBierny * k.KE;
    o.timerU = w.licznikCzasu;
    o.pradBierny = w.pradBierny * k.KI;
    o.pradCalk = w.pradCalkowity * k.KI;
    o.faza = w.faza;
    const int p = w.okres + 1;
    o.okres = p != 0 ? 115200.0 / p : 0;
    o.przel1 = w.przelacznik1;
    o.przel2 = w.przelacznik2;
    for (int i = 0; i < 4; ++i)
        o.cyfry[i] = w.wyswietlacz[static_cast<std::size_t>(i)] >> 4;
    o.pradCzynny = std::abs(o.pradBiernSr) < std::abs(o.pradCalkSr)
                       ? std::sqrt(o.pradCalkSr * o.pradCalkSr - o.pradBiernSr * o.pradBiernSr)
                       : std::abs(o.pradBiernSr);
    o.tgFi = o.pradCzynny == 0 ? 9.999 : o.pradBiernSr / o.pradCzynny;
    return o;
}
