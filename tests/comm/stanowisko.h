#pragma once

#include "comm/clcomm.h"
#include "portpamieciowy.h"
#include "testsupport.h"

#include <QCoro/QCoroTask>
#include <QHash>

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

// The result of a task run to its end; an exception is caught and its text
// kept, because an exception escaping QCoro::waitFor would hang it.
template <typename T> struct Wynik {
    T wartosc{};
    QString wyjatek;
};

template <typename T> QCoro::Task<void> przechwyc(QCoro::Task<T> zadanie, Wynik<T> *w)
{
    try {
        w->wartosc = co_await zadanie;
    } catch (const std::exception &e) {
        w->wyjatek = QString::fromUtf8(e.what());
    }
}

template <typename T> Wynik<T> uruchom(QCoro::Task<T> &&zadanie)
{
    Wynik<T> w;
    QCoro::waitFor(przechwyc(std::move(zadanie), &w));
    return w;
}

inline QByteArray hex(const char *h)
{
    return QByteArray::fromHex(QByteArray(h));
}
