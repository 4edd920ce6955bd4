#include "bufortestowy.h"
#include "model/colregulatory.h"
#include "model/listaalarmow.h"
#include "platform/tekst.h"
#include "testsupport.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>

// The running alarm state: rows, counts and their announcement, journal
// rows in Alarmy.
class TestListaAlarmow final : public QObject
{
    Q_OBJECT

    struct Stanowisko {
        BazaTestowa baza;
        ZegarTestowy zegar;
        KomunikatyTestowe komunikaty;
        BuforTestowy b{baza, zegar};
        colRegulatory rejestr;
        ListaAlarmow lista{rejestr, b.bd, zegar, komunikaty};
        QSignalSpy zmiany{&lista, &ListaAlarmow::liczbyAlarmowZmienione};
        Stanowisko()
        {
            b.naIdAlarmu = [this](std::int64_t nr, std::int64_t id) { lista.ustawIdAlarmu(nr, id); };
            rejestr.Add(1, QStringLiteral("R1"), QStringLiteral("R1")).Id = 1;
            rejestr.Add(2, QStringLiteral("R2"), QStringLiteral("R2")).Id = 2;
        }
        QList<QVariantList> wiersze(const QString &sql) { return b.wiersze(sql); }
    };

private Q_SLOTS:
    void newAlarmAddsRowJournalAndCounters()
    {
        Stanowisko s;
        const DataCzas czas = DataCzas::z(QDate(2026, 12, 5), QTime(10, 15, 30));
        QSignalSpy kolory(&s.lista, &ListaAlarmow::kolorWezla);
        s.lista.NowyAlarm(czas, 2, 201, QStringLiteral("( 125.3 A)"));

        QCOMPARE(s.lista.Count(), 1);
        const WierszAlarmu &w = s.lista.wiersz(1);
        QCOMPARE(w.czas.format(QStringLiteral("dd/MM/yyyy hh:mm:ss")), QStringLiteral("05/12/2026 10:15:30"));
        QCOMPARE(w.kodRegulatora, QStringLiteral("R2"));
        QCOMPARE(w.tresc, QStringLiteral("Przekroczona wartość prądu ( 125.3 A)"));
        QCOMPARE(w.nrRegul, QStringLiteral(" 2"));
        QCOMPARE(w.kodAlarmu, QStringLiteral(" 201"));
        QCOMPARE(w.stan, QStringLiteral("A"));
        QCOMPARE(w.potwierdzenie, QStringLiteral("N"));
        QCOMPARE(s.lista.IloscAktywnychAlarmow(), 1);
        QCOMPARE(s.lista.IloscNiePotwAlarmow(), 1);
        QCOMPARE(kolory.size(), 1);
        QCOMPARE(kolory.first().at(1).toBool(), true);
        QCOMPARE(s.zmiany.size(), 1);

        QVERIFY(w.idAlarmu.isEmpty()); // until the database has the row
        const auto rows = s.wiersze(QStringLiteral(
            "Select Data, Typ, Tresc, Kod_Regul, Operator, Data_potw, Data_dezakt, Id_alarmu from Alarmy"));
        QCOMPARE(rows.size(), 1);
        QCOMPARE(s.lista.wiersz(1).idAlarmu, Str(static_cast<std::int64_t>(rows[0][7].toLongLong())));
        QCOMPARE(rows[0][0].toString(), QStringLiteral("2026-12-05 10:15:30"));
        QCOMPARE(rows[0][1].toString(), QStringLiteral("R"));
        QCOMPARE(rows[0][2].toString(), QStringLiteral("Przekroczona wartość prądu ( 125.3 A)"));
        QCOMPARE(rows[0][3].toString(), QStringLiteral("R2"));
        QVERIFY(rows[0][4].isNull() && rows[0][5].isNull() && rows[0][6].isNull());
    }

    void deactivationBeforeAcknowledgementThenAcknowledgement()
    {
        Stanowisko s;
        s.lista.NowyAlarm(s.zegar.teraz(), 1, 100, QString());
        s.zegar.przesun(60000);
        s.lista.DezaktywujAlarm(1);
        QCOMPARE(s.lista.wiersz(1).stan, QStringLiteral("N"));
        QCOMPARE(s.lista.IloscAktywnychAlarmow(), 0);
        QCOMPARE(s.lista.IloscNiePotwAlarmow(), 1);
        auto rows = s.wiersze(QStringLiteral("Select Data_potw, Data_dezakt from Alarmy"));
        QVERIFY(rows[0][0].isNull());
        QCOMPARE(rows[0][1].toString(), s.zegar.teraz().tekstBazy());
        QCOMPARE(s.zmiany.size(), 2); // the last active one ended

        s.zegar.przesun(60000);
        s.lista.Potwierdz(1);
        QCOMPARE(s.lista.wiersz(1).potwierdzenie, QStringLiteral("T"));
        QCOMPARE(s.lista.IloscNiePotwAlarmow(), 0);
        rows = s.wiersze(QStringLiteral("Select Data_potw, Data_dezakt from Alarmy"));
        QCOMPARE(rows[0][0].toString(), s.zegar.teraz().tekstBazy());
        QVERIFY(!rows[0][1].isNull());
        QCOMPARE(s.zmiany.size(), 3);

        // A second acknowledgement changes nothing.
        s.lista.Potwierdz(1);
        QCOMPARE(s.lista.IloscNiePotwAlarmow(), 0);
        // A returning condition is a new alarm with a new identity.
        s.lista.NowyAlarm(s.zegar.teraz(), 1, 100, QString());
        QCOMPARE(s.lista.Count(), 2);
        s.b.przekaz();
        QVERIFY(!s.lista.wiersz(2).idAlarmu.isEmpty());
        QVERIFY(s.lista.wiersz(2).idAlarmu != s.lista.wiersz(1).idAlarmu);
    }

    void treeNodeStaysRedUntilLastActiveAlarmEnds()
    {
        Stanowisko s;
        QSignalSpy kolory(&s.lista, &ListaAlarmow::kolorWezla);
        s.lista.NowyAlarm(s.zegar.teraz(), 1, 201, QString());
        s.lista.NowyAlarm(s.zegar.teraz(), 1, 202, QString());
        kolory.clear();
        s.zmiany.clear();
        s.lista.DezaktywujAlarm(1);
        QCOMPARE(kolory.size(), 0);
        QCOMPARE(s.lista.IloscAktywnychAlarmow(), 1);
        QCOMPARE(s.zmiany.size(), 0); // not announced while an alarm is still active
        s.lista.DezaktywujAlarm(2);
        QCOMPARE(kolory.size(), 1);
        QCOMPARE(kolory.first().at(0).toInt(), 1);
        QCOMPARE(kolory.first().at(1).toBool(), false);
    }

    // A journal that cannot be written (the spool's disk) must not stop the
    // alarm board: the alarm is still listed and counted, and the operator
    // is told.
    void failedJournalWriteIsReportedAndAlarmStillCounts()
    {
        Stanowisko s;
        s.b.bufor.zamknij();
        s.lista.NowyAlarm(s.zegar.teraz(), 1, 100, QString());
        QCOMPARE(s.lista.Count(), 1);
        QCOMPARE(s.lista.IloscAktywnychAlarmow(), 1);
        QVERIFY(s.lista.wiersz(1).idAlarmu.isEmpty());
        QCOMPARE(s.komunikaty.pokazane.size(), 1);
        QVERIFY(s.komunikaty.pokazane.first().tekst.startsWith(QStringLiteral("Błąd zapisu alarmu")));
        s.lista.DezaktywujAlarm(1);
        s.lista.Potwierdz(1);
        QCOMPARE(s.lista.IloscNiePotwAlarmow(), 0);
    }
};

QTEST_GUILESS_MAIN(TestListaAlarmow)
#include "tst_listaalarmow.moc"
