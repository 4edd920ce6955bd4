#pragma once

#include "comm/clcomm.h"
#include "comm/komunikator.h"
#include "portpamieciowy.h"
#include "testsupport.h"

#include <QCoro/QCoroTask>
#include <QHash>
#include <QTimer>

#include <memory>
#include <stdexcept>

// A link over the in-memory port with a small registry: controller 1 is at
// address 0x05, controller 2 at 0x11, controller 3 at an address no bus can
// carry. Every other number is unknown.
struct Stanowisko {
    explicit Stanowisko(const Zegar &zegar) : comm(zegar, komunikaty)
    {
        auto p = std::make_unique<PortPamieciowy>();
        port = p.get();
        comm.ustawPort(std::move(p));
        comm.otworz(QStringLiteral("/dev/ttyTEST0"), nullptr);
        comm.ustawAdresy([this](int nr) {
            if (!adresy.contains(nr))
                throw std::out_of_range("no controller with this number");
            return adresy.value(nr);
        });
    }
    KomunikatyTestowe komunikaty;
    clComm comm;
    PortPamieciowy *port = nullptr;
    QHash<int, int> adresy{{1, 0x05}, {2, 0x11}, {3, 0x1FF}};
};

// The scheduler's side of the dispatcher: timer1 stops when the line is
// taken and starts again when the last command has ended.
inline void polaczTimer1(Komunikator &k, QTimer &timer1)
{
    QObject::connect(&k, &Komunikator::wymianaRozpoczeta, &timer1, &QTimer::stop);
    QObject::connect(&k, &Komunikator::wymianyZakonczone, &timer1, qOverload<>(&QTimer::start));
}

inline QByteArray hex(const char *h)
{
    return QByteArray::fromHex(QByteArray(h));
}
