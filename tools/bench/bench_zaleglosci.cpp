// A day's backlog of 32 controllers read every minute (46,080 readings)
// forwarded from a spool to a private durable PostgreSQL server by the
// forwarder (Przekaznik, on its own thread), while the station's logic in
// this process polls 8 controllers of tolvek-sim every minute into the same
// server through its own spool and a 10 ms timer on its thread measures
// how long the event loop was held up. The forwarding starts on a grid
// point, together with that minute's readings. Told: readings/s until the backlog's
// spool is empty, the process's CPU per forwarded reading, the longest
// event-loop hold-up before, during and after the forwarding, the polled
// readings lost and each polled controller's stored energies against its
// counter. The backlog is spooled on tmpfs (46,080 durable commits would
// take minutes and are not what is measured) and copied beside the
// station's database.
// Usage: tolvek-bench-zaleglosci [controllers] [minutes]   (default 32 1440)
#include "baza/polaczenie.h"
#include "baza/sqlpomoc.h"
#include "db/bufor.h"
#include "db/przekaznik.h"
#include "logikastacji.h"
#include "stacjaproces.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace
{

constexpr int pierwszyAdres = 1001; // none of the polled controllers

// The backlog: yesterday's readings of each controller, minute by minute,
// into a spool at `cel`. Returns the seconds the spooling took.
double spooluj(const QString &cel, int regulatorow, int minut)
{
    QTemporaryDir wPamieci(QStringLiteral("/dev/shm/tolvek-bench-XXXXXX"));
    const QString plik = wPamieci.filePath(QStringLiteral("zaleglosci.sqlite"));
    QElapsedTimer t;
    t.start();
    {
        BuforZapisu b;
        b.otworz(plik);
        const DataCzas dzien = DataCzas::z(QDate::currentDate().addDays(-1));
        for (int m = 0; m < minut; ++m) {
            for (int r = 0; r < regulatorow; ++r) {
                WpisPomiaru w;
                w.adres = pierwszyAdres + r;
                w.data = dzien.plusMinuty(m);
                w.enCzynna = 0.25F + static_cast<float>(r % 7) / 8;
                w.enBiernaPoj = -0.0625F;
                w.enBiernaCalk = 0.125F;
                w.napiecie = 231.5F;
                w.pradBierny = 3.5F;
                w.pradCalk = 10.75F;
                w.czestotliwosc = 50.01F;
                w.pradCzynny = static_cast<float>(m) * w.enCzynna;
                w.pradBiernSr = static_cast<float>(m) / 8;
                w.pradBiernPojSr = -static_cast<float>(m) / 16;
                w.timerU = m * 60;
                b.dodajPomiar(w);
            }
        }
    }
    const double s = static_cast<double>(t.nsecsElapsed()) / 1e9;
    for (const QString &koncowka : {QString(), QStringLiteral("-wal")})
        if (QFile::exists(plik + koncowka))
            QFile::copy(plik + koncowka, cel + koncowka);
    return s;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int regulatorow = argc > 1 ? QByteArray(argv[1]).toInt() : 32;
    const int minut = argc > 2 ? QByteArray(argv[2]).toInt() : 1440;
    const int wpisow = regulatorow * minut;
    const QString bin = QCoreApplication::applicationDirPath() + QStringLiteral("/..");
    QTemporaryDir katalog;
    QDir::setCurrent(katalog.path());
    StacjaNaSymulatorze s;
    if (!s.przygotuj(bin, katalog.path(), 8))
        return 2;
    SerwerTrwaly serwer;
    if (serwer.polaczenie.isEmpty() || !serwer.wypelnij(bin, QStringLiteral("tolvek.mdb")))
        return 2;
    const ZrodloBazy baza = ZrodloBazy::serwer(serwer.polaczenie);
    const QString plikZaleglosci = katalog.filePath(QStringLiteral("zaleglosci.sqlite"));
    const double spoolowanie = spooluj(plikZaleglosci, regulatorow, minut);
    std::printf("backlog: %d controllers x %d one-minute readings = %d, spooled on tmpfs in %.1f s (%.0f appends/s "
                "without the disk)\n",
                regulatorow, minut, wpisow, spoolowanie, wpisow / spoolowanie);

    const auto k = uruchomStacje(s.port, serwer.polaczenie);
    if (!k)
        return 2;
    Przestoje przestoje(3); // before, during, after the forwarding
    k->harmonogram.Timer1().start();

    // On the first grid point that leaves 30 s of polling before it: the
    // forwarding and that grid point's readings start together.
    const QDateTime start = QDateTime::currentDateTime();
    const QDateTime po30 = start.addSecs(30);
    const QDateTime od = po30.addSecs(60 - po30.time().second()).addMSecs(-po30.time().msec());
    Przekaznik zaleglosci(plikZaleglosci, baza, GraniceBufora{qint64(1) << 40, qint64(1) << 40});
    QElapsedTimer t;
    double cpu0 = 0, cpu = 0, sekund = 0;
    int przebiegow = 0;
    qint64 zostalo = wpisow;
    QObject::connect(&zaleglosci, &Przekaznik::stan, &app, [&](qint64 usuniete, bool dostepna, const QString &powod) {
        if (!dostepna)
            std::printf("  the forwarder: the database is away: %s\n", qPrintable(powod));
        ++przebiegow;
        zostalo -= usuniete;
        if (zostalo > 0 || sekund > 0)
            return;
        sekund = static_cast<double>(t.nsecsElapsed()) / 1e9;
        cpu = cpuTegoProcesu() - cpu0;
        przestoje.faza(2);
        QTimer::singleShot(65000, &app, &QCoreApplication::quit);
    });
    QTimer::singleShot(static_cast<int>(start.msecsTo(od)), Qt::PreciseTimer, &app, [&] {
        przestoje.faza(1);
        cpu0 = cpuTegoProcesu();
        t.start();
        zaleglosci.start();
    });
    // However slow the forwarding, the run ends.
    QTimer::singleShot(static_cast<int>(start.msecsTo(od)) + 20 * 60000, &app, &QCoreApplication::quit);
    std::printf("polling 8 controllers from %s; the backlog forwarded from %s\n",
                qPrintable(start.toString(QStringLiteral("HH:mm:ss"))),
                qPrintable(od.toString(QStringLiteral("HH:mm:ss"))));
    std::fflush(stdout);
    app.exec();
    zaleglosci.zatrzymaj();
    const qint64 czekaly = zatrzymajStacje(*k);
    s.zatrzymaj();

    if (sekund > 0)
        std::printf("forwarded: %d readings in %.2f s = %.0f readings/s (%d passes of up to %d); this process's CPU "
                    "meanwhile %.1f s = %.3f ms per reading\n",
                    wpisow, sekund, wpisow / sekund, przebiegow, Przekaznik::porcja, cpu, cpu * 1000 / wpisow);
    else
        std::printf("the backlog was not forwarded within 20 minutes\n");
    std::printf("longest event-loop hold-up: %lld ms before, %lld ms during, %lld ms after the forwarding\n",
                przestoje.maks(0), przestoje.maks(1), przestoje.maks(2));
    Polaczenie cn;
    cn.otworzDoOdczytu(baza);
    QSqlQuery q(cn.db());
    sqlpomoc::wykonaj(q, QStringLiteral("SELECT current_setting('fsync'), current_setting('synchronous_commit')"));
    if (q.next())
        std::printf("the server: fsync %s, synchronous_commit %s\n", qPrintable(q.value(0).toString()),
                    qPrintable(q.value(1).toString()));
    sqlpomoc::wykonaj(q, QStringLiteral("SELECT count(*) FROM Pomiary WHERE Adres >= ?"), {pierwszyAdres});
    std::printf("backlog readings in the database: %lld of %d\n",
                q.next() ? sqlpomoc::wartosc(q, 0).toLongLong() : -1LL, wpisow);
    const WynikPomiarow w = sprawdzPomiary(baza, 8);
    std::printf("polled: Pomiary rows %d; readings lost: %d; waiting at the stop: %lld; largest gap between a "
                "controller's stored energies and its counter: %.2g of the counter\n",
                w.wierszy, w.utraconych, czekaly, w.najwiekszaRozbieznosc);
    return 0;
}
