// tolvek-bench-wymiana [zestawy] [opoznienie-ms]
//
// Times the station's full reading exchange set - Czytaj_Diody, daj_dane,
// czytaj, czytaj32 through Komunikator.WykonajRozkaz - against tolvek-sim
// paced at 4800 baud on a pseudo-terminal, and sets it beside the time the
// same bytes need on the wire. Also the station's CPU time while it waits.
// The simulator is TOLVEK_SIM, or the one built with this program.

#include "comm/clcomm.h"
#include "comm/komunikator.h"
#include "platform/komunikaty.h"
#include "platform/zegar.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

namespace
{

class KomunikatyNaStderr final : public Komunikaty
{
public:
    void pokaz(const QString &t, const QString &, Ikona) override { std::fprintf(stderr, "%s\n", qPrintable(t)); }
    Odpowiedz pytaj(const QString &, const QString &, Ikona) override { return Odpowiedz::OK; }
    void informuj(const QString &, const QString &, Ikona) override {}
};

double cpuMs()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

struct Wynik {
    std::vector<double> msZestawu;
    double cpuMs = 0;
    int bledy = 0;
};

QCoro::Task<void> zestawy(Komunikator *k, int ile, Wynik *w)
{
    DaneRozkazu diody, jeden, blok;
    const double cpu0 = cpuMs();
    for (int i = 0; i < ile; ++i) {
        QElapsedTimer t;
        t.start();
        const bool a = co_await k->WykonajRozkaz(1, QStringLiteral("Czytaj_Diody"), &diody);
        const bool b = co_await k->WykonajRozkaz(1, QStringLiteral("daj_dane"));
        const bool c = co_await k->WykonajRozkaz(1, QStringLiteral("czytaj"), &jeden);
        const bool d = co_await k->WykonajRozkaz(1, QStringLiteral("czytaj32"), &blok);
        w->msZestawu.push_back(double(t.nsecsElapsed()) / 1e6);
        if (!(a && b && c && d))
            ++w->bledy;
    }
    w->cpuMs = cpuMs() - cpu0;
    QCoreApplication::quit();
}

// Bytes that crossed the line each way, from the simulator's frame log.
void policzBajty(const QString &log, qint64 *doRegulatora, qint64 *odRegulatora)
{
    QFile f(log);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    while (!f.atEnd()) {
        const QList<QByteArray> s = f.readLine().trimmed().split(' ');
        if (s.size() < 3)
            continue;
        if (s.at(1) == "RX")
            *doRegulatora += s.size() - 2;
        else if (s.at(1) == "TX")
            *odRegulatora += s.size() - 2;
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    const int ile = a.size() > 1 ? a.at(1).toInt() : 20;
    const int opoznienie = a.size() > 2 ? a.at(2).toInt() : 20;
    if (ile <= 0 || opoznienie < 0) {
        std::fprintf(stderr, "Użycie: tolvek-bench-wymiana [zestawy] [opoznienie-ms]\n");
        return 2;
    }
    QString program = qEnvironmentVariable("TOLVEK_SIM");
    if (program.isEmpty())
        program = QStringLiteral(TOLVEK_SIM_SCIEZKA);

    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("ramki.log"));
    QProcess sym;
    sym.start(program, {QStringLiteral("--adresy"), QStringLiteral("1"), QStringLiteral("--opoznienie"),
                        QString::number(opoznienie), QStringLiteral("--log"), log});
    if (!sym.waitForStarted(5000) || !sym.waitForReadyRead(5000)) {
        std::fprintf(stderr, "tolvek-sim did not start: %s\n", qPrintable(program));
        return 1;
    }
    const QString port = QString::fromUtf8(sym.readLine()).trimmed().mid(5);

    ZegarSystemowy zegar;
    KomunikatyNaStderr komunikaty;
    clComm comm(zegar, komunikaty);
    comm.ustawPort(utworzPortQt());
    QString blad;
    if (!comm.otworz(port, &blad)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(port), qPrintable(blad));
        return 1;
    }
    comm.ustawAdresy([](int) { return 1; });
    Komunikator k(comm);

    Wynik w;
    QElapsedTimer calosc;
    calosc.start();
    zestawy(&k, ile, &w);
    app.exec();
    const double msCalosc = double(calosc.nsecsElapsed()) / 1e6;
    comm.zamknij();
    sym.terminate();
    sym.waitForFinished(5000);

    qint64 wy = 0, we = 0;
    policzBajty(log, &wy, &we);
    const double msBajtu = 10.0 * 1000.0 / 4800.0; // 8N1: ten bits a byte
    const double bajtyWy = double(wy) / ile, bajtyWe = double(we) / ile;
    const double msPrzewod = (bajtyWy + bajtyWe) * msBajtu;
    // Four answers (three LED bytes and the block), each after the delay.
    const double msZOpoznieniem = msPrzewod + 4.0 * opoznienie;
    std::vector<double> v = w.msZestawu;
    std::sort(v.begin(), v.end());
    double suma = 0;
    for (const double x : v)
        suma += x;
    const double srednia = suma / double(v.size());

    std::printf("reading exchange sets:         %d (failed: %d)\n", ile, w.bledy);
    std::printf("bytes per set on the wire:     %.1f out + %.1f in\n", bajtyWy, bajtyWe);
    std::printf("wire time per set (4800 8N1):  %.1f ms\n", msPrzewod);
    std::printf("  + 4 answer delays of %d ms:  %.1f ms\n", opoznienie, msZOpoznieniem);
    std::printf("measured per set:              mean %.1f ms, min %.1f, median %.1f, max %.1f\n", srednia, v.front(),
                v[v.size() / 2], v.back());
    std::printf("overhead over wire + delays:   %.1f ms (%.0f%%)\n", srednia - msZOpoznieniem,
                100.0 * (srednia - msZOpoznieniem) / msZOpoznieniem);
    std::printf("station CPU while exchanging:  %.2f ms per set, %.2f%% of the elapsed time\n", w.cpuMs / ile,
                100.0 * w.cpuMs / msCalosc);
    return w.bledy == 0 ? 0 : 1;
}
