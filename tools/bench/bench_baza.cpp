// Benchmark, not a test: prints how long the station's database operations
// take on a given file, e.g. one made by "tolvek-baza demo --pomiary 5000000".
//   tolvek-bench-baza /path/tolvek.mdb
// The file gets a few extra Pomiary rows dated in the year 2099.

#include "baza/bladbazy.h"
#include "baza/polaczenie.h"
#include "baza/rekordy.h"
#include "baza/zapytanie.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>

#include <cstdio>
#include <functional>

namespace
{

void mierz(const char *co, int powtorzen, const std::function<void()> &f)
{
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < powtorzen; ++i)
        f();
    std::printf("%-52s %10.3f ms\n", co, double(t.nsecsElapsed()) / 1e6 / powtorzen);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "użycie: tolvek-bench-baza PLIK\n");
        return 1;
    }
    const QString cs = QStringLiteral("Data Source=") + QString::fromLocal8Bit(argv[1]);
    try {
        Polaczenie cn;
        mierz("Open connection", 1, [&] { cn.Open(cs); });
        {
            Zapytanie z;
            z.Open(QStringLiteral("Select count(*) as n from Pomiary"), cn);
            std::printf("Pomiary rows: %lld\n", z.pole(QStringLiteral("n")).toLongLong());
        }
        Rekordy rsPomiary, rsOstPomiar, rsRegulatory;
        mierz("Open rsRegulatory", 1, [&] { rsRegulatory.Open(QStringLiteral("Regulatory"), cn); });
        mierz("Open rsPomiary", 1, [&] { rsPomiary.Open(QStringLiteral("Pomiary"), cn); });
        mierz("Open rsOstPomiar", 1, [&] { rsOstPomiar.Open(QStringLiteral("OstPomiar"), cn); });
        mierz("rsRegulatory walk + Find Adres on rsOstPomiar", 1, [&] {
            for (rsRegulatory.MoveFirst(); !rsRegulatory.EOF_(); rsRegulatory.MoveNext()) {
                rsOstPomiar.MoveFirst();
                rsOstPomiar.Find(QStringLiteral("Adres=") + rsRegulatory.pole(QStringLiteral("Adres")).toString());
            }
        });
        mierz("rsPomiary AddNew + 9 fields + Update (durable)", 20, [&] {
            rsPomiary.AddNew();
            rsPomiary.ustaw(QStringLiteral("Adres"), 1);
            rsPomiary.ustaw(QStringLiteral("Data"), QStringLiteral("2099-01-01 00:00:00"));
            for (const char *k :
                 {"EnCzynna", "EnBiernaCalk", "EnBiernaPoj", "Napiecie", "PradBierny", "PradCalk", "Czestotliwosc"})
                rsPomiary.ustaw(QString::fromLatin1(k), 1.5f);
            rsPomiary.Update();
        });
        const QDate dzis = QDate::currentDate();
        const QString d = dzis.toString(QStringLiteral("MM/dd/yyyy"));
        const QString d1 = dzis.addDays(1).toString(QStringLiteral("MM/dd/yyyy"));
        mierz("daily chart query (one controller, today)", 5, [&] {
            Zapytanie z;
            z.Open(QStringLiteral("Select Data, EnCzynna, EnBiernaCalk from Pomiary where Adres = 1 and Data >= #%1# "
                                  "and Data < #%2#")
                       .arg(d, d1),
                   cn);
        });
        const QString f = dzis.addDays(-30).toString(QStringLiteral("MM/dd/yy"));
        const QString t1 = dzis.addDays(1).toString(QStringLiteral("MM/dd/yy"));
        mierz("period chart query (one controller, 31 days)", 3, [&] {
            Zapytanie z;
            z.Open(QStringLiteral("Select  format(Data,'dd/mm/yy') as MData, SUM(EnCzynna) as SumEnCzynna, "
                                  "SUM(EnBiernaCalk) as SumEnBiernaCalk from Pomiary where Adres = 1 and Data >= #%1# "
                                  "and Data < #%2# GROUP BY format(Data,'dd/mm/yy')")
                       .arg(f, t1),
                   cn);
        });
    } catch (const BladBazy &e) {
        std::fprintf(stderr, "BladBazy %d: %s\n", e.numer(), e.what());
        return 2;
    }
    return 0;
}
