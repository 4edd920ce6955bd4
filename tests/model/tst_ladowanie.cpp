// The registry load of the start-up, on real database files.

#include "model/ladowanie.h"
#include "pola.h"
#include "stanowisko.h"

#include <QRegularExpression>
#include <QTest>

namespace
{

QString regulator(int adres, const QString &kod, const QString &typ = QStringLiteral("regulator"))
{
    return QStringLiteral("INSERT INTO Regulatory (Adres, Kod, Typ) VALUES (%1, '%2', '%3')").arg(adres).arg(kod, typ);
}

// One line per loaded controller: Id, address, code and the position its
// key leads to, then the values kept from its last stored reading.
QStringList rejestr(const colRegulatory &rej)
{
    QStringList w;
    for (const auto &r : rej) {
        const clRegulator *klucz = rej.znajdz(r->Kod);
        w << QString::asprintf("%d %d '%s'->%d %g %g %g %d %s", r->Id, r->adres, qUtf8Printable(r->Kod),
                               klucz ? klucz->Id : 0, double(r->PopPradCzynny), double(r->PopPradBiernSr),
                               double(r->PopPradBiernPojSr), r->popTimerU,
                               r->OstatniOdczyt.nigdy() ? "-" : qUtf8Printable(r->OstatniOdczyt.tekstBazy()));
    }
    return w;
}

} // namespace

class TestLadowanie final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void rows_loadedAsRegistry_data()
    {
        QTest::addColumn<QStringList>("sql");
        QTest::addColumn<QStringList>("oczekiwany");
        QTest::addColumn<QString>("ostrzezenie");
        QTest::newRow("only the exact lower-case Typ, Ids gapless")
            << QStringList{regulator(11, "A"), regulator(12, "B", "Regulator"), regulator(13, "C", "licznik"),
                           regulator(14, "D"), regulator(15, "E", "REGULATOR"), regulator(16, "F", "regulator "),
                           regulator(17, "G")}
            << QStringList{"1 11 'A'->1 0 0 0 0 -", "2 14 'D'->2 0 0 0 0 -", "3 17 'G'->3 0 0 0 0 -"} << QString();
        QTest::newRow("no controller rows") << QStringList{regulator(1, "X", "stacja")} << QStringList() << QString();
        QTest::newRow("code trimmed and used as key")
            << QStringList{regulator(4, "  RB-12 ")} << QStringList{"1 4 'RB-12'->1 0 0 0 0 -"} << QString();
        // A file written by another tool may lack the unique index on the code.
        QTest::newRow("repeated code: loaded without a key, warned")
            << QStringList{"DROP INDEX Regulatory_Kod_regulatora", regulator(1, "K1"), regulator(2, " K1"),
                           regulator(3, "K3")}
            << QStringList{"1 1 'K1'->1 0 0 0 0 -", "2 2 'K1'->1 0 0 0 0 -", "3 3 'K3'->3 0 0 0 0 -"} << "K1.*repeats";
        QTest::newRow("OstPomiar rows found in any order")
            << QStringList{regulator(1, "R1"), regulator(2, "R2"), regulator(3, "R3"),
                           "INSERT INTO OstPomiar VALUES (3, 30.5, 31.25, -32.75, 300000, '2026-12-04 23:45:00')",
                           "INSERT INTO OstPomiar VALUES (1, 10.5, 11.25, -12.75, 100000, '2026-12-05 09:30:00')"}
            << QStringList{"1 1 'R1'->1 10.5 11.25 -12.75 100000 2026-12-05 09:30:00", "2 2 'R2'->2 0 0 0 0 -",
                           "3 3 'R3'->3 30.5 31.25 -32.75 300000 2026-12-04 23:45:00"}
            << QString();
        // A table edited by other tools may lack the NOT NULL rules: a copy
        // made with CREATE ... AS SELECT has none.
        QTest::newRow("NULLs in unguarded columns read as 0 and never")
            << QStringList{"ALTER TABLE Regulatory RENAME TO Stara",
                           "CREATE TABLE Regulatory AS SELECT * FROM Stara WHERE 0",
                           "DROP TABLE Stara",
                           "INSERT INTO Regulatory (Typ) VALUES ('regulator')",
                           regulator(7, "S"),
                           "INSERT INTO Regulatory (Adres, Kod, Typ) VALUES (8, 'T', NULL)",
                           "INSERT INTO OstPomiar (Adres) VALUES (7)"}
            << QStringList{"1 0 ''->0 0 0 0 0 -", "2 7 'S'->2 0 0 0 0 -"} << QString();
    }

    void rows_loadedAsRegistry()
    {
        QFETCH(QStringList, sql);
        QFETCH(QStringList, oczekiwany);
        QFETCH(QString, ostrzezenie);
        StanowiskoModelu s;
        s.baza.wykonaj(sql);
        if (!ostrzezenie.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(ostrzezenie));
        WczytajRegulatory(s.daneStartowe().regulatory, s.daneStartowe().ostPomiar, s.rejestr, s.komunikaty);
        QCOMPARE(rejestr(s.rejestr), oczekiwany);
    }

    void columns_copiedIntoRecord_data()
    {
        QTest::addColumn<QString>("kolumny");
        QTest::addColumn<QString>("wartosci");
        QTest::addColumn<QString>("oczekiwane");
        // Two columns feed fields of other names: CzestTrans and ProgTgFi.
        QTest::newRow("configuration")
            << "CzestOdczytu, CzestTrans, Przekladnia, PrzekladniaNap, ProgNapiecie, ProgPrad, ProgTgFiMin, ProgTgFi"
            << "15, 60, 40.5, 3, 440.5, 125, -0.25, 0.4"
            << "CzestOdczytu=15 CzestZapisu=60 Przekladnia=40.5 PrzekladniaNap=3 ProgNapiecie=440.5 ProgPrad=125 "
               "ProgTgFiMin=-0.25 ProgTgFiMax=0.4";
        QTest::newRow("100 V class") << "NapieciePomiar"
                                     << "100"
                                     << "NapieciePomiar=100 SkalaNapiecia=0.25";
        QTest::newRow("230 V: no class") << "NapieciePomiar"
                                         << "230"
                                         << "NapieciePomiar=230 SkalaNapiecia=0";
        QTest::newRow("380 V class") << "NapieciePomiar"
                                     << "380"
                                     << "NapieciePomiar=380 SkalaNapiecia=1";
        QTest::newRow("500 V class") << "NapieciePomiar"
                                     << "500"
                                     << "NapieciePomiar=500 SkalaNapiecia=1.25";
    }

    void columns_copiedIntoRecord()
    {
        QFETCH(QString, kolumny);
        QFETCH(QString, wartosci);
        QFETCH(QString, oczekiwane);
        StanowiskoModelu s;
        s.baza.wykonaj(QStringLiteral("INSERT INTO Regulatory (Adres, Kod, Typ, %1) VALUES (9, 'K', 'regulator', %2)")
                           .arg(kolumny, wartosci));
        WczytajRegulatory(s.daneStartowe().regulatory, s.daneStartowe().ostPomiar, s.rejestr, s.komunikaty);
        QCOMPARE(s.rejestr.Count(), 1);
        porownajPola(s.rejestr.Item(1), oczekiwane);
    }

    // An address no frame carries, or a measuring-voltage class that reads
    // as zeros: loaded, logged, and the operator told once at start.
    void addressOffTheBusOrUnknownVoltageClass_loadedButReportedOnce()
    {
        StanowiskoModelu s;
        s.baza.wykonaj(QStringLiteral("DROP INDEX Regulatory_Adres_regulatora"));
        s.baza.wykonaj({regulator(300, QStringLiteral("A")), regulator(-1, QStringLiteral("B")),
                        regulator(5, QStringLiteral("C")),
                        QStringLiteral("INSERT INTO Regulatory (Adres, Kod, Typ, NapieciePomiar) VALUES "
                                       "(6, 'D', 'regulator', 400), (7, 'E', 'regulator', 230)")});
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("A has the address 300")));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("B has the address -1")));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("D .*NapieciePomiar 400")));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("E .*NapieciePomiar 230")));
        WczytajRegulatory(s.daneStartowe().regulatory, s.daneStartowe().ostPomiar, s.rejestr, s.komunikaty);
        QCOMPARE(rejestr(s.rejestr).mid(0, 3),
                 (QStringList{"1 300 'A'->1 0 0 0 0 -", "2 -1 'B'->2 0 0 0 0 -", "3 5 'C'->3 0 0 0 0 -"}));
        const auto &m = s.komunikaty.pokazane;
        QCOMPARE(m.size(), 3);
        QVERIFY2(m.at(2).tekst.startsWith(QStringLiteral("Regulatory o nieznanym napięciu pomiarowym: 'D' (400 V), "
                                                         "'E' (230 V).")),
                 qPrintable(m.at(2).tekst));
        QCOMPARE(m.at(0).tekst,
                 QStringLiteral("Regulator 'A' (Adres= 300) ma adres spoza zakresu 0..255 i nie będzie odczytywany."));
        QCOMPARE(m.at(1).tekst.left(25), QStringLiteral("Regulator 'B' (Adres=-1) "));
    }

    void thresholds_nullNeverAlarms_zeroIsAThreshold()
    {
        StanowiskoModelu s;
        s.baza.wykonaj({regulator(1, QStringLiteral("N")),
                        QStringLiteral("INSERT INTO Regulatory (Adres, Kod, Typ, ProgNapiecie, ProgPrad, ProgTgFiMin, "
                                       "ProgTgFi) VALUES (2, 'Z', 'regulator', 0, 0, 0, 0)")});
        WczytajRegulatory(s.daneStartowe().regulatory, s.daneStartowe().ostPomiar, s.rejestr, s.komunikaty);
        // tg fi can be negative: an unset lower threshold must lie below any of it.
        for (int i : {1, 2}) {
            clRegulator &r = s.rejestr.Item(i);
            r.PradBierny = 1.0e6f;
            r.Napiecie = 1.0e5f;
            r.TgFi = -5000.0f;
            s.alarmyRegulatorow.sprawdzProgi(r);
        }
        QCOMPARE(s.alarmy.Count(), 3);
        for (int i = 1; i <= 3; ++i)
            QCOMPARE(s.alarmy.wiersz(i).nrRegul.trimmed(), QStringLiteral("2"));
    }
};

QTEST_GUILESS_MAIN(TestLadowanie)
#include "tst_ladowanie.moc"
