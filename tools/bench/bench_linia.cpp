// Line diagnostics benchmark.
// (1) The line monitor's cost: the reading exchange set of one controller
//     (CZYTAJ_DIODY, DAJ_DANE, CZYTAJ, CZYTAJ32: 4 frames, 5 answers)
//     through the real dispatcher and link on a port that answers at once,
//     timed and with its heap allocations counted (malloc, calloc and
//     realloc, which Qt's containers and operator new both come down to),
//     with the monitor never opened, open (its recorder attached) and closed
//     again.
// (2) The scan: 1..32 and 1..247 against tolvek-sim on a pseudo-terminal
//     (addresses 1, 2, 3, 5, 8 emulated), paced at 4800 baud.
// Usage: tolvek-bench-linia [exchange-sets] [--bez-skanu]
#include "comm/clcomm.h"
#include "comm/komunikator.h"
#include "comm/podglad.h"
#include "comm/skaner.h"
#include "platform/komunikaty.h"
#include "platform/zegar.h"
#include "protokol/protokol.h"

#include <QCoreApplication>
#include <QCoro/QCoroTask>
#include <QElapsedTimer>
#include <QProcess>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>

namespace
{
std::atomic<std::uint64_t> g_przydzialy{0};
} // namespace

// glibc's own entry points under the public names: every heap allocation of
// the process passes here.
extern "C" {
void *__libc_malloc(std::size_t);
void *__libc_calloc(std::size_t, std::size_t);
void *__libc_realloc(void *, std::size_t);
void *malloc(std::size_t n)
{
    g_przydzialy.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(n);
}
void *calloc(std::size_t n, std::size_t r)
{
    g_przydzialy.fetch_add(1, std::memory_order_relaxed);
    return __libc_calloc(n, r);
}
void *realloc(void *p, std::size_t n)
{
    g_przydzialy.fetch_add(1, std::memory_order_relaxed);
    return __libc_realloc(p, n);
}
}

namespace
{

class KomunikatyCiche final : public Komunikaty
{
public:
    void pokaz(const QString &, const QString &, Ikona) override {}
    Odpowiedz pytaj(const QString &, const QString &, Ikona) override { return Odpowiedz::OK; }
    void informuj(const QString &, const QString &, Ikona) override {}
};

// A controller that answers in the same instant: only the station's own
// work is measured.
class PortNatychmiastowy final : public PortSzeregowy
{
public:
    bool otworz(const QString &) override { return m_otwarty = true; }
    QString opisBledu() const override { return {}; }
    void zamknij() override { m_otwarty = false; }
    bool otwarty() const override { return m_otwarty; }
    qint64 ileCzeka() const override { return m_we.size() - m_poz; }
    void wyczyscWejscie() override
    {
        m_we.clear();
        m_poz = 0;
    }
    bool zapisz(const QByteArray &b) override
    {
        const int kod = static_cast<std::uint8_t>(b.at(3));
        if (kod == protokol::kodDajBlok) {
            m_we.append(char(0x01));
            for (int i = 0; i < protokol::dlugoscBloku; ++i)
                m_we.append(char(0x10 + i));
        } else if (kod == protokol::kodCzytaj || kod == protokol::kodCzytajB) {
            m_we.append(char(0x41));
        }
        return true;
    }
    int czytajBajt() override { return m_poz < m_we.size() ? static_cast<std::uint8_t>(m_we.at(m_poz++)) : -1; }

private:
    bool m_otwarty = false;
    QByteArray m_we;
    qsizetype m_poz = 0;
};

struct Pomiar {
    double usNaZestaw = 0;
    double przydzialowNaZestaw = 0;
};

QCoro::Task<Pomiar> zestawy(Komunikator &k, int ile)
{
    DaneRozkazu d;
    for (int i = 0; i < 50; ++i) { // warm-up: the statistics' first row, Qt's caches
        co_await k.WykonajRozkaz(1, QStringLiteral("Czytaj_Diody"), &d);
        co_await k.WykonajRozkaz(1, QStringLiteral("daj_dane"));
        co_await k.WykonajRozkaz(1, QStringLiteral("czytaj"), &d);
        co_await k.WykonajRozkaz(1, QStringLiteral("czytaj32"), &d);
    }
    const std::uint64_t przed = g_przydzialy;
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < ile; ++i) {
        co_await k.WykonajRozkaz(1, QStringLiteral("Czytaj_Diody"), &d);
        co_await k.WykonajRozkaz(1, QStringLiteral("daj_dane"));
        co_await k.WykonajRozkaz(1, QStringLiteral("czytaj"), &d);
        co_await k.WykonajRozkaz(1, QStringLiteral("czytaj32"), &d);
    }
    const double ns = static_cast<double>(t.nsecsElapsed());
    co_return Pomiar{ns / 1000.0 / ile, static_cast<double>(g_przydzialy - przed) / ile};
}

QCoro::Task<void> koszt(int ile)
{
    ZegarSystemowy zegar;
    KomunikatyCiche komunikaty;
    clComm comm(zegar, komunikaty);
    comm.ustawPort(std::make_unique<PortNatychmiastowy>());
    comm.ustawAdresy([](int) { return 1; });
    QString blad;
    comm.otworz(QStringLiteral("pamiec"), &blad);
    Komunikator k(comm);
    std::printf("Line monitor cost: %d reading exchange sets (4 frames, 5 answers each), answered at once;\n"
                "the three modes alternate in 5 rounds, the fastest round of each counts\n",
                ile);
    Pomiar zamkniety{1e18, 0}, otwarty{1e18, 0}, ponownieZamkniety{1e18, 0};
    const auto najlepszy = [](Pomiar &m, const Pomiar &p) {
        m.usNaZestaw = std::min(m.usNaZestaw, p.usNaZestaw);
        m.przydzialowNaZestaw = p.przydzialowNaZestaw;
    };
    PodgladLinii podglad;
    for (int runda = 0; runda < 5; ++runda) {
        PodgladLinii *nigdy = nullptr;
        comm.ustawObserwatora(nigdy);
        if (runda == 0)
            najlepszy(zamkniety, co_await zestawy(k, ile / 5));
        comm.ustawObserwatora(&podglad);
        najlepszy(otwarty, co_await zestawy(k, ile / 5));
        comm.ustawObserwatora(nullptr);
        najlepszy(ponownieZamkniety, co_await zestawy(k, ile / 5));
    }
    const auto wiersz = [](const char *co, const Pomiar &p) {
        std::printf("  %-28s %8.1f us/set  %7.2f allocations/set\n", co, p.usNaZestaw, p.przydzialowNaZestaw);
    };
    wiersz("monitor never opened", zamkniety);
    wiersz("monitor open", otwarty);
    wiersz("monitor closed again", ponownieZamkniety);
    const double zamknietyUs = std::min(zamkniety.usNaZestaw, ponownieZamkniety.usNaZestaw);
    std::printf("  monitor open adds %.1f us (%.0f %%) and %.2f allocations per set (%.2f per line of the monitor)\n",
                otwarty.usNaZestaw - zamknietyUs, 100.0 * (otwarty.usNaZestaw - zamknietyUs) / zamknietyUs,
                otwarty.przydzialowNaZestaw - zamkniety.przydzialowNaZestaw,
                (otwarty.przydzialowNaZestaw - zamkniety.przydzialowNaZestaw) / 9.0);
    std::printf("  closed: %+.2f allocations per set against never opened\n",
                ponownieZamkniety.przydzialowNaZestaw - zamkniety.przydzialowNaZestaw);
}

QCoro::Task<void> skan(const QString &port)
{
    ZegarSystemowy zegar;
    KomunikatyCiche komunikaty;
    clComm comm(zegar, komunikaty);
    Komunikator k(comm);
    QString blad;
    if (!comm.otworz(port, &blad)) {
        std::printf("port %s: %s\n", qPrintable(port), qPrintable(blad));
        co_return;
    }
    std::printf("Scan against tolvek-sim (addresses 1,2,3,5,8; 20 ms answer delay; 4800 baud):\n");
    for (const int doAdresu : {32, 247}) {
        SkanerMagistrali s(k, zegar);
        QElapsedTimer t;
        t.start();
        const QList<WynikSkanu> w = co_await s.skanuj(1, doAdresu);
        int ile = 0;
        for (const WynikSkanu &r : w)
            ile += r.odpowiada ? 1 : 0;
        std::printf("  1..%-3d %6.1f s, %d found\n", doAdresu, static_cast<double>(t.elapsed()) / 1000.0, ile);
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int ile = argc > 1 ? QByteArray(argv[1]).toInt() : 20000;
    const bool bezSkanu = argc > 2 && QByteArray(argv[2]) == "--bez-skanu";
    QCoro::waitFor(koszt(ile));
    if (bezSkanu)
        return 0;
    QProcess sim;
    sim.start(QCoreApplication::applicationDirPath() + QStringLiteral("/../sim/tolvek-sim"),
              {QStringLiteral("--adresy"), QStringLiteral("1,2,3,5,8")});
    if (!sim.waitForStarted() || !sim.waitForReadyRead(10000)) {
        std::fprintf(stderr, "tolvek-sim did not start\n");
        return 2;
    }
    const QString port = QString::fromUtf8(sim.readLine()).trimmed().section(QLatin1Char(' '), 1);
    QCoro::waitFor(skan(port));
    sim.terminate();
    sim.waitForFinished();
    return 0;
}
