#pragma once

// A controller behind the in-memory port: it answers the request frames of
// the wire protocol from its own memory of locations, as the device does.

#include "portpamieciowy.h"
#include "stanowisko.h"

#include <QByteArray>
#include <QStringList>

#include <array>
#include <memory>

struct SterownikPamieciowy {
    int adres = 5;
    std::array<int, 256> pamiec{}; // locations 0x2F, 0x6A, 0x70.., 0x90, 0xA0, 0xB0
    int bajtCzytaj = 0x55;         // the first of the 33 answer bytes of DAJ_DANE
    std::array<int, 32> blok{};    // the measurement block
    bool milczy = false;

    // A received 0x02 takes the next byte with it, so the value 2 goes as 02 02.
    static QByteArray bajt(int v)
    {
        const char c = static_cast<char>(v & 0xFF);
        return c == 0x02 ? QByteArray("\x02\x02", 2) : QByteArray(1, c);
    }

    QByteArray odpowiedz(const QByteArray &r)
    {
        if (milczy || r.size() < 4 || static_cast<quint8>(r[0]) != 0x02 || static_cast<quint8>(r[1]) != adres)
            return {};
        const int lokacja = static_cast<quint8>(r[2]);
        switch (static_cast<quint8>(r[3])) {
        case 0x01:
        case 0x03:
            if (r.size() >= 5)
                pamiec[static_cast<std::size_t>(lokacja)] = static_cast<quint8>(r[4]);
            return {};
        case 0x04:
        case 0x05:
            return bajt(pamiec[static_cast<std::size_t>(lokacja)]);
        case 0x06: {
            QByteArray a = bajt(bajtCzytaj);
            for (int b : blok)
                a += bajt(b);
            return a;
        }
        default:
            return {};
        }
    }
};

// The line end of a test: the controller and the port that reaches it.
struct Linia {
    SterownikPamieciowy sterownik;
    PortPamieciowy *port = nullptr;

    std::unique_ptr<PortSzeregowy> otworzPort()
    {
        auto p = std::make_unique<PortPamieciowy>();
        p->otworz(QStringLiteral("pamiec"));
        p->ustawOdpowiadacz([this](const QByteArray &ramka) { return sterownik.odpowiedz(ramka); });
        port = p.get();
        return p;
    }
};

// A model whose line leads to one answering controller, registered as
// controller 1 "K5" at address 5, with a 200/5 current transformer in the
// 380 V class, no thresholds, and the database open.
struct StanowiskoLinii : Linia, StanowiskoModelu {
    clRegulator &r;

    explicit StanowiskoLinii(std::unique_ptr<Zegar> zegar = {})
        : StanowiskoModelu(otworzPort(), std::move(zegar)),
          r(rejestr.Add(5, QStringLiteral("K5"), QStringLiteral("K5")))
    {
        r.Id = 1;
        r.Przekladnia = 40;
        r.SkalaNapiecia = 1.0f;
        r.PrzekladniaNap = 1;
        r.CzestOdczytu = 15;
        r.ProgNapiecie = r.ProgPrad = r.ProgTgFiMax = 1.0e9f;
        r.ProgTgFiMin = -1.0e9f;

        // Counters 10 000 000 (total), 0 (capacitive) and 6 000 000 (reactive), timer 900, 230 V,
        // 500 -> 100 A, 1000 -> 200 A, 50 Hz and the panel bytes, where 2 travels as 02 02.
        const QByteArray b = QByteArray::fromHex("00989680 00000000 005B8D80 000384 00E6 01F4 03E8 0000 08FF "
                                                 "02 11 21 31 41 51");
        for (int i = 0; i < b.size(); ++i)
            sterownik.blok[static_cast<std::size_t>(i)] = static_cast<quint8>(b[i]);
        sterownik.pamiec[0x90] = 0xFB;
        sterownik.pamiec[0xA0] = 0x7F;
        sterownik.pamiec[0xB0] = 0x33;
        sterownik.pamiec[0x2F] = 0x41;
    }

    // Bytes of the controller's block from index od on, given in hex.
    void ustawBlok(int od, const char *hex)
    {
        const QByteArray b = QByteArray::fromHex(hex);
        for (int i = 0; i < b.size(); ++i)
            sterownik.blok[static_cast<std::size_t>(od + i)] = static_cast<quint8>(b[i]);
    }

    QStringList ramki() const
    {
        QStringList r;
        for (const QByteArray &b : port->zapisane)
            r << QString::fromLatin1(b.toHex());
        return r;
    }
};
