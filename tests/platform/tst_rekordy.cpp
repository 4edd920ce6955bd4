// The table cursor on both engines (a real SQLite file, a real PostgreSQL
// server): walking, Find, null fields, the edit buffer and the position
// after each change.

#include "baza/bladbazy.h"
#include "baza/polaczenie.h"
#include "baza/rekordy.h"
#include "dwasilniki.h"

#include <QTest>

namespace
{

// A station database with three Regulatory rows, inserted out of address
// order, and a cursor opened on one of its tables.
struct Kursor {
    BazaTestowa baza{silnikTestu()};
    Polaczenie cn;
    Rekordy rs;
    explicit Kursor(const QString &tabela = QStringLiteral("Regulatory"), const QStringList &najpierw = {})
    {
        baza.wykonaj(najpierw +
                     QStringList{
                         "INSERT INTO Regulatory (Adres, Kod, Typ) VALUES (7, 'R7', 'regulator')",
                         "INSERT INTO Regulatory (Adres, Kod, Typ, Opis) VALUES (5, 'R5', 'regulator', 'hala')",
                         "INSERT INTO Regulatory (Adres, Kod, Typ) VALUES (15, 'R15', 'licznik')",
                     });
        cn.Open(baza.polaczenieTekst);
        rs.Open(tabela, cn);
    }
    QVariant pole(const char *kolumna) const { return rs.pole(QString::fromLatin1(kolumna)); }
    QStringList kody()
    {
        QStringList w;
        for (rs.MoveFirst(); !rs.EOF_(); rs.MoveNext())
            w.append(pole("Kod").toString());
        return w;
    }
};

} // namespace

class TestRekordy final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase_data() { naObuSilnikach(); }
    void init() { POMIN_BEZ_SILNIKA(silnikTestu()); }

    void walk_visitsEveryRowInInsertOrder_thenEof()
    {
        Kursor k(QStringLiteral("REGULATORY"));
        QCOMPARE(k.rs.tabela().toLower(), QStringLiteral("regulatory"));
        QCOMPARE(k.pole("Kod").toString(), QStringLiteral("R7")); // on the first row at once
        QCOMPARE(k.kody(), (QStringList{"R7", "R5", "R15"}));
        QVERIFY(k.rs.EOF_());
        QVERIFY_THROWS_EXCEPTION(BladBazy, k.rs.MoveNext());
    }

    void emptyTable_isEofAtOnce_missingTableThrows()
    {
        Kursor k(QStringLiteral("OstPomiar"));
        QVERIFY(k.rs.EOF_());
        k.rs.MoveFirst(); // an empty table is not an error
        k.rs.Find(QStringLiteral("Adres= 5"));
        QVERIFY(k.rs.EOF_());
        QVERIFY_THROWS_EXCEPTION(BladBazy, k.pole("Adres"));
        QVERIFY_THROWS_EXCEPTION(BladBazy, k.rs.ustaw(QStringLiteral("Adres"), 1));
        QVERIFY_THROWS_EXCEPTION(BladBazy, k.rs.Delete());

        Rekordy brak;
        try {
            brak.Open(QStringLiteral("Pomiar"), k.cn);
            QFAIL("no error");
        } catch (const BladBazy &e) {
            QVERIFY(e.opis().contains(QStringLiteral("Pomiar")));
        }
        QVERIFY(!brak.otwarty());
    }

    void find_data()
    {
        QTest::addColumn<QString>("kryterium");
        QTest::addColumn<int>("naprzod"); // MoveNext calls before Find
        QTest::addColumn<QString>("kod"); // empty: EOF; "!": the criterion is refused
        QTest::newRow("leading blank") << "Adres= 5" << 0 << "R5";
        QTest::newRow("lower-case column, blanks") << "adres = 5 " << 0 << "R5";
        QTest::newRow("first match of two") << "Typ='regulator'" << 0 << "R7";
        QTest::newRow("text ignores letter case") << "kod='r15'" << 0 << "R15";
        QTest::newRow("real number") << "Adres=15.0" << 0 << "R15";
        QTest::newRow("no match") << "Adres= 1" << 0 << "";
        QTest::newRow("prefix is no match") << "Kod='R1'" << 0 << "";
        QTest::newRow("current row included") << "Adres= 5" << 1 << "R5";
        QTest::newRow("forward only: earlier row missed") << "Adres= 7" << 1 << "";
        QTest::newRow("unknown column") << "Adresik= 5" << 0 << "!";
        QTest::newRow("no operator") << "Adres 5" << 0 << "!";
        QTest::newRow("bare word") << "Kod=R5" << 0 << "!";
        QTest::newRow("unclosed quote") << "Kod='R5" << 0 << "!";
    }
    void find()
    {
        QFETCH(QString, kryterium);
        QFETCH(int, naprzod);
        QFETCH(QString, kod);
        Kursor k;
        for (int i = 0; i < naprzod; ++i)
            k.rs.MoveNext();
        if (kod == QLatin1String("!")) {
            QVERIFY_THROWS_EXCEPTION(BladBazy, k.rs.Find(kryterium));
            return;
        }
        k.rs.Find(kryterium);
        QCOMPARE(k.rs.EOF_(), kod.isEmpty());
        if (!kod.isEmpty())
            QCOMPARE(k.pole("Kod").toString(), kod);
    }

    void pole_nullReadsInvalid_namesAnyCase_unknownThrows()
    {
        Kursor k;
        QVERIFY(!k.pole("ProgPrad").isValid());
        QVERIFY(!k.pole("Opis").isValid());
        QCOMPARE(k.pole("typ").toString(), QStringLiteral("regulator"));
        QCOMPARE(k.pole("ADRES").toInt(), 7);
        QCOMPARE(k.pole("CzestOdczytu").toInt(), 1); // the column's default
        QVERIFY_THROWS_EXCEPTION(BladBazy, k.pole("Adresik"));
        k.rs.MoveNext();
        QCOMPARE(k.pole("opis").toString(), QStringLiteral("hala"));
    }

    void addNewUpdate_insertsTypedValues_andNewRowIsCurrent()
    {
        Kursor k(QStringLiteral("Pomiary"),
                 {QStringLiteral("INSERT INTO Pomiary (Adres, Data) VALUES (1, '2026-12-05 09:00:00')")});
        k.rs.AddNew();
        QVERIFY(!k.rs.EOF_());
        k.rs.ustaw(QStringLiteral("adres"), static_cast<short>(5));
        k.rs.ustaw(QStringLiteral("Data"), QVariant::fromValue(DataCzas::z(QDate(2026, 12, 5), QTime(10, 15, 30))));
        k.rs.ustaw(QStringLiteral("EnCzynna"), 0.1f);
        k.rs.ustaw(QStringLiteral("EnBiernaPoj"), 1);
        QCOMPARE(k.pole("Adres").toInt(), 5); // the pending value
        k.rs.Update();
        QCOMPARE(k.pole("Data").toString(), QStringLiteral("2026-12-05 10:15:30"));
        QCOMPARE(k.pole("EnCzynna").toDouble(), 0.1);
        QVERIFY(!k.pole("Napiecie").isValid());
        k.rs.MoveNext();
        QVERIFY(k.rs.EOF_());
        // REAL column keeps the integer 1 as 1.0.
        if (silnikTestu() == Silnik::SQLite)
            QCOMPARE(wierszeZapytania(k.cn, QStringLiteral("SELECT typeof(Adres), typeof(Data), typeof(EnBiernaPoj) "
                                                           "FROM Pomiary WHERE Adres = 5")),
                     (QList<QVariantList>{{"integer", "text", "real"}}));
    }

    void addNewUpdate_withoutAssignments_takesDefaults()
    {
        Kursor k(QStringLiteral("Log"));
        k.rs.AddNew();
        k.rs.Update();
        QVERIFY(!k.pole("Operacja").isValid());
        bool ok = false;
        DataCzas::zTekstu(k.pole("Czas").toString(), &ok);
        QVERIFY(ok);
    }

    void update_existingRow_changesOnlyAssignedColumns()
    {
        Kursor k;
        k.rs.Find(QStringLiteral("Adres= 5"));
        k.rs.ustaw(QStringLiteral("ProgPrad"), 120.0);
        k.rs.ustaw(QStringLiteral("Opis"), QVariant()); // back to null
        k.rs.Update();
        QCOMPARE(k.pole("Kod").toString(), QStringLiteral("R5")); // still on the row
        QCOMPARE(k.pole("ProgPrad").toDouble(), 120.0);
        QVERIFY(!k.pole("Opis").isValid());
        k.rs.Update(); // nothing pending: nothing happens
        k.rs.MoveFirst();
        QVERIFY(!k.pole("ProgPrad").isValid());
        QCOMPARE(k.kody(), (QStringList{"R7", "R5", "R15"}));
    }

    void changesMadeElsewhere_areSeen_updateOfDeletedRowThrows()
    {
        Kursor k;
        k.rs.ustaw(QStringLiteral("Opis"), QStringLiteral("x"));
        k.baza.wykonaj(QStringLiteral("DELETE FROM Regulatory WHERE Adres = 7"));
        QVERIFY_THROWS_EXCEPTION(BladBazy, k.rs.Update()); // never reported as saved
        k.baza.wykonaj(QStringLiteral("INSERT INTO Regulatory (Adres, Kod, Typ) VALUES (9, 'R9', 'regulator')"));
        QCOMPARE(k.kody(), (QStringList{"R5", "R15", "R9"}));
    }

    void failedInsert_throwsEngineCode_andNextAddNewStartsClean()
    {
        Kursor k(QStringLiteral("Pomiary"));
        k.rs.AddNew();
        k.rs.ustaw(QStringLiteral("Data"), QStringLiteral("2026-12-05 10:00:00"));
        try {
            k.rs.Update(); // Adres is NOT NULL
            QFAIL("no error");
        } catch (const BladBazy &e) {
            // SQLITE_CONSTRAINT_NOTNULL, SQLSTATE not_null_violation
            QCOMPARE(e.numer(), silnikTestu() == Silnik::SQLite ? 1299 : 23502);
            QVERIFY(e.opis().contains(QStringLiteral("Adres"), Qt::CaseInsensitive));
        }
        QVERIFY(k.rs.EOF_());
        k.rs.AddNew();
        k.rs.ustaw(QStringLiteral("Adres"), 3);
        k.rs.ustaw(QStringLiteral("Data"), QStringLiteral("2026-12-05 10:01:00"));
        k.rs.Update();
        QCOMPARE(wierszeZapytania(k.cn, QStringLiteral("SELECT Adres, Data FROM Pomiary")),
                 (QList<QVariantList>{{3, "2026-12-05 10:01:00"}}));
    }

    void delete_currentRow_thenStandsOnNextRow_orEof()
    {
        Kursor k;
        k.rs.Find(QStringLiteral("Adres= 5"));
        k.rs.Delete();
        QCOMPARE(k.pole("Kod").toString(), QStringLiteral("R15"));
        k.rs.Delete();
        QVERIFY(k.rs.EOF_());
        QCOMPARE(k.kody(), QStringList{"R7"});
    }

    void untypedTable_behavesLikeTypedOne()
    {
        if (silnikTestu() == Silnik::PostgreSQL)
            QSKIP("columns without a type are the file's");
        Kursor k(QStringLiteral("luzna"), {QStringLiteral("CREATE TABLE Luzna (Adres, Kod, Czas, Wartosc)"),
                                           QStringLiteral("INSERT INTO Luzna VALUES (15, 'A', NULL, NULL)")});
        k.rs.AddNew();
        k.rs.ustaw(QStringLiteral("ADRES"), 5);
        k.rs.ustaw(QStringLiteral("kod"), QStringLiteral("B"));
        k.rs.ustaw(QStringLiteral("czas"), QVariant::fromValue(DataCzas::z(QDate(2026, 12, 5), QTime(23, 59, 59))));
        k.rs.ustaw(QStringLiteral("Wartosc"), 2.5f);
        k.rs.Update();
        QCOMPARE(k.pole("Czas").toString(), QStringLiteral("2026-12-05 23:59:59"));
        k.rs.MoveFirst();
        QVERIFY(!k.pole("Czas").isValid());
        k.rs.Find(QStringLiteral("Adres= 5"));
        QCOMPARE(k.pole("Wartosc").toDouble(), 2.5);
        k.rs.MoveFirst();
        k.rs.Find(QStringLiteral("Kod='b'"));
        QCOMPARE(k.pole("Adres").toInt(), 5);
        k.rs.Delete();
        QVERIFY(k.rs.EOF_());
    }
};

QTEST_GUILESS_MAIN(TestRekordy)
#include "tst_rekordy.moc"
