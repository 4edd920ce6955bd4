// The station's SQL dialect on SQLite: the translation of date literals and
// "/", the format() of dates, and every query text the windows and reports
// send, run on rows placed at the day boundaries.

#include "platform/bladbazy.h"
#include "platform/funkcjesql.h"
#include "platform/polaczenie.h"
#include "platform/zapytanie.h"
#include "testsupport.h"

#include <QSqlQuery>
#include <QTest>

namespace {

struct Wiersz {
    int adres;
    const char *data;
    QString energie; // "EnCzynna, EnBiernaCalk, EnBiernaPoj" as SQL values
};

// Rows of address 5 around 5 December 2026, and one of address 6.
void wypelnijPomiary(const BazaTestowa &b)
{
    const Wiersz w[] = {
        {5, "2026-12-04 23:59:59", QStringLiteral("1, 1, 0")},
        {5, "2026-12-05 00:00:00", QStringLiteral("10, 4, -1")}, // integers: 4/10 must give 0.4
        {5, "2026-12-05 12:00:00", QStringLiteral("0, 3, 0")},   // no active energy
        {5, "2026-12-05 23:59:59", QStringLiteral("20.5, 2.5, -0.5")},
        {5, "2026-12-06 00:00:00", QStringLiteral("100, 100, 0")},
        {6, "2026-12-05 12:00:00", QStringLiteral("1000, 1000, 0")},
    };
    QStringList sql;
    for (const Wiersz &x : w)
        sql.append(QStringLiteral("INSERT INTO Pomiary (Adres, Data, EnCzynna, EnBiernaCalk, EnBiernaPoj, Napiecie, "
                                  "PradCalk, Czestotliwosc) VALUES (%1, '%2', %3, 230, 10, 50)")
                       .arg(x.adres)
                       .arg(QLatin1String(x.data), x.energie));
    b.wykonaj(sql);
}

QStringList kolumna(Zapytanie &z, const QString &nazwa)
{
    QStringList w;
    for (z.MoveFirst(); !z.EOF_(); z.MoveNext())
        w.append(z.pole(nazwa).toString());
    return w;
}

} // namespace

class TestDialekt final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void przetlumacz_data();
    void przetlumacz();
    void przetlumacz_badDateLiteral_throws_data();
    void przetlumacz_badDateLiteral_throws();
    void formatDaty_data();
    void formatDaty();
    void formatDaty_notADate_givesNothing();

    void connection_formatIsOurs_notThePrintfBuiltin();
    void connection_slashDividesIntegersAsReals_iifGuardsZero();
    void dailyChart_selectsTheDayWithItsBoundaries();
    void periodChart_groupsPerDayByFormattedDate();
    void dailyReport_selectStarWithComputedColumns_onUntypedTable();
    void periodReport_aggregatesPerDay_zeroEnergyCountsAsZeroTgFi();
    void alarmArchive_selectsAlarmsOfOneControllerAndDay();
    void query_nullsReadInvalid_unknownColumnAndBadSqlThrow();
};

void TestDialekt::przetlumacz_data()
{
    QTest::addColumn<QString>("jet");
    QTest::addColumn<QString>("sqlite");
    QTest::newRow("iso date") << "Data >=#2026-12-05#" << "Data >='2026-12-05 00:00:00'";
    QTest::newRow("month first, 4-digit year") << "Data < #12/06/2026#" << "Data < '2026-12-06 00:00:00'";
    QTest::newRow("month first, 2-digit year") << "#12/05/26#" << "'2026-12-05 00:00:00'";
    QTest::newRow("year 29 is 2029") << "#01/02/29#" << "'2029-01-02 00:00:00'";
    QTest::newRow("year 30 is 1930") << "#01/02/30#" << "'1930-01-02 00:00:00'";
    QTest::newRow("single digits, time") << "#1/2/2026 7:05#" << "'2026-01-02 07:05:00'";
    QTest::newRow("division") << "a/b" << "a*1.0/b";
    QTest::newRow("chain keeps grouping") << "(a+b)/c/d" << "(a+b)*1.0/c*1.0/d";
    QTest::newRow("quoted text untouched") << "format(Data,'dd/mm/yy') = '#1/2/3#'"
                                           << "format(Data,'dd/mm/yy') = '#1/2/3#'";
    QTest::newRow("doubled quote inside text") << "Kod = 'O''Brien/1'" << "Kod = 'O''Brien/1'";
    QTest::newRow("double-quoted text becomes a string") << "Kod = \"R'1/2\"" << "Kod = 'R''1/2'";
    QTest::newRow("bracketed name untouched") << "[a/b]" << "[a/b]";
}

void TestDialekt::przetlumacz()
{
    QFETCH(QString, jet);
    QFETCH(QString, sqlite);
    QCOMPARE(przetlumaczSql(jet), sqlite);
}

void TestDialekt::przetlumacz_badDateLiteral_throws_data()
{
    QTest::addColumn<QString>("jet");
    QTest::newRow("day before month") << "Data >= #25/12/2026#";
    QTest::newRow("31 November") << "#11/31/2026#";
    QTest::newRow("unclosed") << "Data >= #12/05/2026";
    QTest::newRow("words") << "#jutro#";
}

void TestDialekt::przetlumacz_badDateLiteral_throws()
{
    QFETCH(QString, jet);
    QVERIFY_THROWS_EXCEPTION(BladBazy, przetlumaczSql(jet));
}

void TestDialekt::formatDaty_data()
{
    QTest::addColumn<QString>("wartosc");
    QTest::addColumn<QString>("wzor");
    QTest::addColumn<QString>("wynik");
    const QString t = QStringLiteral("2026-03-05 07:08:09");
    QTest::newRow("dd/mm/yy: mm is the month") << t << "dd/mm/yy" << "05/03/26";
    QTest::newRow("dd/MM/yy") << t << "dd/MM/yy" << "05/03/26";
    QTest::newRow("dd/mm/yyyy") << t << "dd/mm/yyyy" << "05/03/2026";
    QTest::newRow("single letters") << t << "d.m.yy" << "5.3.26";
    QTest::newRow("hh:mm: mm after the hour is minutes") << t << "hh:mm" << "07:08";
    QTest::newRow("h:m:s") << t << "h:m:s" << "7:8:9";
    QTest::newRow("nn and ss") << t << "yyyy-mm-dd hh:nn:ss" << "2026-03-05 07:08:09";
    QTest::newRow("capital letters") << t << "DD-MM-YYYY HH:NN" << "05-03-2026 07:08";
    QTest::newRow("month after minutes") << t << "hh:nn dd/mm" << "07:08 05/03";
    QTest::newRow("date-only value") << "2026-12-05" << "dd/mm/yy hh:nn" << "05/12/26 00:00";
    QTest::newRow("T separator, fraction") << "2026-12-05T23:59:59.500" << "hh:nn:ss" << "23:59:59";
}

void TestDialekt::formatDaty()
{
    QFETCH(QString, wartosc);
    QFETCH(QString, wzor);
    QFETCH(QString, wynik);
    QCOMPARE(formatujDateJet(wartosc, wzor).value_or(QStringLiteral("<brak>")), wynik);
}

void TestDialekt::formatDaty_notADate_givesNothing()
{
    QVERIFY(!formatujDateJet(QStringLiteral("abc"), QStringLiteral("dd")));
    QVERIFY(!formatujDateJet(QStringLiteral("2026-13-01"), QStringLiteral("dd")));
    QVERIFY(!formatujDateJet(QStringLiteral("2026-12-05 25:00:00"), QStringLiteral("dd")));
}

void TestDialekt::connection_formatIsOurs_notThePrintfBuiltin()
{
    BazaTestowa b;
    Polaczenie cn;
    cn.Open(b.polaczenieTekst);
    Zapytanie z;
    z.Open(QStringLiteral("Select format('2026-12-05 10:15:30','dd/mm/yy') as a, "
                          "Format('2026-12-05 10:15:30','hh:mm') as b, format(NULL,'dd') as c, "
                          "format('x','dd') as d"),
           cn);
    QCOMPARE(z.RecordCount(), 1);
    QCOMPARE(z.pole(QStringLiteral("a")).toString(), QStringLiteral("05/12/26"));
    QCOMPARE(z.pole(QStringLiteral("B")).toString(), QStringLiteral("10:15"));
    QVERIFY(!z.pole(QStringLiteral("c")).isValid());
    QCOMPARE(z.pole(QStringLiteral("d")).toString(), QStringLiteral("x"));
}

void TestDialekt::connection_slashDividesIntegersAsReals_iifGuardsZero()
{
    BazaTestowa b;
    Polaczenie cn;
    cn.Open(b.polaczenieTekst);
    Zapytanie z;
    z.Open(QStringLiteral("Select 7/2 as x, IIf(0<>0, 1/0, -1) as y, iif(NULL, 1, 2) as w"), cn);
    QCOMPARE(z.pole(QStringLiteral("x")).toDouble(), 3.5);
    QCOMPARE(z.pole(QStringLiteral("y")).toInt(), -1);
    QCOMPARE(z.pole(QStringLiteral("w")).toInt(), 2);
}

void TestDialekt::dailyChart_selectsTheDayWithItsBoundaries()
{
    BazaTestowa b;
    wypelnijPomiary(b);
    Polaczenie cn;
    cn.Open(b.polaczenieTekst);
    Zapytanie z;
    z.Open(QStringLiteral("Select Data, EnCzynna, EnBiernaCalk from Pomiary where Adres = 5 and Data >= "
                          "#12/05/2026# and Data < #12/06/2026#"),
           cn);
    QCOMPARE(z.RecordCount(), 3);
    QCOMPARE(kolumna(z, QStringLiteral("data")),
             (QStringList{"2026-12-05 00:00:00", "2026-12-05 12:00:00", "2026-12-05 23:59:59"}));
    QCOMPARE(kolumna(z, QStringLiteral("EnCzynna")), (QStringList{"10", "0", "20.5"}));
}

void TestDialekt::periodChart_groupsPerDayByFormattedDate()
{
    BazaTestowa b;
    wypelnijPomiary(b);
    Polaczenie cn;
    cn.Open(b.polaczenieTekst);
    Zapytanie z;
    z.Open(QStringLiteral("Select  format(Data,'dd/mm/yy') as MData, SUM(EnCzynna) as SumEnCzynna, SUM(EnBiernaCalk) "
                          "as SumEnBiernaCalk from Pomiary where Adres = 5 and Data >= #12/05/26# and Data < #12/07/26#"
                          " GROUP BY format(Data,'dd/mm/yy')"),
           cn);
    QCOMPARE(kolumna(z, QStringLiteral("MData")), (QStringList{"05/12/26", "06/12/26"}));
    QCOMPARE(kolumna(z, QStringLiteral("SumEnCzynna")), (QStringList{"30.5", "100"}));
    QCOMPARE(kolumna(z, QStringLiteral("sumenbiernacalk")), (QStringList{"9.5", "100"}));
}

void TestDialekt::dailyReport_selectStarWithComputedColumns_onUntypedTable()
{
    BazaTestowa b;
    // Without declared types the integers stay integers, and 4/10 must
    // still give 0.4.
    b.wykonaj(QStringList{QStringLiteral("DROP TABLE Pomiary"),
                          QStringLiteral("CREATE TABLE Pomiary (Adres, Data, EnCzynna, EnBiernaCalk, EnBiernaPoj, "
                                         "Napiecie, PradBierny, PradCalk, Czestotliwosc)")});
    wypelnijPomiary(b);
    Polaczenie cn;
    cn.Open(b.polaczenieTekst);
    Zapytanie z;
    z.Open(QStringLiteral("Select *, EnBiernaCalk-EnBiernaPoj as EnBierna, IIf(EnCzynna<>0, EnBiernaCalk/EnCzynna,0) "
                          "as tgfi from Pomiary where data >=#2026-12-05# and data <#2026-12-06# and adres = 5"),
           cn);
    QCOMPARE(z.RecordCount(), 3);
    QVERIFY(z.kolumny().contains(QStringLiteral("Czestotliwosc")));
    QCOMPARE(kolumna(z, QStringLiteral("tgfi")), (QStringList{"0.4", "0", "0.12195121951219512"}));
    QCOMPARE(kolumna(z, QStringLiteral("EnBierna")), (QStringList{"5", "3", "3"}));
    z.MoveFirst();
    QCOMPARE(z.pole(QStringLiteral("Napiecie")).toDouble(), 230.0);
}

void TestDialekt::periodReport_aggregatesPerDay_zeroEnergyCountsAsZeroTgFi()
{
    BazaTestowa b;
    wypelnijPomiary(b);
    Polaczenie cn;
    cn.Open(b.polaczenieTekst);
    Zapytanie z;
    z.Open(QStringLiteral(
               "Select Format(data,'dd/MM/yy') as data, SUM(EnCzynna) as EnCzynnaSuma, Sum(EnBiernaCalk-EnBiernaPoj) "
               "as EnBiernaSuma, AVG(IIf(EnCzynna<>0, EnBiernaCalk/EnCzynna,0)) as tgfiSr, MIN((IIf(EnCzynna<>0, "
               "EnBiernaCalk/EnCzynna,0))) as tgfiMin, MAX((IIf(EnCzynna<>0, EnBiernaCalk/EnCzynna,0))) as tgfiMaks, "
               "SUM(EnBiernaPoj) as EnBiernaPojSuma, AVG(Napiecie) as NapiecieSr, MIN(Napiecie) as NapiecieMin, "
               "MAX(Napiecie) as NapiecieMaks, AVG(Czestotliwosc) as CzestotliwoscSr, MIN(Czestotliwosc) as "
               "CzestotliwoscMin, MAX(Czestotliwosc) as CzestotliwoscMaks, AVG(PradCalk) as PradCalkSr, MIN(PradCalk) "
               "as PradCalkMin, MAX(PradCalk) as PradCalkMaks from Pomiary where data >=#2026-12-04# and data "
               "<#2026-12-06# and adres = 5 GROUP BY Format(data,'dd/MM/yy')"),
           cn);
    // The column "data" is the formatted day; the table's Data still
    // drives WHERE and GROUP BY.
    QCOMPARE(kolumna(z, QStringLiteral("data")), (QStringList{"04/12/26", "05/12/26"}));
    z.MoveFirst();
    z.MoveNext();
    QCOMPARE(z.pole(QStringLiteral("EnCzynnaSuma")).toDouble(), 30.5);
    QCOMPARE(z.pole(QStringLiteral("EnBiernaSuma")).toDouble(), 11.0);
    QCOMPARE(z.pole(QStringLiteral("tgfiMin")).toDouble(), 0.0);
    QCOMPARE(z.pole(QStringLiteral("tgfiMaks")).toDouble(), 0.4);
    QCOMPARE(z.pole(QStringLiteral("tgfiSr")).toDouble(), (0.4 + 0 + 2.5 / 20.5) / 3);
    QCOMPARE(z.pole(QStringLiteral("EnBiernaPojSuma")).toDouble(), -1.5);
    QCOMPARE(z.pole(QStringLiteral("NapiecieSr")).toDouble(), 230.0);
    QCOMPARE(z.pole(QStringLiteral("CzestotliwoscMaks")).toDouble(), 50.0);
}

void TestDialekt::alarmArchive_selectsAlarmsOfOneControllerAndDay()
{
    BazaTestowa b;
    b.wykonaj(QStringList{
        QStringLiteral("INSERT INTO Alarmy (Data, Typ, Tresc, Kod_Regul) VALUES ('2026-12-04 23:59:59','R','a','R1')"),
        QStringLiteral("INSERT INTO Alarmy (Data, Typ, Tresc, Kod_Regul) VALUES ('2026-12-05 00:00:00','R','b','R1')"),
        QStringLiteral("INSERT INTO Alarmy (Data, Typ, Tresc, Kod_Regul) VALUES ('2026-12-05 23:59:59','R','c','R1')"),
        QStringLiteral("INSERT INTO Alarmy (Data, Typ, Tresc, Kod_Regul) VALUES ('2026-12-05 10:00:00','R','d','R2')"),
        QStringLiteral("INSERT INTO Alarmy (Data, Typ, Tresc, Kod_Regul) VALUES ('2026-12-06 00:00:00','R','e','R1')"),
    });
    Polaczenie cn;
    cn.Open(b.polaczenieTekst);
    Zapytanie z;
    z.Open(QStringLiteral("Select * from Alarmy where Kod_regul = 'R1' and Data >= #12/05/26# and Data < #12/06/26#"),
           cn);
    QCOMPARE(kolumna(z, QStringLiteral("Tresc")), (QStringList{"b", "c"}));
    z.MoveFirst();
    QVERIFY(!z.pole(QStringLiteral("data_potw")).isValid());
    QVERIFY(z.pole(QStringLiteral("Id_alarmu")).toInt() > 0);
}

void TestDialekt::query_nullsReadInvalid_unknownColumnAndBadSqlThrow()
{
    BazaTestowa b;
    Polaczenie cn;
    cn.Open(b.polaczenieTekst);
    Zapytanie z;
    z.Open(QStringLiteral("Select * from Pomiary"), cn);
    QVERIFY(z.otwarte());
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

QTEST_GUILESS_MAIN(TestDialekt)
#include "tst_dialekt.moc"
