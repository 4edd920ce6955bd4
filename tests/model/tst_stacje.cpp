// Several stations in one Regulatory table: which rows a station polls, the
// plant's list for the read-only windows, one address used twice, and the
// station of a controller added in the editor.

#include "db/clsregulatory.h"
#include "model/ladowanie.h"
#include "stanowisko.h"

#include <QRegularExpression>
#include <QTest>

class TestStacje final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Its own rows (any letter case) and those of no station polled; the
    // plant list has them at the same positions, then the rest. Without the
    // unique address index two stations' controllers at one address would
    // mix their readings: the operator is told.
    void ownRowsPolled_plantListed_sharedAddressTold()
    {
        StanowiskoModelu s;
        s.baza.wykonaj(QStringLiteral("DROP INDEX Regulatory_Adres_regulatora"));
        QStringList sql;
        for (const char *w : {"1, 'B1', 'beta'", "2, 'A2', 'Alfa'", "3, 'N3', NULL", "2, 'B4', 'beta'", "5, 'P5', ' '"})
            sql << QStringLiteral("INSERT INTO Regulatory (Adres, Kod, Stacja, Typ) VALUES (%1, 'regulator')").arg(w);
        s.baza.wykonaj(sql);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("A2 and B4 share the address 2"));
        colRegulatory zaklad;
        WczytajRegulatory(s.daneStartowe().regulatory, s.daneStartowe().ostPomiar, s.rejestr, s.komunikaty, "alfa",
                          &zaklad);
        QStringList kody;
        for (const colRegulatory *rej : {&s.rejestr, &zaklad})
            for (const auto &r : *rej)
                kody << QStringLiteral("%1:%2").arg(r->Id).arg(r->Kod);
        QCOMPARE(kody, (QStringList{"1:A2", "2:N3", "3:P5", "1:A2", "2:N3", "3:P5", "4:B1", "5:B4"}));
        QCOMPARE(s.komunikaty.pokazane.size(), 1);
        QVERIFY(s.komunikaty.pokazane[0].tekst.contains("'A2' i 'B4' mają ten sam adres 2"));
    }

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
