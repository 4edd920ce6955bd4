#include "komunikator.h"

#include "clcomm.h"

Komunikator::Komunikator(clComm &comm, QObject *parent) : QObject(parent), m_comm(comm) {}

// The scheduler hears of the first command starting and of the last one
// ending, whatever ran in between: a command started from the event loop
// while another waits cannot let a scheduler tick in before it has finished.
class Komunikator::Wstrzymanie final
{
public:
    explicit Wstrzymanie(Komunikator &k) : m_k(k)
    {
        if (m_k.m_wToku++ == 0)
            Q_EMIT m_k.wymianaRozpoczeta();
    }
    ~Wstrzymanie()
    {
        if (--m_k.m_wToku == 0)
            Q_EMIT m_k.wymianyZakonczone();
    }
    Wstrzymanie(const Wstrzymanie &) = delete;
    Wstrzymanie &operator=(const Wstrzymanie &) = delete;

private:
    Komunikator &m_k;
};

QCoro::Task<bool> Komunikator::WykonajRozkaz(int nrRegulatora, QString rozkaz, DaneRozkazu *dane, int parametr)
{
    Q_EMIT stanLinii(1);
    bool wynik = false;
    {
        const Wstrzymanie wstrzymanie(*this);
        try {
            wynik = co_await m_comm.WyslijRozkaz(nrRegulatora, rozkaz, dane, parametr);
        } catch (...) {
            // The error goes on to the caller, but the line state must not
            // stay "in progress".
            Q_EMIT stanLinii(2);
            throw;
        }
    }
    Q_EMIT stanLinii(wynik ? 0 : 2);
    co_return wynik;
}
