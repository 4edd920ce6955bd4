// Every query the station sends (charts, reports, alarm archive, controller
// editor) and the dialect's forms, run on a real SQLite file and a real
// PostgreSQL server holding the same rows: the results must agree row by
// row, in order where the query orders its rows.

#include "baza/polaczenie.h"
#include "baza/zapytanie.h"
#include "db/clsregulatory.h"
#include "reports/archiwumalarmow.h"
#include "reports/danewykresu.h"
#include "reports/raport.h"
#include "testsupport.h"

#include <QCoreApplication>
#include <QTest>

namespace
{

// The same rows on both engines, in the same order: readings of two
// controllers around the day boundaries of 5 December 2026 and in the hour
// summer time skips, inserted out of time order; alarms of which the first
// is acknowledged afterwards (on the server its row moves to the end).
const QStringList wiersze = {
    "INSERT INTO Regulatory (Adres, Kod, Typ, Opis) VALUES (5, 'R5', 'regulator', 'hala')",
    "INSERT INTO Regulatory (Adres, Kod, Typ, ProgPrad) VALUES (6, 'O''R', 'regulator', 120.5)",
    "INSERT INTO Regulatory (Adres, Kod, Typ) VALUES (9, 'L9', 'licznik')",
    "INSERT INTO Pomiary (Adres, Data, EnCzynna, EnBiernaCalk, EnBiernaPoj, Napiecie, PradCalk, Czestotliwosc) VALUES "
    "(5, '2026-12-05 12:00:00', 10, 4, -1.5, 231, 10.25, 50.01), "
    "(5, '2026-12-05 00:00:00', 0, 3, 1, 229.5, 9, 49.99), "
    "(5, '2026-12-04 23:59:59', 7, 7, 0, 230, 10, 50), "
    "(5, '2026-12-05 23:59:59', -20.5, 2.5, -0.25, NULL, 11, 50), "
    "(5, '2026-12-06 00:00:00', 100, 100, 0, 230, 10, 50), "
    "(6, '2026-12-05 10:00:00', 3, 1, 0, 400, 2, 50), "
    "(5, '2026-11-30 08:00:00', 1.1, 0.3, 0, 230, 10, 50), "
    "(5, '2026-12-01 08:00:00', 2.2, 0.7, 0, 230, 10, 50), "
    "(5, '2026-12-01 09:15:00', 0.1, 0.2, 0, 230, 10, 50), "
    "(5, '2026-03-29 02:30:00', 5, 5, 0, 230, 10, 50), "
    "(5, '2026-03-29 01:45:00', 4, 2, 0, 230, 10, 50)",
    "INSERT INTO Alarmy (Data, Typ, Tresc, Kod_Regul) VALUES "
    "('2026-12-05 00:00:00', 'R', 'a', 'R5'), ('2026-12-05 12:00:00', 'R', 'b', 'R5'), "
    "('2026-12-04 23:59:59', 'R', 'x', 'R5'), ('2026-12-05 23:59:59', 'R', 'c', 'R5'), "
    "('2026-12-05 10:00:00', 'R', 'd', 'O''R'), ('2026-12-06 00:00:00', 'R', 'e', 'R5')",
    "UPDATE Alarmy SET Data_potw = '2026-12-05 13:00:00' WHERE Tresc = 'a'",
    // With the tables' sizes known, the server reads small ones whole, in
    // the order their rows lie.
    "ANALYZE",
};

// A value as text: numbers to twelve significant digits, since sums may add
// up in another order on the other engine.
QString tekst(const QVariant &v)
{
    if (!v.isValid())
        return QStringLiteral("NULL");
    const bool liczba = v.typeId() != QMetaType::QString && v.canConvert<double>();
    return liczba ? QString::number(v.toDouble(), 'g', 12) : QLatin1Char('"') + v.toString() + QLatin1Char('"');
}

// The rows of a query, one line each, in the given columns (any letter
// case); with none given, in all the query's columns, which they become.
// The server's row key under "Select *" is thus left out.
QStringList wynik(const QString &polaczenieTekst, const QString &sql, QStringList &kolumny)
{
    Polaczenie cn;
    cn.Open(polaczenieTekst);
    Zapytanie z;
    z.Open(sql, cn);
    if (kolumny.isEmpty())
        kolumny = z.kolumny();
    QStringList w;
    for (z.MoveFirst(); !z.EOF_(); z.MoveNext()) {
        QStringList pola;
        for (const QString &k : std::as_const(kolumny))
            pola << tekst(z.pole(k));
        w << pola.join(QLatin1Char('|'));
    }
    return w;
}

} // namespace

class TestSilniki final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { POMIN_BEZ_SILNIKA(Silnik::PostgreSQL); }

    void queries_sameRowsOnBothEngines_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<int>("ile");          // rows expected
        QTest::addColumn<bool>("wKolejnosci"); // the caller takes the rows in the order they come
        const QDate d(2026, 12, 5);
        QTest::newRow("daily chart") << sqlWykresuDobowego(5, d) << 3 << true;
        QTest::newRow("daily chart, day summer time starts") << sqlWykresuDobowego(5, QDate(2026, 3, 29)) << 2 << true;
        QTest::newRow("reading before the day") << sqlPoprzedniegoPomiaru(5, d) << 1 << true;
        QTest::newRow("period chart") << sqlWykresuOkresowego(5, QDate(2026, 11, 30), d) << 4 << false;
        QTest::newRow("daily report") << sqlRaportuDobowego(d, 5) << 3 << true;
        QTest::newRow("periodic report") << sqlRaportuOkresowego(QDate(2026, 11, 30), d.addDays(1), 5) << 5 << false;
        QTest::newRow("alarm archive") << sqlArchiwumAlarmow("R5", d) << 3 << true;
        QTest::newRow("alarm archive, code with apostrophe") << sqlArchiwumAlarmow("O'R", d) << 1 << true;
        QTest::newRow("controller editor") << clsRegulatory::zapytanie() + " ORDER BY Adres" << 3 << true;
        // The dialect's forms beyond those texts.
        const QStringList wzory = {"dd/mm/yy",         "d.m.yy hh:nn:ss", "h:m:s", "yyyy-mm-dd hh:mm",
                                   "DD-MM-YYYY HH:NN", "hh:nn dd/mm",     "y",     "yy\"r.\" \\d",
                                   "ddmmyyyy"};
        for (const QString &w : wzory)
            QTest::newRow(qPrintable("Format " + w))
                << "Select Adres, Format(Data,'" + w + "') as f from Pomiary where Adres = 5" << 10 << false;
        QTest::newRow("IIf, real division, arithmetic")
            << "Select Adres, 7/2 as a, EnCzynna/4 as b, IIf(EnCzynna<>0, EnBiernaCalk/EnCzynna, 0) as t, "
               "(EnCzynna+EnBiernaCalk)/2/2 as c, IIf(Napiecie > 230, 'wys', \"nis\") as n from Pomiary"
            << 11 << false;
        QTest::newRow("date literal forms") << "Select count(*) as n, MIN(Data) as od, MAX(Data) as do_ from Pomiary "
                                               "where Data >= #2026-12-05# and Data < #12/06/2026# or "
                                               "Data >= #11/30/26# and Data < #12/01/26#"
                                            << 1 << false;
        QTest::newRow("date literal with time") << "Select Tresc from Alarmy where Data >= #12/5/2026 12:00# order by "
                                                   "Data"
                                                << 3 << true;
        QTest::newRow("bracketed names, double-quoted text")
            << "Select [Kod], [adres] from Regulatory where Typ = \"regulator\"" << 2 << false;
        QTest::newRow("nulls and empty results") << "Select Data_potw, Data_dezakt, Operator from Alarmy" << 6 << false;
        QTest::newRow("aggregates of nothing") << "Select SUM(EnCzynna) as s, MAX(Data) as m from Pomiary where "
                                                  "Adres = 77"
                                               << 1 << false;
    }
    void queries_sameRowsOnBothEngines()
    {
        QFETCH(QString, sql);
        QFETCH(int, ile);
        QFETCH(bool, wKolejnosci);
        BazaTestowa plik;
        BazaTestowa serwer(Silnik::PostgreSQL);
        plik.wykonaj(wiersze);
        serwer.wykonaj(wiersze);
        QStringList kolumny;
        QStringList wp = wynik(plik.polaczenieTekst, sql, kolumny);
        QStringList ws = wynik(serwer.polaczenieTekst, sql, kolumny);
        // Elsewhere the engine's order is no part of the result.
        if (!wKolejnosci) {
            wp.sort();
            ws.sort();
        }
        QCOMPARE(wp.size(), ile);
        QCOMPARE(ws, wp);
    }
};

int main(int argc, char **argv)
{
    // A zone with summer time: a driver that made local date-times of the
    // stored ones would lose 02:30 on 29 March.
    qputenv("TZ", "Europe/Warsaw");
    QCoreApplication app(argc, argv);
    TestSilniki t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_silniki.moc"
