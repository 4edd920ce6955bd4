#include "budzik.h"

Budzik::Budzik(QObject *wlasciciel, const Zegar &zegar, DataCzas wyjscie, std::chrono::milliseconds czas)
    : m_zegar(zegar), m_timer(new QTimer(wlasciciel)), m_termin(wyjscie.plusMs(czas.count()))
{
    m_timer->setSingleShot(true);
    // A coarse timer may fire up to 5 % early or late; the time-out is
    // measured in wall-clock seconds, so the sleeps should be honest.
    m_timer->setTimerType(Qt::PreciseTimer);
    m_timer->setInterval(czas);
    QObject::connect(m_timer.data(), &QTimer::timeout, m_timer.data(), [this] { obudz(); });
}

Budzik::~Budzik()
{
    for (const QMetaObject::Connection &c : std::as_const(m_sygnaly))
        QObject::disconnect(c);
    if (m_timer) {
        m_timer->stop();
        m_timer->disconnect();
        // This may run inside the timer's own timeout signal.
        m_timer->deleteLater();
    }
}

void Budzik::usnij(std::coroutine_handle<> h)
{
    m_uspiony = h;
    if (m_timer && !m_timer->isActive())
        m_timer->start();
}

void Budzik::przyspiesz()
{
    const DataCzas teraz = m_zegar.teraz();
    if (teraz < m_termin)
        m_termin = teraz;
    // Resume from the event loop, not from inside whoever emitted.
    m_timer->start(0);
}

void Budzik::obudz()
{
    const std::coroutine_handle<> h = m_uspiony;
    m_uspiony = {};
    if (h)
        h.resume();
}
