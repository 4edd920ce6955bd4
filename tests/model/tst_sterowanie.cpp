// The operations that act on a controller, through the in-memory line:
// blocking, stage switching with its discharge guard and journal, and the
// manual switch setting.

#include "sterownik.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

namespace {

QStringList teksty(const QSignalSpy &spy)
{
    QStringList t;
    for (const auto &a : spy)
        if (a.at(0).toInt() == 1)
            t << a.at(1).toString();
    return t;
}

} // namespace

class TestSterowanie final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void blokuj_changesOnlyBit5AndTakesTheReadBack_data();
    void blokuj_changesOnlyBit5AndTakesTheReadBack();
    void blokuj_readFails_nothingWrittenStateKeptEndReported();

    void kondensator_switchOnStage3_clearsItsBitAndJournals();
    void kondensator_switchOffStage9_startsCountdownThenSetsBit7();
    void kondensator_switchOnStage9_keepsBits4to6AndSetsBits0to3();
    void kondensator_stillDischarging_refusedWithMessageNothingSwitched();
    void kondensator_alreadyInRequestedState_onlyTheTwoReads();
    void kondensator_journalFails_operationStillEndsNormally();
    void kondensator_indexOutsideStages_refusedWithoutTraffic();

    void ustawRegulator_sendsSwitchByteReadsStateAndClearsFlags();
    void ustawRegulator_withoutPanel_sendsZero();
};

void TestSterowanie::blokuj_changesOnlyBit5AndTakesTheReadBack_data()
{
    QTest::addColumn<int>("czytany");
    QTest::addColumn<bool>("blokada");
    QTest::addColumn<QString>("zapis");
    QTest::addColumn<bool>("zablokowany");
    QTest::addColumn<QString>("tekst");
    QTest::addColumn<QString>("dzwiek");
    QTest::newRow("block 0x41") << 0x41 << true << QStringLiteral("02052f0361") << true
                                << QStringLiteral("Blokuję regulator 'K5' ...") << QStringLiteral("zablokregul.wav");
    QTest::newRow("unblock 0x61") << 0x61 << false << QStringLiteral("02052f0341") << false
                                  << QStringLiteral("Odblokowuję regulator 'K5' ...")
                                  << QStringLiteral("odblokregul.wav");
    QTest::newRow("block an already blocked 0x20") << 0x20 << true << QStringLiteral("02052f0320") << true
                                                   << QStringLiteral("Blokuję regulator 'K5' ...")
                                                   << QStringLiteral("zablokregul.wav");
}

void TestSterowanie::blokuj_changesOnlyBit5AndTakesTheReadBack()
{
    QFETCH(int, czytany);
    QFETCH(bool, blokada);
    QFETCH(QString, zapis);
    QFETCH(bool, zablokowany);
    QFETCH(QString, tekst);
    QFETCH(QString, dzwiek);
    StanowiskoLinii s;
    s.sterownik.pamiec[0x2F] = czytany;
    s.r.Zablokowany = !zablokowany;
    QSignalSpy panele(&s.k.oWizual, &clsWizual::panelTekst);

    const Wynik<bool> w = uruchom(s.r.BlokujRegul(blokada));
    QVERIFY2(w.wyjatek.isEmpty(), qPrintable(w.wyjatek));
    QCOMPARE(w.wartosc, false);
    QCOMPARE(s.ramki(), (QStringList{QStringLiteral("02052f05"), zapis, QStringLiteral("02052f05")}));
    QCOMPARE(s.r.Zablokowany, zablokowany);
    QCOMPARE(teksty(panele), (QStringList{tekst, QString()}));
    QCOMPARE(s.t.dzwiek->zagrane, QStringList{dzwiek});
}

void TestSterowanie::blokuj_readFails_nothingWrittenStateKeptEndReported()
{
    StanowiskoLinii s;
    s.port->ustawOdmoweZapisu(true); // the read frame cannot even go out
    s.r.Zablokowany = true;
    QSignalSpy panele(&s.k.oWizual, &clsWizual::panelTekst);
    uruchom(s.r.BlokujRegul(false));
    QVERIFY(s.port->zapisane.isEmpty());
    QCOMPARE(s.r.Zablokowany, true);
    QCOMPARE(teksty(panele).last(), QString());
    QCOMPARE(s.t.dzwiek->zagrane, QStringList{QStringLiteral("zablokregul.wav")});
}

void TestSterowanie::kondensator_switchOnStage3_clearsItsBitAndJournals()
{
    StanowiskoLinii s;
    s.sterownik.pamiec[0x90] = 0xFF;
    s.k.oApp.Loaded_Dane = true;
    QSignalSpy panele(&s.k.oWizual, &clsWizual::panelTekst);
    QSignalSpy dane(&s.k.oWizual, &clsWizual::odswiezDane);

    const Wynik<bool> w = uruchom(s.r.UstawKondensator(2, true));
    QVERIFY2(w.wyjatek.isEmpty(), qPrintable(w.wyjatek));
    QVERIFY(w.wartosc);
    QCOMPARE(s.ramki(), (QStringList{QStringLiteral("02059004"), QStringLiteral("0205a004"),
                                     QStringLiteral("02057205"), QStringLiteral("02059001fb"),
                                     QStringLiteral("02059004"), QStringLiteral("0205a004")}));
    QCOMPARE(s.r.stan().StanDiod1, std::uint8_t(0xFB)); // read back after the switching
    QVERIFY(s.r.SprawdzStanDiody(2));
    QCOMPARE(dane.size(), 1);
    QCOMPARE(teksty(panele),
             (QStringList{QStringLiteral("Załączam stopień regulatora 'K5' ..."), QString()}));
    const auto log = s.wiersze(QStringLiteral("Select Operacja, Status, Typ, Kod_Regul from Log"));
    QCOMPARE(log.size(), 1);
    QCOMPARE(log[0][0].toString(), QStringLiteral("Załączono stopień nr  3"));
    QCOMPARE(log[0][1].toString(), QStringLiteral("N"));
    QCOMPARE(log[0][2].toString(), QStringLiteral("S"));
    QCOMPARE(log[0][3].toString(), QStringLiteral("K5"));
}

void TestSterowanie::kondensator_switchOffStage9_startsCountdownThenSetsBit7()
{
    StanowiskoLinii s;
    s.sterownik.pamiec[0xA0] = 0x0F;
    QSignalSpy panele(&s.k.oWizual, &clsWizual::panelTekst);
    QVERIFY(uruchom(s.r.UstawKondensator(8, false)).wartosc);
    QCOMPARE(s.ramki().mid(2, 2), (QStringList{QStringLiteral("020578033c"), QStringLiteral("0205a0018f")}));
    QCOMPARE(s.sterownik.pamiec[0x78], 0x3C);
    QCOMPARE(s.r.stan().StanDiod2, std::uint8_t(0x8F));
    QCOMPARE(teksty(panele).first(), QStringLiteral("Wyłączam stopień regulatora 'K5' ..."));
    QCOMPARE(s.wiersze(QStringLiteral("Select Operacja from Log")).at(0).at(0).toString(),
             QStringLiteral("Wyłączono stopień nr  9"));
}

void TestSterowanie::kondensator_switchOnStage9_keepsBits4to6AndSetsBits0to3()
{
    StanowiskoLinii s;
    s.sterownik.pamiec[0xA0] = 0xF0;
    QVERIFY(uruchom(s.r.UstawKondensator(8, true)).wartosc);
    QCOMPARE(s.ramki().mid(2, 2), (QStringList{QStringLiteral("02057805"), QStringLiteral("0205a0017f")}));
}

void TestSterowanie::kondensator_stillDischarging_refusedWithMessageNothingSwitched()
{
    StanowiskoLinii s;
    s.sterownik.pamiec[0x90] = 0xFF;
    s.sterownik.pamiec[0x74] = 45;
    QSignalSpy panele(&s.k.oWizual, &clsWizual::panelTekst);
    const Wynik<bool> w = uruchom(s.r.UstawKondensator(4, true));
    QCOMPARE(w.wartosc, false);
    QCOMPARE(s.ramki(), (QStringList{QStringLiteral("02059004"), QStringLiteral("0205a004"),
                                     QStringLiteral("02057405")}));
    QCOMPARE(s.t.komunikaty->pokazane.size(), 1);
    const auto &m = s.t.komunikaty->pokazane.first();
    QCOMPARE(m.tekst, QStringLiteral("Nie można załączyć kondensatora nr 5.\rNie upłynął jeszcze czas jego "
                                     "rozładowania.\rPozostało  45 sekund."));
    QCOMPARE(m.tytul, QStringLiteral("Tolvek"));
    QCOMPARE(m.ikona, Ikona::Krytyczna);
    QCOMPARE(teksty(panele).last(), QString());
    QVERIFY(s.wiersze(QStringLiteral("Select Operacja from Log")).isEmpty());
}

void TestSterowanie::kondensator_alreadyInRequestedState_onlyTheTwoReads()
{
    StanowiskoLinii s; // 0x90 reads 0xFB: stage 3 is on
    s.k.oApp.Loaded_Dane = true;
    QSignalSpy dane(&s.k.oWizual, &clsWizual::odswiezDane);
    QVERIFY(uruchom(s.r.UstawKondensator(2, true)).wartosc);
    QCOMPARE(s.ramki(), (QStringList{QStringLiteral("02059004"), QStringLiteral("0205a004")}));
    QCOMPARE(dane.size(), 1);
    QVERIFY(s.wiersze(QStringLiteral("Select Operacja from Log")).isEmpty());
}

void TestSterowanie::kondensator_journalFails_operationStillEndsNormally()
{
    StanowiskoLinii s;
    s.baza.wykonaj(QStringLiteral("DROP TABLE Log"));
    QSignalSpy panele(&s.k.oWizual, &clsWizual::panelTekst);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Log row not written")));
    const Wynik<bool> w = uruchom(s.r.UstawKondensator(0, true)); // stage 1 is off: bit 0 of 0xFB
    QVERIFY2(w.wyjatek.isEmpty(), qPrintable(w.wyjatek));
    QVERIFY(w.wartosc);
    QCOMPARE(s.sterownik.pamiec[0x90], 0xFA); // the stage was switched
    QCOMPARE(s.t.komunikaty->pokazane.size(), 1);
    QVERIFY(s.t.komunikaty->pokazane.first().tekst.startsWith(QStringLiteral("Błąd zapisu do dziennika nr ")));
    QCOMPARE(teksty(panele).last(), QString());
}

void TestSterowanie::kondensator_indexOutsideStages_refusedWithoutTraffic()
{
    StanowiskoLinii s;
    QSignalSpy panele(&s.k.oWizual, &clsWizual::panelTekst);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("no stage")));
    QCOMPARE(uruchom(s.r.UstawKondensator(9, true)).wartosc, false);
    QVERIFY(s.port->zapisane.isEmpty());
    QCOMPARE(teksty(panele), (QStringList{QStringLiteral("Załączam stopień regulatora 'K5' ..."), QString()}));
}

void TestSterowanie::ustawRegulator_sendsSwitchByteReadsStateAndClearsFlags()
{
    StanowiskoLinii s;
    int wyczyszczone = 0;
    s.k.bajtPrzelacznikow = [] { return 0x09; }; // switches 4 and 7 up
    s.k.wyczyscZmienionePrzelaczniki = [&wyczyszczone] { ++wyczyszczone; };
    const Wynik<int> w = uruchom(s.r.UstawRegulator());
    QCOMPARE(w.wartosc, -1);
    QCOMPARE(s.ramki().first(), QStringLiteral("02056a0309"));
    QCOMPARE(s.ramki().size(), 5); // then the state is read at once
    QCOMPARE(s.r.Napiecie, 230.0f);
    QCOMPARE(wyczyszczone, 1);
    QCOMPARE(s.sterownik.pamiec[0x6A], 0x09);
}

void TestSterowanie::ustawRegulator_withoutPanel_sendsZero()
{
    StanowiskoLinii s;
    s.port->ustawOdmoweZapisu(true);
    const Wynik<int> w = uruchom(s.r.UstawRegulator());
    QCOMPARE(w.wartosc, 0);
    QVERIFY(s.port->zapisane.isEmpty()); // refused, so nothing is read either
    s.port->ustawOdmoweZapisu(false);
    QCOMPARE(uruchom(s.r.UstawRegulator()).wartosc, -1);
    QCOMPARE(s.ramki().first(), QStringLiteral("02056a0300"));
}

QTEST_GUILESS_MAIN(TestSterowanie)
#include "tst_sterowanie.moc"
