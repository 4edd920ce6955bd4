#include "skaner.h"

#include "komunikator.h"
#include "platform/zegar.h"

#include <algorithm>

SkanerMagistrali::SkanerMagistrali(Komunikator &komunikator, const Zegar &zegar, QObject *parent)
    : QObject(parent), m_komunikator(komunikator), m_zegar(zegar)
{
}

QCoro::Task<QList<WynikSkanu>> SkanerMagistrali::skanuj(int od, int doAdresu)
{
    m_przerwij = false;
    od = std::clamp(od, 0, 0xFF);
    doAdresu = std::clamp(doAdresu, 0, 0xFF);
    QList<WynikSkanu> wyniki;
    const int wszystkie = std::max(0, doAdresu - od + 1);
    const std::int64_t start = m_zegar.msMonotoniczne();
    const OpcjeWymiany pytanie{.proby = 1, .czasOdpowiedziMs = czasOdpowiedziMs};
    // An address that answered is there: its stage bytes get a repeat.
    const OpcjeWymiany stopnie{.proby = 2, .czasOdpowiedziMs = czasOdpowiedziMs};
    for (int adres = od; adres <= doAdresu && !m_przerwij; ++adres) {
        const int zrobione = adres - od;
        const std::int64_t uplynelo = m_zegar.msMonotoniczne() - start;
        const qint64 pozostalo =
            zrobione > 0 ? uplynelo * (wszystkie - zrobione) / zrobione : std::int64_t{wszystkie} * czasOdpowiedziMs;
        Q_EMIT postep(adres, zrobione, wszystkie, pozostalo);

        WynikSkanu w;
        w.adres = adres;
        DaneRozkazu d;
        if (co_await m_komunikator.CzytajNaAdres(adres, QStringLiteral("CZYTAJ_BLOK"), &d, pytanie)) {
            w.odpowiada = true;
            w.blokada = d.wartosc;
            if (co_await m_komunikator.CzytajNaAdres(adres, QStringLiteral("CZYTAJ_KOND1"), &d, stopnie))
                w.stopnie1 = d.wartosc;
            if (co_await m_komunikator.CzytajNaAdres(adres, QStringLiteral("CZYTAJ_KOND2"), &d, stopnie))
                w.stopnie2 = d.wartosc;
            Q_EMIT znaleziony(w);
        }
        wyniki.append(w);
    }
    if (!m_przerwij)
        Q_EMIT postep(doAdresu, wszystkie, wszystkie, 0);
    co_return wyniki;
}
