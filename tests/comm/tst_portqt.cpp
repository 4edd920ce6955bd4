// The QSerialPort line on a pseudo-terminal: the line settings, discarding
// input, and a hang-up of the other end (bytes both ways through it are
// tst_przewod's, against the simulator).
#include "platform/port.h"
#include "pty.h"

#include <QSignalSpy>
#include <QTest>

class TestPortQt final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void opensAt4800Baud8N1_discardDropsWaitingInput()
    {
        Pty pty;
        auto port = utworzPortQt();
        QVERIFY2(port->otworz(pty.sciezka), qPrintable(port->opisBledu()));
        QVERIFY(port->otwarty());
        // A pseudo-terminal ignores the speed, but keeps what it was given.
        const termios t = pty.ustawienia();
        QCOMPARE(cfgetospeed(&t), speed_t(B4800));
        QCOMPARE(cfgetispeed(&t), speed_t(B4800));
        QCOMPARE(t.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS), tcflag_t(CS8));

        QSignalSpy gotowe(port.get(), &PortSzeregowy::daneGotowe);
        QVERIFY(pty.wyslij(QByteArray::fromHex("aabbcc")));
        QVERIFY(QTest::qWaitFor([&] { return port->ileCzeka() == 3; }, 3000));
        QVERIFY(!gotowe.isEmpty());
        port->wyczyscWejscie();
        QCOMPARE(port->ileCzeka(), 0);
        QCOMPARE(port->czytajBajt(), -1);
    }

    void missingDeviceFailsWithADescription()
    {
        auto port = utworzPortQt();
        QVERIFY(!port->otworz(QStringLiteral("/dev/tolvek-no-such-tty")));
        QVERIFY(!port->opisBledu().isEmpty());
        QVERIFY(!port->zapisz(QByteArray("x")));
        QCOMPARE(port->czytajBajt(), -1);
    }

    void hangUpClosesThePortOnceAndReportsIt()
    {
        Pty pty;
        auto port = utworzPortQt();
        QVERIFY(port->otworz(pty.sciezka));
        QSignalSpy awarie(port.get(), &PortSzeregowy::awaria);
        pty.rozlacz();
        QVERIFY(QTest::qWaitFor([&] { return !awarie.isEmpty(); }, 3000));
        QVERIFY(!port->otwarty());
        // No storm of errors afterwards.
        QTest::qWait(300);
        QCOMPARE(awarie.size(), 1);
        QVERIFY(!awarie.at(0).at(0).toString().isEmpty());
        QVERIFY(!port->zapisz(QByteArray("x")));
    }
};

QTEST_GUILESS_MAIN(TestPortQt)
#include "tst_portqt.moc"
