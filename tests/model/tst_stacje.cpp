// Several stations in one Regulatory table: which rows a station polls,
// the plant's list for the read-only windows, and one address used twice.

#include "admin/clsregulatory.h"
#include "model/ladowanie.h"
#include "stanowisko.h"

#include <QRegularExpression>
#include <QTest>

namespace
{
QString regulator(int adres, const QString &kod, const QString &stacja)
{
    return QStringLiteral("INSERT INTO Regulatory (Adres, Kod, Typ, Stacja) VALUES (%1, '%2', 'regulator', %3)")
        .arg(adres)
        .arg(kod, stacja);
}

QStringList kody(const colRegulatory &rej)
{
    QStringList w;
    for (const auto &r : rej)
        w << QStringLiteral("%1:%2").arg(r->Id).arg(r->Kod);
    return w;
}
} // namespace

class TestStacje final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Its own rows (any letter case) and those of no station, in table
    // order; the plant list has them at the same positions, then the rest.
    void ownAndUnassignedRowsPolled_plantListsEveryController()
    {
        StanowiskoModelu s;
        s.baza.wykonaj({regulator(1, "B1", "'beta'"), regulator(2, "A2", "'Alfa'"), regulator(3, "N3", "NULL"),
                        regulator(4, "B4", "'beta'"), regulator(5, "P5", "' '")});
        s.otworz();
        colRegulatory zaklad;
        WczytajRegulatory(s.rsRegulatory, s.rsOstPomiar, s.rejestr, s.komunikaty, "alfa", &zaklad);
        QCOMPARE(kody(s.rejestr), (QStringList{"1:A2", "2:N3", "3:P5"}));
        QCOMPARE(kody(zaklad), (QStringList{"1:A2", "2:N3", "3:P5", "4:B1", "5:B4"}));
        QVERIFY(s.komunikaty.pokazane.isEmpty());
    }

    // A file without the unique address index: two stations' controllers
    // at one address would mix their readings; the operator is told.
    void sharedAddress_toldOnce()
    {
        StanowiskoModelu s;
        s.baza.wykonaj(QStringLiteral("DROP INDEX Regulatory_Adres_regulatora"));
        s.baza.wykonaj({regulator(7, "A7", "'alfa'"), regulator(7, "B7", "'beta'")});
        s.otworz();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("A7 and B7 share the address 7"));
        WczytajRegulatory(s.rsRegulatory, s.rsOstPomiar, s.rejestr, s.komunikaty, "alfa");
        QCOMPARE(kody(s.rejestr), QStringList{"1:A7"});
        QCOMPARE(s.komunikaty.pokazane.size(), 1);
        QVERIFY(s.komunikaty.pokazane[0].tekst.contains("'A7' i 'B7' mają ten sam adres 7"));
    }

    // A controller added in the editor of a station is that station's.
    void editorsNewRow_carriesTheStation()
    {
        BazaTestowa baza;
        clsRegulatory d(baza.polaczenieTekst);
        d.ustawStacje("alfa");
        d.AddNew();
        for (const char *k :
             {"Adres", "Kod", "Typ", "CzestOdczytu", "CzestTrans", "NapieciePomiar", "Przekladnia", "PrzekladniaNap"})
            d.ustawPole(k, QStringLiteral("1"));
        d.Update();
        Polaczenie cn;
        cn.Open(baza.polaczenieTekst);
        QCOMPARE(wierszeZapytania(cn, "SELECT Stacja FROM Regulatory"), QList<QVariantList>{{"alfa"}});
    }
};

QTEST_GUILESS_MAIN(TestStacje)
#include "tst_stacje.moc"
