// The request frames of every command, byte for byte, and the numbers
// built from answer bytes.
#include "comm/clsfunkcje.h"
#include "stanowisko.h"

#include <QTest>

class TestProtokol final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyCommandSendsItsFrames_data()
    {
        QTest::addColumn<QString>("rozkaz");
        QTest::addColumn<int>("parametr");
        QTest::addColumn<QByteArray>("ramki"); // frames separated by '|'
        QTest::addColumn<bool>("czekaNaOdpowiedz");
        QTest::newRow("DAJ_DANE") << "DAJ_DANE" << 0 << QByteArray("02054f06") << false;
        QTest::newRow("daj_dane in lower case") << "daj_dane" << 0 << QByteArray("02054f06") << false;
        QTest::newRow("CZYTAJ_DIODY") << "Czytaj_Diody" << 0 << QByteArray("02059004|0205a004|0205b004") << true;
        QTest::newRow("USTAW_SR") << "USTAW_SR" << 0x5A << QByteArray("02056a035a") << false;
        QTest::newRow("TESTUJ") << "TESTUJ" << 0 << QByteArray("0205b004") << true;
        QTest::newRow("CZYTAJ_KOND1") << "CZYTAJ_KOND1" << 0 << QByteArray("02059004") << true;
        QTest::newRow("CZYTAJ_KOND2") << "czytaj_kond2" << 0 << QByteArray("0205a004") << true;
        QTest::newRow("USTAW_KOND stage 4") << "USTAW_KOND" << 3 << QByteArray("020573033c") << false;
        QTest::newRow("USTAW_KOND stage 1") << "USTAW_KOND" << 0 << QByteArray("020570033c") << false;
        QTest::newRow("BADAJ_KOND stage 9") << "BADAJ_KOND" << 8 << QByteArray("02057805") << true;
        QTest::newRow("WLACZ_KOND") << "WLACZ_KOND" << 0xFE << QByteArray("02059001fe") << false;
        QTest::newRow("WLACZ_KOND2") << "WLACZ_KOND2" << 0x7F << QByteArray("0205a0017f") << false;
        QTest::newRow("CZYTAJ_BLOK") << "CZYTAJ_BLOK" << 0 << QByteArray("02052f05") << true;
        QTest::newRow("USTAW_BLOK") << "USTAW_BLOK" << 0x20 << QByteArray("02052f0320|02052f05") << true;
        QTest::newRow("parameter byte 2 is sent as it is") << "USTAW_SR" << 0x02 << QByteArray("02056a0302") << false;
    }
    void everyCommandSendsItsFrames()
    {
        QFETCH(QString, rozkaz);
        QFETCH(int, parametr);
        QFETCH(QByteArray, ramki);
        QFETCH(bool, czekaNaOdpowiedz);
        ZegarTestowy zegar;
        Stanowisko s(zegar);
        // The controller answers every read; writes get no answer.
        s.port->ustawOdpowiadacz([](const QByteArray &r) {
            const char kod = r.at(3);
            return (kod == 0x04 || kod == 0x05) ? hex("5a") : QByteArray();
        });
        DaneRozkazu d;
        QVERIFY(uruchom(s.comm.WyslijRozkaz(1, rozkaz, &d, parametr)).wartosc);
        QList<QByteArray> oczekiwane;
        for (const QByteArray &r : ramki.split('|'))
            oczekiwane.append(QByteArray::fromHex(r));
        QCOMPARE(s.port->zapisane, oczekiwane);
        // Every frame was preceded by a discard of waiting input.
        QCOMPARE(s.port->wyczyszczenia, oczekiwane.size());
        if (czekaNaOdpowiedz && rozkaz.toUpper() != QLatin1String("CZYTAJ_DIODY"))
            QCOMPARE(d.wartosc, 0x5A);
        QVERIFY(!s.comm.Zajety);
    }

    void addressComesFromTheRegistry()
    {
        ZegarTestowy zegar;
        Stanowisko s(zegar);
        QVERIFY(uruchom(s.comm.WyslijRozkaz(2, QStringLiteral("DAJ_DANE"), nullptr, 0)).wartosc);
        QCOMPARE(s.port->zapisane, QList<QByteArray>{hex("02114f06")});
    }

    void czytajAndCzytaj32SendNothingAndKeepTheInput()
    {
        ZegarTestowy zegar;
        Stanowisko s(zegar);
        QByteArray blok = hex("a0");
        for (int i = 0; i < 32; ++i)
            blok.append(static_cast<char>(0x80 + i));
        s.port->odpowiedz(blok);
        QVERIFY(uruchom(s.comm.WyslijRozkaz(1, QStringLiteral("DAJ_DANE"), nullptr, 0)).wartosc);
        DaneRozkazu pierwsza, reszta;
        QVERIFY(uruchom(s.comm.WyslijRozkaz(1, QStringLiteral("czytaj"), &pierwsza, 0)).wartosc);
        QVERIFY(uruchom(s.comm.WyslijRozkaz(1, QStringLiteral("CZYTAJ32"), &reszta, 0)).wartosc);
        QCOMPARE(pierwsza.wartosc, 0xA0);
        for (int i = 0; i < 32; ++i)
            QCOMPARE(reszta.bajty[static_cast<std::size_t>(i)], 0x80 + i);
        QCOMPARE(s.port->zapisane.size(), 1);
        QCOMPARE(s.port->wyczyszczenia, 1);
    }

    void frameBytesOutsideAByteAreRefused_data()
    {
        QTest::addColumn<int>("adres");
        QTest::addColumn<int>("lokacja");
        QTest::addColumn<int>("parametr");
        QTest::newRow("address") << 256 << 0x90 << -1;
        QTest::newRow("negative address") << -1 << 0x90 << -1;
        QTest::newRow("location") << 5 << 0x100 << -1;
        QTest::newRow("parameter") << 5 << 0x6A << 300;
    }
    void frameBytesOutsideAByteAreRefused()
    {
        QFETCH(int, adres);
        QFETCH(int, lokacja);
        QFETCH(int, parametr);
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, clComm::ramka(adres, lokacja, 0x03, parametr));
    }

    void numbersFromAnswerBytes_data()
    {
        QTest::addColumn<QByteArray>("bajty");
        QTest::addColumn<qint64>("wartosc");
        QTest::newRow("int 300") << hex("012c") << qint64(300);
        QTest::newRow("int -2") << hex("fffe") << qint64(-2);
        QTest::newRow("int 32767") << hex("7fff") << qint64(32767);
        QTest::newRow("int -32768") << hex("8000") << qint64(-32768);
        QTest::newRow("long -1") << hex("ffffffff") << qint64(-1);
        QTest::newRow("long 65536") << hex("00010000") << qint64(65536);
        QTest::newRow("long min") << hex("80000000") << qint64(-2147483648LL);
        QTest::newRow("long max") << hex("7fffffff") << qint64(2147483647);
    }
    void numbersFromAnswerBytes()
    {
        QFETCH(QByteArray, bajty);
        QFETCH(qint64, wartosc);
        const auto b = [&bajty](int i) { return static_cast<std::uint8_t>(bajty.at(i)); };
        if (bajty.size() == 2)
            QCOMPARE(qint64(clsFunkcje::TworzInt(b(0), b(1))), wartosc);
        else
            QCOMPARE(qint64(clsFunkcje::TworzLong(b(0), b(1), b(2), b(3))), wartosc);
    }

    void unsignedLongKeepsCountersAbove2To31()
    {
        QCOMPARE(clsFunkcje::TworzLongU(0x00, 0x01, 0x00, 0x00), 65536);
        QCOMPARE(clsFunkcje::TworzLongU(0x80, 0x00, 0x00, 0x00), 2147483648LL);
        QCOMPARE(clsFunkcje::TworzLongU(0xFF, 0xFF, 0xFF, 0xFF), 4294967295LL);
    }
};

QTEST_GUILESS_MAIN(TestProtokol)
#include "tst_protokol.moc"
