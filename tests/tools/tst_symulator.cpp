// The simulator's own parts: the frame parser, the faults' effect on the
// bytes of an answer, and the binary serving an existing serial device (a
// pseudo-terminal's slave stands in for /dev/ttyUSB0). Its answers on its
// own pseudo-terminal are tst_przewod's and the whole station's tst_stacja's.

#include "protokol/protokol.h"
#include "pty.h"
#include "ramki.h"
#include "symulatorproces.h"
#include "usterki.h"

#include <QTest>

using namespace sim;

namespace
{
QByteArray h(const char *s)
{
    return QByteArray::fromHex(s);
}
} // namespace

class TestSymulatora final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void parser_cutsFramesAndSetsRubbishAside_data()
    {
        QTest::addColumn<QByteArray>("wejscie");
        QTest::addColumn<QList<QByteArray>>("ramki");
        QTest::addColumn<QByteArray>("smieci");
        QTest::addColumn<QByteArray>("reszta");
        const QByteArray nic;
        QTest::newRow("set and read back in one write")
            << h("02012f032002012f05") << QList<QByteArray>{h("02012f0320"), h("02012f05")} << nic << nic;
        QTest::newRow("noise before a frame")
            << h("ff0502019004") << QList<QByteArray>{h("02019004")} << h("ff05") << nic;
        QTest::newRow("torn frame, then a whole one")
            << h("020102019004") << QList<QByteArray>{h("02019004")} << h("0201") << nic;
        QTest::newRow("unknown operation")
            << h("0201900902019004") << QList<QByteArray>{h("02019004")} << h("02019009") << nic;
        QTest::newRow("location the operation has not")
            << h("02014f0402019004") << QList<QByteArray>{h("02019004")} << h("02014f04") << nic;
        QTest::newRow("write waits for its parameter") << h("02019001") << QList<QByteArray>{} << nic << h("02019001");
    }
    void parser_cutsFramesAndSetsRubbishAside()
    {
        QFETCH(QByteArray, wejscie);
        QFETCH(QList<QByteArray>, ramki);
        QFETCH(QByteArray, smieci);
        QFETCH(QByteArray, reszta);
        ParserRamek p;
        const auto w = p.dodaj(wejscie, 1000, 0);
        QList<QByteArray> jest;
        for (const Ramka &r : w.ramki)
            jest << r.bajty();
        QCOMPARE(jest, ramki);
        QCOMPARE(w.odrzucone.toHex(), smieci.toHex());
        QCOMPARE(p.porzuc().toHex(), reszta.toHex());
    }

    void lostValue_isAValueNotHalfAPair()
    {
        QRandomGenerator los(1);
        Usterki u;
        u.gubi = true;
        QCOMPARE(u.naLinie(QByteArray(33, 'x'), los).size(), 32);
        QVERIFY(u.naLinie(h("41"), los).isEmpty());
        QCOMPARE(u.naLinie(h("020202"), los).toHex(), h("02020202").toHex());
    }

    void servesAnExistingSerialDevice()
    {
        Pty pty;
        SymulatorProces sym;
        QVERIFY(
            sym.start({QStringLiteral("--adresy"), QStringLiteral("2"), QStringLiteral("--urzadzenie"), pty.sciezka}));
        QCOMPARE(sym.port, pty.sciezka);
        const termios t = pty.ustawienia();
        QCOMPARE(cfgetospeed(&t), speed_t(B4800));
        // The measurement answer: 33 values, the first (the address 2) as a pair.
        QVERIFY(pty.wyslij(h("02024f06")));
        QList<int> wartosci;
        protokol::CzytnikPar para;
        QVERIFY(QTest::qWaitFor(
            [&] {
                for (const char b : pty.odbierz())
                    if (const auto w = para.przyjmij(static_cast<std::uint8_t>(b)))
                        wartosci << *w;
                return wartosci.size() >= 33;
            },
            30000));
        QCOMPARE(wartosci.size(), 33);
        QCOMPARE(wartosci.first(), 2);
    }
};

QTEST_GUILESS_MAIN(TestSymulatora)
#include "tst_symulator.moc"
