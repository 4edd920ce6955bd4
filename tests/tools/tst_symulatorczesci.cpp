// The simulator's pure parts: the frame parser, the wire's pair rule, the
// faults' effect on answers, and the controller with its plant, decoded the
// way the station decodes them.

#include "dekodowanie.h"
#include "opcje.h"
#include "ramki.h"
#include "regulator.h"
#include "usterki.h"

#include <QDateTime>
#include <QTest>

using namespace sim;

namespace
{

QByteArray h(const char *s)
{
    return QByteArray::fromHex(s);
}

qint64 o10(int dzien = 10)
{
    return QDateTime(QDate(2026, 3, dzien), QTime(10, 0)).toMSecsSinceEpoch();
}

QByteArray blok(RegulatorSym &r, qint64 ms)
{
    Ramka f;
    f.adres = quint8(r.adres());
    f.lokacja = 0x4F;
    f.kod = 0x06;
    const auto odp = r.obsluz(f, ms);
    return odp ? odp->mid(1) : QByteArray();
}

quint8 czytaj(RegulatorSym &r, quint8 lokacja, qint64 ms)
{
    Ramka f;
    f.lokacja = lokacja;
    f.kod = lokacja == 0x2F || (lokacja >= 0x70 && lokacja <= 0x78) ? 0x05 : 0x04;
    const auto odp = r.obsluz(f, ms);
    return odp && odp->size() == 1 ? quint8(odp->at(0)) : 0;
}

void zapisz(RegulatorSym &r, quint8 lokacja, quint8 w, qint64 ms)
{
    Ramka f;
    f.lokacja = lokacja;
    f.kod = lokacja == 0x90 || lokacja == 0xA0 ? 0x01 : 0x03;
    f.parametr = w;
    QVERIFY(!r.obsluz(f, ms));
}

} // namespace

class TestCzesciSymulatora final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void parser_cutsFramesAndSetsRubbishAside_data();
    void parser_cutsFramesAndSetsRubbishAside();
    void parser_frameSplitOverChunks_completesWithTimeOfItsLastByte();
    void usterki_shapeTheAnswer();
    void pierwsze_answersKFramesThenGoesDeaf();

    void blok_decodesToPlausibleValues_data();
    void blok_decodesToPlausibleValues();
    void liczniki_growByARealisticEnergyPerMinute();
    void stopnie_switchedOnLowerReactivePowerAndCounterGrowth();
    void przekompensowanie_countsCapacitiveEnergyDownwards();
    void wymuszenia_showInTheStationsDecoding_data();
    void wymuszenia_showInTheStationsDecoding();
    void odliczanie_startsAtTheWrittenSecondsAndRunsDown();
    void zapisy_areReadBackAndLampsFollowSwitching();
    void regulacja_switchesOnlyAnUnblockedController();

    void opcje_parse_data();
    void opcje_parse();
};

void TestCzesciSymulatora::parser_cutsFramesAndSetsRubbishAside_data()
{
    QTest::addColumn<QByteArray>("wejscie");
    QTest::addColumn<QList<QByteArray>>("ramki");
    QTest::addColumn<QByteArray>("smieci");
    QTest::addColumn<QByteArray>("reszta");
    QTest::newRow("read") << h("02014f06") << QList<QByteArray>{h("02014f06")} << QByteArray() << QByteArray();
    QTest::newRow("write with parameter")
        << h("02019001fe") << QList<QByteArray>{h("02019001fe")} << QByteArray() << QByteArray();
    QTest::newRow("block set and read back in one write")
        << h("02012f032002012f05") << QList<QByteArray>{h("02012f0320"), h("02012f05")} << QByteArray() << QByteArray();
    QTest::newRow("noise before a frame")
        << h("ff0502019004") << QList<QByteArray>{h("02019004")} << h("ff05") << QByteArray();
    QTest::newRow("torn frame then a whole one")
        << h("020102019004") << QList<QByteArray>{h("02019004")} << h("0201") << QByteArray();
    QTest::newRow("unknown operation") << h("0201900902019004") << QList<QByteArray>{h("02019004")} << h("02019009")
                                       << QByteArray();
    QTest::newRow("location the operation has not")
        << h("02014f0402019004") << QList<QByteArray>{h("02019004")} << h("02014f04") << QByteArray();
    QTest::newRow("address 2") << h("02029004") << QList<QByteArray>{h("02029004")} << QByteArray() << QByteArray();
    QTest::newRow("write waits for its parameter")
        << h("02019001") << QList<QByteArray>{} << QByteArray() << h("02019001");
}

void TestCzesciSymulatora::parser_cutsFramesAndSetsRubbishAside()
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

void TestCzesciSymulatora::parser_frameSplitOverChunks_completesWithTimeOfItsLastByte()
{
    ParserRamek p;
    QVERIFY(p.dodaj(h("0201"), 100, 10).ramki.empty());
    QVERIFY(p.niepelna());
    const auto w = p.dodaj(h("a00402019004"), 1000, 10);
    QCOMPARE(w.ramki.size(), std::size_t(2));
    QCOMPARE(w.ramki[0].lokacja, quint8(0xA0));
    QCOMPARE(w.ramki[0].czasNs, qint64(1000 - 4 * 10)); // its last byte came four bytes before the chunk's end
    QCOMPARE(w.ramki[1].czasNs, qint64(1000));
    QVERIFY(!p.niepelna());
}

void TestCzesciSymulatora::usterki_shapeTheAnswer()
{
    QRandomGenerator los(1);
    Usterki u;
    u.gubi = true;
    QCOMPARE(u.naLinie(QByteArray(33, 'x'), los).size(), 32);
    QVERIFY(u.naLinie(h("41"), los).isEmpty());
    // The lost value is a value, not half of a 02 02 pair.
    QCOMPARE(u.naLinie(h("020202"), los).toHex(), h("02020202").toHex());
    Usterki s;
    s.smieci = true;
    QVERIFY(s.naLinie(h("41"), los).size() >= 1);
}

void TestCzesciSymulatora::pierwsze_answersKFramesThenGoesDeaf()
{
    Usterki u;
    u.pierwsze = 2;
    QVERIFY(!u.gluchy());
    QVERIFY(u.wezOdpowiedz());
    QVERIFY(u.wezOdpowiedz());
    QVERIFY(u.gluchy());
    QVERIFY(!u.wezOdpowiedz());
}

void TestCzesciSymulatora::blok_decodesToPlausibleValues_data()
{
    QTest::addColumn<int>("klasa");
    QTest::addColumn<double>("skala");
    QTest::addColumn<int>("przNap");
    QTest::addColumn<double>("przekladnia");
    QTest::newRow("380 V, ratio 40") << 380 << 1.0 << 1 << 40.0;
    QTest::newRow("380 V, ratio 80") << 380 << 1.0 << 1 << 80.0;
    QTest::newRow("500 V") << 500 << 1.25 << 1 << 40.0;
    QTest::newRow("100 V class behind a 15 kV transformer") << 100 << 0.25 << 150 << 10.0;
}

void TestCzesciSymulatora::blok_decodesToPlausibleValues()
{
    QFETCH(int, klasa);
    QFETCH(double, skala);
    QFETCH(int, przNap);
    QFETCH(double, przekladnia);
    ParametryRegulatora p;
    p.adres = 3;
    p.napieciePomiar = klasa;
    p.przekladniaNap = przNap;
    p.przekladnia = przekladnia;
    const qint64 t = o10();
    RegulatorSym r(p, t);
    const QByteArray b = blok(r, t);
    QCOMPARE(b.size(), 32);
    const OdczytBloku o = dekoduj(b, przekladnia, skala, przNap);
    const double nominalne = 400.0 * skala * przNap;
    QVERIFY2(o.napiecie > 0.95 * nominalne && o.napiecie < 1.05 * nominalne, qPrintable(QString::number(o.napiecie)));
    QCOMPARE(o.okres, 50.0);
    QVERIFY(o.calkSurowy < 2147483648LL);
    // Ten o'clock on the 10th: nine days and ten hours of the month.
    QVERIFY(qAbs(o.timerU - (9 * 86400 + 10 * 3600)) <= 1);
    // 50..200 kW at 10 o'clock on a working day.
    const double kva = std::sqrt(3.0) * o.napiecie * o.pradCalk / 1000.0;
    QVERIFY2(kva > 50 && kva < 300, qPrintable(QString::number(kva)));
    QVERIFY(std::abs(o.pradBierny) < o.pradCalk);
    QVERIFY2(o.tgFi > 0.05 && o.tgFi < 1.0, qPrintable(QString::number(o.tgFi)));
    QVERIFY(o.pradBiernPojSr <= 0);
    // Month so far, a little over nine days of 50..200 kW.
    QVERIFY2(o.pradCalkSr > 9 * 24 * 50 && o.pradCalkSr < 10 * 24 * 250, qPrintable(QString::number(o.pradCalkSr)));
    // The display shows cos fi as d.ddd: 0.xyz.
    QCOMPARE(o.cyfry[0], 0);
    QVERIFY(o.cyfry[1] >= 7);
}

void TestCzesciSymulatora::liczniki_growByARealisticEnergyPerMinute()
{
    ParametryRegulatora p;
    const qint64 t = o10();
    RegulatorSym r(p, t);
    const OdczytBloku a = dekoduj(blok(r, t));
    const OdczytBloku b = dekoduj(blok(r, t + 60'000));
    const double kvahNaMinute = b.pradCalkSr - a.pradCalkSr;
    // 50..200 kW for a minute: 0.8..3.4 kWh, plus the reactive part.
    QVERIFY2(kvahNaMinute > 0.8 && kvahNaMinute < 4.5, qPrintable(QString::number(kvahNaMinute)));
    QVERIFY(b.pradBiernSr > a.pradBiernSr);
    QCOMPARE(b.timerU - a.timerU, qint64(60));
}

void TestCzesciSymulatora::stopnie_switchedOnLowerReactivePowerAndCounterGrowth()
{
    ParametryRegulatora p;
    const qint64 t = o10();
    RegulatorSym wyl(p, t), zal(p, t);
    zapisz(wyl, 0x90, 0xFF, t);
    zapisz(wyl, 0xA0, 0xFF, t);
    zapisz(zal, 0x90, 0x00, t);
    zapisz(zal, 0xA0, 0x7F, t);
    const OdczytBloku w0 = dekoduj(blok(wyl, t)), z0 = dekoduj(blok(zal, t));
    QVERIFY(z0.pradBierny < w0.pradBierny);
    QVERIFY(z0.pradCalk < w0.pradCalk);
    const OdczytBloku w1 = dekoduj(blok(wyl, t + 600'000)), z1 = dekoduj(blok(zal, t + 600'000));
    const double tgWyl = (w1.pradBiernSr - w0.pradBiernSr) / (w1.pradCalkSr - w0.pradCalkSr);
    const double tgZal = (z1.pradBiernSr - z0.pradBiernSr) / (z1.pradCalkSr - z0.pradCalkSr);
    QVERIFY2(tgZal < tgWyl, qPrintable(QStringLiteral("%1 %2").arg(tgZal).arg(tgWyl)));
}

void TestCzesciSymulatora::przekompensowanie_countsCapacitiveEnergyDownwards()
{
    ParametryRegulatora p;
    p.stopnieKvar = {100, 100, 100, 100, 100, 100, 100, 100, 100};
    const qint64 t = o10();
    RegulatorSym r(p, t);
    zapisz(r, 0x90, 0x00, t);
    const OdczytBloku a = dekoduj(blok(r, t));
    const OdczytBloku b = dekoduj(blok(r, t + 60'000));
    QVERIFY(a.pradBierny < 0);
    QVERIFY(a.faza < 0);
    QVERIFY(b.pradBiernPojSr < a.pradBiernPojSr);
    QVERIFY(b.pradBiernSr > a.pradBiernSr); // the total reactive counter takes both kinds
}

void TestCzesciSymulatora::wymuszenia_showInTheStationsDecoding_data()
{
    QTest::addColumn<QString>("co");
    QTest::addColumn<double>("wartosc");
    QTest::newRow("tg fi 1.5") << "tgfi" << 1.5;
    QTest::newRow("tg fi 0.2") << "tgfi" << 0.2;
    QTest::newRow("tg fi -0.3") << "tgfi" << -0.3;
    QTest::newRow("reactive current 125.2 A") << "prad" << 125.2;
    QTest::newRow("voltage 460 V") << "napiecie" << 460.0;
}

void TestCzesciSymulatora::wymuszenia_showInTheStationsDecoding()
{
    QFETCH(QString, co);
    QFETCH(double, wartosc);
    ParametryRegulatora p;
    const qint64 t = o10();
    RegulatorSym r(p, t);
    if (co == QLatin1String("tgfi"))
        r.wymuszenia().tgFi = wartosc;
    else if (co == QLatin1String("prad"))
        r.wymuszenia().pradBierny = wartosc;
    else
        r.wymuszenia().napiecie = wartosc;
    const OdczytBloku o = dekoduj(blok(r, t));
    if (co == QLatin1String("tgfi"))
        QVERIFY2(qAbs(o.tgFi - wartosc) < 0.001, qPrintable(QString::number(o.tgFi)));
    else if (co == QLatin1String("prad"))
        QVERIFY2(qAbs(o.pradBierny - wartosc) <= 0.2, qPrintable(QString::number(o.pradBierny)));
    else
        QVERIFY2(qAbs(o.napiecie - wartosc) <= 1, qPrintable(QString::number(o.napiecie)));
    QVERIFY(o.pradCalk >= std::abs(o.pradBierny));
}

void TestCzesciSymulatora::odliczanie_startsAtTheWrittenSecondsAndRunsDown()
{
    ParametryRegulatora p;
    const qint64 t = o10();
    RegulatorSym r(p, t);
    QCOMPARE(czytaj(r, 0x73, t), quint8(0));
    zapisz(r, 0x73, 0x3C, t);
    QCOMPARE(czytaj(r, 0x73, t), quint8(60));
    QCOMPARE(czytaj(r, 0x73, t + 30'000), quint8(30));
    QCOMPARE(czytaj(r, 0x73, t + 59'500), quint8(1));
    QCOMPARE(czytaj(r, 0x73, t + 60'000), quint8(0));
    QCOMPARE(czytaj(r, 0x74, t), quint8(0));
}

void TestCzesciSymulatora::zapisy_areReadBackAndLampsFollowSwitching()
{
    ParametryRegulatora p;
    const qint64 t = o10();
    RegulatorSym r(p, t);
    QCOMPARE(czytaj(r, 0x90, t), quint8(0xF0));
    QCOMPARE(czytaj(r, 0x2F, t), quint8(0x41));
    QCOMPARE(czytaj(r, 0xB0, t), quint8(0xFF));
    zapisz(r, 0x90, 0xB0, t); // 0xF0 -> 0xB0: stage 7 goes on
    QCOMPARE(czytaj(r, 0x90, t), quint8(0xB0));
    QCOMPARE(czytaj(r, 0xB0, t + 500), quint8(0x7F)); // switching-on lamp lit
    QCOMPARE(czytaj(r, 0xB0, t + 2500), quint8(0xFF));
    zapisz(r, 0xA0, 0x0F, t + 3000); // stage 9 on, the rest of the byte as written
    QVERIFY(r.zalaczony(8));
    zapisz(r, 0x90, 0xB1, t + 6000);                   // stage 1 off
    QCOMPARE(czytaj(r, 0xB0, t + 6500), quint8(0xBF)); // switching-off lamp lit
    zapisz(r, 0x2F, 0x61, t);
    QCOMPARE(czytaj(r, 0x2F, t), quint8(0x61));
    QVERIFY(r.zablokowany());
    zapisz(r, 0x6A, 0x09, t);
    QCOMPARE(quint8(blok(r, t).at(26)), quint8(0x09)); // B26 shows the switch byte
}

void TestCzesciSymulatora::regulacja_switchesOnlyAnUnblockedController()
{
    ParametryRegulatora p;
    const qint64 t = o10();
    RegulatorSym wolny(p, t), zablokowany(p, t);
    for (RegulatorSym *r : {&wolny, &zablokowany})
        zapisz(*r, 0x90, 0xFF, t);
    zapisz(zablokowany, 0x2F, 0x61, t);
    for (qint64 s = 1; s <= 20; ++s) {
        wolny.tik(t + s * 1000, true);
        zablokowany.tik(t + s * 1000, true);
    }
    QCOMPARE(czytaj(wolny, 0x90, t + 20'000), quint8(0xFE));
    QCOMPARE(czytaj(zablokowany, 0x90, t + 20'000), quint8(0xFF));
}

void TestCzesciSymulatora::opcje_parse_data()
{
    QTest::addColumn<QStringList>("argumenty");
    QTest::addColumn<QString>("blad");
    QTest::addColumn<QString>("plikUstawien");
    QTest::addColumn<QString>("plikLogu");
    QTest::addColumn<int>("com");
    const QString brak;
    QTest::newRow("addresses") << QStringList{"--adresy", "1,2,0x10"} << brak << brak << brak << 1;
    QTest::newRow("settings without a file, then com")
        << QStringList{"--adresy", "1", "--ustawienia", "--com", "3"} << brak << brak << brak << 3;
    QTest::newRow("settings with a file")
        << QStringList{"--adresy=1", "--ustawienia", "/tmp/u.conf", "--log"} << brak << "/tmp/u.conf" << brak << 1;
    QTest::newRow("log with a file") << QStringList{"--log", "/tmp/l.txt", "--baza", "x.mdb"} << brak << brak
                                     << "/tmp/l.txt" << 1;
    QTest::newRow("no controllers") << QStringList{"--log"} << "podaj --adresy albo --baza" << brak << brak << 1;
    QTest::newRow("address out of range")
        << QStringList{"--adresy", "1,256"} << "zły adres '256' (0..255)" << brak << brak << 1;
    QTest::newRow("unknown option") << QStringList{"--adresy", "1", "--szybko"} << "nieznana opcja '--szybko'" << brak
                                    << brak << 1;
    QTest::newRow("value missing") << QStringList{"--adresy", "1", "--opoznienie"}
                                   << "opcja --opoznienie wymaga wartości" << brak << brak << 1;
}

void TestCzesciSymulatora::opcje_parse()
{
    QFETCH(QStringList, argumenty);
    QFETCH(QString, blad);
    QFETCH(QString, plikUstawien);
    QFETCH(QString, plikLogu);
    QFETCH(int, com);
    Opcje o;
    QCOMPARE(czytajOpcje(argumenty, &o), blad);
    if (!blad.isEmpty())
        return;
    QCOMPARE(o.plikUstawien, plikUstawien);
    QCOMPARE(o.plikLogu, plikLogu);
    QCOMPARE(o.com, com);
}

QTEST_GUILESS_MAIN(TestCzesciSymulatora)
#include "tst_symulatorczesci.moc"
