#pragma once

#include "platform/datacz.h"

#include <QByteArrayView>

#include <cstdint>
#include <span>

// What went over the wire, as the link sees it, for whoever watches the line
// (the line monitor). The link calls a watcher only while one is attached:
// with none, watching costs one pointer test per frame.
struct ZdarzenieLinii {
    enum class Rodzaj : std::uint8_t {
        Zapytanie,      // a request frame went out (or the line refused it: wyslano false)
        Odpowiedz,      // an answer came: wartosci and the raw bytes
        BrakOdpowiedzi, // the answer did not come in time (bajty: what came before the wait ended)
        Odrzucenie,     // the model refused the last block of this controller as implausible
    };
    Rodzaj rodzaj = Rodzaj::Zapytanie;
    DataCzas czas;
    int nrRegulatora = -1; // -1: a read by address (a scan)
    int adres = -1;
    const char *rozkaz = ""; // the command's name in the command table
    int lokacja = -1;        // the location of the last frame sent, -1 when none
    int proba = 1;           // the attempt of the command, 1 the first
    bool wyslano = true;
    std::int64_t opoznienieMs = -1; // answer: from the request frame to its first value, -1 unknown
    QByteArrayView bajty;           // raw wire bytes; valid only during the call
    std::span<const int> wartosci;  // answer values; valid only during the call
};

class ObserwatorLinii
{
public:
    virtual ~ObserwatorLinii() = default;
    virtual void naZdarzenie(const ZdarzenieLinii &z) = 0;
};
