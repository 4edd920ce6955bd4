#include "testsupport.h"

#include <QSignalSpy>
#include <QTest>

// What the event hub tells the views.
class TestWizual final : public QObject
{
    Q_OBJECT

    static QString ostatniTekst(const QSignalSpy &s, int panel)
    {
        for (auto it = s.crbegin(); it != s.crend(); ++it)
            if (it->at(0).toInt() == panel)
                return it->at(1).toString();
        return QStringLiteral("<none>");
    }

private Q_SLOTS:
    void activityTextNamesTheController_data()
    {
        QTest::addColumn<int>("operacja");
        QTest::addColumn<QString>("tekst");
        QTest::newRow("reading") << 0 << QStringLiteral("Oczytuję okresowe dane z regulatora 'R1' ...");
        QTest::newRow("switch on") << 1 << QStringLiteral("Załączam stopień regulatora 'R1' ...");
        QTest::newRow("switch off") << 2 << QStringLiteral("Wyłączam stopień regulatora 'R1' ...");
        QTest::newRow("block") << 3 << QStringLiteral("Blokuję regulator 'R1' ...");
        QTest::newRow("unblock") << 4 << QStringLiteral("Odblokowuję regulator 'R1' ...");
    }
    void activityTextNamesTheController()
    {
        QFETCH(int, operacja);
        QFETCH(QString, tekst);
        KontekstTestowy t;
        t.k->oRegulatory.Add(7, QStringLiteral("R1"), QStringLiteral("R1")).Id = 1;
        clsWizual &h = t.k->oWizual;
        QSignalSpy s(&h, &clsWizual::panelTekst);
        const auto wywolaj = [&](bool trwa) {
            switch (operacja) {
            case 0:
                h.eOkresowyOdczyt(1, trwa);
                break;
            case 1:
                h.eZalaczanieBaterii(1, trwa);
                break;
            case 2:
                h.eWylaczanieBaterii(1, trwa);
                break;
            case 3:
                h.eBlokowanieRegul(1, true, trwa);
                break;
            default:
                h.eBlokowanieRegul(1, false, trwa);
                break;
            }
        };
        wywolaj(true);
        QCOMPARE(ostatniTekst(s, 1), tekst);
        wywolaj(false);
        QCOMPARE(ostatniTekst(s, 1), QString());
    }

    void onlySuccessfulExchangeResetsCommunicationPanel()
    {
        KontekstTestowy t;
        QSignalSpy teksty(&t.k->oWizual, &clsWizual::panelTekst);
        QSignalSpy obrazy(&t.k->oWizual, &clsWizual::panelObraz);
        t.k->oWizual.eKomunikacja(1);
        t.k->oWizual.eKomunikacja(2);
        QCOMPARE(teksty.size() + obrazy.size(), 0);
        t.k->oWizual.eKomunikacja(0);
        QCOMPARE(ostatniTekst(teksty, 4), QString());
        QCOMPARE(ostatniTekst(obrazy, 4), clsWizual::obrazBezczynny());
    }

    void newDataOnlyForTypeO()
    {
        KontekstTestowy t;
        clRegulator &r = t.k->oRegulatory.Add(7, QStringLiteral("R1"), QStringLiteral("R1"));
        r.Id = 1;
        r.stan().StanDiod1 = 0xFB; // stage 3 on
        r.stan().StanDiod2 = 0xFF;
        QSignalSpy obrazy(&t.k->oWizual, &clsWizual::wezelObraz);
        QSignalSpy kolory(&t.k->oWizual, &clsWizual::wezelKolor);
        t.k->oWizual.eNoweDane(1, QStringLiteral("o"));
        QCOMPARE(obrazy.size(), 0);
        t.k->oWizual.eNoweDane(1, QStringLiteral("O"));
        QCOMPARE(obrazy.first().at(0).toString(), QStringLiteral("R1"));
        QCOMPARE(obrazy.first().at(1).toInt(), 2);
        QCOMPARE(obrazy.size(), 10);
        // Stage node keys carry the number with its leading blank.
        QCOMPARE(kolory.at(2).at(0).toString(), QStringLiteral("R1_b 3"));
        QCOMPARE(kolory.at(2).at(1).toInt(), 255);
        QCOMPARE(obrazy.at(3).at(1).toInt(), 5);
        QCOMPARE(kolory.at(0).at(1).toInt(), 0);
        QCOMPARE(obrazy.at(1).at(1).toInt(), 6);
    }

    void frontPanelRefreshOnlyForCurrentController()
    {
        KontekstTestowy t;
        t.k->oRegulatory.Add(1, QStringLiteral("A"), QStringLiteral("A")).Id = 1;
        t.k->oRegulatory.Add(2, QStringLiteral("B"), QStringLiteral("B")).Id = 2;
        t.k->oApp.NrAktRegulatora = 1;
        t.k->oApp.Loaded_Panel = true;
        t.k->oApp.Loaded_Dane = true;
        QSignalSpy panel(&t.k->oWizual, &clsWizual::odswiezPanel);
        QSignalSpy dane(&t.k->oWizual, &clsWizual::odswiezDane);
        t.k->oWizual.eNoweDane(2, QStringLiteral("O"));
        QCOMPARE(panel.size(), 0);
        QCOMPARE(dane.size(), 1);
        t.k->oWizual.eNoweDane(1, QStringLiteral("O"));
        QCOMPARE(panel.size(), 1);
    }

    void alarmChangeWithOnlyActiveAlarmsStopsTimersButShowsPicture()
    {
        KontekstTestowy t;
        t.k->oApp.IloscNiePotwAlarmow = 0;
        t.k->oApp.IloscAktywnychAlarmow = 2;
        t.k->harmonogram.Timer2().start();
        t.k->harmonogram.Timer3().start();
        t.k->oWizual.eZmianaAlarmow();
        QVERIFY(!t.k->harmonogram.Timer2().isActive());
        QVERIFY(!t.k->harmonogram.Timer3().isActive());
        QVERIFY(t.k->oWizual.panel3MaObraz());
    }

    void blockingStatePlaysItsSoundAndRenamesMenu()
    {
        KontekstTestowy t;
        t.k->oRegulatory.Add(1, QStringLiteral("A"), QStringLiteral("A")).Id = 1;
        QSignalSpy podpisy(&t.k->oWizual, &clsWizual::menuPodpis);
        t.k->oWizual.eBlokadaRegul(1, true, true);
        t.k->oWizual.eBlokadaRegul(1, false);
        t.k->oWizual.eBlokadaRegul(1, false, true);
        QCOMPARE(t.dzwiek->zagrane,
                 (QStringList{QStringLiteral("zablokregul.wav"), QStringLiteral("odblokregul.wav")}));
        QCOMPARE(podpisy.at(0).at(1).toString(), QStringLiteral("&Odblokuj regulator"));
        QCOMPARE(podpisy.at(1).at(1).toString(), QStringLiteral("&Zablokuj regulator"));
    }

    void stageSelectionRenamesSwitchCommand()
    {
        KontekstTestowy t;
        clRegulator &r = t.k->oRegulatory.Add(1, QStringLiteral("A"), QStringLiteral("A"));
        r.Id = 1;
        r.stan().StanDiod2 = 0x7F; // stage 9 on
        r.stan().StanDiod1 = 0xFF;
        QSignalSpy podpisy(&t.k->oWizual, &clsWizual::menuPodpis);
        t.k->oWizual.eZmianaBaterii(1, 9);
        t.k->oWizual.eZmianaBaterii(1, 1);
        QCOMPARE(podpisy.at(0).at(1).toString(), QStringLiteral("&Wyłącz stopień"));
        QCOMPARE(podpisy.at(1).at(1).toString(), QStringLiteral("&Załącz stopień"));
    }
};

QTEST_GUILESS_MAIN(TestWizual)
#include "tst_wizual.moc"
