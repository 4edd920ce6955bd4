// The alarm and log store on a real database file.

#include "db/clsbd.h"
#include "platform/bladbazy.h"
#include "platform/polaczenie.h"
#include "platform/zapytanie.h"
#include "testsupport.h"

#include <QTest>

namespace {

DataCzas dc(int d, int h, int m, int s = 0) { return DataCzas::z(QDate(2026, 12, d), QTime(h, m, s)); }

struct Stanowisko {
    BazaTestowa baza;
    Polaczenie cn;
    clsBD oBD{cn};
    Stanowisko() { cn.Open(baza.polaczenieTekst); }

    // One row of a query as "a|b|..." with "null" for NULL.
    QStringList wiersze(const QString &sql)
    {
        Zapytanie z;
        z.Open(sql, cn);
        QStringList w;
        for (z.MoveFirst(); !z.EOF_(); z.MoveNext()) {
            QStringList pola;
            for (const QString &k : z.kolumny()) {
                const QVariant v = z.pole(k);
                pola.append(v.isValid() ? v.toString() : QStringLiteral("null"));
            }
            w.append(pola.join(QLatin1Char('|')));
        }
        return w;
    }
};

} // namespace

class TestClsBD final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void zapiszAlarm_twoAlarms_distinctIds_bothVisibleAtOnce();
    void zapiszAlarm_emptyOptionalTexts_leaveColumnsNull();
    void modyfikujAlarm_ackThenDeactivation_setEachDateOnce();
    void modyfikujAlarm_deactivationBeforeAck_leavesAckNull();
    void modyfikujAlarm_picksTheExactId_notAPrefix();
    void modyfikujAlarm_missingId_throwsAndChangesNothing();
    void zapiszDoLoga_startAndStop_leaveTwoRowsWithNullCode();
    void zapiszDoLoga_stageRow_keepsPolishTextAndCode();
    void tableWithoutAutoNumber_rowidBecomesTheIdentity();
    void missingTable_errorReachesTheCaller();
};

void TestClsBD::zapiszAlarm_twoAlarms_distinctIds_bothVisibleAtOnce()
{
    Stanowisko s;
    const std::int32_t a = s.oBD.ZapiszAlarm(dc(5, 10, 0), QStringLiteral("R"), QStringLiteral("Brak komunikacji"),
                                             QStringLiteral("R1-Hala"));
    const std::int32_t b = s.oBD.ZapiszAlarm(dc(5, 10, 1), QStringLiteral("R"), QStringLiteral("Przekroczony prąd 130"),
                                             QStringLiteral("R1-Hala"));
    QVERIFY(a > 0);
    QVERIFY(b != a);
    QCOMPARE(s.wiersze(QStringLiteral("Select Id_alarmu, Data, Typ, Tresc, Kod_Regul from Alarmy")),
             (QStringList{QString::number(a) + QStringLiteral("|2026-12-05 10:00:00|R|Brak komunikacji|R1-Hala"),
                          QString::number(b) + QStringLiteral("|2026-12-05 10:01:00|R|Przekroczony prąd 130|R1-Hala")}));
}

void TestClsBD::zapiszAlarm_emptyOptionalTexts_leaveColumnsNull()
{
    Stanowisko s;
    s.oBD.ZapiszAlarm(dc(5, 10, 0), QStringLiteral("R"), QStringLiteral("t"));
    s.oBD.ZapiszAlarm(dc(5, 10, 0), QStringLiteral("R"), QStringLiteral("t"), QStringLiteral("R2"), QStringLiteral("jan"));
    QCOMPARE(s.wiersze(QStringLiteral("Select Kod_Regul, Operator, Data_potw, Data_dezakt from Alarmy")),
             (QStringList{"null|null|null|null", "R2|jan|null|null"}));
}

void TestClsBD::modyfikujAlarm_ackThenDeactivation_setEachDateOnce()
{
    Stanowisko s;
    const std::int32_t id = s.oBD.ZapiszAlarm(dc(5, 10, 0), QStringLiteral("R"), QStringLiteral("t"), QStringLiteral("R1"));
    QCOMPARE(s.oBD.ModyfikujAlarm(id, dc(5, 10, 5), std::nullopt), false);
    QCOMPARE(s.wiersze(QStringLiteral("Select Data_potw, Data_dezakt, Operator from Alarmy")),
             QStringList{"2026-12-05 10:05:00|null|null"});
    s.oBD.ModyfikujAlarm(id, std::nullopt, dc(5, 11, 0));
    QCOMPARE(s.wiersze(QStringLiteral("Select Data_potw, Data_dezakt, Operator from Alarmy")),
             QStringList{"2026-12-05 10:05:00|2026-12-05 11:00:00|null"});
}

void TestClsBD::modyfikujAlarm_deactivationBeforeAck_leavesAckNull()
{
    Stanowisko s;
    const std::int32_t id = s.oBD.ZapiszAlarm(dc(5, 10, 0), QStringLiteral("R"), QStringLiteral("t"), QStringLiteral("R1"));
    s.oBD.ModyfikujAlarm(id, std::nullopt, dc(5, 10, 30), QStringLiteral("ala"));
    QCOMPARE(s.wiersze(QStringLiteral("Select Data_potw, Data_dezakt, Operator from Alarmy")),
             QStringList{"null|2026-12-05 10:30:00|ala"});
}

void TestClsBD::modyfikujAlarm_picksTheExactId_notAPrefix()
{
    Stanowisko s;
    std::int32_t ostatni = 0;
    for (int i = 0; i < 11; ++i)
        ostatni = s.oBD.ZapiszAlarm(dc(5, 10, i), QStringLiteral("R"), QString::number(i + 1));
    QCOMPARE(ostatni, 11);
    s.oBD.ModyfikujAlarm(1, dc(5, 12, 0), std::nullopt);
    s.oBD.ModyfikujAlarm(11, std::nullopt, dc(5, 12, 1));
    QCOMPARE(s.wiersze(QStringLiteral("Select Id_alarmu, Data_potw, Data_dezakt from Alarmy where Data_potw is not null "
                                      "or Data_dezakt is not null")),
             (QStringList{"1|2026-12-05 12:00:00|null", "11|null|2026-12-05 12:01:00"}));
}

void TestClsBD::modyfikujAlarm_missingId_throwsAndChangesNothing()
{
    Stanowisko s;
    s.oBD.ZapiszAlarm(dc(5, 10, 0), QStringLiteral("R"), QStringLiteral("t"));
    try {
        s.oBD.ModyfikujAlarm(77, dc(5, 12, 0), std::nullopt);
        QFAIL("no error");
    } catch (const BladBazy &e) {
        QVERIFY(e.opis().contains(QStringLiteral("77")));
    }
    QCOMPARE(s.wiersze(QStringLiteral("Select Data_potw from Alarmy")), QStringList{"null"});
}

void TestClsBD::zapiszDoLoga_startAndStop_leaveTwoRowsWithNullCode()
{
    Stanowisko s;
    QCOMPARE(s.oBD.ZapiszDoLoga(QStringLiteral("Start aplikacji"), QStringLiteral("N"), QStringLiteral("L")), false);
    s.oBD.ZapiszDoLoga(QStringLiteral("Zatrzymanie aplikacji"), QStringLiteral("N"), QStringLiteral("L"), QString());
    QCOMPARE(s.wiersze(QStringLiteral("Select Operacja, Status, Typ, Kod_Regul from Log")),
             (QStringList{"Start aplikacji|N|L|null", "Zatrzymanie aplikacji|N|L|null"}));
    QCOMPARE(s.wiersze(QStringLiteral("Select count(*) from Log where Czas is null")), QStringList{"0"});
}

void TestClsBD::zapiszDoLoga_stageRow_keepsPolishTextAndCode()
{
    Stanowisko s;
    s.oBD.ZapiszDoLoga(QStringLiteral("Załączono stopień nr 3"), QStringLiteral("N"), QStringLiteral("S"),
                       QStringLiteral("R2-Sprężarkownia"));
    QCOMPARE(s.wiersze(QStringLiteral("Select Operacja, Status, Typ, Kod_Regul from Log")),
             QStringList{"Załączono stopień nr 3|N|S|R2-Sprężarkownia"});
}

void TestClsBD::tableWithoutAutoNumber_rowidBecomesTheIdentity()
{
    Stanowisko s;
    s.baza.wykonaj(QStringList{QStringLiteral("DROP TABLE Alarmy"),
                               QStringLiteral("CREATE TABLE Alarmy (Id_alarmu, Data, Typ, Tresc, Kod_Regul, Operator, "
                                              "Data_potw, Data_dezakt)")});
    const std::int32_t a = s.oBD.ZapiszAlarm(dc(5, 10, 0), QStringLiteral("R"), QStringLiteral("a"));
    const std::int32_t b = s.oBD.ZapiszAlarm(dc(5, 10, 1), QStringLiteral("R"), QStringLiteral("b"));
    QVERIFY(a != b);
    s.oBD.ModyfikujAlarm(b, dc(5, 11, 0), std::nullopt);
    QCOMPARE(s.wiersze(QStringLiteral("Select Id_alarmu, Tresc, Data_potw from Alarmy")),
             (QStringList{QString::number(a) + QStringLiteral("|a|null"),
                          QString::number(b) + QStringLiteral("|b|2026-12-05 11:00:00")}));
}

void TestClsBD::missingTable_errorReachesTheCaller()
{
    Stanowisko s;
    s.baza.wykonaj(QStringList{QStringLiteral("DROP TABLE Log"), QStringLiteral("DROP TABLE Alarmy")});
    QVERIFY_THROWS_EXCEPTION(BladBazy, s.oBD.ZapiszDoLoga(QStringLiteral("x"), QStringLiteral("N"), QStringLiteral("L")));
    QVERIFY_THROWS_EXCEPTION(BladBazy, s.oBD.ZapiszAlarm(dc(5, 1, 0), QStringLiteral("R"), QStringLiteral("t")));
    QVERIFY_THROWS_EXCEPTION(BladBazy, s.oBD.ModyfikujAlarm(1, dc(5, 1, 0), std::nullopt));
}

QTEST_GUILESS_MAIN(TestClsBD)
#include "tst_clsbd.moc"
