// The storing of a reading: one Pomiary row, the OstPomiar row of the
// address, the counters carried forward, and failing steps reported.

#include "stanowisko.h"

#include <QTest>

namespace {

struct Zapis : StanowiskoModelu {
    clRegulator &r;
    Zapis() : r(k.oRegulatory.Add(5, QStringLiteral("K5"), QStringLiteral("K5")))
    {
        r.Id = 1;
        otworz();
    }
    // A reading that started sekundTemu seconds before the clock's now.
    void odczytSprzed(int sekundTemu) { r.OstatniOdczyt = k.teraz().plusSekundy(-sekundTemu); }

    QVariantList jedynyPomiar()
    {
        const auto w = wiersze(QStringLiteral("Select Adres, Data, EnCzynna, EnBiernaCalk, EnBiernaPoj, Napiecie, "
                                              "PradBierny, PradCalk, Czestotliwosc from Pomiary"));
        return w.size() == 1 ? w.first() : QVariantList();
    }
    QList<QVariantList> ostatnie()
    {
        return wiersze(QStringLiteral(
            "Select Adres, PopPradCzynny, PopPradBiernSr, PopPradBiernPojSr, PopTimerU, Czas from OstPomiar"));
    }
};

} // namespace

class TestZapis final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void counterFarFromSeconds_storesDifferences();
    void counterCloseToSeconds_storesCountersThemselves();
    void capacitiveDifference_growthMarkedAsOne_data();
    void capacitiveDifference_growthMarkedAsOne();
    void tgFiOkres_fromStoredEnergies_data();
    void tgFiOkres_fromStoredEnergies();
    void firstStoring_insertsOstPomiarAndCarriesCountersForward();
    void twoStorings_leaveOneOstPomiarRowWithTheLaterValues();
    void failingStep_isReportedAndTheRestStillRuns();
};

void TestZapis::counterFarFromSeconds_storesDifferences()
{
    Zapis z;
    z.r.TimerU = 100900;
    z.r.popTimerU = 100000;
    z.odczytSprzed(3); // |3 - 900| > 20
    z.r.PradCzynny = 150.5f;
    z.r.PopPradCzynny = 100.25f;
    z.r.PradBiernSr = 80.0f;
    z.r.PopPradBiernSr = 60.5f;
    z.r.PradBiernPojSr = -120.5f;
    z.r.PopPradBiernPojSr = -100.0f;
    z.r.Napiecie = 231.5f;
    z.r.PradBierny = 12.25f;
    z.r.PradCalk = 40.5f;
    z.r.Okres = 50.0f;
    z.r.ZapiszDaneDB();

    const QVariantList w = z.jedynyPomiar();
    QCOMPARE(w.size(), 9);
    QCOMPARE(w[0].toInt(), 5);
    QCOMPARE(w[1].toString(), QStringLiteral("2026-12-05 09:59:57"));
    QCOMPARE(w[2].toFloat(), 50.25f);
    QCOMPARE(w[3].toFloat(), 19.5f);
    QCOMPARE(w[4].toFloat(), -20.5f);
    QCOMPARE(w[5].toFloat(), 231.5f);
    QCOMPARE(w[6].toFloat(), 12.25f);
    QCOMPARE(w[7].toFloat(), 40.5f);
    QCOMPARE(w[8].toFloat(), 50.0f);
    QVERIFY(z.t.komunikaty->pokazane.isEmpty());
}

void TestZapis::counterCloseToSeconds_storesCountersThemselves()
{
    Zapis z;
    z.r.TimerU = 100010;
    z.r.popTimerU = 100000;
    z.odczytSprzed(4); // |4 - 10| <= 20
    z.r.PradCzynny = 150.5f;
    z.r.PopPradCzynny = 100.25f;
    z.r.PradBiernSr = 80.0f;
    z.r.PopPradBiernSr = 60.5f;
    z.r.PradBiernPojSr = 7.5f; // a positive counter is stored as it is here
    z.r.PopPradBiernPojSr = -100.0f;
    z.r.ZapiszDaneDB();

    const QVariantList w = z.jedynyPomiar();
    QCOMPARE(w.size(), 9);
    QCOMPARE(w[2].toFloat(), 150.5f);
    QCOMPARE(w[3].toFloat(), 80.0f);
    QCOMPARE(w[4].toFloat(), 7.5f);
}

void TestZapis::capacitiveDifference_growthMarkedAsOne_data()
{
    QTest::addColumn<float>("teraz");
    QTest::addColumn<float>("przedtem");
    QTest::addColumn<QVariant>("zapisane");
    QTest::newRow("falling: the difference") << -120.5f << -100.0f << QVariant(-20.5);
    QTest::newRow("growing: 1") << -90.0f << -100.0f << QVariant(1);
    QTest::newRow("unchanged: 0") << -100.0f << -100.0f << QVariant(0.0);
    QTest::newRow("first storing, positive counter: 1") << 3.5f << 0.0f << QVariant(1);
}

void TestZapis::capacitiveDifference_growthMarkedAsOne()
{
    QFETCH(float, teraz);
    QFETCH(float, przedtem);
    QFETCH(QVariant, zapisane);
    Zapis z;
    z.r.TimerU = 1000;
    z.r.popTimerU = 0;
    z.odczytSprzed(2);
    z.r.PradBiernPojSr = teraz;
    z.r.PopPradBiernPojSr = przedtem;
    z.r.ZapiszDaneDB();
    const QVariantList w = z.jedynyPomiar();
    QCOMPARE(w.size(), 9);
    QCOMPARE(w[4].toDouble(), zapisane.toDouble());
}

void TestZapis::tgFiOkres_fromStoredEnergies_data()
{
    QTest::addColumn<float>("czynny");
    QTest::addColumn<float>("bierny");
    QTest::addColumn<float>("tgFiOkres");
    QTest::newRow("no active energy: 9.999") << 0.0f << 4.0f << 9.999f;
    QTest::newRow("10 and 4: 0.4") << 10.0f << 4.0f << 0.4f;
    QTest::newRow("negative reactive") << 8.0f << -2.0f << -0.25f;
}

void TestZapis::tgFiOkres_fromStoredEnergies()
{
    QFETCH(float, czynny);
    QFETCH(float, bierny);
    QFETCH(float, tgFiOkres);
    Zapis z;
    z.r.TimerU = 60;
    z.r.popTimerU = 0;
    z.odczytSprzed(1); // counter case: the counters are the energies
    z.r.PradCzynny = czynny;
    z.r.PradBiernSr = bierny;
    z.r.ZapiszDaneDB();
    QCOMPARE(z.r.TgFiOkres, tgFiOkres);
}

void TestZapis::firstStoring_insertsOstPomiarAndCarriesCountersForward()
{
    Zapis z;
    z.r.TimerU = 5000;
    z.odczytSprzed(3);
    z.r.PradCzynny = 11.5f;
    z.r.PradBiernSr = 22.5f;
    z.r.PradBiernPojSr = -33.5f;
    QVERIFY(z.ostatnie().isEmpty());
    z.r.ZapiszDaneDB();

    QCOMPARE(z.r.PopPradCzynny, 11.5f);
    QCOMPARE(z.r.PopPradBiernSr, 22.5f);
    QCOMPARE(z.r.PopPradBiernPojSr, -33.5f);
    QCOMPARE(z.r.popTimerU, 5000);

    const auto o = z.ostatnie();
    QCOMPARE(o.size(), 1);
    QCOMPARE(o[0][0].toInt(), 5);
    QCOMPARE(o[0][1].toFloat(), 11.5f);
    QCOMPARE(o[0][2].toFloat(), 22.5f);
    QCOMPARE(o[0][3].toFloat(), -33.5f);
    QCOMPARE(o[0][4].toInt(), 5000);
    QCOMPARE(o[0][5].toString(), QStringLiteral("2026-12-05 09:59:57"));
    // An empty OstPomiar is no error: nothing was reported.
    QVERIFY(z.t.komunikaty->pokazane.isEmpty());
}

void TestZapis::twoStorings_leaveOneOstPomiarRowWithTheLaterValues()
{
    Zapis z;
    // Another controller's row first, so that the search has to pass it.
    z.baza.wykonaj(QStringLiteral("INSERT INTO OstPomiar (Adres, PopTimerU) VALUES (6, 1)"));
    z.r.TimerU = 1000;
    z.odczytSprzed(2);
    z.r.PradCzynny = 1.0f;
    z.r.ZapiszDaneDB();

    z.t.zegarTestowy->przesun(15 * 60 * 1000);
    z.r.TimerU = 1900;
    z.odczytSprzed(2);
    z.r.PradCzynny = 2.5f;
    z.r.ZapiszDaneDB();

    const auto o = z.wiersze(QStringLiteral("Select PopPradCzynny, PopTimerU, Czas from OstPomiar where Adres = 5"));
    QCOMPARE(o.size(), 1);
    QCOMPARE(o[0][0].toFloat(), 2.5f);
    QCOMPARE(o[0][1].toInt(), 1900);
    QCOMPARE(o[0][2].toString(), QStringLiteral("2026-12-05 10:14:58"));
    QCOMPARE(z.wiersze(QStringLiteral("Select PopTimerU from OstPomiar where Adres = 6")).at(0).at(0).toInt(), 1);
    QCOMPARE(z.wiersze(QStringLiteral("Select Adres from Pomiary")).size(), 2);
}

void TestZapis::failingStep_isReportedAndTheRestStillRuns()
{
    Zapis z;
    z.r.TimerU = 1000;
    z.odczytSprzed(2);
    z.r.PradCzynny = 4.5f;
    // The table disappears under the open cursor: its insert fails.
    z.baza.wykonaj(QStringLiteral("DROP TABLE Pomiary"));
    z.r.ZapiszDaneDB();

    const auto &pokazane = z.t.komunikaty->pokazane;
    QVERIFY(!pokazane.isEmpty());
    for (const auto &m : pokazane) {
        QVERIFY2(m.tekst.startsWith(QStringLiteral("Błąd zapisu do bazy danych nr ")), qPrintable(m.tekst));
        QVERIFY(m.tekst.contains(QStringLiteral("\r'")));
        QVERIFY(m.tekst.endsWith(QLatin1Char('\'')));
        QCOMPARE(m.tytul, QStringLiteral("Tolvek"));
        QCOMPARE(m.ikona, Ikona::Brak);
    }
    // The steps after the failing one still ran.
    QCOMPARE(z.r.PopPradCzynny, 4.5f);
    QCOMPARE(z.r.popTimerU, 1000);
    const auto o = z.ostatnie();
    QCOMPARE(o.size(), 1);
    QCOMPARE(o[0][1].toFloat(), 4.5f);
}

QTEST_GUILESS_MAIN(TestZapis)
#include "tst_zapis.moc"
