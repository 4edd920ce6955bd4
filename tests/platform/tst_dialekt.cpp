// The station's SQL dialect on SQLite: the translation of date literals and
// "/", the format() of dates, and every query text the windows and reports
// send, run on rows placed at the day boundaries.

#include "platform/bladbazy.h"
#include "platform/funkcjesql.h"
#include "platform/polaczenie.h"
#include "platform/zapytanie.h"
#include "testsupport.h"

#include <QTest>

namespace
{

// The texts the charts, reports and alarm archive send.
constexpr const char *wykresDobowy = "Select Data, EnCzynna, EnBiernaCalk from Pomiary where Adres = 5 and Data >= "
                                     "#12/05/2026# and Data < #12/06/2026#";
constexpr const char *wykresOkresowy =
    "Select  format(Data,'dd/mm/yy') as MData, SUM(EnCzynna) as SumEnCzynna, SUM(EnBiernaCalk) as SumEnBiernaCalk "
    "from Pomiary where Adres = 5 and Data >= #12/05/26# and Data < #12/07/26# GROUP BY format(Data,'dd/mm/yy')";
constexpr const char *raportDobowy =
    "Select *, EnBiernaCalk-EnBiernaPoj as EnBierna, IIf(EnCzynna<>0, EnBiernaCalk/EnCzynna,0) as tgfi from Pomiary "
    "where data >=#2026-12-05# and data <#2026-12-06# and adres = 5";
constexpr const char *raportOkresowy =
    "Select Format(data,'dd/MM/yy') as data, SUM(EnCzynna) as EnCzynnaSuma, Sum(EnBiernaCalk-EnBiernaPoj) as "
    "EnBiernaSuma, AVG(IIf(EnCzynna<>0, EnBiernaCalk/EnCzynna,0)) as tgfiSr, MIN((IIf(EnCzynna<>0, "
    "EnBiernaCalk/EnCzynna,0))) as tgfiMin, MAX((IIf(EnCzynna<>0, EnBiernaCalk/EnCzynna,0))) as tgfiMaks, "
    "SUM(EnBiernaPoj) as EnBiernaPojSuma, AVG(Napiecie) as NapiecieSr, MIN(Napiecie) as NapiecieMin, MAX(Napiecie) "
    "as NapiecieMaks, AVG(Czestotliwosc) as CzestotliwoscSr, MIN(Czestotliwosc) as CzestotliwoscMin, "
    "MAX(Czestotliwosc) as CzestotliwoscMaks, AVG(PradCalk) as PradCalkSr, MIN(PradCalk) as PradCalkMin, "
    "MAX(PradCalk) as PradCalkMaks from Pomiary where data >=#2026-12-04# and data <#2026-12-06# and adres = 5 "
    "GROUP BY Format(data,'dd/MM/yy')";
constexpr const char *archiwumAlarmow =
    "Select * from Alarmy where Kod_regul = 'R1' and Data >= #12/05/26# and Data < #12/06/26#";

// Rows of address 5 around 5 December 2026, one of address 6, and alarms of
// R1 and R2 at the same boundaries.
void wypelnij(const BazaTestowa &b)
{
    const char *pomiary[][3] = {
        {"5", "2026-12-04 23:59:59", "1, 1, 0"},
        {"5", "2026-12-05 00:00:00", "10, 4, -1"}, // integers: 4/10 must give 0.4
        {"5", "2026-12-05 12:00:00", "0, 3, 0"},   // no active energy
        {"5", "2026-12-05 23:59:59", "20.5, 2.5, -0.5"},
        {"5", "2026-12-06 00:00:00", "100, 100, 0"},
        {"6", "2026-12-05 12:00:00", "1000, 1000, 0"},
    };
    const char *alarmy[][3] = {
        {"2026-12-04 23:59:59", "a", "R1"}, {"2026-12-05 00:00:00", "b", "R1"}, {"2026-12-05 23:59:59", "c", "R1"},
        {"2026-12-05 10:00:00", "d", "R2"}, {"2026-12-06 00:00:00", "e", "R1"},
    };
    QStringList sql;
    for (const auto &p : pomiary)
        sql << QStringLiteral("INSERT INTO Pomiary (Adres, Data, EnCzynna, EnBiernaCalk, EnBiernaPoj, Napiecie, "
                              "PradCalk, Czestotliwosc) VALUES (%1, '%2', %3, 230, 10, 50)")
                   .arg(QLatin1String(p[0]), QLatin1String(p[1]), QLatin1String(p[2]));
    for (const auto &a : alarmy)
        sql << QStringLiteral("INSERT INTO Alarmy (Data, Typ, Tresc, Kod_Regul) VALUES ('%1', 'R', '%2', '%3')")
                   .arg(QLatin1String(a[0]), QLatin1String(a[1]), QLatin1String(a[2]));
    b.wykonaj(sql);
}

} // namespace

class TestDialekt final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void przetlumacz_data()
    {
        QTest::addColumn<QString>("jet");
        QTest::addColumn<QString>("sqlite"); // "!": refused
        QTest::newRow("iso date") << "Data >=#2026-12-05#"
                                  << "Data >='2026-12-05 00:00:00'";
        QTest::newRow("month first, 4-digit year") << "Data < #12/06/2026#"
                                                   << "Data < '2026-12-06 00:00:00'";
        QTest::newRow("year 29 is 2029") << "#01/02/29#"
                                         << "'2029-01-02 00:00:00'";
        QTest::newRow("year 30 is 1930") << "#01/02/30#"
                                         << "'1930-01-02 00:00:00'";
        QTest::newRow("single digits, time") << "#1/2/2026 7:05#"
                                             << "'2026-01-02 07:05:00'";
        QTest::newRow("chain keeps grouping") << "(a+b)/c/d"
                                              << "(a+b)*1.0/c*1.0/d";
        QTest::newRow("quoted text untouched") << "format(Data,'dd/mm/yy') = '#1/2/3#'"
                                               << "format(Data,'dd/mm/yy') = '#1/2/3#'";
        QTest::newRow("doubled quote inside text") << "Kod = 'O''Brien/1'"
                                                   << "Kod = 'O''Brien/1'";
        QTest::newRow("double-quoted text becomes a string") << "Kod = \"R'1/2\""
                                                             << "Kod = 'R''1/2'";
        QTest::newRow("bracketed name untouched") << "[a/b]"
                                                  << "[a/b]";
        QTest::newRow("day before month") << "Data >= #25/12/2026#"
                                          << "!";
        QTest::newRow("31 November") << "#11/31/2026#"
                                     << "!";
        QTest::newRow("unclosed literal") << "Data >= #12/05/2026"
                                          << "!";
        QTest::newRow("words in a literal") << "#jutro#"
                                            << "!";
    }
    void przetlumacz()
    {
        QFETCH(QString, jet);
        QFETCH(QString, sqlite);
        if (sqlite == QLatin1String("!"))
            QVERIFY_THROWS_EXCEPTION(BladBazy, przetlumaczSql(jet));
        else
            QCOMPARE(przetlumaczSql(jet), sqlite);
    }

    void formatDaty_data()
    {
        QTest::addColumn<QString>("wartosc");
        QTest::addColumn<QString>("wzor");
        QTest::addColumn<QString>("wynik");
        const QString t = QStringLiteral("2026-03-05 07:08:09");
        QTest::newRow("dd/mm/yy: mm is the month") << t << "dd/mm/yy"
                                                   << "05/03/26";
        QTest::newRow("single letters") << t << "d.m.yy"
                                        << "5.3.26";
        QTest::newRow("hh:mm: mm after the hour is minutes") << t << "hh:mm"
                                                             << "07:08";
        QTest::newRow("h:m:s") << t << "h:m:s"
                               << "7:8:9";
        QTest::newRow("nn and ss") << t << "yyyy-mm-dd hh:nn:ss"
                                   << "2026-03-05 07:08:09";
        QTest::newRow("capital letters") << t << "DD-MM-YYYY HH:NN"
                                         << "05-03-2026 07:08";
        QTest::newRow("month after minutes") << t << "hh:nn dd/mm"
                                             << "07:08 05/03";
        QTest::newRow("date-only value") << "2026-12-05"
                                         << "dd/mm/yy hh:nn"
                                         << "05/12/26 00:00";
        QTest::newRow("T separator, fraction") << "2026-12-05T23:59:59.500"
                                               << "hh:nn:ss"
                                               << "23:59:59";
        QTest::newRow("not a date") << "abc"
                                    << "dd"
                                    << "<brak>";
        QTest::newRow("month 13") << "2026-13-01"
                                  << "dd"
                                  << "<brak>";
        QTest::newRow("hour 25") << "2026-12-05 25:00:00"
                                 << "dd"
                                 << "<brak>";
    }
    void formatDaty()
    {
        QFETCH(QString, wartosc);
        QFETCH(QString, wzor);
        QFETCH(QString, wynik);
        QCOMPARE(formatujDateJet(wartosc, wzor).value_or(QStringLiteral("<brak>")), wynik);
    }

    void connection_hasOurFormat_iif_andRealDivision()
    {
        BazaTestowa b;
        Polaczenie cn;
        cn.Open(b.polaczenieTekst);
        // The engine's own format() is printf-like: it would give the
        // pattern back instead of the date.
        QCOMPARE(wierszeZapytania(cn, QStringLiteral("Select format('2026-12-05 10:15:30','dd/mm/yy'), "
                                                     "Format('2026-12-05 10:15:30','hh:mm'), format(NULL,'dd'), "
                                                     "format('x','dd'), 7/2, IIf(0<>0, 1/0, -1), iif(NULL, 1, 2)")),
                 (QList<QVariantList>{{"05/12/26", "10:15", QVariant(), "x", 3.5, -1, 2}}));
    }

    void stationQuery_data()
    {
        QTest::addColumn<bool>("bezTypow");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("kolumna");
        QTest::addColumn<QStringList>("wartosci");
        for (const bool bezTypow : {false, true}) {
            const auto wiersz = [bezTypow](const char *nazwa, const char *sql, const char *kolumna,
                                           const QStringList &wartosci) {
                QTest::addRow("%s: %s%s", nazwa, kolumna, bezTypow ? ", untyped table" : "")
                    << bezTypow << QString::fromLatin1(sql) << QString::fromLatin1(kolumna) << wartosci;
            };
            wiersz("daily chart", wykresDobowy, "data",
                   {"2026-12-05 00:00:00", "2026-12-05 12:00:00", "2026-12-05 23:59:59"});
            wiersz("period chart", wykresOkresowy, "MData", {"05/12/26", "06/12/26"});
            wiersz("period chart", wykresOkresowy, "SumEnCzynna", {"30.5", "100"});
            wiersz("period chart", wykresOkresowy, "sumenbiernacalk", {"9.5", "100"});
            wiersz("daily report", raportDobowy, "tgfi", {"0.4", "0", "0.12195121951219512"});
            wiersz("daily report", raportDobowy, "EnBierna", {"5", "3", "3"});
            wiersz("daily report", raportDobowy, "Czestotliwosc", {"50", "50", "50"});
            // "data" is the formatted day; the table's Data still drives
            // WHERE and GROUP BY.
            wiersz("period report", raportOkresowy, "data", {"04/12/26", "05/12/26"});
            wiersz("period report", raportOkresowy, "EnCzynnaSuma", {"1", "30.5"});
            wiersz("period report", raportOkresowy, "EnBiernaSuma", {"1", "11"});
            wiersz("period report", raportOkresowy, "tgfiMin", {"1", "0"});
            wiersz("period report", raportOkresowy, "tgfiMaks", {"1", "0.4"});
            wiersz("period report", raportOkresowy, "EnBiernaPojSuma", {"0", "-1.5"});
            wiersz("alarm archive", archiwumAlarmow, "Tresc", {"b", "c"});
        }
    }
    void stationQuery()
    {
        QFETCH(bool, bezTypow);
        QFETCH(QString, sql);
        QFETCH(QString, kolumna);
        QFETCH(QStringList, wartosci);
        BazaTestowa b;
        // Without declared types the integers stay integers, and 4/10 must
        // still give 0.4.
        if (bezTypow)
            b.wykonaj(QStringList{QStringLiteral("DROP TABLE Pomiary"),
                                  QStringLiteral("CREATE TABLE Pomiary (Adres, Data, EnCzynna, EnBiernaCalk, "
                                                 "EnBiernaPoj, Napiecie, PradBierny, PradCalk, Czestotliwosc)")});
        wypelnij(b);
        Polaczenie cn;
        cn.Open(b.polaczenieTekst);
        Zapytanie z;
        z.Open(sql, cn);
        QStringList wynik;
        for (; !z.EOF_(); z.MoveNext())
            wynik << z.pole(kolumna).toString();
        QCOMPARE(wynik, wartosci);
    }

    void query_nullsReadInvalid_unknownColumnAndBadSqlThrow()
    {
        BazaTestowa b;
        Polaczenie cn;
        cn.Open(b.polaczenieTekst);
        Zapytanie z;
        z.Open(QStringLiteral("Select * from Pomiary"), cn);
        QCOMPARE(z.RecordCount(), 0);
        QVERIFY(z.EOF_());
        QVERIFY_THROWS_EXCEPTION(BladBazy, z.pole(QStringLiteral("Adres")));
        QVERIFY_THROWS_EXCEPTION(BladBazy, z.pole(QStringLiteral("Nieistniejaca")));
        try {
            z.Open(QStringLiteral("Select * from Pomiar"), cn);
            QFAIL("no error");
        } catch (const BladBazy &e) {
            QCOMPARE(e.numer(), 1);
            QVERIFY(e.opis().contains(QStringLiteral("Pomiar")));
        }
        QVERIFY(!z.otwarte());
        z.Open(QStringLiteral("Select NULL as n, '' as p"), cn);
        QVERIFY(!z.pole(QStringLiteral("n")).isValid());
        QVERIFY(z.pole(QStringLiteral("p")).isValid());
        cn.Close();
        QVERIFY_THROWS_EXCEPTION(BladBazy, z.Open(QStringLiteral("Select 1"), cn));
    }
};

QTEST_GUILESS_MAIN(TestDialekt)
#include "tst_dialekt.moc"
