#include "platform/zapytanie.h"
#include "testsupport.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>

// The running alarm state: rows, counters, journal rows in Alarmy, and what
// the hub is told.
class TestListaAlarmow final : public QObject
{
    Q_OBJECT

    struct Stanowisko {
        BazaTestowa baza;
        KontekstTestowy t;
        Kontekst &k = *t.k;
        Stanowisko()
        {
            k.cnBaza.Open(baza.polaczenieTekst);
            k.oRegulatory.Add(1, QStringLiteral("R1"), QStringLiteral("R1")).Id = 1;
            k.oRegulatory.Add(2, QStringLiteral("R2"), QStringLiteral("R2")).Id = 2;
        }
        QList<QVariantList> wiersze(const QString &sql) { return wierszeZapytania(k.cnBaza, sql); }
    };

private Q_SLOTS:
    void newAlarmAddsRowJournalAndCounters()
    {
        Stanowisko s;
        const DataCzas czas = DataCzas::z(QDate(2026, 12, 5), QTime(10, 15, 30));
        QSignalSpy kolory(&s.k.alarmy, &ListaAlarmow::kolorWezla);
        s.k.alarmy.NowyAlarm(czas, 2, 201, QStringLiteral("( 125.3 A)"));

        QCOMPARE(s.k.alarmy.Count(), 1);
        const WierszAlarmu &w = s.k.alarmy.wiersz(1);
        QCOMPARE(w.czas.format(QStringLiteral("dd/MM/yyyy hh:mm:ss")), QStringLiteral("05/12/2026 10:15:30"));
        QCOMPARE(w.kodRegulatora, QStringLiteral("R2"));
        QCOMPARE(w.tresc, QStringLiteral("Przekroczona wartość prądu ( 125.3 A)"));
        QCOMPARE(w.nrRegul, QStringLiteral(" 2"));
        QCOMPARE(w.kodAlarmu, QStringLiteral(" 201"));
        QCOMPARE(w.stan, QStringLiteral("A"));
        QCOMPARE(w.potwierdzenie, QStringLiteral("N"));
        QVERIFY(w.idAlarmu.startsWith(QLatin1Char(' ')));
        QCOMPARE(s.k.oApp.IloscAktywnychAlarmow, 1);
        QCOMPARE(s.k.oApp.IloscNiePotwAlarmow, 1);
        QCOMPARE(kolory.size(), 1);
        QCOMPARE(kolory.first().at(1).toBool(), true);
        // Alarm timers run while an alarm waits for acknowledgement.
        QVERIFY(s.k.harmonogram.Timer2().isActive());
        QVERIFY(s.k.harmonogram.Timer3().isActive());

        const auto rows = s.wiersze(
            QStringLiteral("Select Data, Typ, Tresc, Kod_Regul, Operator, Data_potw, Data_dezakt from Alarmy"));
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0][0].toString(), QStringLiteral("2026-12-05 10:15:30"));
        QCOMPARE(rows[0][1].toString(), QStringLiteral("R"));
        QCOMPARE(rows[0][2].toString(), QStringLiteral("Przekroczona wartość prądu ( 125.3 A)"));
        QCOMPARE(rows[0][3].toString(), QStringLiteral("R2"));
        QVERIFY(rows[0][4].isNull() && rows[0][5].isNull() && rows[0][6].isNull());
    }

    void sameActiveAlarmIsListedOnce()
    {
        Stanowisko s;
        for (int i = 0; i < 5; ++i)
            s.k.alarmy.NowyAlarm(s.k.teraz(), 1, 201, QStringLiteral("( 130 A)"));
        QCOMPARE(s.k.alarmy.Count(), 1);
        QCOMPARE(s.k.oApp.IloscAktywnychAlarmow, 1);
        QCOMPARE(s.wiersze(QStringLiteral("Select * from Alarmy")).size(), 1);
        // Another code or another controller is another alarm.
        s.k.alarmy.NowyAlarm(s.k.teraz(), 1, 202, QString());
        s.k.alarmy.NowyAlarm(s.k.teraz(), 2, 201, QString());
        QCOMPARE(s.k.alarmy.Count(), 3);
    }

    void deactivationBeforeAcknowledgementThenAcknowledgement()
    {
        Stanowisko s;
        s.k.alarmy.NowyAlarm(s.k.teraz(), 1, 100, QString());
        s.t.zegarTestowy->przesun(60000);
        s.k.alarmy.DezaktywujAlarm(1);
        QCOMPARE(s.k.alarmy.wiersz(1).stan, QStringLiteral("N"));
        QCOMPARE(s.k.oApp.IloscAktywnychAlarmow, 0);
        QCOMPARE(s.k.oApp.IloscNiePotwAlarmow, 1);
        auto rows = s.wiersze(QStringLiteral("Select Data_potw, Data_dezakt from Alarmy"));
        QVERIFY(rows[0][0].isNull());
        QCOMPARE(rows[0][1].toString(), s.k.teraz().tekstBazy());
        // Unacknowledged but inactive: the timers still run, nothing blinks.
        QVERIFY(s.k.harmonogram.Timer2().isActive());

        s.t.zegarTestowy->przesun(60000);
        s.k.alarmy.Potwierdz(1);
        QCOMPARE(s.k.alarmy.wiersz(1).potwierdzenie, QStringLiteral("T"));
        QCOMPARE(s.k.oApp.IloscNiePotwAlarmow, 0);
        rows = s.wiersze(QStringLiteral("Select Data_potw, Data_dezakt from Alarmy"));
        QCOMPARE(rows[0][0].toString(), s.k.teraz().tekstBazy());
        QVERIFY(!rows[0][1].isNull());
        QVERIFY(!s.k.harmonogram.Timer2().isActive());
        QVERIFY(!s.k.harmonogram.Timer3().isActive());
        QVERIFY(!s.k.oWizual.panel3MaObraz());

        // A second acknowledgement changes nothing.
        s.k.alarmy.Potwierdz(1);
        QCOMPARE(s.k.oApp.IloscNiePotwAlarmow, 0);
        // A returning condition is a new alarm with a new identity.
        s.k.alarmy.NowyAlarm(s.k.teraz(), 1, 100, QString());
        QCOMPARE(s.k.alarmy.Count(), 2);
        QVERIFY(s.k.alarmy.wiersz(2).idAlarmu != s.k.alarmy.wiersz(1).idAlarmu);
    }

    void treeNodeStaysRedUntilLastActiveAlarmEnds()
    {
        Stanowisko s;
        QSignalSpy kolory(&s.k.alarmy, &ListaAlarmow::kolorWezla);
        QSignalSpy zmiany(&s.k.oWizual, &clsWizual::panelObraz);
        s.k.alarmy.NowyAlarm(s.k.teraz(), 1, 201, QString());
        s.k.alarmy.NowyAlarm(s.k.teraz(), 1, 202, QString());
        kolory.clear();
        zmiany.clear();
        s.k.alarmy.DezaktywujAlarm(1);
        QCOMPARE(kolory.size(), 0);
        QCOMPARE(s.k.oApp.IloscAktywnychAlarmow, 1);
        QCOMPARE(zmiany.size(), 0); // no hub update while an alarm is still active
        s.k.alarmy.DezaktywujAlarm(2);
        QCOMPARE(kolory.size(), 1);
        QCOMPARE(kolory.first().at(0).toString(), QStringLiteral("R1"));
        QCOMPARE(kolory.first().at(1).toBool(), false);
    }

    // A journal that cannot be written must not stop the alarm board: the
    // alarm is still listed and counted, and the operator is told.
    void failedJournalWriteIsReportedAndAlarmStillCounts()
    {
        Stanowisko s;
        s.baza.wykonaj(QStringLiteral("DROP TABLE Alarmy"));
        s.k.alarmy.NowyAlarm(s.k.teraz(), 1, 100, QString());
        QCOMPARE(s.k.alarmy.Count(), 1);
        QCOMPARE(s.k.oApp.IloscAktywnychAlarmow, 1);
        QVERIFY(s.k.alarmy.wiersz(1).idAlarmu.isEmpty());
        QCOMPARE(s.t.komunikaty->pokazane.size(), 1);
        QVERIFY(s.t.komunikaty->pokazane.first().tekst.startsWith(QStringLiteral("Błąd zapisu alarmu")));
        s.k.alarmy.DezaktywujAlarm(1);
        s.k.alarmy.Potwierdz(1);
        QCOMPARE(s.k.oApp.IloscNiePotwAlarmow, 0);
    }

    void blinkingAndSoundNeedAnActiveAlarm()
    {
        Stanowisko s;
        QTimer &t2 = s.k.harmonogram.Timer2();
        s.k.alarmy.NowyAlarm(s.k.teraz(), 1, 100, QString());
        QVERIFY(s.k.oWizual.panel3MaObraz());
        // Timer2 toggles the picture every second while the alarm is active.
        QMetaObject::invokeMethod(&t2, "timeout", Qt::DirectConnection);
        QVERIFY(!s.k.oWizual.panel3MaObraz());
        QMetaObject::invokeMethod(&s.k.harmonogram.Timer3(), "timeout", Qt::DirectConnection);
        QCOMPARE(s.t.dzwiek->zagrane, QStringList{QStringLiteral("alarm.wav")});
        // Inactive but unacknowledged: timers run but neither blink nor sound.
        s.k.alarmy.DezaktywujAlarm(1);
        const bool obraz = s.k.oWizual.panel3MaObraz();
        QMetaObject::invokeMethod(&t2, "timeout", Qt::DirectConnection);
        QMetaObject::invokeMethod(&s.k.harmonogram.Timer3(), "timeout", Qt::DirectConnection);
        QCOMPARE(s.k.oWizual.panel3MaObraz(), obraz);
        QCOMPARE(s.t.dzwiek->zagrane.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestListaAlarmow)
#include "tst_listaalarmow.moc"
