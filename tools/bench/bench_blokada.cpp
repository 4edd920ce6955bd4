// Another program holds the database with BEGIN EXCLUSIVE for 30 s (from
// second :45 of a minute, so a grid point falls inside) while the station's
// logic polls 8 controllers of tolvek-sim every minute on the real clock;
// with --zamroz the station's database is on a private durable server whose
// processes are frozen (SIGSTOP) for 100 s instead, as a hung server or a
// network that drops packets would be. A 10 ms timer on the station's thread
// measures how long the event loop was held up; at the end the readings
// lost are counted (grid minutes without a row between each controller's
// first grid point and its last row), each controller's stored energies are
// summed against its last stored counter, and the time after the lock's end
// (the thaw) until the spool was empty is told.
// Usage: tolvek-bench-blokada [lock-seconds]            (default 30)
//        tolvek-bench-blokada --zamroz [frozen-seconds] (default 100)
//        tolvek-bench-blokada --trzymaj FILE SECONDS    (the lock holder)
#include "logikastacji.h"
#include "stacjaproces.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <optional>

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

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 4 && QByteArray(argv[1]) == "--trzymaj")
        return trzymaj(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toInt());
    const bool zamroz = argc > 1 && QByteArray(argv[1]) == "--zamroz";
    const int sekundy = argc > 1 + int(zamroz) ? QByteArray(argv[1 + int(zamroz)]).toInt() : (zamroz ? 100 : 30);
    const QString bin = QCoreApplication::applicationDirPath() + QStringLiteral("/..");
    QTemporaryDir katalog;
    QDir::setCurrent(katalog.path());
    StacjaNaSymulatorze s;
    if (!s.przygotuj(bin, katalog.path(), 8))
        return 2;
    std::optional<SerwerTrwaly> serwer;
    if (zamroz) {
        serwer.emplace();
        if (serwer->polaczenie.isEmpty() || !serwer->wypelnij(bin, QStringLiteral("tolvek.mdb")))
            return 2;
    }
    const auto k = uruchomStacje(s.port, serwer ? serwer->polaczenie : QString());
    if (!k)
        return 2;
    Przestoje przestoje(3); // before, during (and 10 s after), after
    k->harmonogram.Timer1().start();

    // From second :45 of the first minute that leaves 20 s of polling before it.
    const QDateTime start = QDateTime::currentDateTime();
    QDateTime od = start.addSecs(20);
    od = od.addSecs(45 - od.time().second() + (od.time().second() > 45 ? 60 : 0));
    const QDateTime koniec = od.addSecs(sekundy + 85);
    // When the lock ended (the server thawed), and when the spool was empty after it.
    QDateTime poZakloceniu, wszystko;
    const auto zakloceniePrzeszlo = [&] {
        poZakloceniu = QDateTime::currentDateTime();
        QTimer::singleShot(10000, &app, [&] { przestoje.faza(2); });
    };
    QObject::connect(&k->zapisPomiarow, &ZapisPomiarow::stanZmieniony, &app, [&] {
        if (poZakloceniu.isValid() && !wszystko.isValid() && k->zapisPomiarow.zalegle() == 0 &&
            k->zapisPomiarow.bazaDostepna())
            wszystko = QDateTime::currentDateTime();
    });
    QProcess trzymacz;
    QObject::connect(&trzymacz, &QProcess::finished, &app, zakloceniePrzeszlo);
    QTimer::singleShot(static_cast<int>(start.msecsTo(od)), Qt::PreciseTimer, &app, [&] {
        przestoje.faza(1);
        if (serwer) {
            serwer->skrypt(QStringLiteral("zamroz"), false);
            QTimer::singleShot(sekundy * 1000, Qt::PreciseTimer, &app, [&] {
                serwer->skrypt(QStringLiteral("odmroz"), false);
                zakloceniePrzeszlo();
            });
        } else {
            trzymacz.start(QCoreApplication::applicationFilePath(),
                           {QStringLiteral("--trzymaj"), QStringLiteral("tolvek.mdb"), QString::number(sekundy)});
        }
    });
    QTimer::singleShot(static_cast<int>(start.msecsTo(koniec)), &app, &QCoreApplication::quit);
    std::printf("polling 8 controllers from %s; %s %s..+%d s; end %s\n",
                qPrintable(start.toString(QStringLiteral("HH:mm:ss"))),
                zamroz ? "the server frozen" : "the file locked", qPrintable(od.toString(QStringLiteral("HH:mm:ss"))),
                sekundy, qPrintable(koniec.toString(QStringLiteral("HH:mm:ss"))));
    std::fflush(stdout);
    app.exec();
    const qint64 czekaly = zatrzymajStacje(*k);
    s.zatrzymaj();

    std::printf("longest event-loop hold-up: %lld ms before, %lld ms during (and 10 s after), %lld ms after\n",
                przestoje.maks(0), przestoje.maks(1), przestoje.maks(2));
    const QString hms = QStringLiteral("HH:mm:ss.zzz");
    std::printf("the %s at %s; ", zamroz ? "server thawed" : "lock ended", qPrintable(poZakloceniu.toString(hms)));
    if (wszystko.isValid())
        std::printf("everything waiting was in the database at %s, %.2f s after\n", qPrintable(wszystko.toString(hms)),
                    static_cast<double>(poZakloceniu.msecsTo(wszystko)) / 1000);
    else
        std::printf("entries still waited at the end\n");
    const WynikPomiarow w = sprawdzPomiary(
        serwer ? ZrodloBazy::serwer(serwer->polaczenie) : ZrodloBazy::plik(QStringLiteral("tolvek.mdb")), 8);
    std::printf("Pomiary rows: %d; readings lost: %d; waiting at the stop: %lld; largest gap between a "
                "controller's stored energies and its counter: %.2g of the counter\n",
                w.wierszy, w.utraconych, czekaly, w.najwiekszaRozbieznosc);
    return 0;
}
