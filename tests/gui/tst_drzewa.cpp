// The two trees as the operator uses them: the controller tree of a started
// station (clicks, right clicks, keys, what the hub shows on it) and the
// structure tree from Hierarchia, including the rows it has no rule for.
#include "baza/polaczenie.h"
#include "stanowiskogui.h"
#include "views/fmregulatory.h"
#include "views/fmstruktura.h"

#include <QMenu>
#include <QTest>
#include <QTreeWidget>

class TestDrzewa final : public QObject
{
    Q_OBJECT

    std::unique_ptr<StanowiskoGui> s;

    fmRegulatory *drzewo() { return s->u->oknoRegulatorow(); }
    QTreeWidgetItem *wezel(const QString &klucz) { return drzewo()->wezel(klucz); }
    void kliknij(const QString &klucz, Qt::MouseButton przycisk = Qt::LeftButton)
    {
        QTreeWidget *t = drzewo()->Tree();
        QTreeWidgetItem *w = wezel(klucz);
        QVERIFY2(w, qPrintable(klucz));
        t->scrollToItem(w);
        QTest::mouseClick(t->viewport(), przycisk, {}, t->visualItemRect(w).center());
    }
    // The menu open as a popup, closed again so the next step starts clean.
    static QMenu *zamknijMenu()
    {
        auto *m = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (m)
            m->close();
        return m;
    }
    static QStringList dzieci(const QTreeWidgetItem *w)
    {
        QStringList d;
        for (int i = 0; i < w->childCount(); ++i)
            d << w->child(i)->text(0);
        return d;
    }

private Q_SLOTS:
    void cleanup()
    {
        zatrzymajObserwatorow();
        s.reset();
    }

    void controllerTree_clicksSelectControllersAndStages_rightClicksOpenTheirMenus()
    {
        s = std::make_unique<StanowiskoGui>(2);
        QVERIFY(s->uruchom());
        QTreeWidgetItem *korzen = drzewo()->Tree()->topLevelItem(0);
        QCOMPARE(korzen->text(0), QStringLiteral("System Tolvek"));
        QCOMPARE(dzieci(korzen), QStringList{"Regulatory"});
        QCOMPARE(dzieci(wezel("Reg")), (QStringList{"R1", "R2"}));
        QCOMPARE(wezel("R2_b 9")->text(0), QStringLiteral("stopień  9"));
        QCOMPARE(wezel("R2_b 9")->parent(), wezel("R2"));
        QCOMPARE(fmRegulatory::obraz(wezel("R2")), 2);
        QCOMPARE(fmRegulatory::obraz(wezel("R2_b 1")), 6);

        kliknij("R2");
        QCOMPARE(s->k().oApp.NrAktRegulatora, 2);
        QVERIFY(!zamknijMenu());
        kliknij("R2", Qt::RightButton);
        QCOMPARE(zamknijMenu(), s->glowny()->menuRegulatora());
        kliknij("Reg", Qt::RightButton);
        QCOMPARE(zamknijMenu(), s->glowny()->menuBazy());

        // A stage of another controller makes that controller current too.
        s->k().oRegulatory.Item(1).stan().StanDiod1 = 0xFB; // stage 3 on
        kliknij("R1_b 3", Qt::RightButton);
        QCOMPARE(zamknijMenu(), s->glowny()->menuStopnia());
        QCOMPARE(s->k().oApp.NrAktRegulatora, 1);
        QCOMPARE(s->k().oApp.NrAktBaterii, 3);
        QCOMPARE(s->menu("mnuRegulBatZal")->text(), QStringLiteral("&Wyłącz stopień"));
        s->k().oWizual.eZmianaTrybuSterowania(true);
        s->menu("mnuRegulBatZal")->trigger();
        QCOMPARE(s->k().oKolejka.Count(), 1);
        const clsPozKolejki &p = *s->k().oKolejka.begin();
        const auto *stopien = std::get_if<polecenia::UstawKondensator>(&p.polecenie);
        QVERIFY(p.NrRegul == 1 && stopien && stopien->NrDiody == 2 && !stopien->Wlacz);

        // With the keys, as with the mouse.
        wezel("R1")->setExpanded(false);
        drzewo()->Tree()->setFocus();
        drzewo()->Tree()->setCurrentItem(wezel("R1"));
        QTest::keyClick(drzewo()->Tree(), Qt::Key_Down);
        QCOMPARE(s->k().oApp.NrAktRegulatora, 2);
        QCOMPARE(s->k().oApp.NrAktBaterii, 0); // the stage was the other controller's
    }

    void controllerTree_showsBlockingAndStagesAsTheHubTellsIt()
    {
        s = std::make_unique<StanowiskoGui>(1);
        // A second "R1", from a file without the unique index: its node is "#2".
        s->baza.wykonaj({QStringLiteral("DROP INDEX Regulatory_Kod_regulatora"),
                         QStringLiteral("INSERT INTO Regulatory (Adres, Kod, Typ) VALUES (2, 'R1', 'regulator')")});
        QVERIFY(s->uruchom());
        clRegulator &r = s->k().oRegulatory.Item(1);
        r.Zablokowany = true;
        r.stan().StanDiod1 = 0xFE; // stage 1 on
        r.stan().StanDiod2 = 0xFF;
        s->k().oWizual.eNoweDane(1, QStringLiteral("O"));
        QCOMPARE(fmRegulatory::obraz(wezel("R1")), 4);
        QCOMPARE(fmRegulatory::obraz(wezel("R1_b 1")), 5);
        QCOMPARE(wezel("R1_b 1")->foreground(0).color(), QColor(Qt::red));
        QCOMPARE(fmRegulatory::obraz(wezel("R1_b 2")), 6);
        QCOMPARE(wezel("R1_b 2")->foreground(0).color(), QColor(Qt::black));
        s->k().oWizual.eBlokadaRegul(1, false, false);
        QCOMPARE(fmRegulatory::obraz(wezel("R1")), 2);
        // An active alarm colours the controller until it ends.
        s->k().listaAlarmow.NowyAlarm(s->k().teraz(), 1, 100, QString());
        QCOMPARE(wezel("R1")->foreground(0).color(), QColor(Qt::red));
        s->k().listaAlarmow.DezaktywujAlarm(1);
        QCOMPARE(wezel("R1")->foreground(0).style(), Qt::NoBrush);
        // The second "R1"'s alarm colours its own node, not the first one's.
        s->k().listaAlarmow.NowyAlarm(s->k().teraz(), 2, 100, QString());
        QCOMPARE(wezel("#2")->foreground(0).color(), QColor(Qt::red));
        QCOMPARE(wezel("R1")->foreground(0).style(), Qt::NoBrush);
    }

    // Each row hangs under its parent; a parent no row names is made once;
    // an empty parent, the row itself or a loop leave it under the root; a
    // repeated code is shown once, as its first row says.
    void structureTree_placesEveryRowItCan()
    {
        BazaTestowa b;
        b.wykonaj(QStringLiteral("DROP INDEX Hierarchia_kod_obiektu"));
        const char *wiersze[][3] = {
            {"Zakład", "Korzen", "O"},
            {"R1", "Hala", "R"},
            {"R2", "Hala", "R"},
            {"Hala", "Zakład", "O"},
            {"Pompa", "Kotłownia", "O"},
            {"Wentylator", "Kotłownia", "O"},
            {"Sam", "Sam", "O"},
            {"Bez", "", "O"},
            {"A", "B", "O"},
            {"B", "A", "O"},
            {"R1", "Zakład", "O"},
        };
        for (const auto &w : wiersze)
            b.wykonaj(QStringLiteral("INSERT INTO Hierarchia VALUES ('%1', '%2', '%3')")
                          .arg(QString::fromUtf8(w[0]), QString::fromUtf8(w[1]), QLatin1String(w[2])));
        const ZrodloBazy zrodlo = ZrodloBazy::zTekstuPolaczenia(b.polaczenieTekst);
        KomunikatyTestowe komunikaty;
        fmStruktura okno(zrodlo, komunikaty);
        QCoro::waitFor(okno.LadujObiekty());

        QTreeWidgetItem *korzen = okno.Tree()->topLevelItem(0);
        QCOMPARE(okno.Tree()->topLevelItemCount(), 1);
        QCOMPARE(dzieci(korzen), (QStringList{"Zakład", "Sam", "Bez", "B", "Kotłownia"}));
        QCOMPARE(dzieci(okno.wezel("Zakład")), QStringList{"Hala"});
        QCOMPARE(dzieci(okno.wezel("Hala")), (QStringList{"R1", "R2"}));
        QCOMPARE(dzieci(okno.wezel("Kotłownia")), (QStringList{"Pompa", "Wentylator"}));
        QCOMPARE(dzieci(okno.wezel("B")), QStringList{"A"});
        QCOMPARE(fmStruktura::obraz(okno.wezel("R1")), 3);
        QCOMPARE(fmStruktura::obraz(okno.wezel("Kotłownia")), 2);
        QVERIFY(korzen->isExpanded() && okno.wezel("Zakład")->isExpanded());
        QVERIFY(komunikaty.pokazane.isEmpty());
    }
};

QTEST_MAIN(TestDrzewa)
#include "tst_drzewa.moc"
