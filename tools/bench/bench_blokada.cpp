// Another program holds the database with BEGIN EXCLUSIVE for 30 s (from
// second :45 of a minute, so a grid point falls inside) while the station's
// logic polls 8 controllers of tolvek-sim every minute on the real clock. A
// 10 ms timer on the station's thread measures how long the event loop was
// held up; at the end the readings lost are counted (grid minutes without a
// row between each controller's first grid point and its last row) and each controller's
// stored energies are summed against its last stored counter.
// Usage: tolvek-bench-blokada [lock-seconds]   (default 30)
//        tolvek-bench-blokada --trzymaj FILE SECONDS   (the lock holder)
#include "app/kontekst.h"
#include "app/start.h"
#include "cisza.h"
#include "stacjaproces.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace
{

int trzymaj(const QString &plik, int sekundy)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("blokada"));
    db.setDatabaseName(plik);
    QSqlQuery q(db);
    if (!db.open() || !q.exec(QStringLiteral("BEGIN EXCLUSIVE"))) {
        std::fprintf(stderr, "cannot lock %s\n", qPrintable(plik));
        return 1;
    }
    std::printf("TRZYMAM\n");
    std::fflush(stdout);
    QThread::sleep(static_cast<unsigned long>(sekundy));
    q.exec(QStringLiteral("COMMIT"));
    std::printf("PUSZCZAM\n");
    return 0;
}

// The longest hold-up of the event loop within each phase.
struct Przestoje {
    QElapsedTimer zegar;
    qint64 poprzedni = -1;
    qint64 maks[3] = {0, 0, 0}; // before, during (and 10 s after), after the lock
    int faza = 0;
    void takt()
    {
        const qint64 t = zegar.elapsed();
        if (poprzedni >= 0)
            maks[faza] = std::max(maks[faza], t - poprzedni - 10);
        poprzedni = t;
    }
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 4 && QByteArray(argv[1]) == "--trzymaj")
        return trzymaj(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toInt());
    const int sekundyBlokady = argc > 1 ? QByteArray(argv[1]).toInt() : 30;
    const QString bin = QCoreApplication::applicationDirPath() + QStringLiteral("/..");
    QTemporaryDir katalog;
    QDir::setCurrent(katalog.path());
    StacjaNaSymulatorze s;
    if (!s.przygotuj(bin, katalog.path(), 8))
        return 2;

    Platforma p;
    p.zegar = std::make_unique<ZegarSystemowy>();
    p.ustawienia = std::make_unique<UstawieniaPuste>();
    p.komunikaty = std::make_unique<KomunikatyNaKonsole>();
    p.dzwiek = std::make_unique<DzwiekCichy>();
    p.fabrykaPortow = utworzPortQt;
    Kontekst k(std::move(p));
    Start::otworzBazeIWczytaj(k);
    QString blad;
    if (!k.oComm.otworz(s.port, &blad)) {
        std::fprintf(stderr, "%s\n", qPrintable(blad));
        return 2;
    }
    Przestoje przestoje;
    przestoje.zegar.start();
    QTimer probka;
    probka.setTimerType(Qt::PreciseTimer);
    QObject::connect(&probka, &QTimer::timeout, &app, [&przestoje] { przestoje.takt(); });
    probka.start(10);
    k.harmonogram.Timer1().start();

    // The lock from second :45 of the first minute that leaves 20 s of polling before it.
    const QDateTime start = QDateTime::currentDateTime();
    QDateTime od = start.addSecs(20);
    od = od.addSecs(45 - od.time().second() + (od.time().second() > 45 ? 60 : 0));
    const QDateTime koniec = od.addSecs(sekundyBlokady + 85);
    QProcess trzymacz;
    QTimer::singleShot(static_cast<int>(start.msecsTo(od)), &app, [&] {
        przestoje.faza = 1;
        trzymacz.start(QCoreApplication::applicationFilePath(),
                       {QStringLiteral("--trzymaj"), QStringLiteral("tolvek.mdb"), QString::number(sekundyBlokady)});
    });
    QObject::connect(&trzymacz, &QProcess::finished, &app,
                     [&] { QTimer::singleShot(10000, &app, [&] { przestoje.faza = 2; }); });
    QTimer::singleShot(static_cast<int>(start.msecsTo(koniec)), &app, [&] {
        Start::zatrzymajPrace(k);
        QTimer::singleShot(0, &app, [&] { app.quit(); });
    });
    std::printf("polling from %s, lock %s..+%d s, end %s\n", qPrintable(start.toString(QStringLiteral("HH:mm:ss"))),
                qPrintable(od.toString(QStringLiteral("HH:mm:ss"))), sekundyBlokady,
                qPrintable(koniec.toString(QStringLiteral("HH:mm:ss"))));
    std::fflush(stdout);
    app.exec();
    while (k.harmonogram.wTakcie())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const qint64 czekaly = k.zapisPomiarow.zalegle();
    QCoro::waitFor(Start::zamknij(k));
    s.zatrzymaj();

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("wynik"));
    db.setDatabaseName(QStringLiteral("tolvek.mdb"));
    db.open();
    int wiersze = 0, utracone = 0;
    double najgorszaEnergia = 0;
    for (int a = 1; a <= 8; ++a) {
        // From the first grid point on: the start-up reading may lie less
        // than 25 s before it, and then that grid point is rightly skipped.
        QSqlQuery q(db);
        q.exec(QStringLiteral("SELECT Data FROM Pomiary WHERE Adres = %1 ORDER BY Data").arg(a));
        QList<qint64> minuty;
        while (q.next()) {
            ++wiersze;
            const qint64 m = QDateTime::fromString(q.value(0).toString().left(16), QStringLiteral("yyyy-MM-dd HH:mm"))
                                 .toSecsSinceEpoch() /
                             60;
            if (minuty.isEmpty() || minuty.last() != m)
                minuty.append(m);
        }
        if (minuty.size() > 1)
            utracone += static_cast<int>(minuty.last() - minuty.at(1) + 1 - (minuty.size() - 1));
        q.exec(QStringLiteral("SELECT sum(EnCzynna) FROM Pomiary WHERE Adres = %1").arg(a));
        q.next();
        const double suma = q.value(0).toDouble();
        QSqlQuery o(db);
        o.exec(QStringLiteral("SELECT PopPradCzynny FROM OstPomiar WHERE Adres = %1").arg(a));
        o.next();
        const double licznik = o.value(0).toDouble();
        najgorszaEnergia = std::max(najgorszaEnergia, std::fabs(suma - licznik) / std::max(1.0, licznik));
    }
    std::printf("longest event-loop hold-up: %lld ms before the lock, %lld ms during it (and 10 s after), "
                "%lld ms after\n",
                przestoje.maks[0], przestoje.maks[1], przestoje.maks[2]);
    std::printf("Pomiary rows: %d; readings lost: %d; waiting at the stop: %lld; largest gap between a "
                "controller's stored energies and its counter: %.2g of the counter\n",
                wiersze, utracone, czekaly, najgorszaEnergia);
    return 0;
}
