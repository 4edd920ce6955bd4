// The command engine: attempts and their repetition, the busy flag, and a
// second command started while the first waits for its answer.
#include "stanowisko.h"

#include <QTest>
#include <QTimer>

namespace {
// The answer of a controller to the LED reads: one byte per frame.
QByteArray diody(const QByteArray &ramka)
{
    if (ramka.at(2) == char(0x90))
        return hex("fe");
    if (ramka.at(2) == char(0xA0))
        return hex("0202"); // the value 2, doubled on the line
    return hex("31");
}
} // namespace

class TestSilnik final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void czytajDiody_threeAnswersGoToElementsOneToThree()
    {
        ZegarTestowy zegar;
        Stanowisko s(zegar);
        s.port->ustawOdpowiadacz(diody);
        DaneRozkazu d;
        d.bajty.fill(-1);
        QVERIFY(uruchom(s.comm.WyslijRozkaz(1, QStringLiteral("CZYTAJ_DIODY"), &d, 0)).wartosc);
        QCOMPARE(d.bajty[0], -1);
        QCOMPARE(d.bajty[1], 0xFE);
        QCOMPARE(d.bajty[2], 2);
        QCOMPARE(d.bajty[3], 0x31);
    }

    void czytajDiody_onlyFirstAnsweredGivesUpWithoutRepeating()
    {
        ZegarSystemowy zegar;
        Stanowisko s(zegar);
        s.port->odpowiedz(hex("fe"));
        DaneRozkazu d;
        QVERIFY(!uruchom(s.comm.WyslijRozkaz(1, QStringLiteral("CZYTAJ_DIODY"), &d, 0)).wartosc);
        QCOMPARE(s.port->zapisane, (QList<QByteArray>{hex("02059004"), hex("0205a004")}));
        QCOMPARE(d.bajty[1], 0xFE);
    }

    void czytajDiody_missingThirdAnswerRepeatsAllThreeFourTimes()
    {
        ZegarSystemowy zegar;
        Stanowisko s(zegar);
        s.port->ustawOdpowiadacz([](const QByteArray &r) { return r.at(2) == char(0xB0) ? QByteArray() : diody(r); });
        QVERIFY(!uruchom(s.comm.WyslijRozkaz(1, QStringLiteral("CZYTAJ_DIODY"), nullptr, 0)).wartosc);
        QList<QByteArray> trzy{hex("02059004"), hex("0205a004"), hex("0205b004")};
        QCOMPARE(s.port->zapisane, trzy + trzy + trzy + trzy);
    }

    void ustawBlok_writesThenReadsBack()
    {
        ZegarTestowy zegar;
        Stanowisko s(zegar);
        s.port->odpowiedz({});         // the write gets no answer
        s.port->odpowiedz(hex("27")); // the read-back
        DaneRozkazu d;
        QVERIFY(uruchom(s.comm.WyslijRozkaz(1, QStringLiteral("ustaw_blok"), &d, 0x20)).wartosc);
        QCOMPARE(s.port->zapisane, (QList<QByteArray>{hex("02052f0320"), hex("02052f05")}));
        QCOMPARE(d.wartosc, 0x27);
    }

    void staleAnswerOfAnEarlierCommandNeverReachesTheNext()
    {
        ZegarTestowy zegar;
        Stanowisko s(zegar);
        // A late byte for an earlier request is already waiting.
        s.port->dostarcz(hex("99"));
        s.port->odpowiedz(hex("41"), 30);
        DaneRozkazu d;
        QVERIFY(uruchom(s.comm.WyslijRozkaz(1, QStringLiteral("CZYTAJ_BLOK"), &d, 0)).wartosc);
        QCOMPARE(d.wartosc, 0x41);
    }

    void unknownCommand_showsTheMessageOncePerAttemptAndFails()
    {
        ZegarTestowy zegar;
        Stanowisko s(zegar);
        QVERIFY(!uruchom(s.comm.WyslijRozkaz(1, QStringLiteral("Zapal_Swiatlo"), nullptr, 0)).wartosc);
        QCOMPARE(s.komunikaty.pokazane.size(), 4);
        for (const auto &k : s.komunikaty.pokazane) {
            QCOMPARE(k.tekst, QStringLiteral("Nieznany rozkaz: 'ZAPAL_SWIATLO'"));
            QCOMPARE(k.tytul, QStringLiteral("Błąd - moduł oCOmm"));
            QCOMPARE(k.ikona, Ikona::Krytyczna);
        }
        QVERIFY(s.port->zapisane.isEmpty());
        QVERIFY(!s.comm.Zajety);
    }

    void commandWithoutAnswerSucceedsWithNobodyOnTheLine()
    {
        ZegarTestowy zegar;
        Stanowisko s(zegar);
        QVERIFY(uruchom(s.comm.WyslijRozkaz(1, QStringLiteral("DAJ_DANE"), nullptr, 0)).wartosc);
        QCOMPARE(s.port->zapisane.size(), 1);
    }

    void refusedWriteIsAFailureAndNoAnswerIsAwaited()
    {
        ZegarTestowy zegar; // stands still: a wait for an answer would never end
        Stanowisko s(zegar);
        s.port->ustawOdmoweZapisu(true);
        QVERIFY(!uruchom(s.comm.WyslijRozkaz(1, QStringLiteral("WLACZ_KOND"), nullptr, 0x7F)).wartosc);
        QVERIFY(!uruchom(s.comm.WyslijRozkaz(1, QStringLiteral("CZYTAJ_KOND1"), nullptr, 0)).wartosc);
        QVERIFY(!uruchom(s.comm.WyslijRozkaz(1, QStringLiteral("CZYTAJ_DIODY"), nullptr, 0)).wartosc);
        QVERIFY(!uruchom(s.comm.WyslijRozkaz(1, QStringLiteral("USTAW_BLOK"), nullptr, 0x20)).wartosc);
    }

    void errors_leaveTheBusyFlagClear_data()
    {
        QTest::addColumn<int>("nr");
        QTest::addColumn<QString>("rozkaz");
        QTest::addColumn<int>("parametr");
        QTest::newRow("unknown controller") << 9 << QStringLiteral("DAJ_DANE") << 0;
        QTest::newRow("unknown controller, unknown command") << 9 << QStringLiteral("XYZ") << 0;
        QTest::newRow("address above 0xFF") << 3 << QStringLiteral("TESTUJ") << 0;
        QTest::newRow("location above 0xFF") << 1 << QStringLiteral("BADAJ_KOND") << 0x90;
        QTest::newRow("parameter above 0xFF") << 1 << QStringLiteral("USTAW_SR") << 0x100;
    }
    void errors_leaveTheBusyFlagClear()
    {
        QFETCH(int, nr);
        QFETCH(QString, rozkaz);
        QFETCH(int, parametr);
        ZegarTestowy zegar;
        Stanowisko s(zegar);
        int zwolnienia = 0;
        connect(&s.comm, &clComm::zwolniony, this, [&zwolnienia] { ++zwolnienia; });
        const Wynik<bool> w = uruchom(s.comm.WyslijRozkaz(nr, rozkaz, nullptr, parametr));
        QVERIFY(!w.wyjatek.isEmpty());
        QVERIFY(!s.comm.Zajety);
        QCOMPARE(zwolnienia, 1);
        QVERIFY(s.port->zapisane.isEmpty());
        QVERIFY(s.komunikaty.pokazane.isEmpty());
        // The next command runs normally.
        QVERIFY(uruchom(s.comm.WyslijRozkaz(1, QStringLiteral("DAJ_DANE"), nullptr, 0)).wartosc);
    }

    void secondCommandStartedDuringAWaitRunsAfterTheFirst()
    {
        ZegarTestowy zegar;
        Stanowisko s(zegar);
        // The first controller answers after 300 ms; the second at once.
        s.port->odpowiedz(hex("0202"), 300);
        s.port->odpowiedz(hex("66"), 0);
        DaneRozkazu d1, d2;
        Wynik<bool> drugi;
        bool drugiSkonczony = false;
        QByteArray zapisanePrzyStarcieDrugiego;
        // A handler that runs while the first command waits for its answer.
        QTimer::singleShot(50, this, [&] {
            QVERIFY(s.comm.Zajety);
            zapisanePrzyStarcieDrugiego = s.port->zapisane.join('|');
            przechwyc(s.comm.WyslijRozkaz(2, QStringLiteral("CZYTAJ_BLOK"), &d2, 0), &drugi).then([&] {
                drugiSkonczony = true;
            });
            // It has not written anything yet: the line is taken.
            QCOMPARE(s.port->zapisane.join('|'), zapisanePrzyStarcieDrugiego);
        });
        QVERIFY(uruchom(s.comm.WyslijRozkaz(1, QStringLiteral("CZYTAJ_KOND1"), &d1, 0)).wartosc);
        QCOMPARE(d1.wartosc, 2);
        QVERIFY(QTest::qWaitFor([&] { return drugiSkonczony; }, 5000));
        QVERIFY(drugi.wartosc);
        QCOMPARE(d2.wartosc, 0x66);
        QCOMPARE(s.port->zapisane, (QList<QByteArray>{hex("02059004"), hex("02112f05")}));
        QVERIFY(!s.comm.Zajety);
    }

    void commandsQueuedBehindABusyLineRunOneAtATime()
    {
        ZegarTestowy zegar;
        Stanowisko s(zegar);
        s.port->ustawOdpowiadacz([](const QByteArray &r) { return r.mid(1, 1); }); // echoes the address
        DaneRozkazu d[3];
        Wynik<bool> w[3];
        int skonczone = 0;
        s.comm.Zajety = true; // an exchange is running
        for (int i = 0; i < 3; ++i) {
            s.adresy[10 + i] = 0x20 + i;
            przechwyc(s.comm.WyslijRozkaz(10 + i, QStringLiteral("TESTUJ"), &d[i], 0), &w[i]).then([&skonczone] {
                ++skonczone;
            });
        }
        QVERIFY(s.port->zapisane.isEmpty());
        s.comm.Zajety = false;
        Q_EMIT s.comm.zwolniony();
        QVERIFY(QTest::qWaitFor([&] { return skonczone == 3; }, 5000));
        for (int i = 0; i < 3; ++i) {
            QVERIFY(w[i].wartosc);
            QCOMPARE(d[i].wartosc, 0x20 + i);
        }
        QCOMPARE(s.port->zapisane.size(), 3);
    }
};

QTEST_GUILESS_MAIN(TestSilnik)
#include "tst_silnik.moc"
