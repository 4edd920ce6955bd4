// The QSerialPort line on a pseudo-terminal: bytes both ways, discarding
// input, and a hang-up of the other end.
#include "platform/port.h"

#include <QSignalSpy>
#include <QTest>

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace
{

// The controller's end of the line: the master side of a pseudo-terminal.
class Pty final
{
public:
    Pty()
    {
        char nazwa[128] = {};
        if (openpty(&m_master, &m_slave, nazwa, nullptr, nullptr) != 0)
            return;
        sciezka = QString::fromLocal8Bit(nazwa);
        // Raw bytes both ways: no echo, no line editing, no CR/LF mapping.
        termios t{};
        tcgetattr(m_slave, &t);
        cfmakeraw(&t);
        tcsetattr(m_slave, TCSANOW, &t);
        fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
    }
    ~Pty()
    {
        zamknij(m_master);
        zamknij(m_slave);
    }
    Pty(const Pty &) = delete;
    Pty &operator=(const Pty &) = delete;

    // Our own handle on the slave keeps the device alive; dropping it and
    // then the master really hangs the line up.
    void rozlacz()
    {
        zamknij(m_slave);
        zamknij(m_master);
    }
    void wyslij(const QByteArray &b) { QVERIFY(::write(m_master, b.constData(), b.size()) == b.size()); }
    QByteArray odbierz()
    {
        char bufor[256];
        const auto n = ::read(m_master, bufor, sizeof bufor);
        return n > 0 ? QByteArray(bufor, n) : QByteArray();
    }

    QString sciezka;

private:
    static void zamknij(int &fd)
    {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
    int m_master = -1;
    int m_slave = -1;
};

} // namespace

class TestPortQt final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void bytesTravelBothWaysAndDiscardDropsWaitingInput()
    {
        Pty pty;
        auto port = utworzPortQt();
        QVERIFY2(port->otworz(pty.sciezka), qPrintable(port->opisBledu()));
        QVERIFY(port->otwarty());

        pty.wyslij(QByteArray::fromHex("aabbcc"));
        QVERIFY(QTest::qWaitFor([&] { return port->ileCzeka() == 3; }, 3000));
        port->wyczyscWejscie();
        QCOMPARE(port->ileCzeka(), 0);

        QSignalSpy gotowe(port.get(), &PortSzeregowy::daneGotowe);
        pty.wyslij(QByteArray::fromHex("02020a"));
        QVERIFY(QTest::qWaitFor([&] { return port->ileCzeka() == 3; }, 3000));
        QVERIFY(!gotowe.isEmpty());
        QCOMPARE(port->czytajBajt(), 0x02);
        QCOMPARE(port->czytajBajt(), 0x02);
        QCOMPARE(port->czytajBajt(), 0x0A);
        QCOMPARE(port->czytajBajt(), -1);

        QVERIFY(port->zapisz(QByteArray::fromHex("02054f06")));
        QByteArray odebrane;
        QVERIFY(QTest::qWaitFor([&] { return (odebrane += pty.odbierz()).size() >= 4; }, 3000));
        QCOMPARE(odebrane, QByteArray::fromHex("02054f06"));
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
