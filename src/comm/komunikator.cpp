#include "komunikator.h"

#include "protokol/protokol.h"

#include <stdexcept>

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
    // The three commands of a measurement block: one that fails is a failed
    // reading (a refused block is counted where it is refused).
    if (!wynik) {
        for (const char *c : {"DAJ_DANE", "CZYTAJ", "CZYTAJ32"})
            if (rozkaz.compare(QLatin1String(c), Qt::CaseInsensitive) == 0)
                m_comm.statystyka().odczytNieudany(nrRegulatora);
    }
    co_return wynik;
}

QCoro::Task<bool> Komunikator::CzytajNaAdres(int adres, QString rozkaz, DaneRozkazu *dane, OpcjeWymiany opcje)
{
    const protokol::OpisRozkazu *opis = protokol::znajdzRozkaz(rozkaz.toUpper());
    if (!opis || opis->rodzaj != protokol::RodzajRozkazu::Odczyt)
        throw std::invalid_argument("a read by address takes only a command that sends one read frame");
    const Wstrzymanie wstrzymanie(*this);
    co_return co_await m_comm.WyslijRozkazNaAdres(adres, std::move(rozkaz), dane, opcje);
}
