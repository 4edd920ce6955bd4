// Charts and reports benchmark on a large plant: 32 controllers read every
// 15 minutes for 10 years (about 11 million Pomiary rows, generated into a
// scratch file on first use). Measures each query alone, each chart and
// report from the operator's command to the drawn chart or the first
// preview page, and the monitoring readings of a controller on tolvek-sim
// while year charts are drawn over and over.
// Usage: tolvek-bench-wykresy [database-file]
//        (default: tolvek-bench-wykresy.mdb in the system's temporary folder)
#include "app/kontekst.h"
#include "baza/zapytanie.h"
#include "charts/fmwykresy1.h"
#include "charts/fmwykresy2.h"
#include "charts/raporty.h"
#include "cisza.h"
#include "generator.h"
#include "reports/odczyt.h"

#include <QApplication>
#include <QChartView>
#include <QDateEdit>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace
{

constexpr int regulatorow = 32;
const QDate koniec(2026, 12, 1);
const QDate poczatek = koniec.addYears(-10);

double ms(const QElapsedTimer &t)
{
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

struct Wyniki {
    std::vector<double> czasy;
    void dodaj(double v) { czasy.push_back(v); }
    double mediana()
    {
        std::sort(czasy.begin(), czasy.end());
        return czasy.empty() ? 0 : czasy[czasy.size() / 2];
    }
    double maks() const { return czasy.empty() ? 0 : *std::max_element(czasy.begin(), czasy.end()); }
};

// Drops the file's pages from the system's cache: the next read comes from
// the disk, as the first chart after a restart of the machine would.
void ostudz(const QString &plik)
{
    for (const QString &p : QStringList{plik, plik + QStringLiteral("-wal")}) {
        const int fd = ::open(QFile::encodeName(p).constData(), O_RDONLY);
        if (fd < 0)
            continue;
        ::fdatasync(fd);
        ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
        ::close(fd);
    }
}

void wypisz(const char *co, Wyniki w, double cel = 0)
{
    const double m = w.mediana();
    std::printf("  %-44s median %8.2f ms  max %8.2f ms", co, m, w.maks());
    if (cel > 0)
        std::printf("   goal %.0f ms: %s", cel, m <= cel ? "met" : "MISSED");
    std::printf("\n");
}

// Every chart and report query of one controller, on the calling thread.
void zapytania(Polaczenie &cn, const QString &plik)
{
    const int adres = 17;
    const QDate dzien(2026, 11, 18);
    struct Z {
        const char *nazwa;
        QString sql;
    } const lista[] = {
        {"daily chart query (96 rows)", sqlWykresuDobowego(adres, dzien)},
        {"daily report query", sqlRaportuDobowego(dzien, adres)},
        {"monthly periodic report query (30 days)",
         sqlRaportuOkresowego(QDate(2026, 10, 1), QDate(2026, 10, 31), adres)},
        {"one-year period chart query (365 days)",
         sqlWykresuOkresowego(adres, QDate(2025, 11, 1), QDate(2026, 10, 31))},
    };
    std::printf("queries alone (warm cache, then after dropping the file from the cache):\n");
    for (const Z &z : lista) {
        Wyniki w, zimne;
        for (int i = 0; i < 3; ++i) {
            ostudz(plik);
            QElapsedTimer t;
            t.start();
            Odczyt::pobierzTeraz(cn, z.sql);
            zimne.dodaj(ms(t));
        }
        for (int i = 0; i < 9; ++i) {
            QElapsedTimer t;
            t.start();
            Odczyt::pobierzTeraz(cn, z.sql);
            w.dodaj(ms(t));
        }
        wypisz(z.nazwa, w);
        wypisz("  the same, cold", zimne);
        Zapytanie plan;
        plan.Open(QStringLiteral("EXPLAIN QUERY PLAN ") + z.sql, cn);
        for (; !plan.EOF_(); plan.MoveNext())
            std::printf("      plan: %s\n", qPrintable(plan.pole(QStringLiteral("detail")).toString()));
    }
}

// From the draw command to the chart painted.
double narysuj(OknoWykresu &okno)
{
    QElapsedTimer t;
    t.start();
    QCoro::waitFor(okno.rysuj());
    // The chart lays itself out in the event loop, before it paints.
    QCoreApplication::processEvents();
    okno.findChild<QChartView *>(QStringLiteral("Wykres"))->grab();
    return ms(t);
}

void wykresyIRaport(Kontekst &k, const QString &plik)
{
    std::printf("from the command to the chart drawn or the first preview page (warm cache):\n");
    const OknoWykresu::Zaleznosci z{k.oRegulatory, k.zrodloBazy, 17, k.zegar(), k.komunikaty()};
    {
        fmWykresy1 w(z);
        w.resize(1000, 600);
        w.show();
        w.dtData->setDate(QDate(2026, 11, 18));
        Wyniki wyniki;
        for (int i = 0; i < 9; ++i)
            wyniki.dodaj(narysuj(w));
        wypisz("daily chart, energy", wyniki, 50);
        ostudz(plik);
        w.dtData->setDate(QDate(2026, 11, 17));
        std::printf("  daily chart, cold cache: %.2f ms\n", narysuj(w));
    }
    {
        fmWykresy2 w(z);
        w.resize(1000, 600);
        w.show();
        w.dtData->setDate(QDate(2025, 11, 1));
        w.dtDataDo->setDate(QDate(2026, 10, 31));
        Wyniki wyniki;
        for (int i = 0; i < 9; ++i)
            wyniki.dodaj(narysuj(w));
        wypisz("one-year period chart, energy", wyniki, 300);
        ostudz(plik);
        std::printf("  one-year period chart, cold cache: %.2f ms\n", narysuj(w));
    }
    {
        Raporty raporty(k.oRegulatory, k.zrodloBazy, k.zegar(), k.komunikaty(), nullptr);
        // The preview paints its pages before it shows itself: its first
        // show is the first page on screen.
        QElapsedTimer t;
        Wyniki wyniki;
        struct Okno : QObject {
            QElapsedTimer *t;
            Wyniki *w;
            bool eventFilter(QObject *o, QEvent *e) override
            {
                if (e->type() == QEvent::Show && qobject_cast<QPrintPreviewDialog *>(o)) {
                    w->dodaj(static_cast<double>(t->nsecsElapsed()) / 1e6);
                    QTimer::singleShot(0, o, [o] { static_cast<QWidget *>(o)->close(); });
                }
                return false;
            }
        } filtr;
        filtr.t = &t;
        filtr.w = &wyniki;
        qApp->installEventFilter(&filtr);
        for (int i = 0; i < 7; ++i) {
            t.start();
            QCoro::waitFor(raporty.PokazRaportOkresowy(QDate(2026, 10, 1), QDate(2026, 10, 31), 17));
        }
        qApp->removeEventFilter(&filtr);
        wypisz("monthly periodic report, first preview page", wyniki, 300);
    }
}

// The real scheduler reads a monitored controller on tolvek-sim; the gap
// between two readings ends is the line's cycle, and a reading held up by
// the window thread shows as a longer gap.
void odpytywanie(Kontekst &k, const colRegulatory &zakladu, const ZrodloBazy &duza)
{
    const QString bin = QCoreApplication::applicationDirPath() + QStringLiteral("/..");
    QProcess sim;
    sim.start(bin + QStringLiteral("/sim/tolvek-sim"), {QStringLiteral("--adresy"), QStringLiteral("1")});
    if (!sim.waitForStarted() || !sim.waitForReadyRead(5000)) {
        std::printf("polling: tolvek-sim did not start\n");
        return;
    }
    const QString port = QString::fromUtf8(sim.readLine()).trimmed().section(QLatin1Char(' '), 1);
    QString blad;
    if (!k.oComm.otworz(port, &blad)) {
        std::printf("polling: port %s: %s\n", qPrintable(port), qPrintable(blad));
        return;
    }
    clRegulator &r = k.oRegulatory.Add(1, QStringLiteral("SIM"), QStringLiteral("SIM"));
    r.Id = 1;
    r.CzestOdczytu = 1;
    r.Przekladnia = 40;
    r.PrzekladniaNap = 1;
    r.SkalaNapiecia = 1;
    r.ProgNapiecie = r.ProgPrad = r.ProgTgFiMax = 999999999.0F;
    r.ProgTgFiMin = -1e9F;
    r.OstatniOdczyt = k.teraz();
    r.NastepnyOdczyt = k.teraz().plusDni(1);
    r.Monitoring = true;

    QElapsedTimer zegar;
    zegar.start();
    std::vector<double> konce;
    QObject::connect(&k.oWizual, &clsWizual::panelObraz, qApp, [&](int panel, const QString &obraz) {
        if (panel == 2 && obraz == clsWizual::obrazBezczynny())
            konce.push_back(ms(zegar));
    });
    auto przerwy = [&konce](std::size_t od) {
        Wyniki w;
        for (std::size_t i = od + 1; i < konce.size(); ++i)
            w.dodaj(konce[i] - konce[i - 1]);
        return w;
    };
    k.harmonogram.Timer1().start();
    QEventLoop petla;
    QTimer::singleShot(8000, &petla, &QEventLoop::quit);
    petla.exec();
    const std::size_t bezWykresow = konce.size();

    const OknoWykresu::Zaleznosci z{zakladu, duza, 17, k.zegar(), k.komunikaty()};
    fmWykresy2 w(z);
    w.resize(1000, 600);
    w.show();
    w.dtData->setDate(QDate(2025, 11, 1));
    w.dtDataDo->setDate(QDate(2026, 10, 31));
    int wykresow = 0;
    Wyniki rysowanie;
    QTimer co(&w);
    co.setInterval(250);
    QObject::connect(&co, &QTimer::timeout, &w, [&] {
        QElapsedTimer t;
        t.start();
        w.btnWykresl_Click();
        QCoreApplication::processEvents();
        w.findChild<QChartView *>(QStringLiteral("Wykres"))->grab();
        rysowanie.dodaj(ms(t));
        ++wykresow;
    });
    co.start();
    QTimer::singleShot(8000, &petla, &QEventLoop::quit);
    petla.exec();
    co.stop();
    k.harmonogram.Timer1().stop();

    Wyniki a = przerwy(0), b = przerwy(bezWykresow);
    a.czasy.resize(std::min<std::size_t>(a.czasy.size(), bezWykresow > 0 ? bezWykresow - 1 : 0));
    std::printf("polling a monitored controller on tolvek-sim (4800 baud):\n");
    wypisz("gap between readings, no charts", a);
    wypisz("gap between readings, year charts drawn", b);
    std::printf("  %d year charts drawn meanwhile (each click handler %.1f ms at most, the rows read on a worker);\n"
                "  the latest reading was late by %.1f ms (goal 100 ms: %s)\n",
                wykresow, rysowanie.maks(), b.maks() - a.mediana(), b.maks() - a.mediana() <= 100 ? "met" : "MISSED");
    sim.terminate();
    sim.waitForFinished();
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform's notes on every window shown are not figures.
    qInstallMessageHandler([](QtMsgType typ, const QMessageLogContext &, const QString &t) {
        if (typ != QtWarningMsg || !t.contains(QLatin1String("propagateSizeHints")))
            std::fprintf(stderr, "%s\n", qPrintable(t));
    });
    QApplication app(argc, argv);
    const QString plik =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::temp().filePath(QStringLiteral("tolvek-bench-wykresy.mdb"));
    if (!QFileInfo::exists(plik)) {
        std::printf("generating %s: %d controllers, every 15 minutes, %s..%s\n", qPrintable(plik), regulatorow,
                    qPrintable(poczatek.toString(Qt::ISODate)), qPrintable(koniec.toString(Qt::ISODate)));
        QElapsedTimer t;
        t.start();
        try {
            generujPomiary(plik, regulatorow, 15, poczatek, koniec);
        } catch (const std::exception &e) {
            std::fprintf(stderr, "generation failed: %s\n", e.what());
            return 2;
        }
        std::printf("generated in %.1f s, %.0f MB\n", ms(t) / 1000, QFileInfo(plik).size() / 1e6);
    }

    Platforma p;
    p.zegar = std::make_unique<ZegarSystemowy>();
    p.ustawienia = std::make_unique<UstawieniaPuste>();
    p.komunikaty = std::make_unique<KomunikatyNaKonsole>();
    p.dzwiek = std::make_unique<DzwiekAplay>();
    p.fabrykaPortow = utworzPortQt;
    Kontekst duzy(Platforma{std::make_unique<ZegarSystemowy>(),
                            std::make_unique<UstawieniaPuste>(),
                            std::make_unique<KomunikatyNaKonsole>(),
                            std::make_unique<DzwiekAplay>(),
                            {}});
    duzy.zrodloBazy = ZrodloBazy::plik(plik);
    Polaczenie cn;
    cn.otworzDoOdczytu(plik);
    for (int r = 1; r <= regulatorow; ++r)
        duzy.oRegulatory.Add(r, QStringLiteral("R%1").arg(r, 2, 10, QLatin1Char('0'))).CzestOdczytu = 15;
    {
        Zapytanie z;
        z.Open(QStringLiteral("Select count(*) as n from Pomiary"), cn);
        std::printf("%s: %lld Pomiary rows\n", qPrintable(plik), z.pole(QStringLiteral("n")).toLongLong());
    }
    zapytania(cn, plik);
    wykresyIRaport(duzy, plik);

    QTemporaryDir katalog;
    QDir::setCurrent(katalog.path());
    Kontekst stacja(std::move(p));
    odpytywanie(stacja, duzy.oRegulatory, duzy.zrodloBazy);
    return 0;
}
