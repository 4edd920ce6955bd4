// The serial link over the in-memory port: the time-out bookkeeping of a
// wait, odd byte streams (the fuzzing corpus) replayed through the readers
// with their 0x02 pair rule, the wait itself, and the recovery of a line
// that failed.
#include "comm/oknoczekania.h"
#include "odtworz.h"
#include "stanowisko.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QTimer>

namespace
{
const DataCzas t0 = DataCzas::z(QDate(2026, 3, 2), QTime(12, 0));
DataCzas przy(std::int64_t ms)
{
    return t0.plusMs(ms);
}
} // namespace

class TestLacze final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void timesOutAtTheThirdSecondBoundary_data()
    {
        QTest::addColumn<int>("startMs");
        QTest::newRow("start on a boundary: 3 s") << 0;
        QTest::newRow("start just after: just under 3 s") << 1;
        QTest::newRow("start just before: just over 2 s") << 999;
    }
    void timesOutAtTheThirdSecondBoundary()
    {
        QFETCH(int, startMs);
        const OknoCzekania okno(przy(startMs));
        QVERIFY(!okno.minelo(przy(2999)));
        QVERIFY(okno.minelo(przy(3000)));
        QCOMPARE(okno.doTerminu(przy(startMs)), 3000 - startMs);
        QCOMPARE(okno.doTerminu(przy(3500)), 0);
        // Sleeps are short and end on the deadline.
        QCOMPARE(okno.nastepnySen(przy(startMs)), OknoCzekania::krokMs);
        QCOMPARE(okno.nastepnySen(przy(2900)), 100);
        QCOMPARE(okno.nastepnySen(przy(3000)), 0);
    }

    void timeInOtherHandlersDoesNotCount_data()
    {
        // The wait's start; a sleep that began at one moment and was due at
        // another; when the link ran again; the start that follows.
        QTest::addColumn<QList<int>>("ms");
        QTest::newRow("10 s in another handler") << QList<int>{200, 1000, 1250, 11250, 10200};
        QTest::newRow("timer jitter is not handler time") << QList<int>{0, 1000, 1250, 1265, 0};
        QTest::newRow("lateness beyond jitter") << QList<int>{0, 1500, 1750, 1800, 50};
        QTest::newRow("data at 1.1 s, loop held until 4.1 s") << QList<int>{0, 1000, 1100, 4100, 3000};
        QTest::newRow("clock set back an hour") << QList<int>{3600000, 3601000, 3601250, 1100, 100};
        QTest::newRow("clock set forward an hour") << QList<int>{0, 500, 750, 3600750, 3600000};
    }
    void timeInOtherHandlersDoesNotCount()
    {
        QFETCH(QList<int>, ms);
        OknoCzekania okno(przy(ms[0]));
        okno.poPrzebudzeniu(przy(ms[1]), przy(ms[2]), przy(ms[3]));
        QCOMPARE(okno.start(), przy(ms[4]));
        QVERIFY(!okno.minelo(przy(ms[3])));
    }

    void corpusReadsAsDecoded_data()
    {
        QTest::addColumn<QString>("plik");
        const QDir korpus(QStringLiteral(TOLVEK_KORPUS));
        const QStringList pliki = korpus.entryList(QDir::Files, QDir::Name);
        QVERIFY(pliki.size() >= 8);
        for (const QString &p : pliki)
            QTest::newRow(qPrintable(p)) << korpus.filePath(p);
    }
    void corpusReadsAsDecoded()
    {
        QFETCH(QString, plik);
        QFile f(plik);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString blad = odtworz(f.readAll());
        QVERIFY2(blad.isEmpty(), qPrintable(blad));
    }

    void jestWBuforze_entersTheEventLoopEvenWhenAByteWaits()
    {
        ZegarTestowy zegar;
        Stanowisko s(zegar);
        s.port->dostarcz(hex("11"));
        bool inneZdarzenie = false;
        QTimer::singleShot(0, this, [&inneZdarzenie] { inneZdarzenie = true; });
        QCoro::Task<bool> t = s.comm.JestWBuforze();
        QVERIFY(!t.isReady());
        QVERIFY(uruchom(std::move(t)).wartosc);
        QVERIFY(inneZdarzenie);
    }

    void dataArrivingAfterAWaitEndedIsHarmless()
    {
        ZegarTestowy zegar; // stands still: only data can end this wait
        Stanowisko s(zegar);
        s.port->dostarczPo(20, hex("01"));
        QVERIFY(uruchom(s.comm.JestWBuforze()).wartosc);
        // The sleeps of the finished wait must no longer listen.
        s.port->dostarcz(hex("02"));
        s.port->dostarcz(hex("03"));
        QCOMPARE(uruchom(s.comm.CzytajBajt()).wartosc, 1);
        QCOMPARE(s.port->wejscie(), hex("0203"));
    }

    // A 0x02 whose partner never comes (the pairs themselves are the
    // corpus's): the read waits out the time-out on the real clock, more than
    // 2 whole seconds, and fails. Only lower bounds: a loaded machine may
    // make it later, and the window's arithmetic is tested above.
    void czytajBajt_loneTrailing02_failsAfterTheTimeOut()
    {
        ZegarSystemowy zegar;
        Stanowisko s(zegar);
        s.port->dostarcz(hex("02"));
        const DataCzas poczatek = zegar.teraz();
        QCOMPARE(uruchom(s.comm.CzytajBajt()).wartosc, -1);
        QVERIFY(zegar.teraz().ms() - poczatek.ms() > 2000);
        QVERIFY(DataCzas::sekundyMiedzy(poczatek, zegar.teraz()) >= 3);
        QCOMPARE(s.port->ileCzeka(), 0);
    }

    void jestWBuforze_tenSecondHandlerDoesNotCauseATimeOut()
    {
        ZegarPrzesuwany zegar;
        Stanowisko s(zegar);
        // Another handler "runs for 10 s" half a second into the wait; the
        // answer comes 2.5 s into the wait by the real clock, 12.5 s by the
        // wall clock.
        QTimer::singleShot(500, this, [&zegar] { zegar.przesun(10000); });
        s.port->dostarczPo(2500, hex("44"));
        QVERIFY(uruchom(s.comm.JestWBuforze()).wartosc);
    }

    void lineThatFailedIsReopenedQuietly_oneClosedOnPurposeIsNot()
    {
        ZegarTestowy zegar;
        Stanowisko s(zegar);
        const QByteArray r = hex("02054f06");
        s.port->wstrzyknijAwarie(QStringLiteral("Input/output error"));
        // The adapter is still away: the write fails, nothing is shown.
        s.port->ustawBladOtwarcia(QStringLiteral("No such file or directory"));
        zegar.przesun(clComm::pierwszyOdstepMs);
        QVERIFY(!s.comm.WyslijStr(r));
        // It is back.
        s.port->ustawBladOtwarcia({});
        zegar.przesun(2 * clComm::pierwszyOdstepMs);
        QVERIFY(s.comm.WyslijStr(r));
        QCOMPARE(s.port->otwarcia, QStringList(2, QStringLiteral("/dev/ttyTEST0")));
        QVERIFY(s.komunikaty.pokazane.isEmpty());

        s.comm.zamknij();
        QVERIFY(!s.comm.WyslijStr(r));
        QCOMPARE(s.port->otwarcia.size(), 2);
        QCOMPARE(s.port->zapisane, QList<QByteArray>{r});
        // An open that fails says why.
        s.port->ustawBladOtwarcia(QStringLiteral("No such file or directory"));
        QString opis;
        QVERIFY(!s.comm.otworz(QStringLiteral("/dev/ttyUSB9"), &opis));
        QCOMPARE(opis, QStringLiteral("/dev/ttyUSB9: No such file or directory"));
    }
};

QTEST_GUILESS_MAIN(TestLacze)
#include "tst_lacze.moc"
