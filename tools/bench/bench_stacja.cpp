// Station benchmark: the real tolvek binary (offscreen) polling 8 simulated
// controllers every minute through tolvek-sim on a pseudo-terminal paced at
// 4800 baud. Prints the station's CPU use and memory over the run.
// Usage: tolvek-bench-stacja [seconds]   (default 180)
#include "stacjaproces.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int sekundy = argc > 1 ? QByteArray(argv[1]).toInt() : 180;
    const QString bin = QCoreApplication::applicationDirPath() + QStringLiteral("/..");
    QTemporaryDir katalog;
    QDir::setCurrent(katalog.path());
    StacjaNaSymulatorze s;
    if (!s.uruchom(bin, katalog.path(), 8))
        return 2;
    const qint64 pid = s.stacja.processId();
    QThread::sleep(5); // start-up and the first readings
    const double cpu0 = cpuProcesu(pid);
    long rssMax = 0, rssSuma = 0, probki = 0;
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < sekundy * 1000LL) {
        QThread::sleep(5);
        const long r = rssProcesu(pid);
        rssMax = std::max(rssMax, r);
        rssSuma += r;
        ++probki;
    }
    const double cpu = cpuProcesu(pid) - cpu0;
    const double s2 = static_cast<double>(t.elapsed()) / 1000.0;
    s.zatrzymaj();

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("wynik"));
    db.setDatabaseName(QStringLiteral("tolvek.mdb"));
    db.open();
    QSqlQuery q(db);
    q.exec(QStringLiteral("SELECT count(*) FROM Pomiary"));
    q.next();
    std::printf("8 controllers every minute, %.0f s measured: station CPU %.2f s = %.3f %% of one core\n", s2, cpu,
                100.0 * cpu / s2);
    std::printf("resident memory: mean %ld kB, max %ld kB; Pomiary rows stored: %d\n", rssSuma / std::max(1L, probki),
                rssMax, q.value(0).toInt());
    return 0;
}
