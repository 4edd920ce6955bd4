// The bus as bytes, against hex vectors: the frames of every command, the
// pair rule of the answers and the layout of the measurement block.
#include "protokol/protokol.h"

#include <QTest>

using namespace protokol;

Q_DECLARE_METATYPE(protokol::BlokPomiarow)

namespace
{
QByteArray h(const char *hex)
{
    return QByteArray::fromHex(hex);
}
} // namespace

class TestProtokol final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void framesOfEveryCommand_data()
    {
        QTest::addColumn<QString>("rozkaz"); // any letter case
        QTest::addColumn<int>("parametr");
        QTest::addColumn<QByteArray>("ramki"); // frames separated by '|'
        QTest::newRow("DAJ_DANE") << "daj_dane" << 0 << QByteArray("02054f06");
        QTest::newRow("CZYTAJ sends nothing") << "czytaj" << 0 << QByteArray();
        QTest::newRow("CZYTAJ32 sends nothing") << "CZYTAJ32" << 0 << QByteArray();
        QTest::newRow("CZYTAJ_DIODY") << "Czytaj_Diody" << 0 << QByteArray("02059004|0205a004|0205b004");
        QTest::newRow("USTAW_SR") << "USTAW_SR" << 0x5A << QByteArray("02056a035a");
        QTest::newRow("parameter 2 goes out single") << "USTAW_SR" << 0x02 << QByteArray("02056a0302");
        QTest::newRow("TESTUJ") << "TESTUJ" << 0 << QByteArray("0205b004");
        QTest::newRow("CZYTAJ_KOND1") << "CZYTAJ_KOND1" << 0 << QByteArray("02059004");
        QTest::newRow("CZYTAJ_KOND2") << "czytaj_kond2" << 0 << QByteArray("0205a004");
        QTest::newRow("USTAW_KOND stage 1") << "USTAW_KOND" << 0 << QByteArray("020570033c");
        QTest::newRow("USTAW_KOND stage 4") << "USTAW_KOND" << 3 << QByteArray("020573033c");
        QTest::newRow("BADAJ_KOND stage 9") << "BADAJ_KOND" << 8 << QByteArray("02057805");
        QTest::newRow("WLACZ_KOND") << "WLACZ_KOND" << 0xFE << QByteArray("02059001fe");
        QTest::newRow("WLACZ_KOND2") << "WLACZ_KOND2" << 0x7F << QByteArray("0205a0017f");
        QTest::newRow("CZYTAJ_BLOK") << "CZYTAJ_BLOK" << 0 << QByteArray("02052f05");
        QTest::newRow("USTAW_BLOK writes, then reads back")
            << "ustaw_blok" << 0x20 << QByteArray("02052f0320|02052f05");
    }
    void framesOfEveryCommand()
    {
        QFETCH(QString, rozkaz);
        QFETCH(int, parametr);
        QFETCH(QByteArray, ramki);
        const OpisRozkazu *opis = znajdzRozkaz(rozkaz.toUpper());
        QVERIFY(opis);
        QList<QByteArray> oczekiwane;
        for (const QByteArray &r : ramki.split('|'))
            if (!r.isEmpty())
                oczekiwane.append(QByteArray::fromHex(r));
        QCOMPARE(ramkiRozkazu(*opis, 0x05, parametr), oczekiwane);
        for (const QByteArray &r : std::as_const(oczekiwane))
            QCOMPARE(r.size(), dlugoscRamki(r.at(3))); // the simulator cuts the stream by this
    }

    void framesNeverCarryATruncatedByte()
    {
        QVERIFY(!znajdzRozkaz(QStringLiteral("Czytaj_Diody"))); // names are compared upper case
        const OpisRozkazu &kond = *znajdzRozkaz(QStringLiteral("USTAW_KOND"));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, ramkiRozkazu(kond, 300, 0));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, ramkiRozkazu(kond, -1, 0));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, ramkiRozkazu(kond, 5, 0x90)); // location 0x100
    }

    void pairRule_valueTwoTravelsAsTwoBytes()
    {
        QCOMPARE(naLinie(h("01020203ff")), h("0102020202 03ff"));
        // Whatever follows a 0x02 goes with it; the pair reads as 2.
        QList<int> wartosci;
        CzytnikPar para;
        for (const char b : h("01020241 020003"))
            if (const std::optional<int> w = para.przyjmij(static_cast<std::uint8_t>(b)))
                wartosci << *w;
        QCOMPARE(wartosci, (QList<int>{1, 2, 0x41, 2, 3}));
    }

    void block_data()
    {
        QTest::addColumn<QByteArray>("bajty");
        QTest::addColumn<BlokPomiarow>("blok");
        BlokPomiarow zwykly;
        zwykly.licznikCalkowity = 10000000;
        zwykly.licznikBierny = 6000000;
        zwykly.licznikCzasu = 900;
        zwykly.napiecie = 230;
        zwykly.pradBierny = 500;
        zwykly.pradCalkowity = 1000;
        zwykly.okres = 2303;
        zwykly.przelacznik1 = 0x02;
        zwykly.przelacznik2 = 0x11;
        zwykly.wyswietlacz = {0x21, 0x31, 0x41, 0x51};
        QTest::newRow("a reading") << h("00989680 00000000 005B8D80 000384 00E6 01F4 03E8 0000 08FF 02 11 21314151 00")
                                   << zwykly;
        // The total counter is unsigned; the others fold their sign.
        BlokPomiarow skrajny;
        skrajny.licznikCalkowity = 4294967295LL;
        skrajny.licznikPojemnosciowy = -2147483647 - 1;
        skrajny.licznikBierny = -2;
        skrajny.licznikCzasu = 16777215;
        skrajny.napiecie = -32768;
        skrajny.pradBierny = -1;
        skrajny.pradCalkowity = 32767;
        skrajny.faza = 300;
        skrajny.okres = -1;
        skrajny.przelacznik1 = 0xFF;
        skrajny.b31 = 0x7E;
        QTest::newRow("the extremes")
            << h("FFFFFFFF 80000000 FFFFFFFE FFFFFF 8000 FFFF 7FFF 012C FFFF FF 00 00000000 7E") << skrajny;
    }
    void block()
    {
        QFETCH(QByteArray, bajty);
        QFETCH(BlokPomiarow, blok);
        QCOMPARE(bajty.size(), dlugoscBloku);
        QVERIFY(dekodujBlok(bajty) == blok);
        QCOMPARE(zakodujBlok(blok), bajty);
        DaneRozkazu dane; // as CZYTAJ32 leaves them
        for (int i = 0; i < dlugoscBloku; ++i)
            dane.bajty[static_cast<std::size_t>(i)] = static_cast<quint8>(bajty.at(i));
        QVERIFY(dekodujBlok(dane) == blok);
    }
};

QTEST_GUILESS_MAIN(TestProtokol)
#include "tst_protokol.moc"
