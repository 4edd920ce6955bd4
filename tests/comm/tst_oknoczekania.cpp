// The time-out bookkeeping of a wait, with synthetic clock readings.
#include "comm/oknoczekania.h"

#include <QTest>

namespace {
const DataCzas t0 = DataCzas::z(QDate(2026, 3, 2), QTime(12, 0));
DataCzas przy(std::int64_t ms) { return t0.plusMs(ms); }
} // namespace

class TestOknoCzekania final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void timesOutAtTheThirdSecondBoundary_data()
    {
        QTest::addColumn<int>("startMs");
        QTest::addColumn<int>("terminMs");
        QTest::newRow("start on a boundary: 3 s") << 0 << 3000;
        QTest::newRow("start just after: just under 3 s") << 1 << 3000;
        QTest::newRow("mid-second") << 400 << 3000;
        QTest::newRow("start just before: just over 2 s") << 999 << 3000;
    }
    void timesOutAtTheThirdSecondBoundary()
    {
        QFETCH(int, startMs);
        QFETCH(int, terminMs);
        const OknoCzekania okno(przy(startMs));
        QVERIFY(!okno.minelo(przy(terminMs - 1)));
        QVERIFY(okno.minelo(przy(terminMs)));
        QCOMPARE(okno.doTerminu(przy(startMs)), terminMs - startMs);
        QVERIFY(terminMs - startMs > 2000 && terminMs - startMs <= 3000);
        QCOMPARE(okno.doTerminu(przy(terminMs)), 0);
        QCOMPARE(okno.doTerminu(przy(terminMs + 500)), 0);
    }

    void sleepsAreShortAndEndOnTheDeadline()
    {
        const OknoCzekania okno(przy(0));
        QCOMPARE(okno.nastepnySen(przy(0)), OknoCzekania::krokMs);
        QCOMPARE(okno.nastepnySen(przy(2900)), 100);
        QCOMPARE(okno.nastepnySen(przy(3000)), 0);
    }

    void timeInOtherHandlersDoesNotCount()
    {
        OknoCzekania okno(przy(200));
        // A 250 ms sleep from 1.0 s that ends at 11.25 s: 10 s were spent
        // in another handler.
        okno.poPrzebudzeniu(przy(1000), przy(1250), przy(11250));
        QVERIFY(!okno.minelo(przy(11250)));
        QCOMPARE(okno.start(), przy(10200));
        QVERIFY(!okno.minelo(przy(12999)));
        QVERIFY(okno.minelo(przy(13000)));
    }

    void timerJitterIsNotHandlerTime()
    {
        OknoCzekania okno(przy(0));
        okno.poPrzebudzeniu(przy(1000), przy(1250), przy(1250 + OknoCzekania::tolerancjaMs));
        QCOMPARE(okno.start(), przy(0));
        okno.poPrzebudzeniu(przy(1500), przy(1750), przy(1800));
        QCOMPARE(okno.start(), przy(50));
    }

    void earlyWakeByDataCountsOnlyUntilTheSignal()
    {
        OknoCzekania okno(przy(0));
        // Data came at 1.1 s, but a handler held the loop until 4.1 s.
        okno.poPrzebudzeniu(przy(1000), przy(1100), przy(4100));
        QCOMPARE(okno.start(), przy(3000));
        QVERIFY(!okno.minelo(przy(4100)));
    }

    void clockSetBackDoesNotStretchTheWait()
    {
        OknoCzekania okno(przy(3600000));
        // One hour back during a sleep (end of daylight saving time).
        okno.poPrzebudzeniu(przy(3601000), przy(3601250), przy(1100));
        QVERIFY(!okno.minelo(przy(1100)));
        QVERIFY(okno.doTerminu(przy(1100)) <= 2000);
        QVERIFY(okno.minelo(przy(3100)));
    }

    void clockSetForwardCountsAsSomeoneElsesTime()
    {
        OknoCzekania okno(przy(0));
        okno.poPrzebudzeniu(przy(500), przy(750), przy(3600750));
        QVERIFY(!okno.minelo(przy(3600750)));
    }
};

QTEST_GUILESS_MAIN(TestOknoCzekania)
#include "tst_oknoczekania.moc"
