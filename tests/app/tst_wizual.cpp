#include "app/clsoapp.h"
#include "app/clswizual.h"
#include "db/bufor.h"
#include "db/clsbd.h"
#include "model/colregulatory.h"
#include "model/listaalarmow.h"
#include "testsupport.h"

#include <QSignalSpy>
#include <QTest>

#include <functional>

// What the event hub tells the views.
class TestWizual final : public QObject
{
    Q_OBJECT

    // The hub and what it reads; the alarm list has no database here.
    struct Hub {
        colRegulatory rejestr;
        clsoApp app;
        ZegarTestowy zegar;
        KomunikatyTestowe komunikaty;
        BuforZapisu bufor; // never opened: journal rows fail, the board goes on
        clsBD bd{bufor, zegar};
        ListaAlarmow lista{rejestr, bd, zegar, komunikaty};
        DzwiekTestowy dzwiek;
        clsWizual w{rejestr, app, lista, dzwiek};
    };

    static QString ostatniTekst(const QSignalSpy &s, int panel)
    {
        for (auto it = s.crbegin(); it != s.crend(); ++it)
            if (it->at(0).toInt() == panel)
                return it->at(1).toString();
        return QStringLiteral("<none>");
    }

private Q_SLOTS:
    // Each operation names its controller while it runs and clears the text
    // when it ends.
    void activityTextNamesTheControllerUntilTheEnd()
    {
        Hub t;
        t.rejestr.Add(7, QStringLiteral("R1"), QStringLiteral("R1")).Id = 1;
        clsWizual &h = t.w;
        QSignalSpy s(&h, &clsWizual::panelTekst);
        const std::pair<std::function<void(bool)>, const char *> operacje[] = {
            {[&h](bool trwa) { h.eOkresowyOdczyt(1, trwa); }, "Oczytuję okresowe dane z regulatora 'R1' ..."},
            {[&h](bool trwa) { h.eZalaczanieBaterii(1, trwa); }, "Załączam stopień regulatora 'R1' ..."},
            {[&h](bool trwa) { h.eWylaczanieBaterii(1, trwa); }, "Wyłączam stopień regulatora 'R1' ..."},
            {[&h](bool trwa) { h.eBlokowanieRegul(1, true, trwa); }, "Blokuję regulator 'R1' ..."},
            {[&h](bool trwa) { h.eBlokowanieRegul(1, false, trwa); }, "Odblokowuję regulator 'R1' ..."}};
        for (const auto &[wywolaj, tekst] : operacje) {
            wywolaj(true);
            QCOMPARE(ostatniTekst(s, 1), QString::fromUtf8(tekst));
            wywolaj(false);
            QCOMPARE(ostatniTekst(s, 1), QString());
        }
    }

    void onlySuccessfulExchangeResetsCommunicationPanel()
    {
        Hub t;
        QSignalSpy teksty(&t.w, &clsWizual::panelTekst);
        QSignalSpy obrazy(&t.w, &clsWizual::panelObraz);
        t.w.eKomunikacja(1);
        t.w.eKomunikacja(2);
        QCOMPARE(teksty.size() + obrazy.size(), 0);
        t.w.eKomunikacja(0);
        QCOMPARE(ostatniTekst(teksty, 4), QString());
        QCOMPARE(ostatniTekst(obrazy, 4), clsWizual::obrazBezczynny());
    }

    void alarmPictureWhileAnyAlarmIsActiveOrUnacknowledged()
    {
        Hub t;
        t.lista.NowyAlarm(t.zegar.teraz(), 1, 100, QString());
        t.lista.NowyAlarm(t.zegar.teraz(), 1, 201, QString());
        t.lista.Potwierdz(1);
        t.lista.Potwierdz(2); // none unacknowledged, two active
        t.w.eZmianaAlarmow();
        QVERIFY(t.w.panel3MaObraz());
        t.lista.DezaktywujAlarm(1);
        t.lista.DezaktywujAlarm(2);
        t.w.eZmianaAlarmow();
        QVERIFY(!t.w.panel3MaObraz());
    }

    // The block and stage commands act on the current controller: their
    // captions follow its state, not that of every controller read.
    void commandCaptionsFollowTheCurrentController()
    {
        Hub t;
        t.rejestr.Add(1, QStringLiteral("A"), QStringLiteral("A")).Id = 1;
        clRegulator &b = t.rejestr.Add(2, QStringLiteral("B"), QStringLiteral("B"));
        b.Id = 2;
        b.stan().StanDiod1 = 0xFF;
        b.stan().StanDiod2 = 0x7F; // stage 9 on
        t.app.NrAktRegulatora = 1;
        QSignalSpy podpisy(&t.w, &clsWizual::menuPodpis);
        auto podpis = [&podpisy](const char *nazwa) {
            for (auto it = podpisy.crbegin(); it != podpisy.crend(); ++it)
                if (it->at(0).toString() == QLatin1String(nazwa))
                    return it->at(1).toString();
            return QStringLiteral("<none>");
        };
        t.w.eBlokadaRegul(1, true, true);
        t.w.eBlokadaRegul(2, false, true); // another controller, read unblocked
        QCOMPARE(t.dzwiek.zagrane, (QStringList{QStringLiteral("zablokregul.wav"), QStringLiteral("odblokregul.wav")}));
        QCOMPARE(podpis("mnuRegulZablok"), QStringLiteral("&Odblokuj regulator"));
        t.w.eBlokadaRegul(1, false);
        QCOMPARE(t.dzwiek.zagrane.size(), 2);
        QCOMPARE(podpis("mnuRegulZablok"), QStringLiteral("&Zablokuj regulator"));

        b.Zablokowany = true;
        t.app.NrAktRegulatora = 2;
        t.app.NrAktBaterii = 9;
        t.w.eZmianaRegulatora(2);
        QCOMPARE(podpis("mnuRegulZablok"), QStringLiteral("&Odblokuj regulator"));
        QCOMPARE(podpis("mnuRegulBatZal"), QStringLiteral("&Wyłącz stopień"));
        b.stan().StanDiod2 = 0xFF; // switched off
        t.w.eNoweDane(2, QStringLiteral("O"));
        QCOMPARE(podpis("mnuRegulBatZal"), QStringLiteral("&Załącz stopień"));
        t.w.eZmianaBaterii(2, 9);
        QCOMPARE(podpis("mnuRegulBatZal"), QStringLiteral("&Załącz stopień"));
        b.stan().StanDiod1 = 0xFE; // stage 1 on
        t.w.eZmianaBaterii(2, 1);
        QCOMPARE(podpis("mnuRegulBatZal"), QStringLiteral("&Wyłącz stopień"));
    }
};

QTEST_GUILESS_MAIN(TestWizual)
#include "tst_wizual.moc"
