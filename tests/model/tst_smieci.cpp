// Garbage on the line: a block no installation gives is a failed reading
// (nothing decoded, nothing stored, an alarm of its own, logged with its
// bytes), the configured limits refuse only when they are set, a controller
// they keep refusing waits for its next grid point, and the controller's time
// counter may run on or restart but not jump.

#include "model/ladowanie.h"
#include "sterownik.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

namespace
{

int wierszePomiarow(StanowiskoLinii &s)
{
    return static_cast<int>(s.wiersze(QStringLiteral("Select Adres from Pomiary")).size());
}

} // namespace

class TestSmieci final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Noise in well-formed frames for ten minutes, a reading due every 30 s:
    // nothing of it is stored or decoded, and the first clean reading after
    // it stores the energy since the last clean one.
    void noise_isAFailedReading_theNextCleanRowHoldsTheRealEnergy()
    {
        DziennikTestowy dziennik;
        StanowiskoLinii s;
        QVERIFY(uruchom(s.odczyt.OkresowyOdczyt(s.r, s.teraz())).wyjatek.isEmpty());
        QCOMPARE(wierszePomiarow(s), 1);
        const float czynny = s.r.PradCzynny;
        const float napiecie = s.r.Napiecie;

        QRandomGenerator los(20261205);
        s.port->ustawOdpowiadacz([&los](const QByteArray &ramka) {
            QByteArray w(static_cast<quint8>(ramka[3]) == 0x06 ? 33 : 1, Qt::Uninitialized);
            for (char &c : w)
                c = static_cast<char>(los.bounded(256));
            return protokol::naLinie(w);
        });
        for (int i = 0; i < 20; ++i) {
            s.zegarTestowy->przesun(30000);
            s.r.NastepnyOdczyt = s.teraz();
            QVERIFY(uruchom(s.odczyt.OkresowyOdczyt(s.r, s.teraz())).wyjatek.isEmpty());
        }
        QCOMPARE(wierszePomiarow(s), 1);
        QCOMPARE(s.r.PradCzynny, czynny);
        QCOMPARE(s.r.Napiecie, napiecie);
        QCOMPARE(s.r.stan().StanDiod1, 0xFB);
        QCOMPARE(s.r.NastepnyOdczyt, s.teraz()); // still due
        QVERIFY(s.alarmy.Count() == 1 && s.alarmy.wiersz(1).aktywny());
        // Logged with the bytes, once for the series.
        const QStringList wpisy = dziennik.wpisy("tolvek.model").filter("refused");
        QCOMPARE(wpisy.size(), 1);
        QVERIFY2(QRegularExpression(QStringLiteral("([0-9a-f]{2} ){32}[0-9a-f]{2}$")).match(wpisy.first()).hasMatch(),
                 qPrintable(wpisy.first()));

        // Clean again, ten minutes and 600 counted seconds after the last clean block.
        s.ustawBlok(0, "00989A68"); // the total counter 1000 on
        s.ustawBlok(12, "0005DC");  // the timer 900 + 600
        s.port->ustawOdpowiadacz([&s](const QByteArray &ramka) { return s.sterownik.odpowiedz(ramka); });
        s.r.NastepnyOdczyt = s.teraz();
        uruchom(s.odczyt.OkresowyOdczyt(s.r, s.teraz()));
        QCOMPARE(wierszePomiarow(s), 2);
        QVERIFY(!s.alarmy.wiersz(1).aktywny());
        const auto w = s.wiersze(QStringLiteral("Select EnCzynna from Pomiary order by Data"));
        QCOMPARE(w.at(1).at(0).toFloat(), s.r.PradCzynny - czynny);
        QVERIFY(w.at(1).at(0).toFloat() > 0);
    }

    // A controller whose limits refuse what it measures answers every frame:
    // not silence but an alarm that names the value and the limit, four asks
    // for a grid point (the first and three retries on the next ticks) instead
    // of one on every tick, every refusal counted, one log line for the series.
    // A single refused block is asked again at once.
    void refusedByItsLimits_ownAlarm_fourAsksAGridPoint_retriedAtOnceWhenItPasses()
    {
        DziennikTestowy dziennik;
        StanowiskoLinii s; // 230 V
        s.r.CzestOdczytu = 1;
        s.r.Filtr.napiecie = {100.0f, 200.0f};
        s.zegarTestowy->ustaw(DataCzas::zTekstu(QStringLiteral("2026-12-05 10:00:00")));
        s.r.NastepnyOdczyt = s.teraz();
        auto takt = [&s] {
            QVERIFY(uruchom(s.odczyt.OkresowyOdczyt(s.r, s.teraz())).wyjatek.isEmpty());
            s.zegarTestowy->przesun(100);
        };
        for (int i = 0; i < 1200; ++i) // two minutes of ticks
            takt();
        QCOMPARE(s.ramki().count(QStringLiteral("02054f06")), 8); // DAJ_DANE: four at 10:00, four at 10:01
        QCOMPARE(s.komunikator.statystyka().wiersz(1, s.zegarTestowy->msMonotoniczne()).odrzucone, 8);
        QCOMPARE(s.r.NastepnyOdczyt.tekstBazy(), QStringLiteral("2026-12-05 10:02:00"));
        const QString tresc = QStringLiteral("Odrzucone dane z regulatora (napięcie 230 V poza 100..200 V)");
        QCOMPARE(s.alarmy.Count(), 1);
        QVERIFY(s.alarmy.wiersz(1).aktywny());
        QCOMPARE(s.wiersze(QStringLiteral("Select Tresc from Alarmy")), QList<QVariantList>{{tresc}});
        QCOMPARE(wierszePomiarow(s), 0);
        QCOMPARE(dziennik.wpisy("tolvek.model").filter("refused").size(), 1);

        s.port->zapisane.clear();
        takt(); // 10:02:00.0, refused
        s.r.Filtr.napiecie = {};
        takt();
        QCOMPARE(s.ramki().count(QStringLiteral("02054f06")), 2);
        QCOMPARE(wierszePomiarow(s), 1);
        QCOMPARE(s.r.NastepnyOdczyt.tekstBazy(), QStringLiteral("2026-12-05 10:03:00"));
        QVERIFY(!s.alarmy.wiersz(1).aktywny());
        QCOMPARE(s.alarmy.Count(), 1);
    }

    // One field at a time, on a block that is otherwise the controller's own.
    void implausibleValue_refused_data()
    {
        QTest::addColumn<int>("od");
        QTest::addColumn<QByteArray>("bajty");
        QTest::addColumn<bool>("przyjety");
        QTest::newRow("30 Hz") << 23 << QByteArray("0EFF") << false;
        QTest::newRow("80 Hz") << 23 << QByteArray("059F") << false;
        QTest::newRow("negative period count") << 23 << QByteArray("FFF0") << false;
        QTest::newRow("disturbed signal (P = 1)") << 23 << QByteArray("0000") << true;
        QTest::newRow("no period (P = 0)") << 23 << QByteArray("FFFF") << true;
        QTest::newRow("negative voltage") << 15 << QByteArray("FF1A") << false;
        QTest::newRow("timer 60 s on") << 12 << QByteArray("0003C0") << true;
        QTest::newRow("timer restarted") << 12 << QByteArray("000020") << true;
        QTest::newRow("timer back, not restarted") << 12 << QByteArray("000200") << false;
        QTest::newRow("timer jumped a day") << 12 << QByteArray("0154E4") << false;
    }
    void implausibleValue_refused()
    {
        QFETCH(int, od);
        QFETCH(QByteArray, bajty);
        QFETCH(bool, przyjety);
        StanowiskoLinii s;
        QVERIFY(uruchom(s.odczyt.WczytajStanRegul(s.r, s.teraz())).wartosc); // timer 900 read now
        s.zegarTestowy->przesun(60000);
        s.ustawBlok(od, bajty.constData());
        if (od != 12)
            s.ustawBlok(12, "0003C0"); // the counter runs on with the clock
        s.r.Napiecie = -7;
        QCOMPARE(uruchom(s.odczyt.WczytajStanRegul(s.r, s.teraz())).wartosc, przyjety);
        QCOMPARE(s.r.Napiecie != -7, przyjety);
        QCOMPARE(s.alarmy.Count(), przyjety ? 0 : 1);
    }

    // A time counter point stored before these checks existed may be junk:
    // two blocks that agree with each other replace it.
    void staleCounterPoint_twoAgreeingBlocksReplaceIt()
    {
        StanowiskoLinii s;
        s.r.punktLicznika = wiarygodnosc::PunktLicznika{15'000'000, 0, s.teraz().plusMinuty(-1), true};
        QVERIFY(!uruchom(s.odczyt.WczytajStanRegul(s.r, s.teraz())).wartosc); // 900 against 15 000 000
        s.zegarTestowy->przesun(10000);
        s.ustawBlok(12, "00038E"); // 910: ten seconds on from the refused one
        QVERIFY(uruchom(s.odczyt.WczytajStanRegul(s.r, s.teraz())).wartosc);
        QCOMPARE(s.r.TimerU, 910);
    }

    void limits_setOnesRefuse_nullOrZeroSidesFilterNothing()
    {
        DziennikTestowy dziennik;
        StanowiskoLinii s; // 230 V, reactive 100 A, total 200 A, 50 Hz
        s.baza.wykonaj(QStringLiteral(
            "INSERT INTO Regulatory (Adres, Kod, Typ, NapiecieMin, NapiecieMax, PradCalkMin, PradCalkMax, "
            "CzestotliwoscMin, CzestotliwoscMax, PradBiernyMin, PradBiernyMax) VALUES "
            "(5, 'K5', 'regulator', 0, 250, 0, 0, 52, 48, 0, 50)"));
        colRegulatory rej;
        const DaneStartowe d = s.daneStartowe();
        WczytajRegulatory(d.regulatory, d.ostPomiar, rej, s.komunikaty);
        const wiarygodnosc::Filtr &f = rej.znajdz(1)->Filtr;
        QVERIFY(f.napiecie.zawiera(-5) && f.napiecie.zawiera(230) && !f.napiecie.zawiera(251)); // 0: no minimum
        QVERIFY(!f.pradCalk.ustawiony());                                                       // 0/0
        QVERIFY(!f.czestotliwosc.ustawiony()); // a maximum not above the minimum
        QVERIFY(!dziennik.wpisy("tolvek.model").filter("CzestotliwoscMax").isEmpty());

        s.r.Filtr = rej.znajdz(1)->Filtr;
        QVERIFY(!uruchom(s.odczyt.WczytajStanRegul(s.r, s.teraz())).wartosc); // reactive 100 A above 50
        s.r.Filtr.pradBierny = {};
        QVERIFY(uruchom(s.odczyt.WczytajStanRegul(s.r, s.teraz())).wartosc);
    }
};

QTEST_GUILESS_MAIN(TestSmieci)
#include "tst_smieci.moc"
