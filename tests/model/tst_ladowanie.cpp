// The registry load of the start-up, on real database files.

#include "model/ladowanie.h"
#include "stanowisko.h"

#include <QRegularExpression>
#include <QTest>

namespace {

// A "Regulatory" row with the required columns; extra columns as SQL text.
QString regulator(int adres, const QString &kod, const QString &typ, const QString &kolumny = {},
                  const QString &wartosci = {})
{
    return QStringLiteral("INSERT INTO Regulatory (Adres, Kod, Typ%1) VALUES (%2, '%3', '%4'%5)")
        .arg(kolumny.isEmpty() ? QString() : QStringLiteral(", ") + kolumny)
        .arg(adres)
        .arg(kod, typ, wartosci.isEmpty() ? QString() : QStringLiteral(", ") + wartosci);
}

QString ostPomiar(int adres, double czynny, double biernSr, double biernPojSr, int timerU, const QString &czas)
{
    return QStringLiteral("INSERT INTO OstPomiar (Adres, PopPradCzynny, PopPradBiernSr, PopPradBiernPojSr, "
                          "PopTimerU, Czas) VALUES (%1, %2, %3, %4, %5, '%6')")
        .arg(adres)
        .arg(czynny)
        .arg(biernSr)
        .arg(biernPojSr)
        .arg(timerU)
        .arg(czas);
}

} // namespace

class TestLadowanie final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void typ_onlyExactLowerCaseRegulator_idsStayGapless();
    void noRegulatorRows_emptyRegistry();
    void ostPomiar_foundInAnyRowOrder_missingRowLeavesZeros();
    void configuration_copiedFromItsColumns();
    void thresholds_nullMeansNeverCrossed();
    void voltageClass_setsScale_data();
    void voltageClass_setsScale();
    void kod_trimmedAndUsedAsKey();
    void kod_repeated_laterRowLoadedWithoutKeyAndWarned();
    void nullInUnguardedColumns_readAsZeroAndNever();
};

void TestLadowanie::typ_onlyExactLowerCaseRegulator_idsStayGapless()
{
    StanowiskoModelu s;
    s.baza.wykonaj({regulator(11, QStringLiteral("A"), QStringLiteral("regulator")),
                    regulator(12, QStringLiteral("B"), QStringLiteral("Regulator")),
                    regulator(13, QStringLiteral("C"), QStringLiteral("licznik")),
                    regulator(14, QStringLiteral("D"), QStringLiteral("regulator")),
                    regulator(15, QStringLiteral("E"), QStringLiteral("REGULATOR")),
                    regulator(16, QStringLiteral("F"), QStringLiteral("regulator ")),
                    regulator(17, QStringLiteral("G"), QStringLiteral("regulator"))});
    s.otworz();
    WczytajRegulatory(s.k);

    QCOMPARE(s.k.oRegulatory.Count(), 3);
    const int adresy[] = {11, 14, 17};
    const char *kody[] = {"A", "D", "G"};
    for (int i = 1; i <= 3; ++i) {
        const clRegulator &r = s.k.oRegulatory.Item(i);
        QCOMPARE(r.Id, i);
        QCOMPARE(r.adres, adresy[i - 1]);
        QCOMPARE(r.Kod, QLatin1String(kody[i - 1]));
    }
    QVERIFY(s.k.oRegulatory.znajdz(QStringLiteral("B")) == nullptr);
}

void TestLadowanie::noRegulatorRows_emptyRegistry()
{
    StanowiskoModelu s;
    s.baza.wykonaj(regulator(1, QStringLiteral("X"), QStringLiteral("stacja")));
    s.otworz();
    WczytajRegulatory(s.k);
    QCOMPARE(s.k.oRegulatory.Count(), 0);
}

void TestLadowanie::ostPomiar_foundInAnyRowOrder_missingRowLeavesZeros()
{
    StanowiskoModelu s;
    // OstPomiar rows in the reverse order of the controllers.
    s.baza.wykonaj({regulator(1, QStringLiteral("R1"), QStringLiteral("regulator")),
                    regulator(2, QStringLiteral("R2"), QStringLiteral("regulator")),
                    regulator(3, QStringLiteral("R3"), QStringLiteral("regulator")),
                    ostPomiar(3, 30.5, 31.25, -32.75, 300000, QStringLiteral("2026-12-04 23:45:00")),
                    ostPomiar(1, 10.5, 11.25, -12.75, 100000, QStringLiteral("2026-12-05 09:30:00"))});
    s.otworz();
    WczytajRegulatory(s.k);

    const clRegulator &r1 = s.k.oRegulatory.Item(1);
    QCOMPARE(r1.PopPradCzynny, 10.5f);
    QCOMPARE(r1.PopPradBiernSr, 11.25f);
    QCOMPARE(r1.PopPradBiernPojSr, -12.75f);
    QCOMPARE(r1.popTimerU, 100000);
    QCOMPARE(r1.OstatniOdczyt.tekstBazy(), QStringLiteral("2026-12-05 09:30:00"));
    QVERIFY(r1.NastepnyOdczyt.nigdy()); // due at the first tick

    const clRegulator &r2 = s.k.oRegulatory.Item(2);
    QCOMPARE(r2.PopPradCzynny, 0.0f);
    QCOMPARE(r2.popTimerU, 0);
    QVERIFY(r2.OstatniOdczyt.nigdy());

    const clRegulator &r3 = s.k.oRegulatory.Item(3);
    QCOMPARE(r3.PopPradCzynny, 30.5f);
    QCOMPARE(r3.PopPradBiernPojSr, -32.75f);
    QCOMPARE(r3.popTimerU, 300000);
    QCOMPARE(r3.OstatniOdczyt.tekstBazy(), QStringLiteral("2026-12-04 23:45:00"));
}

void TestLadowanie::configuration_copiedFromItsColumns()
{
    StanowiskoModelu s;
    QStringList nazwy{QStringLiteral("CzestOdczytu"), QStringLiteral("CzestTrans"), QStringLiteral("Przekladnia"),
                      QStringLiteral("PrzekladniaNap"), QStringLiteral("ProgNapiecie"), QStringLiteral("ProgPrad"),
                      QStringLiteral("ProgTgFiMin"), QStringLiteral("ProgTgFi")};
    QStringList wartosci{QStringLiteral("15"), QStringLiteral("60"), QStringLiteral("40.5"), QStringLiteral("3"),
                         QStringLiteral("440.5"), QStringLiteral("125"), QStringLiteral("-0.25"),
                         QStringLiteral("0.4")};
    const QStringList granice{QStringLiteral("EnCzynnaMin"),     QStringLiteral("EnCzynnaMax"),
                              QStringLiteral("EnBiernaCalkMin"), QStringLiteral("EnBiernaCalkMax"),
                              QStringLiteral("EnBiernaPojMin"),  QStringLiteral("EnBiernaPojMax"),
                              QStringLiteral("NapiecieMin"),     QStringLiteral("NapiecieMax"),
                              QStringLiteral("PradCzynnyMin"),   QStringLiteral("PradCzynnyMax"),
                              QStringLiteral("PradBiernyMin"),   QStringLiteral("PradBiernyMax"),
                              QStringLiteral("PradCalkMin"),     QStringLiteral("PradCalkMax"),
                              QStringLiteral("CzestotliwoscMin"), QStringLiteral("CzestotliwoscMax")};
    for (int i = 0; i < granice.size(); ++i) {
        nazwy << granice[i];
        wartosci << QString::number(i + 1.5);
    }
    s.baza.wykonaj(regulator(9, QStringLiteral("K"), QStringLiteral("regulator"), nazwy.join(QLatin1Char(',')),
                             wartosci.join(QLatin1Char(','))));
    s.otworz();
    WczytajRegulatory(s.k);

    const clRegulator &r = s.k.oRegulatory.Item(1);
    QCOMPARE(r.CzestOdczytu, 15);
    QCOMPARE(r.CzestZapisu, 60);
    QCOMPARE(r.Przekladnia, 40.5f);
    QCOMPARE(r.PrzekladniaNap, 3);
    QCOMPARE(r.ProgNapiecie, 440.5f);
    QCOMPARE(r.ProgPrad, 125.0f);
    QCOMPARE(r.ProgTgFiMin, -0.25f);
    QCOMPARE(r.ProgTgFiMax, 0.4f);
    const float odczytane[] = {r.EnCzynnaMin,     r.EnCzynnaMax,     r.EnBiernaCalkMin, r.EnBiernaCalkMax,
                               r.EnBiernaPojMin,  r.EnBiernaPojMax,  r.NapiecieMin,     r.NapiecieMax,
                               r.PradCzynnyMin,   r.PradCzynnyMax,   r.PradBiernyMin,   r.PradBiernyMax,
                               r.PradCalkMin,     r.PradCalkMax,     r.CzestotliwoscMin, r.CzestotliwoscMax};
    for (int i = 0; i < 16; ++i)
        QCOMPARE(odczytane[i], static_cast<float>(i + 1.5));
}

void TestLadowanie::thresholds_nullMeansNeverCrossed()
{
    StanowiskoModelu s;
    s.baza.wykonaj({regulator(1, QStringLiteral("N"), QStringLiteral("regulator")),
                    regulator(2, QStringLiteral("Z"), QStringLiteral("regulator"),
                              QStringLiteral("ProgNapiecie, ProgPrad, ProgTgFiMin, ProgTgFi"),
                              QStringLiteral("0, 0, 0, 0"))});
    s.otworz();
    WczytajRegulatory(s.k);

    const clRegulator &n = s.k.oRegulatory.Item(1);
    QCOMPARE(n.ProgNapiecie, 1.0e9f);
    QCOMPARE(n.ProgPrad, 1.0e9f);
    QCOMPARE(n.ProgTgFiMax, 1.0e9f);
    // tg fi can be negative: the lower threshold lies far below any of it.
    QVERIFY(n.ProgTgFiMin <= -1.0e9f);

    // A configured 0 is a threshold, not a missing one.
    const clRegulator &z = s.k.oRegulatory.Item(2);
    QCOMPARE(z.ProgNapiecie, 0.0f);
    QCOMPARE(z.ProgPrad, 0.0f);
    QCOMPARE(z.ProgTgFiMin, 0.0f);
    QCOMPARE(z.ProgTgFiMax, 0.0f);
}

void TestLadowanie::voltageClass_setsScale_data()
{
    QTest::addColumn<int>("klasa");
    QTest::addColumn<float>("skala");
    QTest::newRow("100 V") << 100 << 0.25f;
    QTest::newRow("230 V: unknown") << 230 << 0.0f;
    QTest::newRow("380 V") << 380 << 1.0f;
    QTest::newRow("500 V") << 500 << 1.25f;
}

void TestLadowanie::voltageClass_setsScale()
{
    QFETCH(int, klasa);
    QFETCH(float, skala);
    StanowiskoModelu s;
    s.baza.wykonaj(regulator(1, QStringLiteral("K"), QStringLiteral("regulator"), QStringLiteral("NapieciePomiar"),
                             QString::number(klasa)));
    s.otworz();
    WczytajRegulatory(s.k);
    QCOMPARE(s.k.oRegulatory.Item(1).NapieciePomiar, klasa);
    QCOMPARE(s.k.oRegulatory.Item(1).SkalaNapiecia, skala);
}

void TestLadowanie::kod_trimmedAndUsedAsKey()
{
    StanowiskoModelu s;
    s.baza.wykonaj(regulator(4, QStringLiteral("  RB-12 "), QStringLiteral("regulator")));
    s.otworz();
    WczytajRegulatory(s.k);
    QCOMPARE(s.k.oRegulatory.Item(1).Kod, QStringLiteral("RB-12"));
    QCOMPARE(&s.k.oRegulatory.Item(QStringLiteral("RB-12")), &s.k.oRegulatory.Item(1));
}

void TestLadowanie::kod_repeated_laterRowLoadedWithoutKeyAndWarned()
{
    StanowiskoModelu s;
    // A file written by another tool may lack the unique index on the code.
    s.baza.wykonaj({QStringLiteral("DROP INDEX IF EXISTS Regulatory_Kod_regulatora"),
                    regulator(1, QStringLiteral("K1"), QStringLiteral("regulator")),
                    regulator(2, QStringLiteral(" K1"), QStringLiteral("regulator")),
                    regulator(3, QStringLiteral("K3"), QStringLiteral("regulator"))});
    s.otworz();
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("K1.*repeats")));
    WczytajRegulatory(s.k);

    QCOMPARE(s.k.oRegulatory.Count(), 3);
    QCOMPARE(s.k.oRegulatory.Item(QStringLiteral("K1")).adres, 1);
    const clRegulator &drugi = s.k.oRegulatory.Item(2);
    QCOMPARE(drugi.Kod, QStringLiteral("K1"));
    QCOMPARE(drugi.adres, 2);
    QCOMPARE(drugi.Id, 2);
    QCOMPARE(s.k.oRegulatory.Item(QStringLiteral("K3")).Id, 3);
}

void TestLadowanie::nullInUnguardedColumns_readAsZeroAndNever()
{
    StanowiskoModelu s;
    // A table edited by other tools may lack the NOT NULL rules.
    s.baza.wykonaj({QStringLiteral("DROP TABLE Regulatory"),
                    QStringLiteral("CREATE TABLE Regulatory (Adres INTEGER, Kod TEXT, Typ TEXT, CzestOdczytu INTEGER, "
                                   "CzestTrans INTEGER, NapieciePomiar INTEGER, ProgNapiecie REAL, ProgPrad REAL, "
                                   "ProgTgFiMin REAL, ProgTgFi REAL, Przekladnia REAL, PrzekladniaNap INTEGER, "
                                   "EnCzynnaMin REAL, EnCzynnaMax REAL, EnBiernaCalkMin REAL, EnBiernaCalkMax REAL, "
                                   "EnBiernaPojMin REAL, EnBiernaPojMax REAL, NapiecieMin REAL, NapiecieMax REAL, "
                                   "PradCzynnyMin REAL, PradCzynnyMax REAL, PradBiernyMin REAL, PradBiernyMax REAL, "
                                   "PradCalkMin REAL, PradCalkMax REAL, CzestotliwoscMin REAL, "
                                   "CzestotliwoscMax REAL)"),
                    QStringLiteral("INSERT INTO Regulatory (Typ) VALUES ('regulator')"),
                    QStringLiteral("INSERT INTO Regulatory (Adres, Kod, Typ) VALUES (7, 'S', 'regulator')"),
                    QStringLiteral("INSERT INTO Regulatory (Adres, Kod, Typ) VALUES (8, 'T', NULL)"),
                    QStringLiteral("INSERT INTO OstPomiar (Adres) VALUES (7)")});
    s.otworz();
    WczytajRegulatory(s.k);

    QCOMPARE(s.k.oRegulatory.Count(), 2);
    const clRegulator &pusty = s.k.oRegulatory.Item(1);
    QCOMPARE(pusty.Kod, QString());
    QCOMPARE(pusty.adres, 0);
    QCOMPARE(pusty.CzestOdczytu, 0);
    QCOMPARE(pusty.Przekladnia, 0.0f);
    QCOMPARE(pusty.CzestotliwoscMax, 0.0f);
    QVERIFY(s.k.oRegulatory.znajdz(QString()) == nullptr);

    const clRegulator &s7 = s.k.oRegulatory.Item(QStringLiteral("S"));
    QCOMPARE(s7.Id, 2);
    QCOMPARE(s7.popTimerU, 0);
    QCOMPARE(s7.PopPradCzynny, 0.0f);
    QVERIFY(s7.OstatniOdczyt.nigdy());
}

QTEST_GUILESS_MAIN(TestLadowanie)
#include "tst_ladowanie.moc"
