// The dispatcher: the line state it reports and the polling timer it holds.
#include "comm/komunikator.h"
#include "stanowisko.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

class TestKomunikator final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void statusGoesOneThenZeroOrTwo()
    {
        ZegarTestowy zegar;
        Stanowisko s(zegar);
        Komunikator k(s.comm);
        QSignalSpy stany(&k, &Komunikator::eKomunikacja);
        QVERIFY(uruchom(k.WykonajRozkaz(1, QStringLiteral("DAJ_DANE"))).wartosc);
        s.port->ustawOdmoweZapisu(true);
        QVERIFY(!uruchom(k.WykonajRozkaz(1, QStringLiteral("DAJ_DANE"))).wartosc);
        s.port->ustawOdmoweZapisu(false);
        QVERIFY(uruchom(k.WykonajRozkaz(1, QStringLiteral("USTAW_SR"), nullptr, 3)).wartosc);
        QList<int> odczytane;
        for (const auto &a : stany)
            odczytane.append(a.at(0).toInt());
        QCOMPARE(odczytane, (QList<int>{1, 0, 1, 2, 1, 0}));
    }

    void timer1IsStoppedDuringTheCommandAndRunningAfterIt_data()
    {
        QTest::addColumn<bool>("dzialalPrzed");
        QTest::newRow("running before") << true;
        QTest::newRow("stopped before") << false;
    }
    void timer1IsStoppedDuringTheCommandAndRunningAfterIt()
    {
        QFETCH(bool, dzialalPrzed);
        ZegarTestowy zegar;
        Stanowisko s(zegar);
        QTimer timer1;
        timer1.setInterval(100);
        if (dzialalPrzed)
            timer1.start();
        Komunikator k(s.comm);
        k.ustawTimer1(&timer1);
        bool aktywnyWTrakcie = true;
        s.port->ustawOdpowiadacz([&](const QByteArray &) {
            aktywnyWTrakcie = timer1.isActive();
            return hex("10");
        });
        DaneRozkazu d;
        QVERIFY(uruchom(k.WykonajRozkaz(1, QStringLiteral("testuj"), &d)).wartosc);
        QVERIFY(!aktywnyWTrakcie);
        QVERIFY(timer1.isActive());
        QCOMPARE(d.wartosc, 0x10);
    }

    void engineErrorRestartsTimer1ReportsFailureAndPassesOn()
    {
        ZegarTestowy zegar;
        Stanowisko s(zegar);
        QTimer timer1;
        Komunikator k(s.comm);
        k.ustawTimer1(&timer1);
        QSignalSpy stany(&k, &Komunikator::eKomunikacja);
        const Wynik<bool> w = uruchom(k.WykonajRozkaz(42, QStringLiteral("DAJ_DANE")));
        QVERIFY(!w.wyjatek.isEmpty());
        QVERIFY(timer1.isActive());
        QCOMPARE(stany.size(), 2);
        QCOMPARE(stany.at(1).at(0).toInt(), 2);
    }

    void withoutTimer1CommandsStillRun()
    {
        ZegarTestowy zegar;
        Stanowisko s(zegar);
        Komunikator k(s.comm);
        QVERIFY(uruchom(k.WykonajRozkaz(1, QStringLiteral("DAJ_DANE"))).wartosc);
    }

    void commandStartedDuringAnotherKeepsTimer1StoppedUntilTheLastEnds()
    {
        ZegarTestowy zegar;
        Stanowisko s(zegar);
        QTimer timer1;
        timer1.start(100);
        Komunikator k(s.comm);
        k.ustawTimer1(&timer1);
        s.port->odpowiedz(hex("01"), 200);
        s.port->odpowiedz(hex("02ff"), 200);
        Wynik<bool> drugi;
        bool drugiSkonczony = false;
        QTimer::singleShot(50, this, [&] {
            przechwyc(k.WykonajRozkaz(2, QStringLiteral("TESTUJ")), &drugi).then([&] { drugiSkonczony = true; });
        });
        QVERIFY(uruchom(k.WykonajRozkaz(1, QStringLiteral("TESTUJ"))).wartosc);
        QVERIFY(!drugiSkonczony);
        QVERIFY(!timer1.isActive());
        QVERIFY(QTest::qWaitFor([&] { return drugiSkonczony; }, 5000));
        QVERIFY(drugi.wartosc);
        QVERIFY(timer1.isActive());
    }
};

QTEST_GUILESS_MAIN(TestKomunikator)
#include "tst_komunikator.moc"
