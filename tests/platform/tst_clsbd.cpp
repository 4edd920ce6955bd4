// The alarm and log rows as the station writes them, through its spool, on
// both engines (a real database file and a real PostgreSQL server): the
// identities the database gives, the dates set on the exact row also after
// the row was forwarded, files made without an auto-number, and forwarding
// that stores nothing twice: after a crash between the database's commit
// and the spool's removal, and on a database without the unique index of
// Pomiary.

#include "bufortestowy.h"
#include "dwasilniki.h"

#include <QTest>

namespace
{

DataCzas dc(int d, int h, int m, int s = 0)
{
    return DataCzas::z(QDate(2026, 12, d), QTime(h, m, s));
}

struct Stanowisko {
    BazaTestowa baza{silnikTestu()};
    ZegarTestowy zegar;
    BuforTestowy b{baza, zegar};

    // Each row of a query as "a|b|..." with "null" for NULL.
    QStringList wiersze(const char *sql)
    {
        QStringList w;
        for (const QVariantList &r : b.wiersze(QString::fromLatin1(sql))) {
            QStringList pola;
            for (const QVariant &v : r)
                pola.append(v.isValid() ? v.toString() : QStringLiteral("null"));
            w.append(pola.join(QLatin1Char('|')));
        }
        return w;
    }
};

// A crash between the database's commit and the spool's removal.
struct Zabity {
};

} // namespace

class TestClsBD final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase_data() { naObuSilnikach(); }
    void init() { POMIN_BEZ_SILNIKA(silnikTestu()); }

    void alarms_distinctIds_emptyTextsLeaveNull_logRowsKeepTheirTime()
    {
        Stanowisko s;
        s.b.bd.ustawStacje(QStringLiteral("hala1"));
        QMap<std::int64_t, std::int64_t> id; // by the spool's number
        s.b.naIdAlarmu = [&id](std::int64_t nr, std::int64_t i) { id.insert(nr, i); };
        const std::int64_t a = s.b.bd.ZapiszAlarm(dc(5, 10, 0), QStringLiteral("R"), QStringLiteral("Brak komunikacji"),
                                                  QStringLiteral("R1-Hala"), QStringLiteral("jan"));
        const std::int64_t b =
            s.b.bd.ZapiszAlarm(dc(5, 10, 1), QStringLiteral("R"), QStringLiteral("Przekroczony prąd"));
        s.zegar.ustaw(dc(5, 10, 2, 7));
        s.b.bd.ZapiszDoLoga(QStringLiteral("Start aplikacji"), QStringLiteral("N"), QStringLiteral("L"));
        s.zegar.ustaw(dc(5, 11, 0));
        const QStringList alarmy = s.wiersze("Select Id_alarmu, Data, Tresc, Kod_Regul, Operator, Data_potw, Stacja "
                                             "from Alarmy order by Id_alarmu");
        QCOMPARE(id.size(), 2);
        QCOMPARE(alarmy,
                 (QStringList{QString::number(id.value(a)) + "|2026-12-05 10:00:00|Brak komunikacji|R1-Hala|jan|null|"
                                                             "hala1",
                              QString::number(id.value(b)) + "|2026-12-05 10:01:00|Przekroczony prąd|null|null|null|"
                                                             "hala1"}));
        QCOMPARE(s.wiersze("Select Operacja, Status, Typ, Kod_Regul, Czas, Stacja from Log"),
                 QStringList{"Start aplikacji|N|L|null|2026-12-05 10:02:07|hala1"});
    }

    // Each date set once, on the exact row, also when the row went into the
    // database in an earlier pass; other alarms untouched.
    void modyfikujAlarm_eachDateOnTheExactRow_beforeOrAfterForwarding()
    {
        Stanowisko s;
        std::int64_t nr[11];
        for (int i = 0; i < 11; ++i)
            nr[i] = s.b.bd.ZapiszAlarm(dc(5, 10, i), QStringLiteral("R"), QString::number(i + 1));
        s.b.bd.ModyfikujAlarm(nr[0], dc(5, 10, 5), std::nullopt); // same pass
        QCOMPARE(s.b.przekaz(), Przekazywanie::Wynik::Pusto);
        // Deactivation keeps the acknowledgement; deactivation before it
        // leaves the acknowledgement empty.
        s.b.bd.ModyfikujAlarm(nr[0], std::nullopt, dc(5, 11, 0));
        s.b.bd.ModyfikujAlarm(nr[10], std::nullopt, dc(5, 10, 30), QStringLiteral("ala"));
        QCOMPARE(s.wiersze("Select Tresc, Data_potw, Data_dezakt, Operator from Alarmy where Data_potw is not null "
                           "or Data_dezakt is not null order by Data"),
                 (QStringList{"1|2026-12-05 10:05:00|2026-12-05 11:00:00|null", "11|null|2026-12-05 10:30:00|ala"}));
    }

    void tableWithoutAutoNumber_rowidBecomesTheIdentity()
    {
        if (silnikTestu() == Silnik::PostgreSQL)
            QSKIP("columns without a type are the file's");
        Stanowisko s;
        s.baza.wykonaj(QStringList{QStringLiteral("DROP TABLE Alarmy"),
                                   QStringLiteral("CREATE TABLE Alarmy (Id_alarmu, Data, Typ, Tresc, Kod_Regul, "
                                                  "Operator, Data_potw, Data_dezakt)")});
        s.b.bd.ZapiszAlarm(dc(5, 10, 0), QStringLiteral("R"), QStringLiteral("a"));
        const std::int64_t b = s.b.bd.ZapiszAlarm(dc(5, 10, 1), QStringLiteral("R"), QStringLiteral("b"));
        s.b.bd.ModyfikujAlarm(b, dc(5, 11, 0), std::nullopt);
        QCOMPARE(s.wiersze("Select Id_alarmu, Tresc, Data_potw from Alarmy"),
                 (QStringList{"1|a|null", "2|b|2026-12-05 11:00:00"}));
    }

    // The process dies after the database committed a pass and before the
    // spool let go of it; the next start forwards the pass again. Every row
    // is stored once, also without the unique index on Pomiary, and the
    // acknowledgement queued after the crash finds the alarm's row.
    void crashBetweenCommitAndRemoval_nothingStoredTwice()
    {
        Stanowisko s;
        s.baza.wykonaj({QStringLiteral("DROP INDEX Pomiary_Adres_Data"),
                        QStringLiteral("CREATE INDEX Pomiary_Adres_Data ON Pomiary (Adres, Data)")});
        WpisPomiaru w;
        w.adres = 5;
        w.data = dc(5, 10, 0);
        w.enCzynna = 1.5f;
        s.b.bufor.dodajPomiar(w);
        const std::int64_t alarm = s.b.bd.ZapiszAlarm(dc(5, 10, 0), QStringLiteral("R"), QStringLiteral("a"));
        s.b.bd.ZapiszDoLoga(QStringLiteral("Start aplikacji"), QStringLiteral("N"), QStringLiteral("L"));
        {
            Przekazywanie p(s.b.bufor.sciezka(), s.b.zrodlo);
            p.poZatwierdzeniu = [] { throw Zabity(); };
            QVERIFY_THROWS_EXCEPTION(Zabity, p.krok());
        }
        QCOMPARE(s.b.bufor.liczbaWpisow(), 3);
        s.b.bd.ModyfikujAlarm(alarm, dc(5, 10, 3), std::nullopt);

        QCOMPARE(s.wiersze("Select Adres, Data, EnCzynna from Pomiary"), QStringList{"5|2026-12-05 10:00:00|1.5"});
        QCOMPARE(s.wiersze("Select Tresc, Data_potw from Alarmy"), QStringList{"a|2026-12-05 10:03:00"});
        QCOMPARE(s.wiersze("Select count(*) from Log"), QStringList{"1"});
        QCOMPARE(s.b.bufor.liczbaWpisow(), 0);
    }
};

QTEST_GUILESS_MAIN(TestClsBD)
#include "tst_clsbd.moc"
