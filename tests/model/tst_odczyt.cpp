// The reading of a controller through the in-memory line, the alarm
// detection that follows it, and the scheduled reading with its storing.

#include "sterownik.h"

#include <QSignalSpy>
#include <QTest>

namespace {

DataCzas dc(int h, int min, int s = 0) { return DataCzas::z(QDate(2026, 12, 5), QTime(h, min, s)); }

// The texts panel 1 was given, in order.
QStringList teksty(const QSignalSpy &spy)
{
    QStringList t;
    for (const auto &a : spy)
        if (a.at(0).toInt() == 1)
            t << a.at(1).toString();
    return t;
}

} // namespace

class TestOdczyt final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void wczytaj_answeringController_decodesBlockAndLedsAndAnnounces();
    void wczytaj_writesRefused_isACommunicationFailureAndNothingStaleIsDecoded();
    void okresowy_due_readsStoresAdvancesAndReportsActivity();
    void okresowy_neverRead_readsTheBlockingByteFirstWithoutSound();
    void okresowy_notDue_sendsNothing();
    void okresowy_operationThrows_activityEndIsStillReported();

    void progi_strictComparisonsAndComments_data();
    void progi_strictComparisonsAndComments();
    void progi_unsetLowerTgFi_onlyTheUpperOneAlarms();
    void alarm_repeatedCondition_oneRowOneJournalRowCountGrows();
    void alarm_conditionEnds_rowBecomesInactive();
    void sprawdzAlarm_endsOnlyThisControllersRowOfThisCode();
    void sprawdzAlarm_neverAlarmedController_leavesTheListAlone();
    void dodajAlarm_countStopsAt32767();

    // These wait for real time-outs of a silent line (about 12 s a reading).
    void silentController_alarm100TwicePerTickOneRow_thenClearedWhenItAnswers();
    void brokenBlock_noDecodingAndTheLastGoodBlockKept();
};

void TestOdczyt::wczytaj_answeringController_decodesBlockAndLedsAndAnnounces()
{
    StanowiskoLinii s;
    s.k.oApp.Loaded_Dane = true;
    QSignalSpy dane(&s.k.oWizual, &clsWizual::odswiezDane);
    s.r.ZakloceniaHarm = true;

    const Wynik<bool> w = uruchom(s.r.WczytajStanRegul(s.k.teraz()));
    QVERIFY2(w.wyjatek.isEmpty(), qPrintable(w.wyjatek));
    QVERIFY(w.wartosc);
    QCOMPARE(s.ramki(), (QStringList{QStringLiteral("02059004"), QStringLiteral("0205a004"),
                                     QStringLiteral("0205b004"), QStringLiteral("02054f06")}));
    const clRegulator &r = s.r;
    QCOMPARE(r.stan().StanDiod1, std::uint8_t(0xFB));
    QCOMPARE(r.stan().StanDiod2, std::uint8_t(0x7F));
    QCOMPARE(r.stan().StanDiod3, std::uint8_t(0x33));
    QCOMPARE(r.stan().StanPrzel1, std::uint8_t(0x02));
    QCOMPARE(r.stan().StanDisplay4, std::uint8_t(0x51));
    QCOMPARE(r.czytaj.wartosc, 0x55);
    QCOMPARE(r.Napiecie, 230.0f);
    QCOMPARE(r.PradBierny, 100.0f);
    QCOMPARE(r.PradCalk, 200.0f);
    QCOMPARE(r.Okres, 50.0f);
    QCOMPARE(r.TimerU, 900);
    QVERIFY(qFuzzyCompare(r.TgFi, 0.75f));
    QCOMPARE(r.ZakloceniaHarm, false);
    QCOMPARE(s.k.alarmy.Count(), 0);
    QCOMPARE(dane.size(), 1);
    QCOMPARE(dane.first().at(0).toInt(), 1);
    // A reading on request is never stored.
    QVERIFY(s.wiersze(QStringLiteral("Select Adres from Pomiary")).isEmpty());
}

void TestOdczyt::wczytaj_writesRefused_isACommunicationFailureAndNothingStaleIsDecoded()
{
    StanowiskoLinii s;
    QVERIFY(uruchom(s.r.WczytajStanRegul(s.k.teraz())).wartosc);
    s.r.DodajAlarm(s.k.teraz(), 100, QString()); // an earlier failure
    s.r.Napiecie = 0;

    s.port->ustawOdmoweZapisu(true);
    const Wynik<bool> w = uruchom(s.r.WczytajStanRegul(s.k.teraz()));
    // A line that refuses frames must not turn the last block into a new
    // reading: no decoding, a failed reading, the alarm kept.
    QVERIFY(!w.wartosc);
    QCOMPARE(s.r.Napiecie, 0.0f);
    QCOMPARE(s.r.AktywneAlarmy, 3); // Czytaj_Diody and daj_dane failed
    QCOMPARE(s.k.alarmy.Count(), 1);
    QVERIFY(s.k.alarmy.wiersz(1).aktywny());
}

void TestOdczyt::okresowy_due_readsStoresAdvancesAndReportsActivity()
{
    StanowiskoLinii s;
    QSignalSpy panele(&s.k.oWizual, &clsWizual::panelTekst);
    s.t.zegarTestowy->ustaw(dc(10, 7, 12));
    s.r.OstatniOdczyt = dc(9, 45);
    s.r.NastepnyOdczyt = dc(10, 0);
    const DataCzas teraz = s.k.teraz();

    const Wynik<bool> w = uruchom(s.r.OkresowyOdczyt(teraz));
    QVERIFY2(w.wyjatek.isEmpty(), qPrintable(w.wyjatek));
    QCOMPARE(w.wartosc, false); // callers ignore it
    QCOMPARE(s.r.OstatniOdczyt, teraz);
    QCOMPARE(s.r.NastepnyOdczyt.tekstBazy(), dc(10, 15).tekstBazy());
    QCOMPARE(teksty(panele),
             (QStringList{QStringLiteral("Oczytuję okresowe dane z regulatora 'K5' ..."), QString()}));

    const auto pomiary = s.wiersze(QStringLiteral("Select Adres, Data, Napiecie from Pomiary"));
    QCOMPARE(pomiary.size(), 1);
    QCOMPARE(pomiary[0][1].toString(), QStringLiteral("2026-12-05 10:07:12"));
    QCOMPARE(pomiary[0][2].toFloat(), 230.0f);
    QCOMPARE(s.wiersze(QStringLiteral("Select PopTimerU from OstPomiar where Adres = 5")).at(0).at(0).toInt(), 900);
}

void TestOdczyt::okresowy_neverRead_readsTheBlockingByteFirstWithoutSound()
{
    StanowiskoLinii s;
    s.sterownik.pamiec[0x2F] = 0x61;
    s.r.NastepnyOdczyt = s.k.teraz().plusMinuty(5); // not yet due
    QSignalSpy menu(&s.k.oWizual, &clsWizual::menuPodpis);

    uruchom(s.r.OkresowyOdczyt(s.k.teraz()));
    QCOMPARE(s.ramki(), QStringList{QStringLiteral("02052f05")});
    QCOMPARE(s.r.Zablokowany, true);
    QCOMPARE(menu.size(), 1);
    QCOMPARE(menu.first().at(1).toString(), QStringLiteral("&Odblokuj regulator"));
    QVERIFY(s.t.dzwiek->zagrane.isEmpty());
    QVERIFY(s.r.OstatniOdczyt.nigdy());
}

void TestOdczyt::okresowy_notDue_sendsNothing()
{
    StanowiskoLinii s;
    s.r.OstatniOdczyt = s.k.teraz().plusMinuty(-10);
    s.r.NastepnyOdczyt = s.k.teraz().plusMs(1);
    QSignalSpy panele(&s.k.oWizual, &clsWizual::panelTekst);
    uruchom(s.r.OkresowyOdczyt(s.k.teraz()));
    QVERIFY(s.port->zapisane.isEmpty());
    QVERIFY(panele.isEmpty());
}

void TestOdczyt::okresowy_operationThrows_activityEndIsStillReported()
{
    StanowiskoLinii s;
    s.r.OstatniOdczyt = s.k.teraz().plusMinuty(-10);
    s.r.Id = 7; // a number the line cannot resolve: the command throws
    QSignalSpy panele(&s.k.oWizual, &clsWizual::panelTekst);
    const Wynik<bool> w = uruchom(s.r.OkresowyOdczyt(s.k.teraz()));
    QVERIFY(!w.wyjatek.isEmpty());
    const QStringList t = teksty(panele);
    QCOMPARE(t.size(), 2);
    QVERIFY(t.first().startsWith(QStringLiteral("Oczytuję okresowe dane z regulatora '")));
    QCOMPARE(t.last(), QString());
}

void TestOdczyt::progi_strictComparisonsAndComments_data()
{
    QTest::addColumn<float>("prad");
    QTest::addColumn<float>("napiecie");
    QTest::addColumn<float>("tgFi");
    QTest::addColumn<QStringList>("tresci");
    QTest::newRow("all equal to their thresholds") << 100.0f << 400.0f << 0.4f << QStringList();
    QTest::newRow("current above") << 100.5f << 400.0f << 0.4f
                                   << QStringList{QStringLiteral("Przekroczona wartość prądu ( 100.5 A)")};
    QTest::newRow("voltage above") << 10.0f << 440.5f << 0.0f
                                   << QStringList{QStringLiteral("Przekroczona wartość napięcia ( 440.5 V)")};
    QTest::newRow("tg fi above") << 10.0f << 230.0f << 0.45f
                                 << QStringList{QStringLiteral("Przekroczona wartość tg fi (0.4500000)")};
    QTest::newRow("tg fi below") << 10.0f << 230.0f << -0.3f
                                 << QStringList{QStringLiteral("Przekroczona wartość tg fi (-0.3000000)")};
    QTest::newRow("tg fi guarded 9.999") << 10.0f << 230.0f << 9.999f
                                         << QStringList{QStringLiteral("Przekroczona wartość tg fi (9.9989996)")};
    QTest::newRow("all three, in order") << 125.3f << 401.0f << 1.0f
                                         << QStringList{QStringLiteral("Przekroczona wartość prądu ( 125.3 A)"),
                                                        QStringLiteral("Przekroczona wartość napięcia ( 401 V)"),
                                                        QStringLiteral("Przekroczona wartość tg fi (1.0000000)")};
}

void TestOdczyt::progi_strictComparisonsAndComments()
{
    QFETCH(float, prad);
    QFETCH(float, napiecie);
    QFETCH(float, tgFi);
    QFETCH(QStringList, tresci);
    StanowiskoLinii s;
    s.r.ProgPrad = 100;
    s.r.ProgNapiecie = 400;
    s.r.ProgTgFiMin = -0.25f;
    s.r.ProgTgFiMax = 0.4f;
    s.r.PradBierny = prad;
    s.r.Napiecie = napiecie;
    s.r.TgFi = tgFi;
    s.r.sprawdzProgi();
    QStringList t;
    for (int i = 1; i <= s.k.alarmy.Count(); ++i)
        t << s.k.alarmy.wiersz(i).tresc;
    QCOMPARE(t, tresci);
    QCOMPARE(s.r.AktywneAlarmy, tresci.size());
    if (!tresci.isEmpty())
        QCOMPARE(s.k.alarmy.wiersz(1).czas, s.k.teraz());
}

void TestOdczyt::progi_unsetLowerTgFi_onlyTheUpperOneAlarms()
{
    StanowiskoLinii s; // thresholds as loaded when not configured
    s.r.ProgTgFiMax = 0.4f;
    for (float tg : {-500.0f, -1.0f, 0.0f, 0.4f}) {
        s.r.TgFi = tg;
        s.r.sprawdzProgi();
    }
    QCOMPARE(s.k.alarmy.Count(), 0);
    s.r.TgFi = 0.41f;
    s.r.sprawdzProgi();
    QCOMPARE(s.k.alarmy.Count(), 1);
    QCOMPARE(s.k.alarmy.wiersz(1).kodAlarmu, QStringLiteral(" 203"));
}

void TestOdczyt::alarm_repeatedCondition_oneRowOneJournalRowCountGrows()
{
    StanowiskoLinii s;
    s.r.ProgPrad = 100;
    s.r.PradBierny = 130;
    for (int i = 0; i < 5; ++i)
        s.r.sprawdzProgi();
    QCOMPARE(s.k.alarmy.Count(), 1);
    QCOMPARE(s.r.AktywneAlarmy, 5);
    QCOMPARE(s.wiersze(QStringLiteral("Select Tresc, Kod_Regul from Alarmy")).size(), 1);
}

void TestOdczyt::alarm_conditionEnds_rowBecomesInactive()
{
    StanowiskoLinii s;
    s.r.ProgPrad = 100;
    s.r.PradBierny = 130;
    s.r.sprawdzProgi();
    s.r.PradBierny = 90;
    s.r.sprawdzProgi();
    QCOMPARE(s.k.alarmy.Count(), 1);
    QCOMPARE(s.k.alarmy.wiersz(1).stan, QStringLiteral("N"));
    // A returning condition is a new alarm.
    s.r.PradBierny = 130;
    s.r.sprawdzProgi();
    QCOMPARE(s.k.alarmy.Count(), 2);
    QVERIFY(s.k.alarmy.wiersz(2).aktywny());
}

void TestOdczyt::sprawdzAlarm_endsOnlyThisControllersRowOfThisCode()
{
    StanowiskoLinii s;
    clRegulator &drugi = s.k.oRegulatory.Add(6, QStringLiteral("K6"), QStringLiteral("K6"));
    drugi.Id = 2;
    s.r.DodajAlarm(s.k.teraz(), 201, QStringLiteral("( 130 A)"));
    drugi.DodajAlarm(s.k.teraz(), 201, QStringLiteral("( 131 A)"));
    s.r.DodajAlarm(s.k.teraz(), 202, QStringLiteral("( 450 V)"));

    s.r.SprawdzAlarm(201);
    QCOMPARE(s.k.alarmy.wiersz(1).stan, QStringLiteral("N"));
    QCOMPARE(s.k.alarmy.wiersz(2).stan, QStringLiteral("A"));
    QCOMPARE(s.k.alarmy.wiersz(3).stan, QStringLiteral("A"));
    QCOMPARE(s.k.oApp.IloscAktywnychAlarmow, 2);
}

void TestOdczyt::sprawdzAlarm_neverAlarmedController_leavesTheListAlone()
{
    StanowiskoLinii s;
    // A row for this controller that it did not raise itself.
    s.k.alarmy.NowyAlarm(s.k.teraz(), 1, 201, QString());
    QCOMPARE(s.r.AktywneAlarmy, 0);
    s.r.SprawdzAlarm(201);
    QVERIFY(s.k.alarmy.wiersz(1).aktywny());
}

void TestOdczyt::dodajAlarm_countStopsAt32767()
{
    StanowiskoLinii s;
    s.r.AktywneAlarmy = 32766;
    s.r.DodajAlarm(s.k.teraz(), 100, QString());
    s.r.DodajAlarm(s.k.teraz(), 100, QString());
    s.r.DodajAlarm(s.k.teraz(), 100, QString());
    QCOMPARE(s.r.AktywneAlarmy, 32767);
    // Still counted as alarmed: the clearing looks at the list.
    s.r.SprawdzAlarm(100);
    QCOMPARE(s.k.alarmy.wiersz(1).stan, QStringLiteral("N"));
}

void TestOdczyt::silentController_alarm100TwicePerTickOneRow_thenClearedWhenItAnswers()
{
    StanowiskoLinii s(std::make_unique<ZegarPrzesuwany>());
    s.sterownik.milczy = true;
    const DataCzas nastepny = s.k.teraz().plusMinuty(-1);
    s.r.OstatniOdczyt = s.k.teraz().plusMinuty(-16);
    s.r.NastepnyOdczyt = nastepny;
    QSignalSpy panele(&s.k.oWizual, &clsWizual::panelTekst);

    const DataCzas teraz = s.k.teraz();
    uruchom(s.r.OkresowyOdczyt(teraz));
    // Czytaj_Diody and czytaj each failed: two calls, one row.
    QCOMPARE(s.r.AktywneAlarmy, 2);
    QCOMPARE(s.k.alarmy.Count(), 1);
    QCOMPARE(s.r.NastepnyOdczyt, nastepny); // still due
    QCOMPARE(s.r.OstatniOdczyt, teraz);
    QCOMPARE(s.k.alarmy.wiersz(1).tresc, QStringLiteral("Brak komunikacji z regulatorem "));
    QCOMPARE(s.ramki().first(), QStringLiteral("02059004"));
    QCOMPARE(s.ramki().last(), QStringLiteral("02054f06")); // czytaj sends nothing of its own
    QCOMPARE(teksty(panele).size(), 2);
    QCOMPARE(teksty(panele).last(), QString());
    QVERIFY(s.wiersze(QStringLiteral("Select Adres from Pomiary")).isEmpty());

    s.sterownik.milczy = false;
    uruchom(s.r.OkresowyOdczyt(s.k.teraz()));
    QCOMPARE(s.k.alarmy.Count(), 1);
    QCOMPARE(s.k.alarmy.wiersz(1).stan, QStringLiteral("N"));
    QVERIFY(s.r.NastepnyOdczyt > s.k.teraz().plusMinuty(-1));
    QCOMPARE(s.wiersze(QStringLiteral("Select Adres from Pomiary")).size(), 1);
}

void TestOdczyt::brokenBlock_noDecodingAndTheLastGoodBlockKept()
{
    StanowiskoLinii s(std::make_unique<ZegarPrzesuwany>());
    QVERIFY(uruchom(s.r.WczytajStanRegul(s.k.teraz())).wartosc);
    const DaneRozkazu dobry = s.r.blok;

    // The answer breaks off after 11 of its 33 bytes, with other values.
    s.port->ustawOdpowiadacz([&s](const QByteArray &ramka) {
        const QByteArray a = s.sterownik.odpowiedz(ramka);
        return static_cast<quint8>(ramka[3]) == 0x06 ? QByteArray(11, '\x7E') : a;
    });
    s.r.ZakloceniaHarm = true;
    s.r.Napiecie = -1;
    const Wynik<bool> w = uruchom(s.r.WczytajStanRegul(s.k.teraz()));
    QCOMPARE(w.wartosc, false);
    QCOMPARE(s.r.ZakloceniaHarm, false);
    QCOMPARE(s.r.Napiecie, -1.0f); // nothing decoded
    QCOMPARE(s.k.alarmy.Count(), 1);
    QCOMPARE(s.k.alarmy.wiersz(1).kodAlarmu, QStringLiteral(" 100"));
    QVERIFY(s.r.blok.bajty == dobry.bajty);
}

QTEST_GUILESS_MAIN(TestOdczyt)
#include "tst_odczyt.moc"
