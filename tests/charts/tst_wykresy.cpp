// What the charts show: their queries on rows at day and month boundaries,
// the series, gaps and labels of each kind, and their rows as CSV.

#include "baza/polaczenie.h"
#include "reports/danewykresu.h"
#include "reports/odczyt.h"
#include "testsupport.h"

#include <QTest>

namespace
{

// A value, or "-" for a gap.
QStringList wartosci(const SeriaWykresu &s)
{
    QStringList w;
    for (const std::optional<double> &v : s.wartosci)
        w << (v ? QString::number(*v) : QStringLiteral("-"));
    return w;
}

struct Baza {
    BazaTestowa b;
    Polaczenie cn;
    explicit Baza(const QList<QStringList> &pomiary)
    {
        // A file from before readings were unique by (Adres, Data): it may
        // hold two of one second.
        b.wykonaj({QStringLiteral("DROP INDEX Pomiary_Adres_Data"),
                   QStringLiteral("CREATE INDEX Pomiary_Adres_Data ON Pomiary (Adres, Data)")});
        b.dodajPomiary(pomiary);
        cn.otworzDoOdczytu(b.sciezka);
    }
    Tabela pobierz(const QString &sql) { return Odczyt::pobierzTeraz(cn, sql); }
};

const QDate dzien(2026, 12, 5);

} // namespace

class TestWykresy final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void dailyChart_dayBoundaries_eachKindsSeriesAndGaps()
    {
        Baza b({{"5", "2026-12-04 23:59:59", "1", "1"},
                {"5", "2026-12-05 00:00:00", "10", "4"},
                {"5", "2026-12-05 12:00:00", "0", "3"},
                {"5", "2026-12-05 12:15:00", "NULL", "2"},
                {"5", "2026-12-05 23:59:59", "20", "5"},
                {"5", "2026-12-06 00:00:00", "100", "100"},
                {"6", "2026-12-05 12:00:00", "1000", "1000"}});
        const Tabela t = b.pobierz(sqlWykresuDobowego(5, dzien));

        const DaneWykresu e = wykresDobowy(t, RodzajDobowy::Energia, "R5", dzien, {}, 0);
        QCOMPARE(e.etykiety, (QStringList{"00:00", "12:00", "12:15", "23:59"}));
        QCOMPARE(wartosci(e.serie.at(0)), (QStringList{"10", "0", "-", "20"}));
        QCOMPARE(wartosci(e.serie.at(1)), (QStringList{"4", "3", "2", "5"}));

        const DaneWykresu tg = wykresDobowy(t, RodzajDobowy::TgFi, "R5", dzien, {}, 0);
        QCOMPARE(tg.serie.size(), 1);
        QCOMPARE(wartosci(tg.serie.at(0)), (QStringList{"0.4", "-", "-", "0.25"}));

        QCOMPARE(csvWykresu(e), "Data;Energia czynna;Energia bierna\n2026-12-05 00:00:00;10;4\n"
                                "2026-12-05 12:00:00;0;3\n2026-12-05 12:15:00;;2\n2026-12-05 23:59:59;20;5\n");
        // Without rows: no rows and no titles, which a window keeps.
        const DaneWykresu pusty =
            wykresDobowy(b.pobierz(sqlWykresuDobowego(5, dzien.addDays(5))), RodzajDobowy::Energia, "R5", dzien, {}, 0);
        QCOMPARE(pusty.liczbaWierszy(), 0);
        QVERIFY(pusty.tytul.isEmpty());
    }

    void averagePower_intervalFromReadingBefore_hourLabels_data()
    {
        QTest::addColumn<QString>("przed"); // the last reading before the day, "" for none
        QTest::addColumn<QStringList>("czynna");
        QTest::addColumn<QString>("bierna"); // of the first row
        QTest::newRow("reading before the day")
            << "2026-12-04 23:30:00" << QStringList{"2", "60", "-", "6", "0.5"} << "4";
        // The first row falls back on the 15-minute reading interval.
        QTest::newRow("first reading ever") << "" << QStringList{"4", "60", "-", "6", "0.5"} << "8";
    }
    void averagePower_intervalFromReadingBefore_hourLabels()
    {
        QFETCH(QString, przed);
        QFETCH(QStringList, czynna);
        QFETCH(QString, bierna);
        QList<QStringList> wiersze = {{"5", "2026-12-05 00:00:00", "1", "2"},
                                      {"5", "2026-12-05 01:00:00", "60", "30"},
                                      // the same second again: no interval, no point
                                      {"5", "2026-12-05 01:00:00", "5", "5"},
                                      {"5", "2026-12-05 01:10:00", "1", "1"},
                                      {"5", "2026-12-05 03:00:00", "0.9166666666666666", "0"}};
        if (!przed.isEmpty())
            wiersze.prepend({"5", przed, "9", "9"});
        Baza b(wiersze);
        const Tabela poprzedni = b.pobierz(sqlPoprzedniegoPomiaru(5, dzien));
        const DaneWykresu m = wykresDobowy(b.pobierz(sqlWykresuDobowego(5, dzien)), RodzajDobowy::MocSrednia, "R5",
                                           dzien, DataCzas::zTekstu(poprzedni.wartosc(0, 0).toString()), 15);
        QCOMPARE(wartosci(m.serie.at(0)), czynna);
        QCOMPARE(wartosci(m.serie.at(1)).first(), bierna);
        // Only the first row of each new hour, never hour 00.
        QCOMPARE(m.etykiety, (QStringList{"", "01:00", "", "", "03:00"}));
    }

    void periodChart_daysInCalendarOrder_tgFromDayTotals()
    {
        Baza b({{"5", "2026-11-29 23:59:59", "7", "7"},
                {"5", "2026-11-30 00:00:00", "10", "4"},
                {"5", "2026-11-30 12:00:00", "10", "1"},
                {"5", "2026-12-01 10:00:00", "0", "5"},
                {"5", "2026-12-02 00:00:00", "100", "100"}});
        const QDate od(2026, 11, 30), doDnia(2026, 12, 1);
        const Tabela t = b.pobierz(sqlWykresuOkresowego(5, od, doDnia));
        const DaneWykresu e = wykresOkresowy(t, RodzajOkresowy::Energia, "R5", od, doDnia);
        QCOMPARE(e.etykiety, (QStringList{"30/11/26", "01/12/26"}));
        QCOMPARE(e.czasy, (QStringList{"2026-11-30", "2026-12-01"}));
        QCOMPARE(wartosci(e.serie.at(0)), (QStringList{"20", "0"}));
        QCOMPARE(e.tytul, "Zużycie energi dla 'R5' za okres od 30/11/2026 do 01/12/2026");
        const DaneWykresu tg = wykresOkresowy(t, RodzajOkresowy::TgFi, "R5", od, doDnia);
        QCOMPARE(wartosci(tg.serie.at(0)), (QStringList{"0.25", "-"}));
        // A last day before the first: no rows.
        QCOMPARE(b.pobierz(sqlWykresuOkresowego(5, doDnia, od)).liczbaWierszy(), 0);
    }
};

QTEST_GUILESS_MAIN(TestWykresy)
#include "tst_wykresy.moc"
