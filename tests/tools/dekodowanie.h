#pragma once

#include <QByteArray>

#include <cmath>

// The station's reading of a 32-byte measurement block, written out here so
// the simulator's tests check its bytes against the decoding the station
// applies, not against the simulator's own arithmetic.
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
    auto u = [&](int i) { return qint64(quint8(b.at(i))); };
    auto int16 = [&](int i) {
        qint64 v = u(i) * 256 + u(i + 1);
        return v > 32767 ? v - 65536 : v;
    };
    auto long32 = [&](int i) {
        qint64 v = u(i) * 16777216 + u(i + 1) * 65536 + u(i + 2) * 256 + u(i + 3);
        return v > 2147483647 ? v - 4294967296LL : v;
    };
    const double ke = std::sqrt(3.0) / 100.0 * przekladnia * skala * przNap * 400.0 / 3600000.0;
    const double ki = przekladnia / 200.0;
    OdczytBloku o;
    o.napiecie = double(int16(15)) * skala * przNap;
    o.calkSurowy = u(0) * 16777216 + u(1) * 65536 + u(2) * 256 + u(3);
    o.pradCalkSr = double(o.calkSurowy) * ke;
    o.pradBiernPojSr = double(long32(4)) * ke;
    o.pradBiernSr = double(long32(8)) * ke;
    o.timerU = u(12) * 65536 + u(13) * 256 + u(14);
    o.pradBierny = double(int16(17)) * ki;
    o.pradCalk = double(int16(19)) * ki;
    o.faza = int(int16(21));
    const qint64 p = int16(23) + 1;
    o.okres = p != 0 ? 115200.0 / double(p) : 0;
    o.przel1 = quint8(b.at(25));
    o.przel2 = quint8(b.at(26));
    for (int i = 0; i < 4; ++i)
        o.cyfry[i] = quint8(b.at(27 + i)) >> 4;
    o.pradCzynny = std::abs(o.pradBiernSr) < std::abs(o.pradCalkSr)
                       ? std::sqrt(o.pradCalkSr * o.pradCalkSr - o.pradBiernSr * o.pradBiernSr)
                       : std::abs(o.pradBiernSr);
    o.tgFi = o.pradCzynny == 0 ? 9.999 : o.pradBiernSr / o.pradCzynny;
    return o;
}
