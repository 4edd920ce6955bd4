#include "komunikator.h"

#include "clcomm.h"

#include <QTimer>

Komunikator::Komunikator(clComm &comm, QObject *parent) : QObject(parent), m_comm(comm) {}

// Timer1 stays stopped while any command runs and is started again when the
// last one ends, whatever its state was before (re-enabling restarts its
// interval). A command started from the event loop while another waits
// therefore cannot let a scheduler tick in before it has finished.
class Komunikator::Wstrzymanie final
{
public:
    explicit Wstrzymanie(Komunikator &k) : m_k(k)
    {
        ++m_k.m_wToku;
        if (m_k.m_timer1)
            m_k.m_timer1->stop();
    }
    ~Wstrzymanie()
    {
        if (--m_k.m_wToku == 0 && m_k.m_timer1)
            m_k.m_timer1->start();
    }
    Wstrzymanie(const Wstrzymanie &) = delete;
    Wstrzymanie &operator=(const Wstrzymanie &) = delete;

private:
    Komunikator &m_k;
};

QCoro::Task<bool> Komunikator::WykonajRozkaz(int nrRegulatora, QString rozkaz, DaneRozkazu *dane, int parametr)
{
    Q_EMIT eKomunikacja(1);
    bool wynik = false;
    {
        const Wstrzymanie wstrzymanie(*this);
        try {
            wynik = co_await m_comm.WyslijRozkaz(nrRegulatora, rozkaz, dane, parametr);
        } catch (...) {
            // The error goes on to the caller, but the line state must not
            // stay "in progress".
            Q_EMIT eKomunikacja(2);
            throw;
        }
    }
    Q_EMIT eKomunikacja(wynik ? 0 : 2);
    co_return wynik;
}
