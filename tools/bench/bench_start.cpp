// Start-up benchmark: the window-free part of start-up (context, the spool,
// the Regulatory and OstPomiar rows read on a worker thread, the copy kept
// for a start without the database, the registry) on a database with an
// empty Pomiary table and on one with many rows.
// Usage: tolvek-bench-start [rows]   (default 5000000)
#include "app/kontekst.h"
#include "app/start.h"
#include "cisza.h"
#include "model/ladowanie.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace
{
double kroki[4];

double jedenStart(const QString &katalog)
{
    QDir::setCurrent(katalog);
    QElapsedTimer t;
    t.start();
    Platforma p;
    p.zegar = std::make_unique<ZegarSystemowy>();
    p.ustawienia = std::make_unique<UstawieniaPuste>();
    p.komunikaty = std::make_unique<KomunikatyNaKonsole>();
    p.dzwiek = std::make_unique<DzwiekAplay>();
    Kontekst k(std::move(p));
    kroki[0] = static_cast<double>(t.nsecsElapsed()) / 1e6;
    Start::otworzBazeIWczytaj(k);
    const double ms = static_cast<double>(t.nsecsElapsed()) / 1e6;
    QCoro::waitFor(Start::zamknij(k));
    // The steps one by one, for the breakdown.
    QElapsedTimer s;
    Kontekst k2(Platforma{std::make_unique<ZegarSystemowy>(),
                          std::make_unique<UstawieniaPuste>(),
                          std::make_unique<KomunikatyNaKonsole>(),
                          std::make_unique<DzwiekAplay>(),
                          {}});
    s.start();
    Start::przygotujBaze(k2);
    kroki[1] = static_cast<double>(s.nsecsElapsed()) / 1e6;
    s.restart();
    const OdczytStartowy odczyt = QCoro::waitFor(Start::czytajBaze(k2));
    kroki[2] = static_cast<double>(s.nsecsElapsed()) / 1e6;
    s.restart();
    Start::wczytaj(k2, *odczyt.dane);
    kroki[3] = static_cast<double>(s.nsecsElapsed()) / 1e6;
    QCoro::waitFor(Start::zamknij(k2));
    return ms;
}

double mediana(const QString &katalog, int powtorzen)
{
    std::vector<double> czasy;
    jedenStart(katalog); // warms the page cache, as a second start would
    for (int i = 0; i < powtorzen; ++i)
        czasy.push_back(jedenStart(katalog));
    std::sort(czasy.begin(), czasy.end());
    std::printf("  last run: context %.2f ms, spool %.2f ms, rows read on a worker %.2f ms, copy kept and "
                "registry %.2f ms\n",
                kroki[0], kroki[1], kroki[2], kroki[3]);
    return czasy[czasy.size() / 2];
}

bool utworz(const QString &baza, const QString &katalog, qint64 wiersze)
{
    // --pomiary 0 too: without it the demo comes with weeks of readings.
    const QStringList arg{QStringLiteral("demo"), QStringLiteral("--plik"), katalog + QStringLiteral("/tolvek.mdb"),
                          QStringLiteral("--pomiary"), QString::number(wiersze)};
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    p.start(baza, arg);
    return p.waitForFinished(-1) && p.exitCode() == 0;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const qint64 wiersze = argc > 1 ? QByteArray(argv[1]).toLongLong() : 5000000;
    const QString baza = QCoreApplication::applicationDirPath() + QStringLiteral("/../baza/tolvek-baza");
    QTemporaryDir pusta, pelna;
    QElapsedTimer t;
    t.start();
    if (!utworz(baza, pusta.path(), 0) || !utworz(baza, pelna.path(), wiersze)) {
        std::fprintf(stderr, "could not create the databases with %s\n", qPrintable(baza));
        return 2;
    }
    std::printf("databases created in %.1f s\n", static_cast<double>(t.elapsed()) / 1000.0);
    const double a = mediana(pusta.path(), 7);
    const double b = mediana(pelna.path(), 7);
    std::printf("start-up, empty Pomiary:        %8.2f ms (median of 7)\n", a);
    std::printf("start-up, %lld Pomiary rows: %8.2f ms (median of 7)\n", static_cast<long long>(wiersze), b);
    std::printf("ratio: %.3f\n", b / a);
    return 0;
}
