// The operations that act on a controller, through the in-memory line:
// blocking, stage switching with its discharge guard and journal, and the
// manual switch setting.

#include "sterownik.h"

#include <QRegularExpression>
#include <QTest>

class TestSterowanie final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void blokuj_changesOnlyBit5AndTakesTheReadBack_data()
    {
        QTest::addColumn<int>("czytany");
        QTest::addColumn<bool>("blokada");
        QTest::addColumn<bool>("odmowa"); // the line refuses every frame
        QTest::addColumn<QStringList>("ramki");
        QTest::addColumn<bool>("zablokowany");
        const QString czytaj = QStringLiteral("02052f05");
        QTest::newRow("block 0x41") << 0x41 << true << false << QStringList{czytaj, "02052f0361", czytaj} << true;
        QTest::newRow("unblock 0x61") << 0x61 << false << false << QStringList{czytaj, "02052f0341", czytaj} << false;
        QTest::newRow("block an already blocked 0x20")
            << 0x20 << true << false << QStringList{czytaj, "02052f0320", czytaj} << true;
        QTest::newRow("unblock an unblocked 0x41")
            << 0x41 << false << false << QStringList{czytaj, "02052f0341", czytaj} << false;
        QTest::newRow("read fails: nothing written, state kept") << 0x61 << false << true << QStringList() << true;
    }

    void blokuj_changesOnlyBit5AndTakesTheReadBack()
    {
        QFETCH(int, czytany);
        QFETCH(bool, blokada);
        QFETCH(bool, odmowa);
        QFETCH(QStringList, ramki);
        QFETCH(bool, zablokowany);
        StanowiskoLinii s;
        s.sterownik.pamiec[0x2F] = czytany;
        s.r.Zablokowany = !blokada;
        s.port->ustawOdmoweZapisu(odmowa);

        const Wynik<bool> w = uruchom(s.sterowanie.BlokujRegul(s.r, blokada));
        QVERIFY2(w.wyjatek.isEmpty(), qPrintable(w.wyjatek));
        QCOMPARE(s.ramki(), ramki);
        QCOMPARE(s.r.Zablokowany, zablokowany);
        // The end state with its sound, inside the start and the end of the operation.
        const QString stan = blokada ? QStringLiteral("true") : QStringLiteral("false");
        QCOMPARE(s.zdarzenia.wszystkie,
                 (QStringList{"eBlokowanieRegul 1 " + stan + " true",
                              QStringLiteral("eBlokadaRegul 1 %1 true").arg(zablokowany ? "true" : "false"),
                              "eBlokowanieRegul 1 " + stan + " false"}));
    }

    void kondensator_switchesOneStageAndReadsBack_data()
    {
        QTest::addColumn<int>("nr"); // 0-based: 8 is stage 9
        QTest::addColumn<bool>("wlacz");
        QTest::addColumn<int>("diody1"); // locations 0x90 and 0xA0, a 0 bit is a stage on
        QTest::addColumn<int>("diody2");
        QTest::addColumn<bool>("wynik");
        QTest::addColumn<QStringList>("ramki");
        QTest::addColumn<QString>("log");
        QTest::addColumn<QString>("komunikat");
        const QStringList L{"02059004", "0205a004"}; // the LED reads
        QTest::newRow("stage 3 on") << 2 << true << 0xFF << 0x7F << true
                                    << L + QStringList{"02057205", "02059001fb"} + L << "Załączono stopień nr  3"
                                    << "";
        QTest::newRow("stage 9 off: countdown, then bit 7")
            << 8 << false << 0xFB << 0x0F << true << L + QStringList{"020578033c", "0205a0018f"} + L
            << "Wyłączono stopień nr  9"
            << "";
        QTest::newRow("stage 9 on keeps bits 4-6")
            << 8 << true << 0xFB << 0xF0 << true << L + QStringList{"02057805", "0205a0017f"} + L
            << "Załączono stopień nr  9"
            << "";
        QTest::newRow("already on: only the reads") << 2 << true << 0xFB << 0x7F << true << L << ""
                                                    << "";
        QTest::newRow("still discharging: refused")
            << 4 << true << 0xFF << 0x7F << false << L + QStringList{"02057405"} << ""
            << "Nie można załączyć kondensatora nr 5.\rNie upłynął jeszcze "
               "czas jego rozładowania.\rPozostało  45 sekund.";
        QTest::newRow("no stage 10: no traffic") << 9 << true << 0xFF << 0x7F << false << QStringList() << ""
                                                 << "";
    }

    void kondensator_switchesOneStageAndReadsBack()
    {
        QFETCH(int, nr);
        QFETCH(bool, wlacz);
        QFETCH(int, diody1);
        QFETCH(int, diody2);
        QFETCH(bool, wynik);
        QFETCH(QStringList, ramki);
        QFETCH(QString, log);
        QFETCH(QString, komunikat);
        StanowiskoLinii s;
        s.sterownik.pamiec[0x90] = diody1;
        s.sterownik.pamiec[0xA0] = diody2;
        s.sterownik.pamiec[0x74] = 45; // stage 5 is still discharging
        if (nr > 8)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("no stage")));

        const Wynik<bool> w = uruchom(s.sterowanie.UstawKondensator(s.r, nr, wlacz));
        QVERIFY2(w.wyjatek.isEmpty(), qPrintable(w.wyjatek));
        QCOMPARE(w.wartosc, wynik);
        QCOMPARE(s.ramki(), ramki);
        if (wynik) {
            QCOMPARE(s.r.SprawdzStanDiody(nr), wlacz);
            QCOMPARE(s.zdarzenia.te("eNoweDane"), QStringList{"eNoweDane 1 O"});
        }
        const QString zdarzenie =
            wlacz ? QStringLiteral("eZalaczanieBaterii 1 ") : QStringLiteral("eWylaczanieBaterii 1 ");
        QCOMPARE(s.zdarzenia.te(wlacz ? "eZalaczanieBaterii" : "eWylaczanieBaterii"),
                 (QStringList{zdarzenie + "true", zdarzenie + "false"}));
        const auto wpisy = s.wiersze(QStringLiteral("Select Operacja, Status, Typ, Kod_Regul from Log"));
        QCOMPARE(wpisy, (log.isEmpty() ? QList<QVariantList>() : QList<QVariantList>{{log, "N", "S", "K5"}}));
        QCOMPARE(s.komunikaty.pokazane.size(), komunikat.isEmpty() ? 0 : 1);
        if (!komunikat.isEmpty()) {
            QCOMPARE(s.komunikaty.pokazane.first().tekst, komunikat);
            QCOMPARE(s.komunikaty.pokazane.first().ikona, Ikona::Krytyczna);
        }
    }

    void kondensator_journalFails_operationStillEndsNormally()
    {
        StanowiskoLinii s;
        s.bufor.zamknij(); // its disk fails
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Log row not written")));
        const Wynik<bool> w = uruchom(s.sterowanie.UstawKondensator(s.r, 0, true)); // stage 1 is off: bit 0 of 0xFB
        QVERIFY2(w.wyjatek.isEmpty(), qPrintable(w.wyjatek));
        QVERIFY(w.wartosc);
        QCOMPARE(s.sterownik.pamiec[0x90], 0xFA); // the stage was switched
        QCOMPARE(s.komunikaty.pokazane.size(), 1);
        // The number has its leading blank, as in every error message.
        QVERIFY(s.komunikaty.pokazane.first().tekst.startsWith(QStringLiteral("Błąd zapisu do dziennika nr  1\r")));
        QCOMPARE(s.zdarzenia.wszystkie.last(), QStringLiteral("eZalaczanieBaterii 1 false"));
    }

    void ustawRegulator_sendsTheSwitchNibbleAndReadsBack_theEndToldAfterTheReading()
    {
        StanowiskoLinii s;
        // The line refusing the frame: 0, nothing read, the end told all the same.
        s.port->ustawOdmoweZapisu(true);
        const Wynik<int> w = uruchom(s.sterowanie.UstawRegulator(s.r, 0x09));
        QVERIFY2(w.wyjatek.isEmpty(), qPrintable(w.wyjatek));
        QCOMPARE(w.wartosc, 0);
        QCOMPARE(s.zdarzenia.wszystkie, QStringList{"eUstawionoPrzelaczniki 1"});

        s.port->ustawOdmoweZapisu(false);
        // The high nibble holds no switches and is never sent.
        QCOMPARE(uruchom(s.sterowanie.UstawRegulator(s.r, 0xF9)).wartosc, -1); // switches 4 and 7 up
        QCOMPARE(s.ramki().first(), QStringLiteral("02056a0309"));
        QCOMPARE(s.ramki().size(), 5); // then the state is read at once
        QCOMPARE(s.r.Napiecie, 230.0f);
        QCOMPARE(s.zdarzenia.wszystkie.last(), QStringLiteral("eUstawionoPrzelaczniki 1"));
    }
};

QTEST_GUILESS_MAIN(TestSterowanie)
#include "tst_sterowanie.moc"
