// Reading benchmark against tolvek-sim on a pseudo-terminal, paced at 4800
// baud: (1) the rate of readings of one monitored controller, as a ratio of
// the ceiling that the answer bytes on the wire, the simulator's answer
// delay and the 100 ms re-arm of Timer1 allow; (2) the station's own CPU
// time per stored reading (decoding, alarms, the spool's commit and the
// forwarding into the database, all threads) as a share of the wire time of
// that reading; (3) the spool's commit on the window thread, one durable
// local commit per reading: median, 99th percentile and maximum over a few
// thousand appends to a spool of its own, and the same while the station's
// forwarder takes them on to the database meanwhile.
// Usage: tolvek-bench-odczyt [seconds-of-monitoring] [stored-readings] [appends]
#include "app/kontekst.h"
#include "app/start.h"
#include "baza/zapytanie.h"
#include "cisza.h"
#include "stacjaproces.h"

#include <QCoreApplication>
#include <QCoro/QCoroTimer>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QHash>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace
{
constexpr double msBajtu = 10.0 * 1000.0 / 4800.0; // 8N1: ten bits a byte
constexpr int opoznienieMs = 20;
// One reading: LED frames 3x(4 out, 1 in), DAJ_DANE 4 out, 33 answer bytes;
// a value 2 in an answer doubles its byte, which the demo block rarely has.
constexpr int bajtyWe = 3 + 33;
constexpr int bajtyWy = 3 * 4 + 4;

// Scheduled readings back to back, each one stored: the last storing is
// forgotten before each, or the 25-s rule would keep all but the first out.
// A reading is stored once per address and second (another of the same
// second would be taken for the same reading forwarded twice), so they go
// round the controllers, and one whose last reading began within the same
// second waits for the next.
QCoro::Task<void> odczytyZapisywane(Kontekst &k, int ile, int *zrobione)
{
    QHash<int, qint64> sekundy; // each controller's last reading
    for (int i = 0; i < ile; ++i) {
        clRegulator &r = k.oRegulatory.Item(1 + i % k.oRegulatory.Count());
        // A coarse timer may come a little early: the clock decides.
        while (QDateTime::currentMSecsSinceEpoch() / 1000 <= sekundy.value(r.Id))
            co_await QCoro::sleepFor(std::chrono::milliseconds(1005 - QDateTime::currentMSecsSinceEpoch() % 1000));
        sekundy.insert(r.Id, QDateTime::currentMSecsSinceEpoch() / 1000);
        r.NastepnyOdczyt = DataCzas();
        r.OstatniZapis = DataCzas();
        co_await k.odczyt.OkresowyOdczyt(r, k.teraz());
        // Not the scheduler's to read on its grid meanwhile.
        r.NastepnyOdczyt = k.teraz().plusDni(1);
        ++*zrobione;
    }
}

// ile readings of address 2, a minute apart and years ahead, each appended by dodaj: the
// milliseconds of each append, and the process's CPU per append in *cpuMs.
std::vector<double> dopisywanie(int ile, const std::function<void(const WpisPomiaru &)> &dodaj, double *cpuMs)
{
    std::vector<double> ms;
    const double cpu0 = cpuTegoProcesu();
    WpisPomiaru w;
    w.adres = 2;
    w.enCzynna = 1.5F;
    w.enBiernaPoj = 0.25F;
    w.napiecie = 231;
    const DataCzas od = DataCzas::z(QDate(2030, 1, 1));
    QElapsedTimer t;
    for (int i = 0; i < ile; ++i) {
        w.data = od.plusMinuty(i);
        w.timerU = i;
        t.start();
        dodaj(w);
        ms.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        // The forwarder's queued wake-ups, as the window thread's loop serves them.
        QCoreApplication::processEvents();
    }
    *cpuMs = (cpuTegoProcesu() - cpu0) * 1000 / ile;
    return ms;
}

void wypiszCzasy(const char *co, std::vector<double> ms, double cpuMs)
{
    std::sort(ms.begin(), ms.end());
    const auto ponad = std::count_if(ms.begin(), ms.end(), [](double m) { return m > 10; });
    std::printf("  %s median %.2f ms, p99 %.2f ms, max %.2f ms; %lld of %zu over 10 ms; process CPU %.3f ms an "
                "append\n",
                co, ms[ms.size() / 2], ms[std::min(ms.size() - 1, ms.size() * 99 / 100)], ms.back(),
                static_cast<long long>(ponad), ms.size(), cpuMs);
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int sekundy = argc > 1 ? QByteArray(argv[1]).toInt() : 20;
    const int zapisy = argc > 2 ? QByteArray(argv[2]).toInt() : 100;
    const int dopisan = argc > 3 ? QByteArray(argv[3]).toInt() : 3000;
    const QString bin = QCoreApplication::applicationDirPath() + QStringLiteral("/..");

    QTemporaryDir katalog;
    QDir::setCurrent(katalog.path());
    QProcess baza;
    baza.start(bin + QStringLiteral("/baza/tolvek-baza"),
               {QStringLiteral("init"), QStringLiteral("--plik"), QStringLiteral("tolvek.mdb")});
    baza.waitForFinished();
    QProcess sim;
    QStringList argSim{QStringLiteral("--adresy"), QStringLiteral("1,2,3,4,5"), QStringLiteral("--opoznienie"),
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
    // Controller 1 is monitored; the stored readings go round all five.
    for (int a = 1; a <= 5; ++a) {
        clRegulator &r = k.oRegulatory.Add(a, QStringLiteral("R%1").arg(a), QStringLiteral("R%1").arg(a));
        r.Id = a;
        r.CzestOdczytu = 1;
        r.Przekladnia = 40;
        r.PrzekladniaNap = 1;
        r.SkalaNapiecia = 1;
        r.ProgNapiecie = r.ProgPrad = r.ProgTgFiMax = 999999999.0F;
        r.ProgTgFiMin = -1e9F;
        r.OstatniOdczyt = k.teraz();
        r.NastepnyOdczyt = k.teraz().plusDni(1);
    }
    clRegulator &r = k.oRegulatory.Item(1);

    // (1) Monitoring as fast as the line allows.
    int odczyty = 0;
    QObject::connect(&k.oWizual, &clsWizual::panelObraz, &app, [&](int panel, const QString &obraz) {
        if (panel == 2 && obraz == clsWizual::obrazBezczynny())
            ++odczyty;
    });
    r.Monitoring = true;
    const double cpu0 = cpuTegoProcesu();
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
    const double cpuMon = cpuTegoProcesu() - cpu0;
    const double sufitZWyjsciem = (bajtyWe + bajtyWy) * msBajtu + 4 * opoznienieMs + 100.0;
    std::printf("monitoring: %d readings in %.2f s = %.3f/s\n", odczyty, s, odczyty / s);
    // The simulator models the request bytes on the wire too, as a real line has them.
    std::printf("ceiling (wire %.1f ms + 4 x %d ms answer delay + 100 ms re-arm) = %.1f ms -> %.3f/s; ratio %.3f\n",
                (bajtyWe + bajtyWy) * msBajtu, opoznienieMs, sufitZWyjsciem, 1000.0 / sufitZWyjsciem,
                (odczyty / s) / (1000.0 / sufitZWyjsciem));
    std::printf("station CPU while monitoring: %.1f %% of one core, %.3f ms per reading (nothing stored)\n",
                100.0 * cpuMon / s, cpuMon * 1000 / std::max(1, odczyty));

    // (2) Scheduled readings with storing, back to back.
    int zrobione = 0;
    const double cpu1 = cpuTegoProcesu(), przekaznik1 = cpuWatku("przekaznik");
    t.restart();
    QCoro::waitFor(odczytyZapisywane(k, zapisy, &zrobione));
    // The forwarder's share too: until the database has every reading.
    while (k.zapisPomiarow.zalegle() > 0 || !k.zapisPomiarow.bazaDostepna())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double s2 = static_cast<double>(t.nsecsElapsed()) / 1e9;
    const double cpuZap = (cpuTegoProcesu() - cpu1) / zrobione;
    const double cpuPrzekaznika = (cpuWatku("przekaznik") - przekaznik1) / zrobione;
    const double drut = (bajtyWe + bajtyWy) * msBajtu / 1000.0;
    Polaczenie cn;
    cn.otworzDoOdczytu(QStringLiteral("tolvek.mdb"));
    Zapytanie zapisane;
    zapisane.Open(QStringLiteral("Select count(*) as n from Pomiary"), cn);
    std::printf("stored readings: %d taken in %.2f s, %lld in the database; station CPU per stored reading %.3f ms "
                "= %.2f %% of its wire time (%.1f ms)\n",
                zrobione, s2, zapisane.pole(QStringLiteral("n")).toLongLong(), cpuZap * 1000.0, 100.0 * cpuZap / drut,
                drut * 1000.0);
    std::printf("  of which the forwarder's thread %.3f ms, the rest (the reading, decoding, alarms, the spool's "
                "commit) %.3f ms\n",
                cpuPrzekaznika * 1000, (cpuZap - cpuPrzekaznika) * 1000);

    // (3) One durable commit per reading on the window thread. Back to back
    // (some 300 a second, where a station appends a few) they can keep the
    // forwarder from the spool's lock for the whole of its 2 s wait, which it
    // then reports as the database being away.
    std::printf("spool commit of a reading (BuforZapisu::dodajPomiar), %d appends back to back:\n", dopisan);
    double cpuMs = 0;
    {
        BuforZapisu sam;
        sam.otworz(QStringLiteral("sam.sqlite"));
        const auto ms = dopisywanie(
            dopisan, [&sam](const WpisPomiaru &w) { sam.dodajPomiar(w); }, &cpuMs);
        wypiszCzasy("a spool alone:", ms, cpuMs);
    }
    const auto ms = dopisywanie(
        dopisan, [&k](const WpisPomiaru &w) { k.zapisPomiarow.zapisz(w); }, &cpuMs);
    wypiszCzasy("the station's, its forwarder forwarding meanwhile (its CPU too):", ms, cpuMs);
    while (k.zapisPomiarow.zalegle() > 0 || !k.zapisPomiarow.bazaDostepna())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    zapisane.Open(QStringLiteral("Select count(*) as n from Pomiary where Adres = 2 and Data >= #2030-01-01#"), cn);
    std::printf("  appended readings in the database once forwarded: %lld\n",
                zapisane.pole(QStringLiteral("n")).toLongLong());
    sim.terminate();
    sim.waitForFinished();
    return 0;
}
