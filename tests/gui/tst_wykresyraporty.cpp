// The chart windows, the report dialogs and the preview as the operator
// uses them, and the main window's commands that open them.

#include "charts/dialograportu.h"
#include "charts/fmwykresy1.h"
#include "charts/fmwykresy2.h"
#include "charts/raporty.h"
#include "charts/wykresqt.h"
#include "stanowiskogui.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLegend>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>
#include <QValueAxis>

namespace
{

QStringList nazwySerii(const OknoWykresu &w)
{
    QStringList n;
    for (QAbstractSeries *s : w.findChild<QChartView *>("Wykres")->chart()->series())
        if (!n.contains(s->name()))
            n << s->name();
    return n;
}

QString tytul(const OknoWykresu &w)
{
    return w.findChild<QChartView *>("Wykres")->chart()->title();
}

// A read may end before the click that started it returns.
bool czekaj(QSignalSpy &sygnal)
{
    return !sygnal.isEmpty() || sygnal.wait(10000);
}

// Clicks a button of a chart window and waits for the draw it starts.
bool kliknijIRysuj(OknoWykresu &w, const char *przycisk)
{
    QSignalSpy narysowano(&w, &OknoWykresu::narysowano);
    w.findChild<QPushButton *>(przycisk)->click();
    return czekaj(narysowano);
}

} // namespace

class TestWykresyRaporty final : public QObject
{
    Q_OBJECT

    std::unique_ptr<BazaTestowa> baza;
    std::unique_ptr<KontekstTestowy> kt;
    Kontekst &k() { return *kt->k; }
    OknoWykresu::Zaleznosci zal() { return {k().oRegulatory, k().zrodloBazy, 2, k().zegar(), k().komunikaty()}; }

private Q_SLOTS:
    void init()
    {
        baza = std::make_unique<BazaTestowa>();
        baza->dodajPomiary({{"2", "2026-02-28 08:00:00", "10", "4"},
                            {"2", "2026-02-28 08:15:00", "12", "3"},
                            {"2", "2026-03-01 00:00:00", "5", "1"}});
        kt = std::make_unique<KontekstTestowy>();
        kt->zegarTestowy->ustaw(DataCzas::z(QDate(2026, 3, 1), QTime(10, 0)));
        k().oRegulatory.Add(1, "R1", "R1").CzestOdczytu = 15;
        k().oRegulatory.Add(2, "R2", "R2").CzestOdczytu = 15;
        k().zrodloBazy = ZrodloBazy::zTekstuPolaczenia(baza->polaczenieTekst);
    }
    void cleanup()
    {
        zatrzymajObserwatorow();
        kt.reset();
        baza.reset();
    }

    void dailyChart_loadsPreselected_drawsKindsAndStepsDays_savesPngAndCsv()
    {
        fmWykresy1 w(zal());
        w.show();
        QCOMPARE(w.windowTitle(), "Wykres dobowy");
        QCOMPARE(w.findChild<QComboBox *>("cmbRegul")->currentText(), "R2");
        QCOMPARE(w.findChild<QComboBox *>("cmbWyswietl")->currentText(), "Energia");
        QCOMPARE(w.dtData->date(), QDate(2026, 3, 1));
        QCOMPARE(w.findChild<QComboBox *>("cmbSiatka")->currentText(), "Y");
        QVERIFY(!w.wykres()->osX()->isGridLineVisible() && w.wykres()->osY()->isGridLineVisible());

        QCoro::waitFor(w.rysuj());
        QCOMPARE(nazwySerii(w), (QStringList{"Energia czynna", "Energia bierna"}));
        QCOMPARE(tytul(w), "Zużycie energi dla 'R2' z dnia 01/03/2026");

        // Back from 1 March is 28 February, drawn at once; another kind
        // waits for the next draw.
        QVERIFY(kliknijIRysuj(w, "btnLewo"));
        QCOMPARE(w.dtData->date(), QDate(2026, 2, 28));
        QCOMPARE(w.wykres()->widoczneEtykiety(), (QStringList{"08:00", "08:15"}));
        w.findChild<QComboBox *>("cmbWyswietl")->setCurrentIndex(1);
        QCOMPARE(nazwySerii(w), (QStringList{"Energia czynna", "Energia bierna"}));
        QVERIFY(kliknijIRysuj(w, "btnWykresl"));
        QCOMPARE(nazwySerii(w), QStringList{"tg fi"});
        QCOMPARE(tytul(w), "Wykres tg fi dla 'R2' z dnia 28/02/2026");

        // A day without readings: no rows, the titles stay.
        QVERIFY(kliknijIRysuj(w, "btnLewo"));
        QVERIFY(nazwySerii(w).isEmpty());
        QCOMPARE(tytul(w), "Wykres tg fi dla 'R2' z dnia 28/02/2026");
        QVERIFY(kliknijIRysuj(w, "btnPrawo"));

        w.findChild<QComboBox *>("cmbSiatka")->setCurrentText("X");
        QVERIFY(w.wykres()->osX()->isGridLineVisible() && !w.wykres()->osY()->isGridLineVisible());
        w.findChild<QComboBox *>("cmbSiatka")->setCurrentText("brak");
        QVERIFY(!w.wykres()->osX()->isGridLineVisible() && !w.wykres()->osY()->isGridLineVisible());
        w.findChild<QCheckBox *>("chkLegenda")->setChecked(false);
        QVERIFY(!w.findChild<QChartView *>("Wykres")->chart()->legend()->isVisible());

        QTemporaryDir katalog;
        QVERIFY(w.zapiszPng(katalog.filePath("w.png")));
        QVERIFY(!QImage(katalog.filePath("w.png")).isNull());
        QVERIFY(w.zapiszCsv(katalog.filePath("w.csv")));
        QFile csv(katalog.filePath("w.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QCOMPARE(csv.readAll(), "Data;tg fi\n2026-02-28 08:00:00;0,4\n2026-02-28 08:15:00;0,25\n");
    }

    void periodChart_monthStepClampsToMonthEnd_noControllerIsTold()
    {
        fmWykresy2 w(zal());
        QCOMPARE(w.dtData->date(), QDate(2026, 3, 1));
        QCOMPARE(w.findChild<QComboBox *>("cmbSiatka")->currentIndex(), -1);
        w.dtData->setDate(QDate(2026, 3, 31));
        w.dtDataDo->setDate(QDate(2026, 3, 31));
        QVERIFY(kliknijIRysuj(w, "btnLewo"));
        QCOMPARE(w.dtData->date(), QDate(2026, 2, 28));
        QCOMPARE(w.dtDataDo->date(), QDate(2026, 2, 28));
        QCOMPARE(w.dane().etykiety, QStringList{"28/02/26"});
        QCOMPARE(w.dane().serie.at(0).wartosci.value(0), 22.0);

        w.findChild<QComboBox *>("cmbRegul")->setCurrentIndex(-1);
        QCoro::waitFor(w.rysuj());
        QCOMPARE(kt->komunikaty->informacje.size(), 1);
        QCOMPARE(w.dane().etykiety, QStringList{"28/02/26"});
    }

    void reportDialogs_proposeDays_focusInOrder_okProducesReportAndStaysOpen()
    {
        Raporty raporty(k().oRegulatory, k().zrodloBazy, k().zegar(), k().komunikaty(), nullptr);
        QList<Raport> pokazane;
        raporty.podglad = [&pokazane](const Raport &r) { pokazane << r; };

        fmRapOkres okres(k().oRegulatory, 2, k().zegar(), raporty);
        // Opened on the 1st: the whole previous month up to today.
        QCOMPARE(okres.dtData->date(), QDate(2026, 2, 1));
        QCOMPARE(okres.dtDataDo->date(), QDate(2026, 3, 1));
        kt->zegarTestowy->ustaw(DataCzas::z(QDate(2026, 3, 5)));
        QCOMPARE(fmRapOkres(k().oRegulatory, 2, k().zegar(), raporty).dtData->date(), QDate(2026, 3, 1));

        fmRapDob d(k().oRegulatory, 2, k().zegar(), raporty);
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        QCOMPARE(d.windowTitle(), "Raport dobowy");
        QCOMPARE(QApplication::focusWidget(), d.cmbRegul);
        QList<QWidget *> kolejnosc;
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            kolejnosc << QApplication::focusWidget();
        }
        QCOMPARE(kolejnosc, (QList<QWidget *>{d.dtData, d.Command1, d.Command2}));

        d.dtData->setDate(QDate(2026, 2, 28));
        QSignalSpy koniec(&d, &DialogRaportu::zakonczono);
        d.Command1->click();
        QVERIFY(czekaj(koniec));
        QCOMPARE(pokazane.size(), 1);
        QCOMPARE(pokazane.first().tytul, "Raport dobowy");
        QCOMPARE(pokazane.first().podpisy.value("Tytul"), " regulatora 'R2'");
        QCOMPARE(pokazane.first().dane.liczbaWierszy(), 2);
        QVERIFY(d.isVisible() && d.Command1->isEnabled());

        d.cmbRegul->setCurrentIndex(-1);
        koniec.clear();
        d.Command1->click();
        QVERIFY(czekaj(koniec));
        QCOMPARE(pokazane.size(), 1);
        QCOMPARE(kt->komunikaty->informacje.size(), 1);
    }

    void mainWindowCommands_openOneInstanceEach_controllerCommandsUseCurrentController()
    {
        StanowiskoGui s(2);
        QVERIFY(s.uruchom());
        s.k().oApp.NrAktRegulatora = 2;
        fmGlowny *g = s.glowny();
        for (QAction *a : g->findChild<QToolBar *>(QStringLiteral("Toolbar"))->actions())
            QVERIFY2(!a->icon().isNull(), qPrintable(a->objectName())); // its picture is built in
        auto wykresy = [g] { return g->findChildren<fmWykresy1 *>(); };

        s.menu("mnuWykresDob")->trigger();
        QCOMPARE(wykresy().size(), 1);
        QCOMPARE(g->mdi()->activeSubWindow()->widget(), wykresy().first());
        QSignalSpy narysowano(wykresy().first(), &OknoWykresu::narysowano);
        wykresy().first()->dtData->setDate(QDate(2020, 1, 1));
        s.menu("mnyRegWykrDob")->trigger();
        QVERIFY(czekaj(narysowano));
        QCOMPARE(wykresy().size(), 1);
        QCOMPARE(wykresy().first()->dtData->date(), s.k().teraz().data());
        QCOMPARE(wykresy().first()->findChild<QComboBox *>("cmbRegul")->currentText(), "R2");

        s.menu("mnuWykresMies")->trigger();
        QCOMPARE(g->findChildren<fmWykresy2 *>().size(), 1);
        g->przycisk("RapDob")->trigger();
        g->przycisk("RapDob")->trigger();
        QCOMPARE(g->findChildren<fmRapDob *>().size(), 1);
        QVERIFY(g->findChildren<fmRapDob *>().first()->isVisible());
        s.menu("mnuRapOkresowy")->trigger();
        QCOMPARE(g->findChildren<fmRapOkres *>().size(), 1);

        // The current controller's daily report, in a maximised preview
        // that can save it as PDF.
        int podglady = 0;
        gdyOtwarte<QPrintPreviewDialog>(
            [](QPrintPreviewDialog *p) {
                QCOMPARE(p->windowTitle(), "Raport dobowy");
                QVERIFY(p->windowState() & Qt::WindowMaximized);
                QVERIFY(p->findChild<QAction *>("zapiszPdf"));
                p->close();
            },
            &podglady);
        s.menu("mnuRegRapDob")->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(podglady, 1, 10000);
    }
};

QTEST_MAIN(TestWykresyRaporty)
#include "tst_wykresyraporty.moc"
