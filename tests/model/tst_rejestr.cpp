// The pure parts of the controller model: the registry, the state-byte
// tests, the reading grid and the decoding of a measurement block.

#include "model/colregulatory.h"

#include <QTest>

#include <stdexcept>

namespace {

DataCzas dc(int r, int m, int d, int h, int min, int s = 0, int ms = 0)
{
    return DataCzas::z(QDate(r, m, d), QTime(h, min, s, ms));
}

// A block with the given bytes placed at their offsets, zeros elsewhere.
void ustawBajty(clRegulator &r, int od, std::initializer_list<int> bajty)
{
    int i = od;
    for (int b : bajty)
        r.blok.bajty[static_cast<std::size_t>(i++)] = b;
}

// Current transformer 200/5 (ratio 40), 400 V class, no voltage transformer.
void konfiguruj(clRegulator &r)
{
    r.Przekladnia = 40;
    r.SkalaNapiecia = 1.0f;
    r.PrzekladniaNap = 1;
}

} // namespace

Q_DECLARE_METATYPE(DataCzas)

class TestRejestr final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void registry_ofThree_enumeratesInLoadOrderAndFindsByPositionAndKey();
    void registry_emptyKey_reachableByPositionOnly();
    void registry_duplicateKey_isRefusedAndNothingAdded();
    void registry_missingPositionOrKey_throwsOrGivesNull();
    void registry_remove_shiftsLaterKeys();
    void newRecord_startsZeroedAndUnselected();

    void kodBlokady_bit5_data();
    void kodBlokady_bit5();
    void sprawdzStanDiody_zeroBitMeansOn_data();
    void sprawdzStanDiody_zeroBitMeansOn();

    void nastepnyOdczyt_firstGridPointNotEarlierThanNow_data();
    void nastepnyOdczyt_firstGridPointNotEarlierThanNow();

    void dekoduj_periodCount_data();
    void dekoduj_periodCount();
    void dekoduj_timerIs24BitUnsigned();
    void dekoduj_voltageAndCurrents_scaledByTransformers();
    void dekoduj_counters_productInDoubleRoundedOnceToSingle();
    void dekoduj_totalCounterAbove2pow31_keepsTrueValue();
    void dekoduj_reactiveNotBelowTotal_isDisturbedAndActiveIsReactive();
    void dekoduj_regularCounters_activeFromPythagorasAndTgFi();
    void dekoduj_zeroCounters_tgFiIsGuarded();
    void dekoduj_unknownVoltageClass_givesZeroVoltageAndCounters();
    void dekoduj_panelBytes_copiedIntoState();
};

void TestRejestr::registry_ofThree_enumeratesInLoadOrderAndFindsByPositionAndKey()
{
    colRegulatory rej;
    rej.Add(5, QStringLiteral("R1"), QStringLiteral("R1")).Id = 1;
    rej.Add(7, QStringLiteral("R2"), QStringLiteral("R2")).Id = 2;
    rej.Add(3, QStringLiteral("R3"), QStringLiteral("R3")).Id = 3;

    QCOMPARE(rej.Count(), 3);
    QStringList kolejnosc;
    for (const auto &r : rej)
        kolejnosc << r->Kod;
    QCOMPARE(kolejnosc, (QStringList{QStringLiteral("R1"), QStringLiteral("R2"), QStringLiteral("R3")}));
    QCOMPARE(rej.Item(2).Id, 2);
    QCOMPARE(rej.Item(2).adres, 7);
    QCOMPARE(&rej.Item(QStringLiteral("R2")), &rej.Item(2));
    QCOMPARE(rej.znajdz(QStringLiteral("R3")), &rej.Item(3));
}

void TestRejestr::registry_emptyKey_reachableByPositionOnly()
{
    colRegulatory rej;
    rej.Add(1, QStringLiteral("A"), QStringLiteral("A"));
    clRegulator &bez = rej.Add(2, QString(), QString());
    QCOMPARE(rej.Count(), 2);
    QCOMPARE(&rej.Item(2), &bez);
    QVERIFY(rej.znajdz(QString()) == nullptr);
}

void TestRejestr::registry_duplicateKey_isRefusedAndNothingAdded()
{
    colRegulatory rej;
    rej.Add(1, QStringLiteral("A"), QStringLiteral("A"));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, rej.Add(2, QStringLiteral("A"), QStringLiteral("A")));
    QCOMPARE(rej.Count(), 1);
    QCOMPARE(rej.Item(QStringLiteral("A")).adres, 1);
}

void TestRejestr::registry_missingPositionOrKey_throwsOrGivesNull()
{
    colRegulatory rej;
    rej.Add(1, QStringLiteral("A"), QStringLiteral("A"));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, rej.Item(0));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, rej.Item(2));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, rej.Item(QStringLiteral("B")));
    QVERIFY(rej.znajdz(2) == nullptr);
    QVERIFY(rej.znajdz(-1) == nullptr);
    QVERIFY(rej.znajdz(QStringLiteral("a")) == nullptr); // keys are case-sensitive
}

void TestRejestr::registry_remove_shiftsLaterKeys()
{
    colRegulatory rej;
    rej.Add(1, QStringLiteral("A"), QStringLiteral("A"));
    rej.Add(2, QStringLiteral("B"), QStringLiteral("B"));
    rej.Add(3, QStringLiteral("C"), QStringLiteral("C"));
    rej.Remove(1);
    QCOMPARE(rej.Count(), 2);
    QVERIFY(rej.znajdz(QStringLiteral("A")) == nullptr);
    QCOMPARE(rej.Item(QStringLiteral("C")).adres, 3);
    QCOMPARE(&rej.Item(QStringLiteral("C")), &rej.Item(2));
    // The removed key is free again.
    rej.Add(9, QStringLiteral("A"), QStringLiteral("A"));
    QCOMPARE(&rej.Item(QStringLiteral("A")), &rej.Item(3));
}

void TestRejestr::newRecord_startsZeroedAndUnselected()
{
    colRegulatory rej;
    const clRegulator &r = rej.Add(4, QStringLiteral("K"), QStringLiteral("K"));
    QCOMPARE(r.Monitoring, false);
    QCOMPARE(r.NrAktBaterii, 0);
    QVERIFY(r.OstatniOdczyt.nigdy());
    QVERIFY(r.NastepnyOdczyt.nigdy());
    QCOMPARE(r.AktywneAlarmy, 0);
    const clsStan &s = r.stan();
    const std::uint8_t bajty[] = {s.StanPrzel1,   s.StanPrzel2,   s.StanDisplay1, s.StanDisplay2, s.StanDisplay3,
                                  s.StanDisplay4, s.StanDiod1,    s.StanDiod2,    s.StanDiod3};
    for (std::uint8_t b : bajty)
        QCOMPARE(b, std::uint8_t(0));
}

void TestRejestr::kodBlokady_bit5_data()
{
    QTest::addColumn<int>("kod");
    QTest::addColumn<bool>("zablokowany");
    QTest::newRow("0x20") << 0x20 << true;
    QTest::newRow("0xFF") << 0xFF << true;
    QTest::newRow("0xDF") << 0xDF << false;
    QTest::newRow("0x41") << 0x41 << false;
    QTest::newRow("0x61") << 0x61 << true;
}

void TestRejestr::kodBlokady_bit5()
{
    QFETCH(int, kod);
    QFETCH(bool, zablokowany);
    QCOMPARE(clRegulator::KodBlokady(kod), zablokowany);
}

void TestRejestr::sprawdzStanDiody_zeroBitMeansOn_data()
{
    QTest::addColumn<int>("diod1");
    QTest::addColumn<int>("diod2");
    QTest::addColumn<int>("nrDiody");
    QTest::addColumn<bool>("wlaczony");
    QTest::newRow("0xFB stage 3 on") << 0xFB << 0xFF << 2 << true;
    QTest::newRow("0xFB stage 1 off") << 0xFB << 0xFF << 0 << false;
    QTest::newRow("0x7F stage 8 on") << 0x7F << 0xFF << 7 << true;
    QTest::newRow("stage 9 on from bit 7 of StanDiod2") << 0xFF << 0x7F << 8 << true;
    QTest::newRow("stage 9 off, StanDiod1 ignored") << 0x00 << 0x80 << 8 << false;
    QTest::newRow("index 9 is no stage") << 0x00 << 0x00 << 9 << false;
    QTest::newRow("negative index is no stage") << 0x00 << 0x00 << -1 << false;
}

void TestRejestr::sprawdzStanDiody_zeroBitMeansOn()
{
    QFETCH(int, diod1);
    QFETCH(int, diod2);
    QFETCH(int, nrDiody);
    QFETCH(bool, wlaczony);
    clRegulator r;
    r.stan().StanDiod1 = static_cast<std::uint8_t>(diod1);
    r.stan().StanDiod2 = static_cast<std::uint8_t>(diod2);
    QCOMPARE(r.SprawdzStanDiody(nrDiody), wlaczony);
}

void TestRejestr::nastepnyOdczyt_firstGridPointNotEarlierThanNow_data()
{
    QTest::addColumn<DataCzas>("N");
    QTest::addColumn<DataCzas>("teraz");
    QTest::addColumn<int>("F");
    QTest::addColumn<DataCzas>("oczekiwany");

    const DataCzas dziesiata = dc(2026, 12, 5, 10, 0);
    QTest::newRow("50 ms after a point: the next point")
        << dziesiata << dc(2026, 12, 5, 10, 0, 0, 50) << 15 << dc(2026, 12, 5, 10, 15);
    QTest::newRow("late: missed points skipped")
        << dziesiata << dc(2026, 12, 5, 10, 37) << 15 << dc(2026, 12, 5, 10, 45);
    QTest::newRow("exactly on a point: that point again")
        << dziesiata << dc(2026, 12, 5, 10, 30) << 15 << dc(2026, 12, 5, 10, 30);
    QTest::newRow("never read, F=15: quarter hours")
        << DataCzas() << dc(2026, 12, 5, 10, 7, 12) << 15 << dc(2026, 12, 5, 10, 15);
    QTest::newRow("never read, F=15, now on a quarter")
        << DataCzas() << dc(2026, 12, 5, 10, 15) << 15 << dc(2026, 12, 5, 10, 15);
    QTest::newRow("never read, F=1: the next whole minute")
        << DataCzas() << dc(2026, 12, 5, 10, 7, 12) << 1 << dc(2026, 12, 5, 10, 8);
    QTest::newRow("F=1, 59.9 s later") << dziesiata << dc(2026, 12, 5, 10, 0, 59, 900) << 1
                                       << dc(2026, 12, 5, 10, 1);
    QTest::newRow("never read, F=60, just before midnight")
        << DataCzas() << dc(2026, 12, 5, 23, 59, 59) << 60 << dc(2026, 12, 6, 0, 0);
    // 7 does not divide a day: the grid runs on from 1899-12-30 00:00.
    QTest::newRow("never read, F=7: grid anchored in 1899")
        << DataCzas() << dc(2026, 12, 5, 10, 7, 12) << 7 << dc(2026, 12, 5, 10, 9);
    QTest::newRow("F=0 treated as one minute") << dziesiata << dc(2026, 12, 5, 10, 0, 30) << 0
                                               << dc(2026, 12, 5, 10, 1);
    QTest::newRow("negative F treated as one minute")
        << dziesiata << dc(2026, 12, 5, 10, 2, 30) << -5 << dc(2026, 12, 5, 10, 3);
}

void TestRejestr::nastepnyOdczyt_firstGridPointNotEarlierThanNow()
{
    QFETCH(DataCzas, N);
    QFETCH(DataCzas, teraz);
    QFETCH(int, F);
    QFETCH(DataCzas, oczekiwany);
    const DataCzas wynik = clRegulator::nastepnyOdczyt(N, teraz, F);
    QCOMPARE(wynik.tekstBazy(), oczekiwany.tekstBazy());
    QCOMPARE(wynik.ms(), oczekiwany.ms());
}

void TestRejestr::dekoduj_periodCount_data()
{
    QTest::addColumn<int>("b23");
    QTest::addColumn<int>("b24");
    QTest::addColumn<int>("P");
    QTest::addColumn<float>("okres");
    QTest::addColumn<bool>("zaklocenia");
    // Counters 5 (total) and 3 (reactive) so that step 5 stays quiet.
    QTest::newRow("00 00: P=1, disturbed") << 0x00 << 0x00 << 1 << 115200.0f << true;
    QTest::newRow("08 FF: 50 Hz") << 0x08 << 0xFF << 2304 << 50.0f << false;
    QTest::newRow("FF FF: P=0 keeps Okres") << 0xFF << 0xFF << 0 << 49.5f << false;
    QTest::newRow("7F FF: P=32768 without overflow") << 0x7F << 0xFF << 32768 << 3.515625f << false;
    QTest::newRow("80 00: negative count") << 0x80 << 0x00 << -32767 << static_cast<float>(115200.0 / -32767)
                                           << false;
}

void TestRejestr::dekoduj_periodCount()
{
    QFETCH(int, b23);
    QFETCH(int, b24);
    QFETCH(int, P);
    QFETCH(float, okres);
    QFETCH(bool, zaklocenia);
    clRegulator r;
    konfiguruj(r);
    r.Okres = 49.5f;
    ustawBajty(r, 0, {0, 0, 0, 5});
    ustawBajty(r, 8, {0, 0, 0, 3});
    ustawBajty(r, 23, {b23, b24});
    r.dekodujBlok();
    QCOMPARE(r.P, P);
    QCOMPARE(r.Okres, okres);
    QCOMPARE(r.ZakloceniaHarm, zaklocenia);
}

void TestRejestr::dekoduj_timerIs24BitUnsigned()
{
    clRegulator r;
    konfiguruj(r);
    ustawBajty(r, 12, {0x01, 0x00, 0x00});
    r.dekodujBlok();
    QCOMPARE(r.TimerU, 65536);
    ustawBajty(r, 12, {0xFF, 0xFF, 0xFF});
    r.dekodujBlok();
    QCOMPARE(r.TimerU, 16777215);
}

void TestRejestr::dekoduj_voltageAndCurrents_scaledByTransformers()
{
    clRegulator r;
    r.Przekladnia = 40;       // KI = 0.2
    r.SkalaNapiecia = 1.25f;  // 500 V class
    r.PrzekladniaNap = 2;
    ustawBajty(r, 15, {0x01, 0x2C});           // 300
    ustawBajty(r, 17, {0x03, 0xE8, 0xFF, 0xFE}); // 1000, -2
    ustawBajty(r, 21, {0x12, 0x34});
    r.dekodujBlok();
    QCOMPARE(r.Napiecie, 750.0f);
    QCOMPARE(r.PradBierny, 200.0f);
    QCOMPARE(r.PradCalk, -0.4f);
    QCOMPARE(r.Faza, 4660.0f); // unscaled
}

void TestRejestr::dekoduj_counters_productInDoubleRoundedOnceToSingle()
{
    clRegulator r;
    konfiguruj(r);
    // 123456789 x KE: 9503.708 when formed in double, 9503.709 if the
    // factors were rounded to single first.
    ustawBajty(r, 0, {0x07, 0x5B, 0xCD, 0x15});
    ustawBajty(r, 4, {0xF8, 0xA4, 0x32, 0xEB}); // -123456789
    ustawBajty(r, 8, {0x07, 0x5B, 0xCD, 0x15});
    r.dekodujBlok();
    QCOMPARE(r.PradCalkSr, 9503.7080078125f);
    QCOMPARE(r.PradBiernPojSr, -9503.7080078125f);
    QCOMPARE(r.PradBiernSr, 9503.7080078125f);
}

void TestRejestr::dekoduj_totalCounterAbove2pow31_keepsTrueValue()
{
    clRegulator r;
    konfiguruj(r);
    ustawBajty(r, 0, {0x80, 0x00, 0x00, 0x00});
    r.dekodujBlok();
    QCOMPARE(r.PradCalkSr, 165313.375f);
    ustawBajty(r, 0, {0xFF, 0xFF, 0xFF, 0xFF});
    r.dekodujBlok();
    QCOMPARE(r.PradCalkSr, 330626.75f);
}

void TestRejestr::dekoduj_reactiveNotBelowTotal_isDisturbedAndActiveIsReactive()
{
    clRegulator r;
    konfiguruj(r);
    ustawBajty(r, 0, {0, 0, 0, 3});
    ustawBajty(r, 8, {0xFF, 0xFF, 0xFF, 0xFB}); // -5
    ustawBajty(r, 23, {0x08, 0xFF});
    r.dekodujBlok();
    QCOMPARE(r.PradCzynny, -r.PradBiernSr);
    QVERIFY(r.PradCzynny > 0);
    QCOMPARE(r.ZakloceniaHarm, true);
    QCOMPARE(r.TgFi, -1.0f);
}

void TestRejestr::dekoduj_regularCounters_activeFromPythagorasAndTgFi()
{
    clRegulator r;
    konfiguruj(r);
    ustawBajty(r, 0, {0, 0x98, 0x96, 0x80}); // 10 000 000
    ustawBajty(r, 8, {0, 0x5B, 0x8D, 0x80}); // 6 000 000
    ustawBajty(r, 23, {0x08, 0xFF});
    r.dekodujBlok();
    QCOMPARE(r.ZakloceniaHarm, false);
    QVERIFY(qFuzzyCompare(r.PradCzynny, static_cast<float>(8000000 * 7.698003589195011e-05)));
    QVERIFY(qFuzzyCompare(r.TgFi, 0.75f));
}

void TestRejestr::dekoduj_zeroCounters_tgFiIsGuarded()
{
    clRegulator r;
    konfiguruj(r);
    ustawBajty(r, 23, {0x08, 0xFF});
    r.dekodujBlok();
    QCOMPARE(r.PradCzynny, 0.0f);
    QCOMPARE(r.TgFi, 9.999f);
    QCOMPARE(r.ZakloceniaHarm, true); // a reactive counter not below the total one
}

void TestRejestr::dekoduj_unknownVoltageClass_givesZeroVoltageAndCounters()
{
    clRegulator r;
    konfiguruj(r);
    r.SkalaNapiecia = 0; // 230 V: not a recognised class
    ustawBajty(r, 0, {0, 0x98, 0x96, 0x80});
    ustawBajty(r, 8, {0, 0x5B, 0x8D, 0x80});
    ustawBajty(r, 15, {0x01, 0x2C});
    ustawBajty(r, 17, {0x03, 0xE8});
    r.dekodujBlok();
    QCOMPARE(r.Napiecie, 0.0f);
    QCOMPARE(r.PradCalkSr, 0.0f);
    QCOMPARE(r.PradBiernSr, 0.0f);
    QCOMPARE(r.TgFi, 9.999f);
    QCOMPARE(r.PradBierny, 200.0f); // currents do not depend on the class
}

void TestRejestr::dekoduj_panelBytes_copiedIntoState()
{
    clRegulator r;
    konfiguruj(r);
    ustawBajty(r, 25, {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77});
    r.stan().StanDiod1 = 0xAB;
    r.dekodujBlok();
    const clsStan &s = r.stan();
    QCOMPARE(s.StanPrzel1, std::uint8_t(0x11));
    QCOMPARE(s.StanPrzel2, std::uint8_t(0x22));
    QCOMPARE(s.StanDisplay1, std::uint8_t(0x33));
    QCOMPARE(s.StanDisplay2, std::uint8_t(0x44));
    QCOMPARE(s.StanDisplay3, std::uint8_t(0x55));
    QCOMPARE(s.StanDisplay4, std::uint8_t(0x66));
    QCOMPARE(s.StanDiod1, std::uint8_t(0xAB)); // LED bytes come from their own answer
}

QTEST_GUILESS_MAIN(TestRejestr)
#include "tst_rejestr.moc"
