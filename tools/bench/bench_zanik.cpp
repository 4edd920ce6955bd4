// The serial device vanishes under the station: the real tolvek binary
// (offscreen) polls 8 simulated controllers every minute through tolvek-sim;
// then the simulator ends, its pseudo-terminal goes away with it, and every
// controller stays due with no line to reach it. Prints the station's CPU
// share while the device is gone, beside its share with the line working,
// and the station's log lines about the line.
// Usage: tolvek-bench-zanik [seconds-without-the-device]   (default 120)
#include "stacjaproces.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>

namespace
{
double udzial(qint64 pid, int sekundy)
{
    const double cpu0 = cpuProcesu(pid);
    QElapsedTimer t;
    t.start();
    QThread::sleep(static_cast<unsigned long>(sekundy));
    return 100.0 * (cpuProcesu(pid) - cpu0) / (static_cast<double>(t.elapsed()) / 1000.0);
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int sekundy = argc > 1 ? QByteArray(argv[1]).toInt() : 120;
    const QString bin = QCoreApplication::applicationDirPath() + QStringLiteral("/..");
    QTemporaryDir katalog;
    QDir::setCurrent(katalog.path());
    StacjaNaSymulatorze s;
    if (!s.uruchom(bin, katalog.path(), 8))
        return 2;
    const qint64 pid = s.stacja.processId();
    QThread::sleep(5); // start-up and the first readings
    const double zLinia = udzial(pid, 30);

    s.sim.terminate(); // the line's far end closes: the device is gone
    s.sim.waitForFinished();
    QThread::sleep(2);
    const double bezLinii = udzial(pid, sekundy);
    s.zatrzymaj();

    std::printf("station CPU with the line working: %.3f %% of one core (30 s)\n", zLinia);
    std::printf("station CPU with the device gone:  %.3f %% of one core (%d s, every controller due)\n", bezLinii,
                sekundy);
    const QList<QByteArray> log = s.stacja.readAllStandardError().split('\n');
    int liniaLog = 0;
    for (const QByteArray &l : log) {
        if (l.contains("serial line")) {
            ++liniaLog;
            std::printf("  log: %s\n", l.constData());
        }
    }
    std::printf("log lines about the line: %d\n", liniaLog);
    return 0;
}
