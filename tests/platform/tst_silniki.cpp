// Every query the station sends (charts, reports, alarm archive, controller
// editor) and the dialect's forms, run on a real SQLite file and a real
// PostgreSQL server holding the same rows: the results must agree row by
// row, in order where the query orders its rows.

#include "baza/polaczenie.h"
#include "baza/zapytanie.h"
#include "db/clsregulatory.h"
#include "reports/archiwumalarmow.h"
#include "reports/danewykresu.h"
#include "reports/raport.h"
#include "testsupport.h"

#include <QCoreApplication>
#include <QTest>

#include <algorithm>
#include <cmath>

namespace
{

// The same rows on both engines, in the same order: readings of two
// controllers around the day boundaries of 5 December 2026 and in the hour
// summer time skips, inserted out of time order; alarms of which the first
// is acknowledged afterwards (on the server its row moves to the end).
const QStringList wiersze = {
    "INSERT INTO Regulatory (Adres, Kod, Typ, Opis) VALUES (5, 'R5', 'regulator', 'hala')",
    "INSERT INTO Regulatory (Adres, Kod, Typ, ProgPrad) VALUES (6, 'O''R', 'regulator', 120.5)",
    "INSERT INTO Regulatory (Adres, Kod, Typ) VALUES (9, 'L9', 'licznik')",
    "INSERT INTO Pomiary (Adres, Data, EnCzynna, EnBiernaCalk, EnBiernaPoj, Napiecie, PradCalk, Czestotliwosc) VALUES "
    "(5, '2026-12-05 12:00:00', 10, 4, -1.5, 231, 10.25, 50.01), "
    "(5, '2026-12-05 00:00:00', 0, 3, 1, 229.5, 9, 49.99), "
    "(5, '2026-12-04 23:59:59', 7, 7, 0, 230, 10, 50), "
    "(5, '2026-12-05 23:59:59', -20.5, 2.5, -0.25, NULL, 11, 50), "
    "(5, '2026-12-06 00:00:00', 100, 100, 0, 230, 10, 50), "
    "(6, '2026-12-05 10:00:00', 3, 1, 0, 400, 2, 50), "
    "(5, '2026-11-30 08:00:00', 1.1, 0.3, 0, 230, 10, 50), "
    "(5, '2026-12-01 08:00:00', 2.2, 0.7, 0, 230, 10, 50), "
    "(5, '2026-12-01 09:15:00', 0.1, 0.2, 0, 230, 10, 50), "
    "(5, '2026-03-29 02:30:00', 5, 5, 0, 230, 10, 50), "
    "(5, '2026-03-29 01:45:00', 4, 2, 0, 230, 10, 50)",
    "INSERT INTO Alarmy (Data, Typ, Tresc, Kod_Regul) VALUES "
    "('2026-12-05 00:00:00', 'R', 'a', 'R5'), ('2026-12-05 12:00:00', 'R', 'b', 'R5'), "
    "('2026-12-04 23:59:59', 'R', 'x', 'R5'), ('2026-12-05 23:59:59', 'R', 'c', 'R5'), "
    "('2026-12-05 10:00:00', 'R', 'd', 'O''R'), ('2026-12-06 00:00:00', 'R', 'e', 'R5')",
    "UPDATE Alarmy SET Data_potw = '2026-12-05 13:00:00' WHERE Tresc = 'a'",
    // With the tables' sizes known, the server reads small ones whole, in
    // the order their rows lie.
    "ANALYZE",
};

struct WynikZapytania {
    QStringList kolumny; // lower case
    QList<QVariantList> wiersze;
};

WynikZapytania wykonaj(const QString &polaczenieTekst, const QString &sql)
{
    Polaczenie cn;
    cn.Open(polaczenieTekst);
    Zapytanie z;
    z.Open(sql, cn);
    WynikZapytania w;
    for (const QString &k : z.kolumny())
        w.kolumny << k.toLower();
    for (z.MoveFirst(); !z.EOF_(); z.MoveNext()) {
        QVariantList r;
        for (const QString &k : z.kolumny())
            r << z.pole(k);
        w.wiersze << r;
    }
    return w;
}

bool liczba(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

QString tekst(const QVariant &v)
{
    if (!v.isValid())
        return QStringLiteral("NULL");
    return liczba(v) ? QString::number(v.toDouble(), 'g', 12) : QLatin1Char('"') + v.toString() + QLatin1Char('"');
}

// Sums may add up in another order: equal to twelve significant digits.
bool rowne(const QVariant &a, const QVariant &b)
{
    if (!a.isValid() || !b.isValid())
        return a.isValid() == b.isValid();
    if (liczba(a) && liczba(b))
        return std::fabs(a.toDouble() - b.toDouble()) <= 1e-12 * std::max(1.0, std::fabs(a.toDouble()));
    return a.toString() == b.toString();
}

// The server's columns that the file's result lacks (the server's row key
// under "Select *") are left out; every other column must be in both.
QList<QVariantList> wspolne(const WynikZapytania &w, const QStringList &kolumny)
{
    QList<QVariantList> r;
    for (const QVariantList &wiersz : w.wiersze) {
        QVariantList x;
        for (const QString &k : kolumny)
            x << wiersz.at(w.kolumny.indexOf(k));
        r << x;
    }
    return r;
}

QString opis(const QList<QVariantList> &w)
{
    QStringList linie;
    for (const QVariantList &r : w) {
        QStringList pola;
        for (const QVariant &v : r)
            pola << tekst(v);
        linie << pola.join(QLatin1Char('|'));
    }
    return linie.join(QLatin1Char('\n'));
}

} // namespace

class TestSilniki final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { POMIN_BEZ_SILNIKA(Silnik::PostgreSQL); }

    void queries_sameRowsOnBothEngines_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<int>("ile");          // rows expected
        QTest::addColumn<bool>("wKolejnosci"); // the caller takes the rows in the order they come
        const QDate d(2026, 12, 5);
        QTest::newRow("daily chart") << sqlWykresuDobowego(5, d) << 3 << true;
        QTest::newRow("daily chart, day summer time starts") << sqlWykresuDobowego(5, QDate(2026, 3, 29)) << 2 << true;
        QTest::newRow("reading before the day") << sqlPoprzedniegoPomiaru(5, d) << 1 << true;
        QTest::newRow("period chart") << sqlWykresuOkresowego(5, QDate(2026, 11, 30), d) << 4 << false;
        QTest::newRow("daily report") << sqlRaportuDobowego(d, 5) << 3 << true;
        QTest::newRow("periodic report") << sqlRaportuOkresowego(QDate(2026, 11, 30), d.addDays(1), 5) << 5 << false;
        QTest::newRow("alarm archive") << sqlArchiwumAlarmow("R5", d) << 3 << true;
        QTest::newRow("alarm archive, code with apostrophe") << sqlArchiwumAlarmow("O'R", d) << 1 << true;
        QTest::newRow("controller editor") << clsRegulatory::zapytanie() + " ORDER BY Adres" << 3 << true;
        // The dialect's forms beyond those texts.
        const QStringList wzory = {"dd/mm/yy",         "d.m.yy hh:nn:ss", "h:m:s", "yyyy-mm-dd hh:mm",
                                   "DD-MM-YYYY HH:NN", "hh:nn dd/mm",     "y",     "yy\"r.\" \\d",
                                   "ddmmyyyy"};
        for (const QString &w : wzory)
            QTest::newRow(qPrintable("Format " + w))
                << "Select Adres, Format(Data,'" + w + "') as f from Pomiary where Adres = 5" << 10 << false;
        QTest::newRow("IIf, real division, arithmetic")
            << "Select Adres, 7/2 as a, EnCzynna/4 as b, IIf(EnCzynna<>0, EnBiernaCalk/EnCzynna, 0) as t, "
               "(EnCzynna+EnBiernaCalk)/2/2 as c, IIf(Napiecie > 230, 'wys', \"nis\") as n from Pomiary"
            << 11 << false;
        QTest::newRow("date literal forms") << "Select count(*) as n, MIN(Data) as od, MAX(Data) as do_ from Pomiary "
                                               "where Data >= #2026-12-05# and Data < #12/06/2026# or "
                                               "Data >= #11/30/26# and Data < #12/01/26#"
                                            << 1 << false;
        QTest::newRow("date literal with time") << "Select Tresc from Alarmy where Data >= #12/5/2026 12:00# order by "
                                                   "Data"
                                                << 3 << true;
        QTest::newRow("bracketed names, double-quoted text")
            << "Select [Kod], [adres] from Regulatory where Typ = \"regulator\"" << 2 << false;
        QTest::newRow("nulls and empty results") << "Select Data_potw, Data_dezakt, Operator from Alarmy" << 6 << false;
        QTest::newRow("aggregates of nothing") << "Select SUM(EnCzynna) as s, MAX(Data) as m from Pomiary where "
                                                  "Adres = 77"
                                               << 1 << false;
    }
    void queries_sameRowsOnBothEngines()
    {
        QFETCH(QString, sql);
        QFETCH(int, ile);
        QFETCH(bool, wKolejnosci);
        BazaTestowa plik;
        BazaTestowa serwer(Silnik::PostgreSQL);
        plik.wykonaj(wiersze);
        serwer.wykonaj(wiersze);
        const WynikZapytania p = wykonaj(plik.polaczenieTekst, sql);
        const WynikZapytania s = wykonaj(serwer.polaczenieTekst, sql);
        for (const QString &k : p.kolumny)
            QVERIFY2(s.kolumny.contains(k), qPrintable("no column " + k + " on the server"));
        QList<QVariantList> wp = wspolne(p, p.kolumny);
        QList<QVariantList> ws = wspolne(s, p.kolumny);
        // Elsewhere the engine's order is no part of the result.
        if (!wKolejnosci) {
            const auto wgTekstu = [](const QVariantList &a, const QVariantList &b) { return opis({a}) < opis({b}); };
            std::sort(wp.begin(), wp.end(), wgTekstu);
            std::sort(ws.begin(), ws.end(), wgTekstu);
        }
        QCOMPARE(wp.size(), ile);
        bool zgodne = wp.size() == ws.size();
        for (qsizetype i = 0; zgodne && i < wp.size(); ++i)
            for (qsizetype j = 0; zgodne && j < wp.at(i).size(); ++j)
                zgodne = rowne(wp.at(i).at(j), ws.at(i).at(j));
        QVERIFY2(zgodne, qPrintable("file:\n" + opis(wp) + "\nserver:\n" + opis(ws)));
    }
};

int main(int argc, char **argv)
{
    // A zone with summer time: a driver that made local date-times of the
    // stored ones would lose 02:30 on 29 March.
    qputenv("TZ", "Europe/Warsaw");
    QCoreApplication app(argc, argv);
    TestSilniki t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_silniki.moc"
