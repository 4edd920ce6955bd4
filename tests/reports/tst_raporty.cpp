// The reports: their queries on rows at day and month boundaries, the
// number and date formats, the footer aggregates, and whole reports drawn
// into PDF files and read back as text.

#include "baza/polaczenie.h"
#include "reports/danewykresu.h"
#include "reports/formaty.h"
#include "reports/odczyt.h"
#include "reports/pdf.h"
#include "reports/raport.h"
#include "reports/silnik.h"
#include "testsupport.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <ctime>

using raport::Agregat;

namespace
{

// The pages of a PDF as text, or nothing without pdftotext.
QStringList stronyPdf(const QString &plik)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        return {};
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), plik, QStringLiteral("-")});
    p.waitForFinished();
    QStringList strony = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!strony.isEmpty() && strony.last().trimmed().isEmpty())
        strony.removeLast();
    return strony;
}

QStringList kolumna(const Raport &r, const char *nazwa, const QString &format)
{
    QStringList w;
    for (int i = 0; i < r.dane.liczbaWierszy(); ++i)
        w << formatujWartosc(r.dane.wartosc(i, QString::fromLatin1(nazwa)), format);
    return w;
}

// A periodic report's rows without a database: one day row per day from
// `od`, each with its energies and the day's extremes.
Tabela dniOkresu(QDate od, int dni)
{
    const QStringList kolumny = QStringLiteral("data EnCzynnaSuma EnBiernaSuma EnBiernaPojSuma tgfiMin tgfiMaks tgfiSr "
                                               "NapiecieMin NapiecieMaks NapiecieSr CzestotliwoscMin "
                                               "CzestotliwoscMaks CzestotliwoscSr PradCalkMin PradCalkMaks PradCalkSr")
                                    .split(QLatin1Char(' '));
    QVector<QVector<QVariant>> wiersze;
    for (int i = dni - 1; i >= 0; --i) { // the engine's order must not matter
        QVector<QVariant> w{od.addDays(i).toString("dd/MM/yy"), i == 3 ? -2.5 : 100.0 + i};
        while (w.size() < kolumny.size())
            w << 1.0;
        wiersze << w;
    }
    return Tabela(kolumny, wiersze);
}

} // namespace

class TestRaporty final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        // A zone with summer time: stored times are wall-clock times, and
        // the one it skips still prints.
        qputenv("TZ", "Europe/Warsaw");
        tzset();
    }

    void formats_data()
    {
        QTest::addColumn<QVariant>("wartosc");
        QTest::addColumn<QString>("wzor");
        QTest::addColumn<QString>("tekst");
        const struct {
            const char *nazwa;
            QVariant wartosc;
            const char *wzor, *tekst;
        } wiersze[] = {
            {"negative energy in parentheses", -1.5, "0,000;(0,000)", "(1,500)"},
            {"positive: first section, no grouping", 1234.5678, "0,000;(0,000)", "1234,568"},
            {"rounds to zero: no sign", -0.0004, "0,000;(0,000)", "0,000"},
            {"negative without its section", -0.5, "0,000", "-0,500"},
            {"tg: two decimals", 0.4, "0,00", "0,40"},
            {"voltage: whole volts", 229.6, "0", "230"},
            {"integer column", qlonglong(3), "0,000", "3,000"},
            {"null: empty cell", QVariant(), "0,000", ""},
            {"stored date-time", "2026-12-05 07:08:09", "HH:mm:ss", "07:08:09"},
            {"hour summer time skips", "2026-03-29 02:30:00", "HH:mm:ss", "02:30:00"},
            {"day", QDate(2026, 12, 1), "dd/MM/yyyy", "01/12/2026"},
            {"text that is no date", "abc", "HH:mm:ss", ""},
        };
        for (const auto &w : wiersze)
            QTest::newRow(w.nazwa) << w.wartosc << QString(w.wzor) << QString(w.tekst);
    }
    void formats()
    {
        QFETCH(QVariant, wartosc);
        QFETCH(QString, wzor);
        QFETCH(QString, tekst);
        QCOMPARE(formatujWartosc(wartosc, wzor), tekst);
    }

    void dailyReport_dayBoundaries_tgZeroForNoActiveEnergy_footerAggregates_data()
    {
        QTest::addColumn<bool>("bezTypow");
        QTest::newRow("typed table") << false;
        // Integers stay integers there, and 4/10 must still give 0.4.
        QTest::newRow("untyped table") << true;
    }
    void dailyReport_dayBoundaries_tgZeroForNoActiveEnergy_footerAggregates()
    {
        QFETCH(bool, bezTypow);
        BazaTestowa b;
        if (bezTypow)
            b.wykonaj(QStringList{"DROP TABLE Pomiary", "CREATE TABLE Pomiary (Adres, Data, EnCzynna, EnBiernaCalk, "
                                                        "EnBiernaPoj, Napiecie, PradBierny, PradCalk, Czestotliwosc)"});
        b.dodajPomiary({{"5", "2026-12-04 23:59:59", "1", "1"},
                        {"5", "2026-12-05 00:00:00", "10", "4", "-1"},
                        {"5", "2026-12-05 12:00:00", "0", "3"},
                        {"5", "2026-12-05 23:59:59", "-20.5", "2.5", "-0.5"},
                        {"5", "2026-12-06 00:00:00", "100", "100"},
                        {"6", "2026-12-05 12:00:00", "1000", "1000"}});
        // An empty voltage cell between 230 and 240: the average is 235.
        b.wykonaj(QStringList{"UPDATE Pomiary SET Napiecie = NULL WHERE Data = '2026-12-05 12:00:00'",
                              "UPDATE Pomiary SET Napiecie = 240 WHERE Data = '2026-12-05 23:59:59'"});
        Polaczenie cn;
        cn.otworzDoOdczytu(b.sciezka);
        const Raport r =
            raportDobowy(Odczyt::pobierzTeraz(cn, sqlRaportuDobowego(QDate(2026, 12, 5), 5)), QDate(2026, 12, 5), "R5");
        QCOMPARE(kolumna(r, "data", "HH:mm:ss"), (QStringList{"00:00:00", "12:00:00", "23:59:59"}));
        QCOMPARE(kolumna(r, "EnCzynna", "0,000;(0,000)"), (QStringList{"10,000", "0,000", "(20,500)"}));
        QCOMPARE(kolumna(r, "tgfi", "0,00"), (QStringList{"0,40", "0,00", "-0,12"}));
        QCOMPARE(kolumna(r, "EnBierna", "0,000"), (QStringList{"5,000", "3,000", "3,000"}));
        QCOMPARE(r.podpisy.value("Podtytul"), " z dnia 05/12/2026");

        const raport::Silnik s(r.uklad, r.dane, r.podpisy, QDate(2026, 12, 5));
        const auto ag = [&s](const char *k, Agregat a) { return s.agregat(k, a).value_or(-999); };
        QCOMPARE(ag("EnCzynna", Agregat::Suma), -10.5);
        QCOMPARE(ag("EnBiernaPoj", Agregat::Suma), -1.5);
        QCOMPARE(ag("tgfi", Agregat::Min), -2.5 / 20.5);
        QCOMPARE(ag("tgfi", Agregat::Maks), 0.4);
        QCOMPARE(ag("Napiecie", Agregat::Srednia), 235.0);
        QVERIFY(!s.agregat("Nieznana", Agregat::Suma));
        // The CSV holds the values, not their printed forms.
        QCOMPARE(csvRaportu(r).section('\n', 3, 3), "2026-12-05 23:59:59;-20,5;3;-0,121951219512;-0,5;240;50;10");
    }

    void periodicReport_rangeOverMonthEnd_daysInCalendarOrder()
    {
        BazaTestowa b;
        b.dodajPomiary({{"5", "2026-11-29 23:59:59", "7", "7"},
                        {"5", "2026-11-30 00:00:00", "10", "4", "-1"},
                        {"5", "2026-11-30 10:00:00", "0", "3"},
                        {"5", "2026-12-01 23:59:59", "20", "5"},
                        {"5", "2026-12-02 00:00:00", "100", "100"}});
        Polaczenie cn;
        cn.otworzDoOdczytu(b.sciezka);
        const Tabela wiersze =
            Odczyt::pobierzTeraz(cn, sqlRaportuOkresowego(QDate(2026, 11, 30), QDate(2026, 12, 1), 5));
        // Grouped on the text of the day, 01/12/26 comes first.
        QCOMPARE(wiersze.wartosc(0, "data").toString(), "01/12/26");
        const Raport r = raportOkresowy(wiersze, QDate(2026, 11, 30), QDate(2026, 12, 1), "R5");
        QCOMPARE(kolumna(r, "data", "dd/MM/yyyy"), (QStringList{"30/11/2026", "01/12/2026"}));
        QCOMPARE(kolumna(r, "EnCzynnaSuma", "0,000"), (QStringList{"10,000", "20,000"}));
        QCOMPARE(kolumna(r, "EnBiernaSuma", "0,000"), (QStringList{"8,000", "5,000"}));
        // A reading without active energy counts as tg 0 in the day's extremes.
        QCOMPARE(kolumna(r, "tgfiMin", "0,00"), (QStringList{"0,00", "0,25"}));
        QCOMPARE(kolumna(r, "tgfiSr", "0,00"), (QStringList{"0,20", "0,25"}));
        QCOMPARE(r.podpisy.value("Podtytul"), " za okres od 30/11/26 do 01/12/26");
    }

    void periodicReportPdf_manyPages_numberedWithHeadersAndWholeDayBlocks()
    {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        const QDate od(2026, 11, 1);
        const Raport r = raportOkresowy(dniOkresu(od, 40), od, od.addDays(39), "R1");
        const raport::Silnik s(r.uklad, r.dane, r.podpisy, QDate(2027, 1, 5));
        QTemporaryDir katalog;
        const QString plik = katalog.filePath("okres.pdf");
        QVERIFY(zapiszPdf(s, plik, r.tytul));
        const QStringList strony = stronyPdf(plik);
        QVERIFY2(strony.size() >= 3, qPrintable(QString::number(strony.size())));

        QStringList dni;
        static const QRegularExpression dzien("\\d\\d/\\d\\d/2026");
        for (int i = 0; i < strony.size(); ++i) {
            const QString &t = strony.at(i);
            QVERIFY2(t.contains(QStringLiteral("strona %1/%2").arg(i + 1).arg(strony.size())), qPrintable(t));
            QVERIFY(t.contains("Napięcie") && t.contains("Częstotliwość")); // the page header
            QCOMPARE(t.contains("Wydruk z dnia 05/01/2027"), i == 0);
            QCOMPARE(t.contains("średnia"), i == strony.size() - 1);
            // A day's block is never split: every date on a page comes with
            // its four lines.
            int naStronie = 0;
            for (auto m = dzien.globalMatch(t); m.hasNext(); ++naStronie)
                dni << m.next().captured();
            QCOMPARE(t.count(QStringLiteral("śr.")), naStronie);
        }
        QStringList oczekiwane;
        for (int i = 0; i < 40; ++i)
            oczekiwane << od.addDays(i).toString("dd/MM/yyyy");
        QCOMPARE(dni, oczekiwane);
        QVERIFY(strony.first().contains("Raport okresowy dla") && strony.first().contains("regulatora 'R1'"));
        QVERIFY(strony.join(QString()).contains("(2,500)"));
    }

    void emptyDay_givesOnePageThatSaysSo()
    {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        const Raport r = raportDobowy(Tabela({"data", "EnCzynna"}, {}), QDate(2026, 12, 5), "R1");
        QTemporaryDir katalog;
        QVERIFY(zapiszPdf(raport::Silnik(r.uklad, r.dane, r.podpisy, QDate(2026, 12, 6)), katalog.filePath("p.pdf"),
                          r.tytul));
        const QStringList strony = stronyPdf(katalog.filePath("p.pdf"));
        QCOMPARE(strony.size(), 1);
        QVERIFY(strony.first().contains("Brak zapisanych pomiarów w tym dniu."));
        QVERIFY(strony.first().contains("strona 1/1"));
        QVERIFY(
            !zapiszPdf(raport::Silnik(r.uklad, r.dane, r.podpisy, QDate()), katalog.filePath("nie/ma/p.pdf"), r.tytul));
    }

    void everyChartAndReportQuery_readsPomiaryThroughItsAdresDataIndex_data()
    {
        QTest::addColumn<QString>("sql");
        const QDate d(2026, 12, 5);
        QTest::newRow("daily chart") << sqlWykresuDobowego(5, d);
        QTest::newRow("reading before the day") << sqlPoprzedniegoPomiaru(5, d);
        QTest::newRow("period chart") << sqlWykresuOkresowego(5, d, d.addDays(30));
        QTest::newRow("daily report") << sqlRaportuDobowego(d, 5);
        QTest::newRow("periodic report") << sqlRaportuOkresowego(d, d.addDays(30), 5);
    }
    void everyChartAndReportQuery_readsPomiaryThroughItsAdresDataIndex()
    {
        QFETCH(QString, sql);
        BazaTestowa b;
        Polaczenie cn;
        cn.otworzDoOdczytu(b.sciezka);
        QStringList plan;
        for (const QVariantList &w : wierszeZapytania(cn, "EXPLAIN QUERY PLAN " + sql))
            plan << w.last().toString();
        QVERIFY2(plan.join('\n').contains(QRegularExpression("SEARCH Pomiary USING (COVERING )?INDEX "
                                                             "Pomiary_Adres_Data \\(Adres=\\? AND Data[<>]")),
                 qPrintable(plan.join('\n')));
    }
};

QTEST_MAIN(TestRaporty)
#include "tst_raporty.moc"
