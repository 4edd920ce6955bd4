// The alarm store on both engines, a real database file and a real
// PostgreSQL server: identities, the dates set on the exact row, files made
// without an auto-number. (Log rows and failing tables are checked where the
// station writes them.)

#include "db/clsbd.h"
#include "platform/bladbazy.h"
#include "platform/polaczenie.h"
#include "platform/zapytanie.h"
#include "testsupport.h"

#include <QTest>

Q_DECLARE_METATYPE(Silnik)

namespace
{

DataCzas dc(int d, int h, int m, int s = 0)
{
    return DataCzas::z(QDate(2026, 12, d), QTime(h, m, s));
}

Silnik silnik()
{
    QFETCH_GLOBAL(Silnik, silnik);
    return silnik;
}

struct Stanowisko {
    BazaTestowa baza{silnik()};
    Polaczenie cn;
    clsBD oBD{cn};
    Stanowisko() { cn.Open(baza.polaczenieTekst); }

    // Each row of a query as "a|b|..." with "null" for NULL.
    QStringList wiersze(const char *sql)
    {
        QStringList w;
        for (const QVariantList &r : wierszeZapytania(cn, QString::fromLatin1(sql))) {
            QStringList pola;
            for (const QVariant &v : r)
                pola.append(v.isValid() ? v.toString() : QStringLiteral("null"));
            w.append(pola.join(QLatin1Char('|')));
        }
        return w;
    }
};

} // namespace

class TestClsBD final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase_data()
    {
        QTest::addColumn<Silnik>("silnik");
        QTest::newRow("plik") << Silnik::SQLite;
        QTest::newRow("serwer") << Silnik::PostgreSQL;
    }
    void init() { POMIN_BEZ_SILNIKA(silnik()); }

    void zapiszAlarm_twoAlarms_distinctIds_bothVisible_emptyTextsLeaveNull()
    {
        Stanowisko s;
        const std::int32_t a = s.oBD.ZapiszAlarm(dc(5, 10, 0), QStringLiteral("R"), QStringLiteral("Brak komunikacji"),
                                                 QStringLiteral("R1-Hala"), QStringLiteral("jan"));
        const std::int32_t b =
            s.oBD.ZapiszAlarm(dc(5, 10, 1), QStringLiteral("R"), QStringLiteral("Przekroczony prąd"));
        QVERIFY(a > 0);
        QVERIFY(b != a);
        QCOMPARE(s.wiersze("Select Id_alarmu, Data, Tresc, Kod_Regul, Operator, Data_potw, Data_dezakt from Alarmy "
                           "order by Id_alarmu"),
                 (QStringList{QString::number(a) + "|2026-12-05 10:00:00|Brak komunikacji|R1-Hala|jan|null|null",
                              QString::number(b) + "|2026-12-05 10:01:00|Przekroczony prąd|null|null|null|null"}));
    }

    void modyfikujAlarm_eachDateSetOnce_onTheExactId_otherAlarmsUntouched()
    {
        Stanowisko s;
        for (int i = 0; i < 11; ++i)
            s.oBD.ZapiszAlarm(dc(5, 10, i), QStringLiteral("R"), QString::number(i + 1));
        QCOMPARE(s.oBD.ModyfikujAlarm(1, dc(5, 10, 5), std::nullopt), false);
        QCOMPARE(
            s.wiersze(
                "Select Id_alarmu, Data_potw, Data_dezakt, Operator from Alarmy where Id_alarmu in (1, 11) order by 1"),
            (QStringList{"1|2026-12-05 10:05:00|null|null", "11|null|null|null"}));
        // Deactivation keeps the acknowledgement; deactivation before it
        // leaves the acknowledgement empty.
        s.oBD.ModyfikujAlarm(1, std::nullopt, dc(5, 11, 0));
        s.oBD.ModyfikujAlarm(11, std::nullopt, dc(5, 10, 30), QStringLiteral("ala"));
        QCOMPARE(s.wiersze("Select Id_alarmu, Data_potw, Data_dezakt, Operator from Alarmy where Data_potw is not null "
                           "or Data_dezakt is not null order by 1"),
                 (QStringList{"1|2026-12-05 10:05:00|2026-12-05 11:00:00|null", "11|null|2026-12-05 10:30:00|ala"}));
    }

    void modyfikujAlarm_missingId_throwsAndChangesNothing()
    {
        Stanowisko s;
        s.oBD.ZapiszAlarm(dc(5, 10, 0), QStringLiteral("R"), QStringLiteral("t"));
        try {
            s.oBD.ModyfikujAlarm(77, dc(5, 12, 0), std::nullopt);
            QFAIL("no error");
        } catch (const BladBazy &e) {
            QVERIFY(e.opis().contains(QStringLiteral("77")));
        }
        QCOMPARE(s.wiersze("Select Data_potw from Alarmy"), QStringList{"null"});
    }

    void tableWithoutAutoNumber_rowidBecomesTheIdentity()
    {
        if (silnik() == Silnik::PostgreSQL)
            QSKIP("columns without a type are the file's");
        Stanowisko s;
        s.baza.wykonaj(QStringList{QStringLiteral("DROP TABLE Alarmy"),
                                   QStringLiteral("CREATE TABLE Alarmy (Id_alarmu, Data, Typ, Tresc, Kod_Regul, "
                                                  "Operator, Data_potw, Data_dezakt)")});
        const std::int32_t a = s.oBD.ZapiszAlarm(dc(5, 10, 0), QStringLiteral("R"), QStringLiteral("a"));
        const std::int32_t b = s.oBD.ZapiszAlarm(dc(5, 10, 1), QStringLiteral("R"), QStringLiteral("b"));
        QVERIFY(a != b);
        s.oBD.ModyfikujAlarm(b, dc(5, 11, 0), std::nullopt);
        QCOMPARE(s.wiersze("Select Id_alarmu, Tresc, Data_potw from Alarmy"),
                 (QStringList{QString::number(a) + "|a|null", QString::number(b) + "|b|2026-12-05 11:00:00"}));
    }
};

QTEST_GUILESS_MAIN(TestClsBD)
#include "tst_clsbd.moc"
