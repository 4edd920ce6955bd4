// Reading benchmark against tolvek-sim on a pseudo-terminal, paced at 4800
// baud: (1) the rate of readings of one monitored controller, as a ratio of
// the ceiling that the answer bytes on the wire, the simulator's answer
// delay and the 100 ms re-arm of Timer1 allow; (2) the station's own CPU
// time per stored reading (decoding, alarms, the spool's commit and the
// forwarding into the database, all threads) as a share of the wire time of
// that reading.
// Usage: tolvek-bench-odczyt [seconds-of-monitoring] [stored-readings]
#include "app/kontekst.h"
#include "app/start.h"
#include "baza/zapytanie.h"
#include "cisza.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <sys/resource.h>

namespace
{
double cpuSekundy()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

constexpr double msBajtu = 10.0 * 1000.0 / 4800.0; // 8N1: ten bits a byte
constexpr int opoznienieMs = 20;
// One reading: LED frames 3x(4 out, 1 in), DAJ_DANE 4 out, 33 answer bytes;
// a value 2 in an answer doubles its byte, which the demo block rarely has.
constexpr int bajtyWe = 3 + 33;
constexpr int bajtyWy = 3 * 4 + 4;

// Scheduled readings back to back, each one stored: the last storing is
// forgotten before each, or the 25-s rule would keep all but the first out.
QCoro::Task<void> odczytyZapisywane(Kontekst &k, clRegulator &r, int ile, int *zrobione)
{
    for (int i = 0; i < ile; ++i) {
        r.NastepnyOdczyt = DataCzas();
        r.OstatniZapis = DataCzas();
        co_await r.OkresowyOdczyt(k.teraz());
        ++*zrobione;
    }
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int sekundy = argc > 1 ? QByteArray(argv[1]).toInt() : 20;
    const int zapisy = argc > 2 ? QByteArray(argv[2]).toInt() : 100;
    const QString bin = QCoreApplication::applicationDirPath() + QStringLiteral("/..");

    QTemporaryDir katalog;
    QDir::setCurrent(katalog.path());
    QProcess baza;
    baza.start(bin + QStringLiteral("/baza/tolvek-baza"),
               {QStringLiteral("init"), QStringLiteral("--plik"), QStringLiteral("tolvek.mdb")});
    baza.waitForFinished();
    QProcess sim;
    QStringList argSim{QStringLiteral("--adresy"), QStringLiteral("1"), QStringLiteral("--opoznienie"),
                       QString::number(opoznienieMs)};
    if (qEnvironmentVariableIsSet("TOLVEK_BENCH_LOG")) // the simulator's frame log, for a closer look
        argSim << QStringLiteral("--log") << qEnvironmentVariable("TOLVEK_BENCH_LOG");
    sim.start(bin + QStringLiteral("/sim/tolvek-sim"), argSim);
    if (!sim.waitForStarted() || !sim.waitForReadyRead(5000)) {
        std::fprintf(stderr, "tolvek-sim did not start\n");
        return 2;
    }
    const QString port = QString::fromUtf8(sim.readLine()).trimmed().section(QLatin1Char(' '), 1);

    Platforma p;
    p.zegar = std::make_unique<ZegarSystemowy>();
    p.ustawienia = std::make_unique<UstawieniaPuste>();
    p.komunikaty = std::make_unique<KomunikatyNaKonsole>();
    p.dzwiek = std::make_unique<DzwiekAplay>();
    p.fabrykaPortow = utworzPortQt;
    Kontekst k(std::move(p));
    QString blad;
    if (!k.oComm.otworz(port, &blad)) {
        std::fprintf(stderr, "port %s: %s\n", qPrintable(port), qPrintable(blad));
        return 2;
    }
    Start::otworzBazeIWczytaj(k);
    clRegulator &r = k.oRegulatory.Add(1, QStringLiteral("R1"), QStringLiteral("R1"));
    r.Id = 1;
    r.CzestOdczytu = 1;
    r.Przekladnia = 40;
    r.PrzekladniaNap = 1;
    r.SkalaNapiecia = 1;
    r.ProgNapiecie = r.ProgPrad = r.ProgTgFiMax = 999999999.0F;
    r.ProgTgFiMin = -1e9F;
    r.OstatniOdczyt = k.teraz();
    r.NastepnyOdczyt = k.teraz().plusDni(1);

    // (1) Monitoring as fast as the line allows.
    int odczyty = 0;
    QObject::connect(&k.oWizual, &clsWizual::panelObraz, &app, [&](int panel, const QString &obraz) {
        if (panel == 2 && obraz == clsWizual::obrazBezczynny())
            ++odczyty;
    });
    r.Monitoring = true;
    const double cpu0 = cpuSekundy();
    QElapsedTimer t;
    t.start();
    k.harmonogram.Timer1().start();
    QTimer::singleShot(sekundy * 1000, &app, [&] {
        k.harmonogram.Timer1().stop();
        r.Monitoring = false;
        app.quit();
    });
    app.exec();
    const double s = static_cast<double>(t.nsecsElapsed()) / 1e9;
    const double cpuMon = cpuSekundy() - cpu0;
    const double sufitZWyjsciem = (bajtyWe + bajtyWy) * msBajtu + 4 * opoznienieMs + 100.0;
    std::printf("monitoring: %d readings in %.2f s = %.3f/s\n", odczyty, s, odczyty / s);
    // The simulator models the request bytes on the wire too, as a real line has them.
    std::printf("ceiling (wire %.1f ms + 4 x %d ms answer delay + 100 ms re-arm) = %.1f ms -> %.3f/s; ratio %.3f\n",
                (bajtyWe + bajtyWy) * msBajtu, opoznienieMs, sufitZWyjsciem, 1000.0 / sufitZWyjsciem,
                (odczyty / s) / (1000.0 / sufitZWyjsciem));
    std::printf("station CPU while monitoring: %.1f %% of one core\n", 100.0 * cpuMon / s);

    // (2) Scheduled readings with storing, back to back.
    int zrobione = 0;
    const double cpu1 = cpuSekundy();
    t.restart();
    QCoro::waitFor(odczytyZapisywane(k, r, zapisy, &zrobione));
    // The forwarder's share too: until the database has every reading.
    while (k.zapisPomiarow.zalegle() > 0 || !k.zapisPomiarow.bazaDostepna())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double s2 = static_cast<double>(t.nsecsElapsed()) / 1e9;
    const double cpuZap = (cpuSekundy() - cpu1) / zrobione;
    const double drut = (bajtyWe + bajtyWy) * msBajtu / 1000.0;
    Polaczenie cn;
    cn.otworzDoOdczytu(QStringLiteral("tolvek.mdb"));
    Zapytanie zapisane;
    zapisane.Open(QStringLiteral("Select count(*) as n from Pomiary"), cn);
    std::printf("stored readings: %d taken in %.2f s, %lld in the database; station CPU per stored reading %.3f ms "
                "= %.2f %% of its wire time (%.1f ms)\n",
                zrobione, s2, zapisane.pole(QStringLiteral("n")).toLongLong(), cpuZap * 1000.0, 100.0 * cpuZap / drut,
                drut * 1000.0);
    sim.terminate();
    sim.waitForFinished();
    return 0;
}
