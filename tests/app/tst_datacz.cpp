#include "platform/datacz.h"
#include "platform/tekst.h"

#include <QTest>

#include <cstdlib>

// Naive date-times and the number-to-text rule are what every stored row,
// alarm comment and search criterion is built from.
class TestDataCzas final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void zeroIsTheEpochAndMeansNever()
    {
        QCOMPARE(DataCzas().data(), QDate(1899, 12, 30));
        QCOMPARE(DataCzas().czas(), QTime(0, 0));
        QVERIFY(DataCzas().nigdy());
        QVERIFY(!DataCzas::z(QDate(1899, 12, 30), QTime(0, 0, 1)).nigdy());
    }

    void roundTripThroughDatabaseText()
    {
        const DataCzas t = DataCzas::z(QDate(2026, 12, 5), QTime(23, 59, 59));
        QCOMPARE(t.tekstBazy(), QStringLiteral("2026-12-05 23:59:59"));
        bool ok = false;
        QCOMPARE(DataCzas::zTekstu(t.tekstBazy(), &ok), t);
        QVERIFY(ok);
        QCOMPARE(DataCzas::zTekstu(QStringLiteral("2026-12-05"), &ok), t.poczatekDnia());
        QVERIFY(ok);
        QVERIFY(DataCzas::zTekstu(QStringLiteral("05/12/2026"), &ok).nigdy());
        QVERIFY(!ok);
    }

    // The arithmetic must not pass through a time zone: local mean time of
    // 1899 (e.g. +01:24 for Warsaw) and daylight-saving changes would shift
    // the reading grid.
    void arithmeticIgnoresTimeZones_data()
    {
        QTest::addColumn<QByteArray>("strefa");
        QTest::newRow("Warsaw") << QByteArrayLiteral("Europe/Warsaw");
        QTest::newRow("London") << QByteArrayLiteral("Europe/London");
        QTest::newRow("Kolkata") << QByteArrayLiteral("Asia/Kolkata");
    }
    void arithmeticIgnoresTimeZones()
    {
        QFETCH(QByteArray, strefa);
        const QByteArray stara = qgetenv("TZ");
        qputenv("TZ", strefa);
        tzset();
        const DataCzas t = DataCzas::z(QDate(2026, 3, 29), QTime(2, 30));
        // Whole days and quarter hours from the epoch, whatever the zone.
        QCOMPARE(t.ms() % 86400000, std::int64_t(2 * 3600000 + 30 * 60000));
        QCOMPARE(t.plusMinuty(60).format(QStringLiteral("HH:mm")), QStringLiteral("03:30"));
        QCOMPARE(DataCzas().plusMinuty(15).format(QStringLiteral("yyyy-MM-dd HH:mm")),
                 QStringLiteral("1899-12-30 00:15"));
        if (stara.isEmpty())
            qunsetenv("TZ");
        else
            qputenv("TZ", stara);
        tzset();
    }

    void secondsBetweenCountBoundaries()
    {
        const DataCzas a = DataCzas::z(QDate(2026, 1, 1), QTime(10, 0, 0, 900));
        QCOMPARE(DataCzas::sekundyMiedzy(a, a.plusMs(50)), std::int64_t(0));
        QCOMPARE(DataCzas::sekundyMiedzy(a, a.plusMs(150)), std::int64_t(1));
        QCOMPARE(DataCzas::sekundyMiedzy(a, a.plusMs(2099)), std::int64_t(2));
        QCOMPARE(DataCzas::sekundyMiedzy(DataCzas(), a), std::int64_t(a.ms() / 1000));
    }

    void numberToTextRule_data()
    {
        QTest::addColumn<double>("v");
        QTest::addColumn<QString>("tekst");
        QTest::newRow("current") << 125.3 << QStringLiteral(" 125.3");
        QTest::newRow("negative") << -5.0 << QStringLiteral("-5");
        QTest::newRow("fraction") << 0.5 << QStringLiteral(" .5");
        QTest::newRow("seven digits") << 1234.56789 << QStringLiteral(" 1234.568");
        QTest::newRow("zero") << 0.0 << QStringLiteral(" 0");
    }
    void numberToTextRule()
    {
        QFETCH(double, v);
        QFETCH(QString, tekst);
        QCOMPARE(StrSingle(v), tekst);
    }
};

QTEST_GUILESS_MAIN(TestDataCzas)
#include "tst_datacz.moc"
