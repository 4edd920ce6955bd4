// The table cursor on real SQLite files: walking, Find, null fields, the
// edit buffer and the position after each change.

#include "platform/bladbazy.h"
#include "platform/polaczenie.h"
#include "platform/rekordy.h"
#include "testsupport.h"

#include <QSqlQuery>
#include <QTest>

namespace {

QStringList kody(Rekordy &rs)
{
    QStringList w;
    for (rs.MoveFirst(); !rs.EOF_(); rs.MoveNext())
        w.append(rs.pole(QStringLiteral("Kod")).toString());
    return w;
}

// Three Regulatory rows, inserted out of address order.
void trzyRegulatory(const BazaTestowa &b)
{
    b.wykonaj(QStringList{
        QStringLiteral("INSERT INTO Regulatory (Adres, Kod, Typ) VALUES (7, 'R7', 'regulator')"),
        QStringLiteral("INSERT INTO Regulatory (Adres, Kod, Typ, Opis) VALUES (5, 'R5', 'regulator', 'hala')"),
        QStringLiteral("INSERT INTO Regulatory (Adres, Kod, Typ) VALUES (15, 'R15', 'licznik')"),
    });
}

} // namespace

class TestRekordy final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void walk_visitsEveryRowInInsertOrder_thenEof();
    void emptyTable_isEofAtOnce_andMoveNextAtEofThrows();
    void open_missingTable_throws();
    void find_data();
    void find();
    void find_startsAtCurrentRow_includingIt_andMissesEarlierRows();
    void find_badCriterion_throws_data();
    void find_badCriterion_throws();
    void pole_nullReadsInvalid_namesAnyCase_unknownThrows();
    void addNewUpdate_insertsTypedValues_andNewRowIsCurrent();
    void addNewUpdate_withoutAssignments_takesDefaults();
    void update_existingRow_changesOnlyAssignedColumns();
    void update_rowDeletedElsewhere_throws();
    void failedInsert_throwsEngineCode_andNextAddNewStartsClean();
    void delete_currentRow_thenStandsOnNextRow_orEof();
    void rowsAddedThroughAnotherCursor_areVisible();
    void untypedTable_behavesLikeTypedOne();
};

void TestRekordy::walk_visitsEveryRowInInsertOrder_thenEof()
{
    BazaTestowa b;
    trzyRegulatory(b);
    Polaczenie cn;
    cn.Open(b.polaczenieTekst);
    Rekordy rs;
    rs.Open(QStringLiteral("regulatory"), cn);
    QCOMPARE(rs.tabela(), QStringLiteral("Regulatory"));
    QVERIFY(!rs.EOF_());
    QCOMPARE(rs.pole(QStringLiteral("Kod")).toString(), QStringLiteral("R7"));
    QCOMPARE(kody(rs), (QStringList{"R7", "R5", "R15"}));
    QVERIFY(rs.EOF_());
    QCOMPARE(rs.rowidBiezacy(), std::int64_t(-1));
}

void TestRekordy::emptyTable_isEofAtOnce_andMoveNextAtEofThrows()
{
    BazaTestowa b;
    Polaczenie cn;
    cn.Open(b.polaczenieTekst);
    Rekordy rs;
    rs.Open(QStringLiteral("OstPomiar"), cn);
    QVERIFY(rs.EOF_());
    rs.MoveFirst(); // an empty table is not an error
    QVERIFY(rs.EOF_());
    rs.Find(QStringLiteral("Adres= 5"));
    QVERIFY(rs.EOF_());
    QVERIFY_THROWS_EXCEPTION(BladBazy, rs.MoveNext());
    QVERIFY_THROWS_EXCEPTION(BladBazy, rs.pole(QStringLiteral("Adres")));
    QVERIFY_THROWS_EXCEPTION(BladBazy, rs.ustaw(QStringLiteral("Adres"), 1));
    QVERIFY_THROWS_EXCEPTION(BladBazy, rs.Delete());
}

void TestRekordy::open_missingTable_throws()
{
    BazaTestowa b;
    Polaczenie cn;
    cn.Open(b.polaczenieTekst);
    Rekordy rs;
    try {
        rs.Open(QStringLiteral("Pomiar"), cn);
        QFAIL("no error");
    } catch (const BladBazy &e) {
        QVERIFY(e.opis().contains(QStringLiteral("Pomiar")));
    }
    QVERIFY(!rs.otwarty());
}

void TestRekordy::find_data()
{
    QTest::addColumn<QString>("kryterium");
    QTest::addColumn<QString>("kod"); // empty: EOF
    QTest::newRow("leading blank") << "Adres= 5" << "R5";
    QTest::newRow("no blank") << "Adres=5" << "R5";
    QTest::newRow("lower-case column, blanks") << "adres = 5 " << "R5";
    QTest::newRow("first match of two") << "Typ='regulator'" << "R7";
    QTest::newRow("quoted text") << "Kod='R15'" << "R15";
    QTest::newRow("text ignores letter case") << "kod='r15'" << "R15";
    QTest::newRow("real number") << "Adres=15.0" << "R15";
    QTest::newRow("no match") << "Adres= 1" << "";
    QTest::newRow("prefix is no match") << "Kod='R1'" << "";
}


void TestRekordy::find()
{
    QFETCH(QString, kryterium);
    QFETCH(QString, kod);
    BazaTestowa b;
    trzyRegulatory(b);
    Polaczenie cn;
    cn.Open(b.polaczenieTekst);
    Rekordy rs;
    rs.Open(QStringLiteral("Regulatory"), cn);
    rs.Find(kryterium);
    if (kod.isEmpty()) {
        QVERIFY(rs.EOF_());
    } else {
        QVERIFY(!rs.EOF_());
        QCOMPARE(rs.pole(QStringLiteral("Kod")).toString(), kod);
    }
}

void TestRekordy::find_startsAtCurrentRow_includingIt_andMissesEarlierRows()
{
    BazaTestowa b;
    trzyRegulatory(b);
    Polaczenie cn;
    cn.Open(b.polaczenieTekst);
    Rekordy rs;
    rs.Open(QStringLiteral("Regulatory"), cn);
    rs.MoveNext(); // on R5
    rs.Find(QStringLiteral("Adres= 5"));
    QCOMPARE(rs.pole(QStringLiteral("Kod")).toString(), QStringLiteral("R5"));
    rs.Find(QStringLiteral("Adres= 7")); // R7 lies before the current row
    QVERIFY(rs.EOF_());
    rs.MoveFirst();
    rs.Find(QStringLiteral("Adres= 7"));
    QCOMPARE(rs.pole(QStringLiteral("Kod")).toString(), QStringLiteral("R7"));
}

void TestRekordy::find_badCriterion_throws_data()
{
    QTest::addColumn<QString>("kryterium");
    QTest::newRow("unknown column") << "Adresik= 5";
    QTest::newRow("no operator") << "Adres 5";
    QTest::newRow("bare word") << "Kod=R5";
    QTest::newRow("unclosed quote") << "Kod='R5";
}

void TestRekordy::find_badCriterion_throws()
{
    QFETCH(QString, kryterium);
    BazaTestowa b;
    trzyRegulatory(b);
    Polaczenie cn;
    cn.Open(b.polaczenieTekst);
    Rekordy rs;
    rs.Open(QStringLiteral("Regulatory"), cn);
    QVERIFY_THROWS_EXCEPTION(BladBazy, rs.Find(kryterium));
}

void TestRekordy::pole_nullReadsInvalid_namesAnyCase_unknownThrows()
{
    BazaTestowa b;
    trzyRegulatory(b);
    Polaczenie cn;
    cn.Open(b.polaczenieTekst);
    Rekordy rs;
    rs.Open(QStringLiteral("Regulatory"), cn);
    QVERIFY(!rs.pole(QStringLiteral("ProgPrad")).isValid());
    QVERIFY(!rs.pole(QStringLiteral("Opis")).isValid());
    QCOMPARE(rs.pole(QStringLiteral("typ")).toString(), QStringLiteral("regulator"));
    QCOMPARE(rs.pole(QStringLiteral("ADRES")).toInt(), 7);
    QCOMPARE(rs.pole(QStringLiteral("CzestOdczytu")).toInt(), 1); // the column's default
    QVERIFY_THROWS_EXCEPTION(BladBazy, rs.pole(QStringLiteral("Adresik")));
    rs.MoveNext();
    QCOMPARE(rs.pole(QStringLiteral("opis")).toString(), QStringLiteral("hala"));
}

void TestRekordy::addNewUpdate_insertsTypedValues_andNewRowIsCurrent()
{
    BazaTestowa b;
    b.wykonaj(QStringLiteral("INSERT INTO Pomiary (Adres, Data) VALUES (1, '2026-12-05 09:00:00')"));
    Polaczenie cn;
    cn.Open(b.polaczenieTekst);
    Rekordy rs;
    rs.Open(QStringLiteral("Pomiary"), cn);
    const DataCzas t = DataCzas::z(QDate(2026, 12, 5), QTime(10, 15, 30));
    rs.AddNew();
    QVERIFY(!rs.EOF_());
    rs.ustaw(QStringLiteral("adres"), static_cast<short>(5));
    rs.ustaw(QStringLiteral("Data"), QVariant::fromValue(t));
    rs.ustaw(QStringLiteral("EnCzynna"), 0.1f);
    rs.ustaw(QStringLiteral("EnBiernaPoj"), 1);
    QCOMPARE(rs.pole(QStringLiteral("Adres")).toInt(), 5); // the pending value
    QVERIFY(!rs.pole(QStringLiteral("Napiecie")).isValid());
    rs.Update();
    QCOMPARE(rs.pole(QStringLiteral("Adres")).toInt(), 5);
    QCOMPARE(rs.pole(QStringLiteral("Data")).toString(), QStringLiteral("2026-12-05 10:15:30"));
    QCOMPARE(rs.pole(QStringLiteral("EnCzynna")).toDouble(), 0.1);
    QVERIFY(!rs.pole(QStringLiteral("Napiecie")).isValid());
    rs.MoveNext();
    QVERIFY(rs.EOF_());

    QSqlQuery q(cn.db());
    QVERIFY(q.exec(QStringLiteral("SELECT typeof(Adres), typeof(Data), typeof(EnBiernaPoj) FROM Pomiary WHERE Adres = 5")));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toString(), QStringLiteral("integer"));
    QCOMPARE(q.value(1).toString(), QStringLiteral("text"));
    QCOMPARE(q.value(2).toString(), QStringLiteral("real")); // REAL column keeps the integer 1 as 1.0
}

void TestRekordy::addNewUpdate_withoutAssignments_takesDefaults()
{
    BazaTestowa b;
    Polaczenie cn;
    cn.Open(b.polaczenieTekst);
    Rekordy rs;
    rs.Open(QStringLiteral("Log"), cn);
    rs.AddNew();
    rs.Update();
    QVERIFY(!rs.EOF_());
    QVERIFY(!rs.pole(QStringLiteral("Operacja")).isValid());
    bool ok = false;
    DataCzas::zTekstu(rs.pole(QStringLiteral("Czas")).toString(), &ok);
    QVERIFY(ok);
}

void TestRekordy::update_existingRow_changesOnlyAssignedColumns()
{
    BazaTestowa b;
    trzyRegulatory(b);
    Polaczenie cn;
    cn.Open(b.polaczenieTekst);
    Rekordy rs;
    rs.Open(QStringLiteral("Regulatory"), cn);
    rs.Find(QStringLiteral("Adres= 5"));
    rs.ustaw(QStringLiteral("ProgPrad"), 120.0);
    rs.ustaw(QStringLiteral("Opis"), QVariant()); // back to null
    rs.Update();
    QCOMPARE(rs.pole(QStringLiteral("Kod")).toString(), QStringLiteral("R5")); // still on the row
    QCOMPARE(rs.pole(QStringLiteral("ProgPrad")).toDouble(), 120.0);
    QVERIFY(!rs.pole(QStringLiteral("Opis")).isValid());
    rs.Update(); // nothing pending: nothing happens
    rs.MoveFirst();
    QVERIFY(!rs.pole(QStringLiteral("ProgPrad")).isValid());
    QCOMPARE(kody(rs), (QStringList{"R7", "R5", "R15"}));
}

void TestRekordy::update_rowDeletedElsewhere_throws()
{
    BazaTestowa b;
    trzyRegulatory(b);
    Polaczenie cn;
    cn.Open(b.polaczenieTekst);
    Rekordy rs;
    rs.Open(QStringLiteral("Regulatory"), cn);
    rs.ustaw(QStringLiteral("Opis"), QStringLiteral("x"));
    b.wykonaj(QStringLiteral("DELETE FROM Regulatory WHERE Adres = 7"));
    QVERIFY_THROWS_EXCEPTION(BladBazy, rs.Update());
    Rekordy inny;
    inny.Open(QStringLiteral("Regulatory"), cn);
    QCOMPARE(kody(inny), (QStringList{"R5", "R15"}));
}

void TestRekordy::failedInsert_throwsEngineCode_andNextAddNewStartsClean()
{
    BazaTestowa b;
    Polaczenie cn;
    cn.Open(b.polaczenieTekst);
    Rekordy rs;
    rs.Open(QStringLiteral("Pomiary"), cn);
    rs.AddNew();
    rs.ustaw(QStringLiteral("Data"), QStringLiteral("2026-12-05 10:00:00"));
    try {
        rs.Update(); // Adres is NOT NULL
        QFAIL("no error");
    } catch (const BladBazy &e) {
        QCOMPARE(e.numer(), 1299); // SQLITE_CONSTRAINT_NOTNULL
        QVERIFY(e.opis().contains(QStringLiteral("Adres")));
    }
    QVERIFY(rs.EOF_());
    rs.AddNew();
    rs.ustaw(QStringLiteral("Adres"), 3);
    rs.ustaw(QStringLiteral("Data"), QStringLiteral("2026-12-05 10:01:00"));
    rs.Update();
    rs.MoveFirst();
    QCOMPARE(rs.pole(QStringLiteral("Adres")).toInt(), 3);
    QCOMPARE(rs.pole(QStringLiteral("Data")).toString(), QStringLiteral("2026-12-05 10:01:00"));
    rs.MoveNext();
    QVERIFY(rs.EOF_());
}

void TestRekordy::delete_currentRow_thenStandsOnNextRow_orEof()
{
    BazaTestowa b;
    trzyRegulatory(b);
    Polaczenie cn;
    cn.Open(b.polaczenieTekst);
    Rekordy rs;
    rs.Open(QStringLiteral("Regulatory"), cn);
    rs.Find(QStringLiteral("Adres= 5"));
    rs.Delete();
    QCOMPARE(rs.pole(QStringLiteral("Kod")).toString(), QStringLiteral("R15"));
    rs.Delete();
    QVERIFY(rs.EOF_());
    QCOMPARE(kody(rs), QStringList{"R7"});
}

void TestRekordy::rowsAddedThroughAnotherCursor_areVisible()
{
    BazaTestowa b;
    trzyRegulatory(b);
    Polaczenie cn;
    cn.Open(b.polaczenieTekst);
    Rekordy a, c;
    a.Open(QStringLiteral("Regulatory"), cn);
    c.Open(QStringLiteral("Regulatory"), cn);
    c.AddNew();
    c.ustaw(QStringLiteral("Adres"), 9);
    c.ustaw(QStringLiteral("Kod"), QStringLiteral("R9"));
    c.ustaw(QStringLiteral("Typ"), QStringLiteral("regulator"));
    c.Update();
    a.Find(QStringLiteral("Adres= 9"));
    QCOMPARE(a.pole(QStringLiteral("Kod")).toString(), QStringLiteral("R9"));
}

void TestRekordy::untypedTable_behavesLikeTypedOne()
{
    BazaTestowa b;
    b.wykonaj(QStringList{QStringLiteral("CREATE TABLE Luzna (Adres, Kod, Czas, Wartosc)"),
                          QStringLiteral("INSERT INTO Luzna VALUES (15, 'A', NULL, NULL)")});
    Polaczenie cn;
    cn.Open(b.polaczenieTekst);
    Rekordy rs;
    rs.Open(QStringLiteral("luzna"), cn);
    rs.AddNew();
    rs.ustaw(QStringLiteral("ADRES"), 5);
    rs.ustaw(QStringLiteral("kod"), QStringLiteral("B"));
    rs.ustaw(QStringLiteral("czas"), QVariant::fromValue(DataCzas::z(QDate(2026, 12, 5), QTime(23, 59, 59))));
    rs.ustaw(QStringLiteral("Wartosc"), 2.5f);
    rs.Update();
    QCOMPARE(rs.pole(QStringLiteral("Czas")).toString(), QStringLiteral("2026-12-05 23:59:59"));
    QVERIFY(!rs.EOF_());
    rs.MoveFirst();
    QVERIFY(!rs.pole(QStringLiteral("Czas")).isValid());
    rs.Find(QStringLiteral("Adres= 5"));
    QCOMPARE(rs.pole(QStringLiteral("Kod")).toString(), QStringLiteral("B"));
    QCOMPARE(rs.pole(QStringLiteral("Wartosc")).toDouble(), 2.5);
    rs.MoveFirst();
    rs.Find(QStringLiteral("Kod='b'"));
    QCOMPARE(rs.pole(QStringLiteral("Adres")).toInt(), 5);
    rs.Delete();
    QVERIFY(rs.EOF_());
}

QTEST_GUILESS_MAIN(TestRekordy)
#include "tst_rekordy.moc"
