// The command engine and its dispatcher: each kind of command on the line
// (the frame table itself is the protocol unit's, see tst_protokol),
// attempts and their repetition, how every command ends (Timer1, the line
// state, the busy flag), and a second command started while the first
// waits for its answer.
#include "comm/komunikator.h"
#include "protokol/protokol.h"
#include "stanowisko.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

class TestSilnik final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void eachKindOfCommandDiscardsStaleInputBeforeEachFrame_data()
    {
        QTest::addColumn<QString>("rozkaz");
        QTest::addColumn<int>("parametr");
        QTest::addColumn<int>("wartosc"); // the value read; -1 = none
        QTest::newRow("write, no answer") << "daj_dane" << 0 << -1;
        QTest::newRow("three reads") << "Czytaj_Diody" << 0 << -1;
        QTest::newRow("one read") << "CZYTAJ_BLOK" << 0 << 0x5A;
        QTest::newRow("write, then read back") << "ustaw_blok" << 0x20 << 0x5A;
        // The rest of a DAJ_DANE answer: nothing sent, the input kept.
        QTest::newRow("CZYTAJ") << "czytaj" << 0 << 0x99;
        QTest::newRow("CZYTAJ32") << "CZYTAJ32" << 0 << -1;
    }
    void eachKindOfCommandDiscardsStaleInputBeforeEachFrame()
    {
        QFETCH(QString, rozkaz);
        QFETCH(int, parametr);
        QFETCH(int, wartosc);
        ZegarTestowy zegar;
        Stanowisko s(zegar);
        // Late bytes of an earlier exchange wait; the controller answers
        // every read with 0x5A, writes get no answer.
        s.port->dostarcz(QByteArray(33, char(0x99)));
        s.port->ustawOdpowiadacz(
            [](const QByteArray &r) { return (r.at(3) == 0x04 || r.at(3) == 0x05) ? hex("5a") : QByteArray(); });
        DaneRozkazu d;
        d.wartosc = -1;
        QVERIFY(uruchom(s.comm.WyslijRozkaz(1, rozkaz, &d, parametr)).wartosc);
        // The command's frames (tst_protokol's table), each after a discard.
        QCOMPARE(s.port->zapisane, protokol::ramkiRozkazu(*protokol::znajdzRozkaz(rozkaz.toUpper()), 0x05, parametr));
        QCOMPARE(s.port->wyczyszczenia, s.port->zapisane.size());
        QCOMPARE(d.wartosc, wartosc);
        QVERIFY(!s.comm.Zajety);
    }

    void czytajDiody_data()
    {
        QTest::addColumn<int>("odpowiada"); // how many of the three reads are answered
        QTest::addColumn<bool>("wynik");
        QTest::addColumn<int>("ramek");
        QTest::newRow("all three: elements 1 to 3") << 3 << true << 3;
        QTest::newRow("only the first: gives up at once") << 1 << false << 2;
        QTest::newRow("not the third: all three four times") << 2 << false << 12;
    }
    void czytajDiody()
    {
        QFETCH(int, odpowiada);
        QFETCH(bool, wynik);
        QFETCH(int, ramek);
        const QList<QByteArray> odpowiedzi{hex("fe"), hex("0202"), hex("31")}; // 0x90, 0xA0, 0xB0
        const QList<int> wartosci{0xFE, 2, 0x31};
        ZegarSystemowy zegar;
        Stanowisko s(zegar);
        s.port->ustawOdpowiadacz([&](const QByteArray &r) {
            const int i = (static_cast<unsigned char>(r.at(2)) >> 4) - 9;
            return i < odpowiada ? odpowiedzi.at(i) : QByteArray();
        });
        DaneRozkazu d;
        d.bajty.fill(-1);
        QCOMPARE(uruchom(s.comm.WyslijRozkaz(1, QStringLiteral("CZYTAJ_DIODY"), &d, 0)).wartosc, wynik);
        QCOMPARE(s.port->zapisane.size(), ramek);
        QCOMPARE(d.bajty[0], -1);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(d.bajty[static_cast<std::size_t>(i + 1)], i < odpowiada ? wartosci.at(i) : -1);
    }

    void unknownCommand_showsTheMessageOncePerAttemptAndFails()
    {
        ZegarTestowy zegar;
        Stanowisko s(zegar);
        QVERIFY(!uruchom(s.comm.WyslijRozkaz(1, QStringLiteral("Zapal_Swiatlo"), nullptr, 0)).wartosc);
        QCOMPARE(s.komunikaty.pokazane.size(), 4);
        QVERIFY(s.komunikaty.pokazane.first().tekst.contains(QStringLiteral("ZAPAL_SWIATLO")));
        QVERIFY(s.port->zapisane.isEmpty());
    }

    void everyEndRestartsTimer1ReportsTheStateAndFreesTheLine_data()
    {
        QTest::addColumn<bool>("dzialalPrzed");
        QTest::addColumn<int>("nr");
        QTest::addColumn<QString>("rozkaz");
        QTest::addColumn<int>("parametr");
        QTest::addColumn<bool>("odmowa");
        QTest::addColumn<int>("stan");
        QTest::newRow("success, Timer1 was running") << true << 1 << "TESTUJ" << 0 << false << 0;
        QTest::newRow("success, Timer1 was stopped") << false << 1 << "testuj" << 0 << false << 0;
        // A frame that never left is a failure, and no answer is awaited
        // (the test clock stands still: such a wait would never end).
        for (const char *r : {"WLACZ_KOND", "TESTUJ", "CZYTAJ_DIODY", "USTAW_BLOK"})
            QTest::addRow("refused write, %s", r) << false << 1 << QString::fromLatin1(r) << 0 << true << 2;
        // The engine throws: the error goes on to the caller.
        QTest::newRow("unknown controller") << false << 42 << "DAJ_DANE" << 0 << false << 2;
        QTest::newRow("address above 0xFF") << false << 3 << "TESTUJ" << 0 << false << 2;
        QTest::newRow("location above 0xFF") << true << 1 << "BADAJ_KOND" << 0x90 << false << 2;
        QTest::newRow("parameter above 0xFF") << false << 1 << "USTAW_SR" << 0x100 << false << 2;
    }
    void everyEndRestartsTimer1ReportsTheStateAndFreesTheLine()
    {
        QFETCH(bool, dzialalPrzed);
        QFETCH(int, nr);
        QFETCH(QString, rozkaz);
        QFETCH(int, parametr);
        QFETCH(bool, odmowa);
        QFETCH(int, stan);
        ZegarTestowy zegar;
        Stanowisko s(zegar);
        QTimer timer1;
        timer1.setInterval(100);
        if (dzialalPrzed)
            timer1.start();
        Komunikator k(s.comm);
        polaczTimer1(k, timer1);
        QSignalSpy stany(&k, &Komunikator::stanLinii);
        QSignalSpy zwolnienia(&s.comm, &clComm::zwolniony);
        bool aktywnyWTrakcie = false;
        s.port->ustawOdmoweZapisu(odmowa);
        s.port->ustawOdpowiadacz([&](const QByteArray &) {
            aktywnyWTrakcie = timer1.isActive();
            return hex("10");
        });
        const Wynik<bool> w = uruchom(k.WykonajRozkaz(nr, rozkaz, nullptr, parametr));
        QCOMPARE(w.wartosc, stan == 0);
        QCOMPARE(w.wyjatek.isEmpty(), stan == 0 || odmowa);
        QCOMPARE(s.port->zapisane.isEmpty(), stan != 0);
        QVERIFY(!aktywnyWTrakcie);
        QVERIFY(timer1.isActive());
        QCOMPARE(stany.size(), 2);
        QCOMPARE(stany.at(0).at(0).toInt(), 1);
        QCOMPARE(stany.at(1).at(0).toInt(), stan);
        QVERIFY(!s.comm.Zajety);
        QCOMPARE(zwolnienia.size(), 1);
    }

    void secondCommandDuringAWaitRunsAfterTheFirstWithTimer1Stopped()
    {
        ZegarTestowy zegar;
        Stanowisko s(zegar);
        QTimer timer1;
        timer1.start(100);
        Komunikator k(s.comm);
        polaczTimer1(k, timer1);
        s.port->odpowiedz(hex("0202"), 300);
        s.port->odpowiedz(hex("66"), 200);
        DaneRozkazu d1, d2;
        Wynik<bool> drugi;
        bool drugiSkonczony = false;
        // A handler that runs while the first command waits for its answer.
        QTimer::singleShot(50, this, [&] {
            przechwyc(k.WykonajRozkaz(2, QStringLiteral("CZYTAJ_BLOK"), &d2), &drugi).then([&] {
                drugiSkonczony = true;
            });
            QCOMPARE(s.port->zapisane.size(), 1); // the line is taken: nothing written yet
        });
        QVERIFY(uruchom(k.WykonajRozkaz(1, QStringLiteral("CZYTAJ_KOND1"), &d1)).wartosc);
        QCOMPARE(d1.wartosc, 2);
        QVERIFY(!drugiSkonczony);
        QVERIFY(!timer1.isActive());
        QVERIFY(QTest::qWaitFor([&] { return drugiSkonczony; }, 5000));
        QVERIFY(drugi.wartosc);
        QCOMPARE(d2.wartosc, 0x66);
        QCOMPARE(s.port->zapisane, (QList<QByteArray>{hex("02059004"), hex("02112f05")}));
        QVERIFY(timer1.isActive());
    }
};

QTEST_GUILESS_MAIN(TestSilnik)
#include "tst_silnik.moc"
