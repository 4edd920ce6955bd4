#include "clskolejka.h"

#include "clcomm.h"
#include "logi.h"

#include <algorithm>
#include <stdexcept>

namespace
{
template <typename Kontener> auto znajdzKlucz(Kontener &k, const QString &klucz)
{
    return std::find_if(k.begin(), k.end(), [&klucz](const clsPozKolejki &p) { return p.klucz == klucz; });
}
} // namespace

const clsPozKolejki &clsKolejka::Add(int nrRegulatora, Polecenie polecenie, quint8 status, const QString &sKey)
{
    if (!sKey.isEmpty() && znajdzKlucz(m_pozycje, sKey) != m_pozycje.end())
        throw std::invalid_argument("queue key already present");
    clsPozKolejki p;
    p.NrRegul = nrRegulatora;
    p.polecenie = std::move(polecenie);
    p.Status = status;
    p.klucz = sKey;
    m_pozycje.push_back(std::move(p));
    return m_pozycje.back();
}

const clsPozKolejki &clsKolejka::Item(int pozycja) const
{
    if (pozycja < 1 || pozycja > Count())
        throw std::out_of_range("no queue item at this position");
    return m_pozycje[static_cast<std::size_t>(pozycja - 1)];
}

const clsPozKolejki &clsKolejka::Item(const QString &klucz) const
{
    const auto it = klucz.isEmpty() ? m_pozycje.end() : znajdzKlucz(m_pozycje, klucz);
    if (it == m_pozycje.end())
        throw std::out_of_range("no queue item with this key");
    return *it;
}

void clsKolejka::Remove(int pozycja)
{
    if (pozycja < 1 || pozycja > Count())
        throw std::out_of_range("no queue item at this position");
    m_pozycje.erase(m_pozycje.begin() + (pozycja - 1));
}

void clsKolejka::Remove(const QString &klucz)
{
    const auto it = klucz.isEmpty() ? m_pozycje.end() : znajdzKlucz(m_pozycje, klucz);
    if (it == m_pozycje.end())
        throw std::out_of_range("no queue item with this key");
    m_pozycje.erase(it);
}

QCoro::Task<bool> clsKolejka::Wykonaj()
{
    if (m_pozycje.empty())
        co_return false;
    // Off the queue before it runs: while it waits for the line, another
    // call sees the next item, and this one can neither run twice nor be
    // dropped unrun.
    clsPozKolejki pozycja = std::move(m_pozycje.front());
    m_pozycje.pop_front();
    if (!m_wykonawca)
        co_return false;
    const Wykonawca wykonawca = m_wykonawca;
    try {
        QCoro::Task<void> zadanie = wykonawca(std::move(pozycja));
        co_await zadanie;
    } catch (const PrzerwanieLinii &) {
        throw; // the station is stopping: the tick ends with it
    } catch (const std::exception &e) {
        // One bad item (a controller gone from the registry) must not stop
        // the scheduler.
        qCWarning(lcComm) << "queued command failed:" << e.what();
    } catch (...) {
        qCWarning(lcComm) << "queued command failed";
    }
    co_return false;
}
