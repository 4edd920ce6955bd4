// The reading of a controller through the in-memory line, the alarm
// detection that follows it, and the scheduled reading with its storing.

#include "sterownik.h"

#include <QTest>

class TestOdczyt final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void wczytaj_writesRefused_isACommunicationFailureAndNothingStaleIsDecoded()
    {
        StanowiskoLinii s;
        QVERIFY(uruchom(s.odczyt.WczytajStanRegul(s.r, s.teraz())).wartosc);
        s.alarmyRegulatorow.DodajAlarm(s.r, s.teraz(), 100, QString()); // an earlier failure
        s.r.Napiecie = 0;

        s.port->ustawOdmoweZapisu(true);
        const Wynik<bool> w = uruchom(s.odczyt.WczytajStanRegul(s.r, s.teraz()));
        // A line that refuses frames must not turn the last block into a new
        // reading: no decoding, a failed reading, the alarm kept.
        QVERIFY(!w.wartosc);
        QCOMPARE(s.r.Napiecie, 0.0f);
        QCOMPARE(s.r.AktywneAlarmy, 3); // Czytaj_Diody and daj_dane failed
        QCOMPARE(s.alarmy.Count(), 1);
        QVERIFY(s.alarmy.wiersz(1).aktywny());
    }

    void okresowy_firstDueReading_blockingByteDecodedStoredAdvanced_endReportedEvenOnThrow()
    {
        StanowiskoLinii s;
        s.sterownik.pamiec[0x2F] = 0x61;
        s.zegarTestowy->ustaw(DataCzas::zTekstu(QStringLiteral("2026-12-05 10:07:12")));
        s.r.NastepnyOdczyt = DataCzas::zTekstu(QStringLiteral("2026-12-05 10:00"));
        s.r.ZakloceniaHarm = true;
        const DataCzas teraz = s.teraz();

        const Wynik<bool> w = uruchom(s.odczyt.OkresowyOdczyt(s.r, teraz));
        QVERIFY2(w.wyjatek.isEmpty(), qPrintable(w.wyjatek));
        // Never read before: the blocking byte first, shown without a sound.
        QCOMPARE(s.ramki(), (QStringList{"02052f05", "02059004", "0205a004", "0205b004", "02054f06"}));
        QCOMPARE(s.r.Zablokowany, true);
        const clsStan &st = s.r.stan();
        QCOMPARE((QList<int>{st.StanDiod1, st.StanDiod2, st.StanDiod3, st.StanPrzel1, st.StanDisplay4}),
                 (QList<int>{0xFB, 0x7F, 0x33, 0x02, 0x51}));
        QCOMPARE(s.r.czytaj.wartosc, 0x55);
        QCOMPARE(s.r.PradCalk, 200.0f);
        QCOMPARE(s.r.ZakloceniaHarm, false);
        QCOMPARE(s.alarmy.Count(), 0);
        QCOMPARE(s.r.OstatniOdczyt, teraz);
        QCOMPARE(s.r.NastepnyOdczyt.tekstBazy(), QStringLiteral("2026-12-05 10:15:00"));
        QCOMPARE(s.zdarzenia.wszystkie, (QStringList{"eBlokadaRegul 1 true false", "eOkresowyOdczyt 1 true",
                                                     "eNoweDane 1 O", "eOkresowyOdczyt 1 false"}));
        QCOMPARE(s.wiersze(QStringLiteral("Select Data, Napiecie from Pomiary")),
                 (QList<QVariantList>{{"2026-12-05 10:07:12", 230.0}}));
        QCOMPARE(s.wiersze(QStringLiteral("Select PopTimerU from OstPomiar")), QList<QVariantList>{{900}});

        s.port->zapisane.clear();
        uruchom(s.odczyt.OkresowyOdczyt(s.r, teraz)); // not due: nothing is sent
        QVERIFY(s.port->zapisane.isEmpty());
        s.r.NastepnyOdczyt = teraz;
        s.r.Id = 7; // a number the line cannot resolve: the command throws
        QVERIFY(!uruchom(s.odczyt.OkresowyOdczyt(s.r, teraz)).wyjatek.isEmpty());
        QCOMPARE(s.zdarzenia.te("eOkresowyOdczyt").size(), 4);
        QCOMPARE(s.zdarzenia.wszystkie.last(), QStringLiteral("eOkresowyOdczyt 7 false"));
    }

    // The tg fi comment's "0.0000000" takes the regional decimal separator
    // (LC_ALL, LC_NUMERIC, then LANG); the Str texts keep ".".
    void progi_strictComparisonsAndComments_data()
    {
        QTest::addColumn<float>("prad");
        QTest::addColumn<float>("napiecie");
        QTest::addColumn<float>("tgFi");
        QTest::addColumn<QByteArray>("lcNumeric");
        QTest::addColumn<QStringList>("tresci");
        QTest::newRow("all equal to their thresholds") << 100.0f << 400.0f << 0.4f << QByteArray("C") << QStringList();
        QTest::newRow("tg fi equal to the lower threshold")
            << 10.0f << 230.0f << -0.25f << QByteArray("C") << QStringList();
        QTest::newRow("tg fi below, LC_NUMERIC before LANG")
            << 10.0f << 230.0f << -0.3f << QByteArray("C") << QStringList{"Przekroczona wartość tg fi (-0.3000000)"};
        QTest::newRow("tg fi guarded 9.999, Polish LC_NUMERIC")
            << 10.0f << 230.0f << 9.999f << QByteArray("pl_PL.UTF-8")
            << QStringList{"Przekroczona wartość tg fi (9,9990000)"};
        QTest::newRow("all three, in order, Polish LANG alone")
            << 125.3f << 401.0f << 1.0f << QByteArray()
            << QStringList{"Przekroczona wartość prądu ( 125.3 A)", "Przekroczona wartość napięcia ( 401 V)",
                           "Przekroczona wartość tg fi (1,0000000)"};
    }

    void progi_strictComparisonsAndComments()
    {
        QFETCH(float, prad);
        QFETCH(float, napiecie);
        QFETCH(float, tgFi);
        QFETCH(QByteArray, lcNumeric);
        QFETCH(QStringList, tresci);
        qunsetenv("LC_ALL");
        qputenv("LC_NUMERIC", lcNumeric);
        qputenv("LANG", "pl_PL.UTF-8");
        StanowiskoLinii s;
        s.r.ProgPrad = 100;
        s.r.ProgNapiecie = 400;
        s.r.ProgTgFiMin = -0.25f;
        s.r.ProgTgFiMax = 0.4f;
        s.r.PradBierny = prad;
        s.r.Napiecie = napiecie;
        s.r.TgFi = tgFi;
        s.alarmyRegulatorow.sprawdzProgi(s.r);
        QStringList t;
        for (int i = 1; i <= s.alarmy.Count(); ++i)
            t << s.alarmy.wiersz(i).tresc;
        QCOMPARE(t, tresci);
        QCOMPARE(s.r.AktywneAlarmy, tresci.size());
    }

    void alarms_oneRowPerCondition_clearedOnlyForTheirControllerAndCode()
    {
        StanowiskoLinii s;
        clRegulator &drugi = s.rejestr.Add(6, QStringLiteral("K6"), QStringLiteral("K6"));
        drugi.Id = 2;
        s.r.ProgPrad = 100;
        s.r.PradBierny = 130;
        for (int i = 0; i < 5; ++i)
            s.alarmyRegulatorow.sprawdzProgi(s.r);
        QCOMPARE(s.alarmy.Count(), 1);
        QCOMPARE(s.r.AktywneAlarmy, 5);
        QCOMPARE(s.wiersze(QStringLiteral("Select Tresc from Alarmy")).size(), 1);

        // The count stops at the 16-bit top instead of wrapping to "never alarmed".
        drugi.AktywneAlarmy = 32766;
        for (int i = 0; i < 3; ++i)
            s.alarmyRegulatorow.DodajAlarm(drugi, s.teraz(), 201, QStringLiteral("( 131 A)"));
        QCOMPARE(drugi.AktywneAlarmy, 32767);
        s.alarmyRegulatorow.DodajAlarm(s.r, s.teraz(), 202, QStringLiteral("( 450 V)"));
        s.alarmyRegulatorow.SprawdzAlarm(s.r, 201);
        auto stany = [&s] {
            QString t;
            for (int i = 1; i <= s.alarmy.Count(); ++i)
                t += s.alarmy.wiersz(i).stan;
            return t;
        };
        QCOMPARE(stany(), QStringLiteral("NAA"));
        QCOMPARE(s.alarmy.IloscAktywnychAlarmow(), 2);

        // A returning condition is a new alarm; the voltage, now fine, ends 202.
        s.alarmyRegulatorow.sprawdzProgi(s.r);
        s.alarmyRegulatorow.SprawdzAlarm(drugi, 201);
        QCOMPARE(stany(), QStringLiteral("NNNA"));
    }

    // Waits for real time-outs of the line (about 12 s).
    void silentLine_alarm100TwiceOneRowNothingDecoded_thenClearedWhenItAnswers()
    {
        StanowiskoLinii s(std::make_unique<ZegarPrzesuwany>());
        QVERIFY(uruchom(s.odczyt.WczytajStanRegul(s.r, s.teraz())).wartosc);
        const DaneRozkazu dobry = s.r.blok;
        s.zdarzenia.wszystkie.clear();

        // The LED reads go unanswered and the block breaks off after 11 of its
        // 33 bytes, with other values.
        s.sterownik.milczy = true;
        s.port->ustawOdpowiadacz([&s](const QByteArray &ramka) {
            return static_cast<quint8>(ramka[3]) == 0x06 ? QByteArray(11, '\x7E') : s.sterownik.odpowiedz(ramka);
        });
        s.port->zapisane.clear();
        const DataCzas nastepny = s.teraz().plusMinuty(-1);
        s.r.OstatniOdczyt = s.teraz().plusMinuty(-16);
        s.r.NastepnyOdczyt = nastepny;
        s.r.Napiecie = -1;
        const DataCzas teraz = s.teraz();
        uruchom(s.odczyt.OkresowyOdczyt(s.r, teraz));
        QCOMPARE(s.r.AktywneAlarmy, 2); // Czytaj_Diody and the block: two calls, one row
        QCOMPARE(s.alarmy.Count(), 1);
        QCOMPARE(s.alarmy.wiersz(1).tresc, QStringLiteral("Brak komunikacji z regulatorem "));
        QCOMPARE(s.r.Napiecie, -1.0f); // nothing decoded
        QVERIFY(s.r.blok.bajty == dobry.bajty);
        QCOMPARE(s.r.NastepnyOdczyt, nastepny); // still due
        QCOMPARE(s.r.OstatniOdczyt, teraz);
        QCOMPARE(s.ramki().last(), QStringLiteral("02054f06")); // czytaj sends nothing of its own
        QCOMPARE(s.zdarzenia.te("eOkresowyOdczyt"), (QStringList{"eOkresowyOdczyt 1 true", "eOkresowyOdczyt 1 false"}));
        QVERIFY(s.zdarzenia.te("eNoweDane").isEmpty());
        // Neither the failed reading nor the one on request was stored.
        QVERIFY(s.wiersze(QStringLiteral("Select Adres from Pomiary")).isEmpty());

        s.sterownik.milczy = false;
        s.port->ustawOdpowiadacz([&s](const QByteArray &ramka) { return s.sterownik.odpowiedz(ramka); });
        uruchom(s.odczyt.OkresowyOdczyt(s.r, s.teraz()));
        QCOMPARE(s.alarmy.Count(), 1);
        QCOMPARE(s.alarmy.wiersz(1).stan, QStringLiteral("N"));
        QVERIFY(s.r.NastepnyOdczyt > nastepny);
        QCOMPARE(s.wiersze(QStringLiteral("Select Adres from Pomiary")).size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestOdczyt)
#include "tst_odczyt.moc"
