// The database on a PostgreSQL server against the same on the SQLite file:
//  - tolvek-baza kopiuj of the charts benchmark's plant (32 controllers,
//    every 15 minutes, 10 years: about 11 million Pomiary rows), rows/s;
//  - the daily chart, the daily report, the monthly report and the year
//    chart queries on the file and on the server;
//  - 8 stations of 32 controllers storing a reading of every controller in
//    the same minute (each station its own connection and thread, writing
//    Pomiary and OstPomiar through the station's cursors): rows per second
//    the server takes, and the time per stored reading beside the wire time
//    of a reading.
// Also COPY against multi-row INSERT batches for loading rows.
// Usage: tolvek-bench-serwer [--plik FILE] [--do CONNECTION] [--minut N]
//   FILE: default tolvek-bench-wykresy.mdb in the temporary folder (made on
//   first use, shared with tolvek-bench-wykresy). Without --do a private,
//   durable server (fsync on) is started with scripts/serwer-pg and removed
//   at the end; with --do the given database is filled (it must be empty).
#include "baza/polaczenie.h"
#include "baza/rekordy.h"
#include "generator.h"
#include "reports/danewykresu.h"
#include "reports/odczyt.h"
#include "reports/raport.h"
#include "stacjaproces.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <barrier>
#include <cstdio>
#include <libpq-fe.h>
#include <numeric>
#include <optional>
#include <thread>
#include <vector>

namespace
{

constexpr int stacji = 8;
constexpr int regulatorowStacji = 32;

double ms(const QElapsedTimer &t)
{
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

double kwantyl(std::vector<double> v, double q)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<size_t>(q * static_cast<double>(v.size())))];
}

void zapytania(const QString &plik, const ZrodloBazy &serwer)
{
    const int adres = 17;
    const QDate dzien(2026, 11, 18);
    struct Z {
        const char *nazwa;
        QString sql;
    } const lista[] = {
        {"daily chart (96 rows)", sqlWykresuDobowego(adres, dzien)},
        {"daily report", sqlRaportuDobowego(dzien, adres)},
        {"monthly report (30 days)", sqlRaportuOkresowego(QDate(2026, 10, 1), QDate(2026, 10, 31), adres)},
        {"year chart (365 days)", sqlWykresuOkresowego(adres, QDate(2025, 11, 1), QDate(2026, 10, 31))},
    };
    Polaczenie zPliku, naSerwerze;
    zPliku.otworzDoOdczytu(plik);
    naSerwerze.otworzDoOdczytu(serwer);
    std::printf("\nqueries of one controller (median of 9 warm runs; server's first run in brackets):\n");
    std::printf("  %-28s %12s %12s %14s\n", "", "file", "server", "");
    for (const Z &z : lista) {
        std::vector<double> p, s;
        QElapsedTimer t;
        t.start();
        const int wierszy = Odczyt::pobierzTeraz(naSerwerze, z.sql).liczbaWierszy();
        const double pierwszy = ms(t);
        for (int i = 0; i < 9; ++i) {
            t.restart();
            Odczyt::pobierzTeraz(zPliku, z.sql);
            p.push_back(ms(t));
            t.restart();
            Odczyt::pobierzTeraz(naSerwerze, z.sql);
            s.push_back(ms(t));
        }
        std::printf("  %-28s %9.2f ms %9.2f ms  (%.2f ms)  %d rows\n", z.nazwa, kwantyl(p, 0.5), kwantyl(s, 0.5),
                    pierwszy, wierszy);
    }
}

// One station: its connection and the two cursors the storing uses, as the
// station opens them; one reading stored as ZapiszDaneDB stores it.
struct Stacja {
    Polaczenie cn;
    Rekordy pomiary, ostatnie;
    explicit Stacja(const ZrodloBazy &z)
    {
        cn.otworz(z);
        pomiary.Open(QStringLiteral("Pomiary"), cn);
        ostatnie.Open(QStringLiteral("OstPomiar"), cn);
    }
    void zapisz(int adres, DataCzas czas, float licznik)
    {
        pomiary.AddNew();
        pomiary.ustaw(QStringLiteral("Adres"), adres);
        pomiary.ustaw(QStringLiteral("EnCzynna"), 12.5f);
        pomiary.ustaw(QStringLiteral("EnBiernaPoj"), -0.5f);
        pomiary.ustaw(QStringLiteral("EnBiernaCalk"), 4.25f);
        pomiary.ustaw(QStringLiteral("Napiecie"), 231.0f);
        pomiary.ustaw(QStringLiteral("PradBierny"), 3.5f);
        pomiary.ustaw(QStringLiteral("PradCalk"), 10.75f);
        pomiary.ustaw(QStringLiteral("Czestotliwosc"), 50.01f);
        pomiary.ustaw(QStringLiteral("Data"), czas.tekstBazy());
        pomiary.Update();
        ostatnie.MoveFirst();
        ostatnie.Find(QStringLiteral("Adres= ") + QString::number(adres));
        if (ostatnie.EOF_()) {
            ostatnie.AddNew();
            ostatnie.ustaw(QStringLiteral("Adres"), adres);
        }
        ostatnie.ustaw(QStringLiteral("PopPradCzynny"), licznik);
        ostatnie.ustaw(QStringLiteral("PopPradBiernSr"), licznik / 3);
        ostatnie.ustaw(QStringLiteral("PopPradBiernPojSr"), -licznik / 10);
        ostatnie.ustaw(QStringLiteral("PopTimerU"), static_cast<int>(licznik));
        ostatnie.ustaw(QStringLiteral("Czas"), czas.tekstBazy());
        ostatnie.Update();
    }
};

// Loading 500 000 readings into a table like Pomiary (its key and index):
// COPY in parts of 50 000 rows, as kopiuj sends them, against INSERTs of
// 1000 rows each in transactions of the same size.
void wczytywanie(const QString &polaczenie)
{
    PGconn *pg = PQconnectdb(polaczenie.toUtf8().constData());
    const auto sql = [pg](const QByteArray &s) {
        PGresult *r = PQexec(pg, s.constData());
        const bool ok = PQresultStatus(r) == PGRES_COMMAND_OK || PQresultStatus(r) == PGRES_COPY_IN;
        if (!ok)
            std::fprintf(stderr, "%s: %s\n", s.constData(), PQresultErrorMessage(r));
        PQclear(r);
        return ok;
    };
    constexpr int wierszy = 500000, porcja = 50000, wInsercie = 1000;
    const auto wiersz = [](int i) {
        const DataCzas d = DataCzas::z(QDate(2020, 1, 1)).plusMinuty(15 * (i / 32));
        return QStringLiteral("%1\t%2\t%3\t%4\t%5\t230.5\t1.25\t10.5\t50.01")
            .arg(i + 1)
            .arg(i % 32 + 1)
            .arg(d.tekstBazy())
            .arg(12.5 + i % 7)
            .arg(4.25 + i % 5)
            .arg(-0.5)
            .toUtf8();
    };
    if (PQstatus(pg) != CONNECTION_OK || !sql("SET client_min_messages = warning") ||
        !sql("DROP TABLE IF EXISTS tolvek_proba") || !sql("CREATE TABLE tolvek_proba (LIKE pomiary INCLUDING ALL)")) {
        PQfinish(pg);
        return;
    }
    const QByteArray kolumny = "(rowid, adres, data, enczynna, enbiernacalk, enbiernapoj, napiecie, pradbierny, "
                               "pradcalk, czestotliwosc)";
    QElapsedTimer t;
    t.start();
    for (int p = 0; p < wierszy; p += porcja) {
        sql("BEGIN");
        sql("COPY tolvek_proba " + kolumny + " FROM STDIN");
        QByteArray b;
        for (int i = p; i < p + porcja; ++i)
            b += wiersz(i) + '\n';
        PQputCopyData(pg, b.constData(), static_cast<int>(b.size()));
        PQputCopyEnd(pg, nullptr);
        while (PGresult *r = PQgetResult(pg))
            PQclear(r);
        sql("COMMIT");
    }
    const double copy = ms(t) / 1000;
    sql("TRUNCATE tolvek_proba");
    t.restart();
    for (int p = 0; p < wierszy; p += porcja) {
        sql("BEGIN");
        for (int i = p; i < p + porcja; i += wInsercie) {
            QByteArray s = "INSERT INTO tolvek_proba " + kolumny + " VALUES ";
            for (int j = i; j < i + wInsercie; ++j) {
                const QList<QByteArray> pola = wiersz(j).split('\t');
                s += (j > i ? ",(" : "(") + pola.at(0) + ',' + pola.at(1) + ",'" + pola.at(2) + "'";
                for (int k = 3; k < pola.size(); ++k)
                    s += ',' + pola.at(k);
                s += ')';
            }
            sql(s);
        }
        sql("COMMIT");
    }
    const double insert = ms(t) / 1000;
    sql("DROP TABLE tolvek_proba");
    PQfinish(pg);
    std::printf("\nloading %d readings into a table like Pomiary (key and index), parts of %d rows:\n", wierszy,
                porcja);
    std::printf("  COPY                          %8.0f rows/s\n", wierszy / copy);
    std::printf("  INSERT of %d rows at a time  %8.0f rows/s\n", wInsercie, wierszy / insert);
}

struct WynikZapisu {
    std::vector<double> odczyt; // ms per stored reading
    std::vector<double> minuta; // ms until every station stored its minute
    double sekund = 0;
    int wierszy = 0;
};

// From `poczatek` on: a reading is stored once per address and second, so
// each run on the same database takes minutes of its own.
WynikZapisu zapisy(const ZrodloBazy &z, int ileStacji, int minut, DataCzas poczatek)
{
    WynikZapisu w;
    std::vector<std::vector<double>> czasy(static_cast<size_t>(ileStacji));
    std::barrier start(ileStacji + 1);
    std::barrier koniec(ileStacji + 1);
    std::vector<std::thread> watki;
    std::atomic<bool> blad{false};
    for (int s = 0; s < ileStacji; ++s) {
        watki.emplace_back([&, s] {
            std::optional<Stacja> st;
            try {
                st.emplace(z);
            } catch (const std::exception &e) {
                std::fprintf(stderr, "station %d: %s\n", s, e.what());
                blad = true;
            }
            for (int m = 0; m < minut; ++m) {
                start.arrive_and_wait();
                for (int r = 0; st && r < regulatorowStacji; ++r) {
                    QElapsedTimer t;
                    t.start();
                    try {
                        st->zapisz(1000 + s * regulatorowStacji + r, poczatek.plusMinuty(m), float(m * 10 + r));
                    } catch (const std::exception &e) {
                        std::fprintf(stderr, "station %d: %s\n", s, e.what());
                        blad = true;
                    }
                    czasy[static_cast<size_t>(s)].push_back(ms(t));
                }
                koniec.arrive_and_wait();
            }
        });
    }
    QElapsedTimer razem;
    razem.start();
    for (int m = 0; m < minut; ++m) {
        QElapsedTimer t;
        start.arrive_and_wait();
        t.start();
        koniec.arrive_and_wait();
        w.minuta.push_back(ms(t));
    }
    w.sekund = ms(razem) / 1000;
    for (std::thread &t : watki)
        t.join();
    for (const auto &c : czasy)
        w.odczyt.insert(w.odczyt.end(), c.begin(), c.end());
    w.wierszy = blad ? 0 : ileStacji * regulatorowStacji * minut;
    return w;
}

void wypiszZapisy(const char *co, const WynikZapisu &w)
{
    const double suma = std::accumulate(w.minuta.begin(), w.minuta.end(), 0.0) / 1000;
    std::printf("  %s\n", co);
    std::printf("    a minute's readings all stored in   median %8.1f ms   max %8.1f ms\n", kwantyl(w.minuta, 0.5),
                kwantyl(w.minuta, 1.0));
    std::printf("    one reading (Pomiary + OstPomiar)   median %8.2f ms   p99 %8.2f ms   max %8.2f ms\n",
                kwantyl(w.odczyt, 0.5), kwantyl(w.odczyt, 0.99), kwantyl(w.odczyt, 1.0));
    std::printf("    Pomiary rows per second taken       %8.0f (%d rows)\n",
                suma > 0 ? static_cast<double>(w.wierszy) / suma : 0.0, w.wierszy);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QString plik = QDir::temp().filePath(QStringLiteral("tolvek-bench-wykresy.mdb"));
    QString polaczenie;
    int minut = 10;
    const QStringList a = app.arguments();
    for (qsizetype i = 1; i + 1 < a.size(); i += 2) {
        if (a.at(i) == QLatin1String("--plik"))
            plik = a.at(i + 1);
        else if (a.at(i) == QLatin1String("--do"))
            polaczenie = a.at(i + 1);
        else if (a.at(i) == QLatin1String("--minut"))
            minut = a.at(i + 1).toInt();
    }
    const QDate koniec(2026, 12, 1);
    if (!QFileInfo::exists(plik)) {
        std::printf("generating %s (32 controllers, every 15 minutes, 10 years)\n", qPrintable(plik));
        generujPomiary(plik, 32, 15, koniec.addYears(-10), koniec);
    }

    std::optional<SerwerTrwaly> wlasny;
    if (polaczenie.isEmpty()) {
        wlasny.emplace();
        if (wlasny->polaczenie.isEmpty())
            return 2;
        polaczenie = wlasny->polaczenie;
        std::printf("private server: %s (fsync on, synchronous_commit on)\n", qPrintable(polaczenie));
    }
    int kod = 0;
    try {
        const ZrodloBazy serwer = ZrodloBazy::serwer(polaczenie);
        const QString baza = QStringLiteral(TOLVEK_BAZA_PROGRAM);
        if (uruchomProgram(baza, {QStringLiteral("init"), QStringLiteral("--do"), polaczenie}) != 0)
            throw std::runtime_error("tolvek-baza init --do failed");
        QElapsedTimer t;
        t.start();
        QString wyjscie;
        if (uruchomProgram(baza,
                           {QStringLiteral("kopiuj"), QStringLiteral("--z"), plik, QStringLiteral("--do"), polaczenie},
                           &wyjscie) != 0)
            throw std::runtime_error("tolvek-baza kopiuj failed");
        std::printf("\ntolvek-baza kopiuj (whole run %.1f s):\n%s", ms(t) / 1000, qPrintable(wyjscie));

        zapytania(plik, serwer);
        wczytywanie(polaczenie);

        std::printf("\nstoring: %d stations x %d controllers, a reading of each in the same minute, %d minutes "
                    "back to back\n",
                    stacji, regulatorowStacji, minut);
        const DataCzas od = DataCzas::z(QDate(2027, 1, 1));
        wypiszZapisy("on the server, 8 stations at once", zapisy(serwer, stacji, minut, od));
        wypiszZapisy("on the server, 1 station", zapisy(serwer, 1, minut, od.plusMinuty(minut)));
        QTemporaryDir katalog;
        const QString maly = katalog.filePath(QStringLiteral("tolvek.mdb"));
        if (uruchomProgram(baza, {QStringLiteral("init"), QStringLiteral("--plik"), maly}) != 0)
            throw std::runtime_error("tolvek-baza init failed");
        wypiszZapisy("on a file (synchronous=FULL), 1 station", zapisy(ZrodloBazy::plik(maly), 1, minut, od));
        // Czytaj_Diody: three 4-byte frames, one byte back each; daj_dane:
        // one 4-byte frame; czytaj + czytaj32: 33 bytes back. 8N1 at 4800
        // baud is 10 bits a byte.
        const int bajty = 3 * (4 + 1) + 4 + 33;
        std::printf("\nwire time of one reading: %d bytes x 10 bits / 4800 baud = %.0f ms (about 250 ms with the "
                    "controllers' answer delays)\n",
                    bajty, bajty * 10.0 * 1000.0 / 4800.0);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s\n", e.what());
        kod = 2;
    }
    return kod;
}
