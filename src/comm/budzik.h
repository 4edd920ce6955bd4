#pragma once

#include "platform/datacz.h"
#include "platform/zegar.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <chrono>
#include <coroutine>

// One sleep of a waiting coroutine: `co_await budzik.sen()` hands control
// back to the event loop and resumes the coroutine when the time has passed or, sooner,
// when a watched signal fires. The coroutine is always resumed from the
// event loop (never from inside the emitter of the signal), and never
// before the event loop has run at least once.
//
// The timer belongs to `wlasciciel`: if the owner is destroyed while the
// coroutine sleeps, the coroutine is simply never resumed.
class Budzik final
{
public:
    Budzik(QObject *wlasciciel, const Zegar &zegar, DataCzas wyjscie, std::chrono::milliseconds czas);
    ~Budzik();
    Budzik(const Budzik &) = delete;
    Budzik &operator=(const Budzik &) = delete;

    template <typename Nadawca, typename Sygnal> void budzPrzy(Nadawca *nadawca, Sygnal sygnal)
    {
        if (nadawca && m_timer)
            m_sygnaly.append(QObject::connect(nadawca, sygnal, m_timer.data(), [this] { przyspiesz(); }));
    }

    // The awaitable; a plain pointer, as gcc 12 copies an awaiter that is
    // awaited as an lvalue. Its result is the clock reading at which the
    // coroutine was due to run again: the end of its time, or the moment
    // the signal came if that was sooner.
    struct Sen {
        Budzik *b;
        bool await_ready() const noexcept { return false; }
        void await_suspend(std::coroutine_handle<> h) { b->usnij(h); }
        DataCzas await_resume() const noexcept { return b->m_termin; }
    };
    Sen sen() { return Sen{this}; }

private:
    void usnij(std::coroutine_handle<> h);
    void przyspiesz();
    void obudz();

    const Zegar &m_zegar;
    QPointer<QTimer> m_timer;
    DataCzas m_termin;
    std::coroutine_handle<> m_uspiony;
    // Cut when the sleep ends: the timer outlives it until deleteLater.
    QList<QMetaObject::Connection> m_sygnaly;
};
