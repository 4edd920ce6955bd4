// Station benchmark: the real tolvek binary (offscreen) polling 8 simulated
// controllers every minute through tolvek-sim on a pseudo-terminal paced at
// 4800 baud. Prints the station's CPU use and memory over the run.
// Usage: tolvek-bench-stacja [seconds]   (default 180)
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace
{
// utime + stime of a process, in seconds.
double cpuProcesu(qint64 pid)
{
    QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray s = f.readAll();
    const QList<QByteArray> pola = s.mid(s.lastIndexOf(')') + 2).split(' ');
    const double tiki = static_cast<double>(sysconf(_SC_CLK_TCK));
    return (pola.value(11).toDouble() + pola.value(12).toDouble()) / tiki;
}

// Resident memory in kB.
long rss(qint64 pid)
{
    QFile f(QStringLiteral("/proc/%1/status").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &l : f.readAll().split('\n'))
        if (l.startsWith("VmRSS:"))
            return l.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int sekundy = argc > 1 ? QByteArray(argv[1]).toInt() : 180;
    const QString bin = QCoreApplication::applicationDirPath() + QStringLiteral("/..");
    QTemporaryDir katalog;
    QDir::setCurrent(katalog.path());
    QProcess::execute(bin + QStringLiteral("/baza/tolvek-baza"),
                      {QStringLiteral("init"), QStringLiteral("--plik"), QStringLiteral("tolvek.mdb")});
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
        db.setDatabaseName(QStringLiteral("tolvek.mdb"));
        db.open();
        for (int a = 1; a <= 8; ++a) {
            QSqlQuery q(db);
            q.exec(QStringLiteral("INSERT INTO Regulatory (Adres, Kod, Typ, CzestOdczytu, CzestTrans, NapieciePomiar, "
                                  "ProgNapiecie, ProgPrad, ProgTgFiMin, ProgTgFi, Przekladnia, PrzekladniaNap) VALUES "
                                  "(%1, 'R%1', 'regulator', 1, 1, 380, 440, 400, 0, 0.6, 40, 1)")
                       .arg(a));
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QLatin1String(QSqlDatabase::defaultConnection));

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), katalog.path() + QStringLiteral("/config"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess sim;
    sim.setProcessEnvironment(env);
    sim.start(bin + QStringLiteral("/sim/tolvek-sim"),
              {QStringLiteral("--baza"), QStringLiteral("tolvek.mdb"), QStringLiteral("--ustawienia"),
               katalog.path() + QStringLiteral("/config/Tolvek/Tolvek.conf"), QStringLiteral("--com"),
               QStringLiteral("1")});
    if (!sim.waitForReadyRead(5000)) {
        std::fprintf(stderr, "tolvek-sim did not start\n");
        return 2;
    }
    QProcess stacja;
    stacja.setProcessEnvironment(env);
    stacja.start(bin + QStringLiteral("/../src/tolvek"), {});
    if (!stacja.waitForStarted()) {
        std::fprintf(stderr, "tolvek did not start\n");
        return 2;
    }
    const qint64 pid = stacja.processId();
    QThread::sleep(5); // start-up and the first readings
    const double cpu0 = cpuProcesu(pid);
    long rssMax = 0, rssSuma = 0, probki = 0;
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < sekundy * 1000LL) {
        QThread::sleep(5);
        const long r = rss(pid);
        rssMax = std::max(rssMax, r);
        rssSuma += r;
        ++probki;
    }
    const double cpu = cpuProcesu(pid) - cpu0;
    const double s = static_cast<double>(t.elapsed()) / 1000.0;
    ::kill(static_cast<pid_t>(pid), SIGTERM);
    stacja.waitForFinished(10000);
    sim.terminate();
    sim.waitForFinished();

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("wynik"));
    db.setDatabaseName(QStringLiteral("tolvek.mdb"));
    db.open();
    QSqlQuery q(db);
    q.exec(QStringLiteral("SELECT count(*) FROM Pomiary"));
    q.next();
    std::printf("8 controllers every minute, %.0f s measured: station CPU %.2f s = %.3f %% of one core\n", s, cpu,
                100.0 * cpu / s);
    std::printf("resident memory: mean %ld kB, max %ld kB; Pomiary rows stored: %d\n", rssSuma / std::max(1L, probki),
                rssMax, q.value(0).toInt());
    return 0;
}
