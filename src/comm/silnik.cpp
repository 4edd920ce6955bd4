// The command engine: turns a named command into request frames and takes
// its answer off the line.
#include "budzik.h"
#include "clcomm.h"
#include "platform/komunikaty.h"
#include "protokol/protokol.h"

#include <stdexcept>

using namespace std::chrono_literals;

// The busy flag for the length of one exchange; cleared on every way out,
// an exception included, so a failed command never blocks later ones.
class clComm::Zajecie final
{
public:
    explicit Zajecie(clComm &c) : m_c(c) { m_c.Zajety = true; }
    ~Zajecie()
    {
        m_c.Zajety = false;
        Q_EMIT m_c.zwolniony();
    }
    Zajecie(const Zajecie &) = delete;
    Zajecie &operator=(const Zajecie &) = delete;

private:
    clComm &m_c;
};

int clComm::adresRegulatora(int nrRegulatora) const
{
    if (!m_adres)
        throw std::out_of_range("no controller registry attached to the link");
    const int adres = m_adres(nrRegulatora);
    if (adres < 0 || adres > 0xFF)
        throw std::out_of_range("controller address outside 0..255");
    return adres;
}

QCoro::Task<bool> clComm::WyslijRozkaz(int nrRegulatora, QString rozkaz, DaneRozkazu *dane, int parametr)
{
    co_return co_await wykonaj(nrRegulatora, -1, std::move(rozkaz), dane, parametr, OpcjeWymiany{});
}

QCoro::Task<bool> clComm::WyslijRozkazNaAdres(int adres, QString rozkaz, DaneRozkazu *dane, OpcjeWymiany opcje)
{
    if (adres < 0 || adres > 0xFF)
        throw std::out_of_range("bus address outside 0..255");
    co_return co_await wykonaj(-1, adres, std::move(rozkaz), dane, protokol::bezParametru, opcje);
}

QCoro::Task<bool> clComm::wykonaj(int nrRegulatora, int adresStaly, QString rozkaz, DaneRozkazu *dane, int parametr,
                                  OpcjeWymiany opcje)
{
    // Another command started from the event loop while an exchange waits
    // for its answer: it waits its turn, so the bytes of two exchanges never
    // mix. The sleep is bounded, so a missed signal cannot hang it either.
    while (Zajety && !m_przerwany) {
        Budzik budzik(this, m_zegar, m_zegar.teraz(), 250ms);
        budzik.budzPrzy(this, &clComm::zwolniony);
        budzik.budzPrzy(this, &clComm::przerwano);
        co_await budzik.sen();
    }
    if (m_przerwany)
        throw PrzerwanieLinii();
    const Zajecie zajecie(*this);
    // The exchange's line time and its context, for the statistics and the
    // watcher, on every way out.
    struct Obrachunek {
        clComm &c;
        std::int64_t poczatekMs;
        ~Obrachunek()
        {
            if (c.m_biezaca.nr >= 0)
                c.m_statystyka.czasLinii(c.m_biezaca.nr, c.m_zegar.msMonotoniczne() - poczatekMs);
            // The location stays: CZYTAJ and CZYTAJ32 answer DAJ_DANE's frame.
            c.m_biezaca = Biezaca{.lokacja = c.m_biezaca.lokacja};
            c.m_czasOdpowiedziMs = 0;
        }
    } obrachunek{*this, m_zegar.msMonotoniczne()};
    m_czasOdpowiedziMs = opcje.czasOdpowiedziMs;

    DaneRozkazu zapas;
    DaneRozkazu &d = dane ? *dane : zapas;
    const QString nazwa = rozkaz.toUpper();
    const protokol::OpisRozkazu *opis = protokol::znajdzRozkaz(nazwa);
    m_biezaca.nr = nrRegulatora;
    m_biezaca.rozkaz = opis ? opis->nazwa : "?";

    bool sukces = false;
    bool przerwij = false;
    for (int proba = 1; !sukces && !przerwij && proba <= opcje.proby; ++proba) {
        // Looked up anew in every attempt: the registry may change meanwhile.
        const int adres = adresStaly >= 0 ? adresStaly : adresRegulatora(nrRegulatora);
        m_biezaca.adres = adres;
        m_biezaca.proba = proba;
        if (proba > 1 && nrRegulatora >= 0)
            m_statystyka.powtorzenie(nrRegulatora);
        if (!opis) {
            m_komunikaty.pokaz(QStringLiteral("Nieznany rozkaz: '") + nazwa + QLatin1Char('\''),
                               QStringLiteral("Błąd - moduł oCOmm"), Ikona::Krytyczna);
            continue;
        }
        const QList<QByteArray> ramki = protokol::ramkiRozkazu(*opis, adres, parametr);
        switch (opis->rodzaj) {
        case protokol::RodzajRozkazu::Zapis:
            sukces = WyslijStr(ramki.at(0));
            break;
        case protokol::RodzajRozkazu::Odczyt:
            // No answer can come to a frame that never left.
            if (WyslijStr(ramki.at(0)))
                sukces = co_await CzytajDaneN(d.wartosc);
            break;
        case protokol::RodzajRozkazu::Czytaj:
            sukces = co_await CzytajDaneN(d.wartosc);
            break;
        case protokol::RodzajRozkazu::Czytaj32:
            sukces = co_await CzytajDane32(d);
            break;
        case protokol::RodzajRozkazu::UstawBlok:
            // The write is judged by the read-back, not by the first frame.
            WyslijStr(ramki.at(0));
            if (WyslijStr(ramki.at(1)))
                sukces = co_await CzytajDaneN(d.wartosc);
            break;
        case protokol::RodzajRozkazu::Diody:
            for (int i = 0; i < 3; ++i) {
                bool odczytany = false;
                if (WyslijStr(ramki.at(i)))
                    odczytany = co_await CzytajDaneN(d.bajty[static_cast<std::size_t>(i + 1)]);
                if (odczytany) {
                    sukces = i == 2;
                    continue;
                }
                // A controller that does not answer the first two frames is
                // not asked again; a missing third answer repeats all three.
                if (i < 2)
                    przerwij = true;
                break;
            }
            break;
        }
        // A line that is down until its next reopening attempt refuses every
        // attempt alike; the command fails now rather than four times over.
        if (!sukces && !liniaGotowa())
            przerwij = true;
    }
    co_return sukces;
}
