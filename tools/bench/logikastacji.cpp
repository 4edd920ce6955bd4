#include "logikastacji.h"

#include "app/start.h"
#include "baza/bladbazy.h"
#include "baza/polaczenie.h"
#include "baza/sqlpomoc.h"
#include "cisza.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QSqlQuery>

#include <algorithm>
#include <cmath>
#include <cstdio>

Przestoje::Przestoje(int faz) : m_maks(static_cast<size_t>(faz), 0)
{
    m_zegar.start();
    m_probka.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_probka, &QTimer::timeout, [this] {
        const qint64 t = m_zegar.elapsed();
        if (m_poprzedni >= 0)
            m_maks[static_cast<size_t>(m_faza)] = std::max(m_maks[static_cast<size_t>(m_faza)], t - m_poprzedni - 10);
        m_poprzedni = t;
    });
    m_probka.start(10);
}

std::unique_ptr<Kontekst> uruchomStacje(const QString &port, const QString &polaczenie)
{
    Platforma p;
    p.zegar = std::make_unique<ZegarSystemowy>();
    p.ustawienia = std::make_unique<UstawieniaPuste>(polaczenie);
    p.komunikaty = std::make_unique<KomunikatyNaKonsole>();
    p.dzwiek = std::make_unique<DzwiekCichy>();
    p.fabrykaPortow = utworzPortQt;
    auto k = std::make_unique<Kontekst>(std::move(p));
    try {
        Start::otworzBazeIWczytaj(*k);
    } catch (const BladBazy &e) {
        std::fprintf(stderr, "the station does not start: %s\n", qPrintable(e.opis()));
        return nullptr;
    }
    QString blad;
    if (!k->oComm.otworz(port, &blad)) {
        std::fprintf(stderr, "port %s: %s\n", qPrintable(port), qPrintable(blad));
        return nullptr;
    }
    return k;
}

qint64 zatrzymajStacje(Kontekst &k)
{
    Start::zatrzymajPrace(k);
    while (k.harmonogram.wTakcie())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const qint64 czekaly = k.zapisPomiarow.zalegle();
    QCoro::waitFor(Start::zamknij(k));
    return czekaly;
}

WynikPomiarow sprawdzPomiary(const ZrodloBazy &baza, int regulatorow)
{
    WynikPomiarow w;
    Polaczenie cn;
    cn.otworzDoOdczytu(baza);
    for (int a = 1; a <= regulatorow; ++a) {
        QSqlQuery q(cn.db());
        sqlpomoc::wykonaj(q, QStringLiteral("SELECT Data, EnCzynna FROM Pomiary WHERE Adres = ? ORDER BY Data"), {a});
        QList<qint64> minuty;
        int wierszy = 0;
        double suma = 0;
        while (q.next()) {
            ++wierszy;
            suma += sqlpomoc::wartosc(q, 1).toDouble();
            const qint64 m =
                QDateTime::fromString(sqlpomoc::wartosc(q, 0).toString().left(16), QStringLiteral("yyyy-MM-dd HH:mm"))
                    .toSecsSinceEpoch() /
                60;
            if (minuty.isEmpty() || minuty.last() != m)
                minuty.append(m);
        }
        const int utraconych =
            minuty.size() > 1 ? static_cast<int>(minuty.last() - minuty.at(1) + 1 - (minuty.size() - 1)) : 0;
        QSqlQuery o(cn.db());
        sqlpomoc::wykonaj(o, QStringLiteral("SELECT PopPradCzynny FROM OstPomiar WHERE Adres = ?"), {a});
        const double licznik = o.next() ? sqlpomoc::wartosc(o, 0).toDouble() : 0;
        const double rozbieznosc = std::fabs(suma - licznik) / std::max(1.0, licznik);
        std::printf("  controller %d: %d rows, %d grid minutes lost; stored active energy %.3f, counter %.3f "
                    "(gap %.2g of it)\n",
                    a, wierszy, utraconych, suma, licznik, rozbieznosc);
        w.wierszy += wierszy;
        w.utraconych += utraconych;
        w.najwiekszaRozbieznosc = std::max(w.najwiekszaRozbieznosc, rozbieznosc);
    }
    return w;
}
