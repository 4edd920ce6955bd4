// The serial link over the in-memory port: sending, the single-byte read
// with its 0x02 pair rule, the wait with its time-out, and the recovery of
// a line that failed.
#include "stanowisko.h"

#include <QTest>
#include <QThread>
#include <QTimer>

namespace {

// Starts the test at ms milliseconds past a whole second of the wall clock,
// so that the second boundaries a wait crosses are known.
void doMilisekundy(int ms)
{
    const auto teraz = static_cast<int>(ZegarSystemowy().teraz().ms() % 1000);
    QTest::qWait((ms - teraz + 1000) % 1000);
}

} // namespace

class TestLacze final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void wyslijStr_discardsStaleInputThenWrites()
    {
        ZegarTestowy zegar;
        Stanowisko s(zegar);
        s.port->dostarcz(hex("7f0203"));
        QVERIFY(s.comm.WyslijStr(hex("02054f06")));
        QCOMPARE(s.port->ileCzeka(), 0);
        QCOMPARE(s.port->zapisane, QList<QByteArray>{hex("02054f06")});
    }

    void czytajBajt_pairOfBytesReadsAsTwo_data()
    {
        QTest::addColumn<QByteArray>("wejscie");
        QTest::addColumn<int>("wartosc");
        QTest::addColumn<int>("zostaje");
        QTest::newRow("plain byte") << hex("a7ff") << 0xA7 << 1;
        QTest::newRow("zero") << hex("00") << 0 << 0;
        QTest::newRow("0x02 0x02") << hex("020255") << 2 << 1;
        QTest::newRow("0x02 then any byte") << hex("02ff55") << 2 << 1;
        QTest::newRow("0x02 then zero") << hex("0200") << 2 << 0;
    }
    void czytajBajt_pairOfBytesReadsAsTwo()
    {
        QFETCH(QByteArray, wejscie);
        QFETCH(int, wartosc);
        QFETCH(int, zostaje);
        ZegarTestowy zegar;
        Stanowisko s(zegar);
        s.port->dostarcz(wejscie);
        QCOMPARE(uruchom(s.comm.CzytajBajt()).wartosc, wartosc);
        QCOMPARE(s.port->ileCzeka(), zostaje);
    }

    void czytajDane32_pairInAnyPositionOfTheBlock_data()
    {
        QTest::addColumn<int>("pozycja");
        for (int i = 0; i < 33; ++i)
            QTest::addRow("value %d", i) << i;
    }
    void czytajDane32_pairInAnyPositionOfTheBlock()
    {
        // The 33 answer values of DAJ_DANE: one by CZYTAJ, 32 by CZYTAJ32.
        QFETCH(int, pozycja);
        ZegarTestowy zegar;
        Stanowisko s(zegar);
        QByteArray linia;
        for (int i = 0; i < 33; ++i) {
            if (i == pozycja)
                linia.append(hex(i % 2 ? "0202" : "02e1"));
            else
                linia.append(static_cast<char>(0x40 + i));
        }
        linia.append(hex("77")); // the first byte of something else
        s.port->dostarcz(linia);

        const int pierwsza = uruchom(s.comm.CzytajBajt()).wartosc;
        DaneRozkazu d;
        QVERIFY(uruchom(s.comm.CzytajDane32(d)).wartosc);
        QCOMPARE(pierwsza, pozycja == 0 ? 2 : 0x40);
        for (int i = 1; i < 33; ++i)
            QCOMPARE(d.bajty[static_cast<std::size_t>(i - 1)], i == pozycja ? 2 : 0x40 + i);
        QCOMPARE(s.port->wejscie(), hex("77"));
    }

    void czytajBajt_trailing0x02WithoutPartnerFails()
    {
        ZegarSystemowy zegar;
        Stanowisko s(zegar);
        s.port->dostarcz(hex("02"));
        QCOMPARE(uruchom(s.comm.CzytajBajt()).wartosc, -1);
        QCOMPARE(s.port->ileCzeka(), 0);
    }

    void czytajDane32_stopsAtFirstMissingValueKeepingTheEarlierOnes()
    {
        ZegarSystemowy zegar;
        Stanowisko s(zegar);
        s.port->dostarcz(hex("0a0b020c"));
        DaneRozkazu d;
        d.bajty.fill(-1);
        QVERIFY(!uruchom(s.comm.CzytajDane32(d)).wartosc);
        QCOMPARE(d.bajty[0], 0x0A);
        QCOMPARE(d.bajty[1], 0x0B);
        QCOMPARE(d.bajty[2], 2);
        QCOMPARE(d.bajty[3], -1);
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

    void jestWBuforze_wakesOnArrivingData()
    {
        ZegarTestowy zegar; // stands still: only data can end this wait
        Stanowisko s(zegar);
        s.port->dostarczPo(120, hex("33"));
        QVERIFY(uruchom(s.comm.JestWBuforze()).wartosc);
    }

    void dataArrivingAfterAWaitEndedIsHarmless()
    {
        ZegarTestowy zegar;
        Stanowisko s(zegar);
        s.port->dostarczPo(20, hex("01"));
        QVERIFY(uruchom(s.comm.JestWBuforze()).wartosc);
        // The sleeps of the finished wait must no longer listen.
        s.port->dostarcz(hex("02"));
        s.port->dostarcz(hex("03"));
        QCOMPARE(s.port->wejscie(), hex("010203"));
        QCOMPARE(uruchom(s.comm.CzytajBajt()).wartosc, 1);
    }

    void jestWBuforze_timesOutAfterMoreThanTwoWholeSeconds_data()
    {
        QTest::addColumn<int>("poSekundzie");
        QTest::newRow("early in a second: nearly 3 s") << 100;
        QTest::newRow("mid-second") << 500;
        QTest::newRow("late in a second: a little over 2 s") << 650;
    }
    void jestWBuforze_timesOutAfterMoreThanTwoWholeSeconds()
    {
        QFETCH(int, poSekundzie);
        ZegarSystemowy zegar;
        Stanowisko s(zegar);
        doMilisekundy(poSekundzie);
        const DataCzas poczatek = zegar.teraz();
        QVERIFY(!uruchom(s.comm.JestWBuforze()).wartosc);
        const DataCzas koniec = zegar.teraz();
        QVERIFY2(koniec.ms() - poczatek.ms() > 2000, qPrintable(QString::number(koniec.ms() - poczatek.ms())));
        QCOMPARE(DataCzas::sekundyMiedzy(poczatek, koniec), 3);
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

    void jestWBuforze_afterATenSecondHandlerOwnWaitingStillEndsIt()
    {
        ZegarPrzesuwany zegar;
        Stanowisko s(zegar);
        doMilisekundy(200);
        QTimer::singleShot(500, this, [&zegar] { zegar.przesun(10000); });
        const DataCzas poczatek = zegar.teraz();
        QVERIFY(!uruchom(s.comm.JestWBuforze()).wartosc);
        const DataCzas wlasnyKoniec = zegar.teraz().plusMs(-10000);
        QVERIFY(wlasnyKoniec.ms() - poczatek.ms() > 2000);
        QCOMPARE(DataCzas::sekundyMiedzy(poczatek, wlasnyKoniec), 3);
    }

    void jestWBuforze_reallyBlockingHandlerDoesNotCount()
    {
        ZegarSystemowy zegar;
        Stanowisko s(zegar);
        // 2 s of another handler's work, then the answer at 3.3 s real time.
        QTimer::singleShot(300, this, [] { QThread::msleep(2000); });
        s.port->dostarczPo(3300, hex("45"));
        QVERIFY(uruchom(s.comm.JestWBuforze()).wartosc);
    }

    void otworz_failureGivesTheSerialLayersDescription()
    {
        ZegarTestowy zegar;
        Stanowisko s(zegar);
        s.comm.zamknij();
        s.port->ustawBladOtwarcia(QStringLiteral("No such file or directory"));
        QString opis;
        QVERIFY(!s.comm.otworz(QStringLiteral("/dev/ttyUSB9"), &opis));
        QCOMPARE(opis, QStringLiteral("No such file or directory"));
    }

    void lineThatFailedIsReopenedQuietlyBeforeTheNextWrite()
    {
        ZegarTestowy zegar;
        Stanowisko s(zegar);
        s.port->wstrzyknijAwarie(QStringLiteral("Input/output error"));
        QVERIFY(!s.port->otwarty());
        // The adapter is still away: the write fails, nothing is shown.
        s.port->ustawBladOtwarcia(QStringLiteral("No such file or directory"));
        QVERIFY(!s.comm.WyslijStr(hex("02054f06")));
        // It is back.
        s.port->ustawBladOtwarcia({});
        QVERIFY(s.comm.WyslijStr(hex("02054f06")));
        QCOMPARE(s.port->otwarcia, QStringList({QStringLiteral("/dev/ttyTEST0"), QStringLiteral("/dev/ttyTEST0")}));
        QCOMPARE(s.port->zapisane, QList<QByteArray>{hex("02054f06")});
        QVERIFY(s.komunikaty.pokazane.isEmpty());
    }

    void lineClosedOnPurposeIsNotReopened()
    {
        ZegarTestowy zegar;
        Stanowisko s(zegar);
        s.comm.zamknij();
        QVERIFY(!s.comm.WyslijStr(hex("02054f06")));
        QCOMPARE(s.port->otwarcia.size(), 1);
        QVERIFY(s.port->zapisane.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestLacze)
#include "tst_lacze.moc"
