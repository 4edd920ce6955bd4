// The station's SQL dialect on SQLite: the translation of date literals and
// "/", the format() of dates, and the query cursor over it (every query of
// the station runs in tst_silniki, on both engines).

#include "baza/bladbazy.h"
#include "baza/funkcjesql.h"
#include "baza/polaczenie.h"
#include "baza/zapytanie.h"
#include "testsupport.h"

#include <QTest>

class TestDialekt final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void przetlumacz_data()
    {
        QTest::addColumn<QString>("jet");
        QTest::addColumn<QString>("sqlite"); // "!": refused
        const char *wiersze[][3] = {
            {"iso date", "Data >=#2026-12-05#", "Data >='2026-12-05 00:00:00'"},
            {"month first, 4-digit year", "Data < #12/06/2026#", "Data < '2026-12-06 00:00:00'"},
            {"single digits, time", "#1/2/2026 7:05#", "'2026-01-02 07:05:00'"},
            {"chain keeps grouping", "(a+b)/c/d", "(a+b)*1.0/c*1.0/d"},
            {"quoted text untouched", "format(Data,'dd/mm/yy') = '#1/2/3#'", "format(Data,'dd/mm/yy') = '#1/2/3#'"},
            {"doubled quote inside text", "Kod = 'O''Brien/1'", "Kod = 'O''Brien/1'"},
            {"double-quoted text becomes a string", "Kod = \"R'1/2\"", "Kod = 'R''1/2'"},
            {"bracketed name untouched", "[a/b]", "[a/b]"},
            {"day before month", "Data >= #25/12/2026#", "!"},
            {"31 November", "#11/31/2026#", "!"},
            {"unclosed literal", "Data >= #12/05/2026", "!"},
            {"words in a literal", "#jutro#", "!"},
        };
        for (const auto &w : wiersze)
            QTest::newRow(w[0]) << QString::fromUtf8(w[1]) << QString::fromUtf8(w[2]);
    }
    void przetlumacz()
    {
        QFETCH(QString, jet);
        QFETCH(QString, sqlite);
        if (sqlite == QLatin1String("!"))
            QVERIFY_THROWS_EXCEPTION(BladBazy, przetlumaczSql(jet));
        else
            QCOMPARE(przetlumaczSql(jet), sqlite);
    }

    // A two-digit year lies at most 80 years back and 19 ahead of this one.
    void twoDigitYearsInAWindowAroundThisYear_data()
    {
        QTest::addColumn<int>("rokBiezacy");
        QTest::addColumn<QString>("literal");
        QTest::addColumn<QString>("data");
        QTest::newRow("2026: this year") << 2026 << "12/05/26"
                                         << "2026-12-05 00:00:00";
        QTest::newRow("2026: 19 years ahead") << 2026 << "01/02/45"
                                              << "2045-01-02 00:00:00";
        QTest::newRow("2026: 80 years back") << 2026 << "01/02/46"
                                             << "1946-01-02 00:00:00";
        QTest::newRow("2026: 00") << 2026 << "01/02/00"
                                  << "2000-01-02 00:00:00";
        QTest::newRow("2035: 30 is no longer 1930") << 2035 << "03/01/30"
                                                    << "2030-03-01 00:00:00";
        QTest::newRow("2090: 09 is 2109") << 2090 << "03/01/09"
                                          << "2109-03-01 00:00:00";
        QTest::newRow("2090: 10 is 2010") << 2090 << "03/01/10"
                                          << "2010-03-01 00:00:00";
        QTest::newRow("four digits are never moved") << 2026 << "03/01/1930"
                                                     << "1930-03-01 00:00:00";
    }
    void twoDigitYearsInAWindowAroundThisYear()
    {
        QFETCH(int, rokBiezacy);
        QFETCH(QString, literal);
        QFETCH(QString, data);
        QCOMPARE(literalDaty(literal, rokBiezacy), std::optional<QString>(data));
        QCOMPARE(przetlumaczSql(QLatin1Char('#') + literal + QLatin1Char('#'), Silnik::SQLite, rokBiezacy),
                 QLatin1Char('\'') + data + QLatin1Char('\''));
    }

    void formatDaty_data()
    {
        QTest::addColumn<QString>("wartosc");
        QTest::addColumn<QString>("wzor");
        QTest::addColumn<QString>("wynik");
        const char *t = "2026-03-05 07:08:09";
        const char *wiersze[][4] = {
            {"dd/mm/yy: mm is the month", t, "dd/mm/yy", "05/03/26"},
            {"single letters", t, "d.m.yy", "5.3.26"},
            {"hh:mm: mm after the hour is minutes", t, "hh:mm", "07:08"},
            {"h:m:s", t, "h:m:s", "7:8:9"},
            {"nn and ss", t, "yyyy-mm-dd hh:nn:ss", "2026-03-05 07:08:09"},
            {"capital letters", t, "DD-MM-YYYY HH:NN", "05-03-2026 07:08"},
            {"month after minutes", t, "hh:nn dd/mm", "07:08 05/03"},
            {"date-only value", "2026-12-05", "dd/mm/yy hh:nn", "05/12/26 00:00"},
            {"T separator, fraction", "2026-12-05T23:59:59.500", "hh:nn:ss", "23:59:59"},
            {"not a date", "abc", "dd", "<brak>"},
            {"month 13", "2026-13-01", "dd", "<brak>"},
            {"hour 25", "2026-12-05 25:00:00", "dd", "<brak>"},
        };
        for (const auto &w : wiersze)
            QTest::newRow(w[0]) << QString::fromUtf8(w[1]) << QString::fromUtf8(w[2]) << QString::fromUtf8(w[3]);
    }
    void formatDaty()
    {
        QFETCH(QString, wartosc);
        QFETCH(QString, wzor);
        QFETCH(QString, wynik);
        QCOMPARE(formatujDateJet(wartosc, wzor).value_or(QStringLiteral("<brak>")), wynik);
    }

    void connection_hasOurFormat_iif_andRealDivision()
    {
        BazaTestowa b;
        Polaczenie cn;
        cn.Open(b.polaczenieTekst);
        // The engine's own format() is printf-like: it would give the
        // pattern back instead of the date.
        QCOMPARE(wierszeZapytania(cn, QStringLiteral("Select format('2026-12-05 10:15:30','dd/mm/yy'), "
                                                     "Format('2026-12-05 10:15:30','hh:mm'), format(NULL,'dd'), "
                                                     "format('x','dd'), 7/2, IIf(0<>0, 1/0, -1), iif(NULL, 1, 2)")),
                 (QList<QVariantList>{{"05/12/26", "10:15", QVariant(), "x", 3.5, -1, 2}}));
    }

    void query_nullsReadInvalid_unknownColumnAndBadSqlThrow()
    {
        BazaTestowa b;
        Polaczenie cn;
        cn.Open(b.polaczenieTekst);
        Zapytanie z;
        z.Open(QStringLiteral("Select * from Pomiary"), cn);
        QCOMPARE(z.RecordCount(), 0);
        QVERIFY(z.EOF_());
        QVERIFY_THROWS_EXCEPTION(BladBazy, z.pole(QStringLiteral("Adres")));
        QVERIFY_THROWS_EXCEPTION(BladBazy, z.pole(QStringLiteral("Nieistniejaca")));
        try {
            z.Open(QStringLiteral("Select * from Pomiar"), cn);
            QFAIL("no error");
        } catch (const BladBazy &e) {
            QCOMPARE(e.numer(), 1);
            QVERIFY(e.opis().contains(QStringLiteral("Pomiar")));
        }
        QVERIFY(!z.otwarte());
        z.Open(QStringLiteral("Select NULL as n, '' as p"), cn);
        QVERIFY(!z.pole(QStringLiteral("n")).isValid());
        QVERIFY(z.pole(QStringLiteral("p")).isValid());
        cn.Close();
        QVERIFY_THROWS_EXCEPTION(BladBazy, z.Open(QStringLiteral("Select 1"), cn));
    }
};

QTEST_GUILESS_MAIN(TestDialekt)
#include "tst_dialekt.moc"
