// The operator's windows opened from the main window of a started station:
// the front panel and the data window from the toolbar, kept up to date by
// the hub; the archive, the editor and the structure tree from the menus;
// and an accessible name on every control of every window.
#include "admin/frmregulatory.h"
#include "alarms/fmalarmyarch.h"
#include "stanowiskogui.h"
#include "ui/main/diagnostyka.h"
#include "ui/main/okna.h"
#include "ui/main/panelstanu.h"
#include "views/fmpanel.h"
#include "views/fmstruktura.h"
#include "views/frmdane.h"
#include "widgets/ctldioda3d.h"
#include "widgets/ctlprzel.h"

#include <QAccessible>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

class TestOkna final : public QObject
{
    Q_OBJECT

    std::unique_ptr<StanowiskoGui> s;
    OknaOperatora *okna() { return s->glowny()->okna(); }
    QAction *przycisk(const char *klucz) { return s->glowny()->przycisk(QString::fromLatin1(klucz)); }
    void biezacy(int nr)
    {
        s->k().oApp.NrAktRegulatora = nr;
        s->k().oWizual.eZmianaRegulatora(nr);
    }

private Q_SLOTS:
    void init()
    {
        s = std::make_unique<StanowiskoGui>(2);
        QVERIFY(s->uruchom());
    }
    void cleanup()
    {
        zatrzymajObserwatorow();
        s.reset();
    }

    void panel_opensFromItsButton_followsTheHub_andKeepsItsSwitchesUntilTheHubSaysSent()
    {
        przycisk("Panel")->trigger();
        fmpanel *p = okna()->panel();
        QVERIFY(p && p->isVisible());
        QVERIFY(s->k().oApp.Loaded_Panel && s->menu("mnuRegulPanel")->isChecked());
        QCOMPARE(p->windowTitle(), QStringLiteral("Regulator 'R1'"));
        s->k().oRegulatory.Item(1).stan().StanDiod1 = 0xFE;
        s->k().oWizual.eNoweDane(1, QStringLiteral("O"));
        QVERIFY(p->ctlDioda1(0)->swieci());

        biezacy(2);
        QCOMPARE(p->windowTitle(), QStringLiteral("Regulator 'R2'"));
        s->k().oWizual.eZmianaTrybuSterowania(true);
        QVERIFY(p->cmdUstaw()->isVisibleTo(p));
        s->k().oRegulatory.Item(2).Zablokowany = true;
        s->k().oWizual.eBlokadaRegul(2, true, true);
        QCOMPARE(p->cmdBlokuj()->text(), QStringLiteral("Odblokuj"));
        QTest::mouseDClick(p->ctlPrzel1(5), Qt::LeftButton);
        // Until the setting has gone the selector stays as the operator set
        // it; the hub's notice for another controller leaves it so.
        s->k().oWizual.eUstawionoPrzelaczniki(1);
        QVERIFY(p->ctlPrzel1(5)->Zmieniony());
        s->k().oWizual.eUstawionoPrzelaczniki(2);
        QVERIFY(!p->ctlPrzel1(5)->Zmieniony());

        // Released, the button unloads the panel; its own close box releases the button.
        przycisk("Panel")->trigger();
        QVERIFY(!okna()->panel() && !s->k().oApp.Loaded_Panel);
        QVERIFY(!przycisk("Panel")->isChecked());
        przycisk("Panel")->trigger();
        qobject_cast<QMdiSubWindow *>(okna()->panel()->parentWidget())->close();
        QVERIFY(!przycisk("Panel")->isChecked() && !s->menu("mnuRegulPanel")->isChecked());
    }

    void dataWindow_opensFromItsButton_andItsRefreshFollowsMonitoring()
    {
        przycisk("Dane")->trigger();
        frmDane *d = okna()->dane();
        QVERIFY(d && d->isVisible() && s->k().oApp.Loaded_Dane);
        s->menu("mnuregulmonit")->trigger();
        s->k().oWizual.eNoweDane(1, QStringLiteral("O"));
        QVERIFY(!d->cmdOdswiez()->isEnabled());
        biezacy(2);
        QCOMPARE(d->windowTitle(), QStringLiteral("Dane regulatora 'R2'"));
        QVERIFY(d->cmdOdswiez()->isEnabled());
        d->close();
        QTRY_VERIFY(!okna()->dane() && !s->k().oApp.Loaded_Dane);
    }

    void archive_toolsOpenItEmpty_theControllerCommandLoadsTheCurrentOnesDay()
    {
        s->baza.wykonaj(QStringLiteral("INSERT INTO Alarmy (Data, Typ, Tresc, Kod_Regul) VALUES "
                                       "('2026-12-05 08:00:00', 'R', 'dzisiaj', 'R2'), "
                                       "('2026-12-04 08:00:00', 'R', 'wczoraj', 'R2')"));
        s->menu("mnuNarzAlarmy")->trigger();
        fmAlarmyArch *a = okna()->archiwum();
        QVERIFY(a && a->isVisible());
        QCOMPARE(a->lstAlarmy()->topLevelItemCount(), 0);
        a->dtData()->setDate(QDate(2026, 12, 1));
        biezacy(2);
        s->menu("mnuRegulAlarmy")->trigger();
        QCOMPARE(okna()->archiwum(), a);
        QCOMPARE(a->cmbRegul()->currentText(), QStringLiteral("R2"));
        QTRY_COMPARE(a->lstAlarmy()->topLevelItemCount(), 1);
        QCOMPARE(a->lstAlarmy()->topLevelItem(0)->text(2), QStringLiteral("dzisiaj"));
    }

    void editor_opensOnTheCurrentController_orANewRow_keepingUnsavedTyping()
    {
        biezacy(2);
        s->menu("mnuRegulEdytuj")->trigger();
        frmRegulatory *e = okna()->edytor();
        QVERIFY(e && e->isVisible());
        QCOMPARE(e->txtFields(12)->text(), QStringLiteral("R2"));
        QCOMPARE(e->txtFields(0)->text(), QStringLiteral("2"));
        QTest::keyClicks(e->txtFields(15), QStringLiteral("hala"));
        s->menu("mnuBDNowyRegul")->trigger(); // the typing would be lost: it stays
        QCOMPARE(okna()->edytor(), e);
        QCOMPARE(e->txtFields(12)->text(), QStringLiteral("R2"));
        e->Command2()->click(); // closed by itself: its frame goes too
        QTRY_COMPARE(s->glowny()->mdi()->subWindowList().size(), 2);
        s->menu("mnuBDNowyRegul")->trigger();
        e = okna()->edytor();
        QVERIFY(e && e->txtFields(12)->text().isEmpty());
        QCOMPARE(e->Combo()->currentText(), QStringLiteral("regulator"));
    }

    void komun_onlyInControlMode_releasedClosesThePortAndSaysSo()
    {
        QAction *komun = przycisk("Komun");
        QVERIFY(komun->isChecked() && !komun->isEnabled() && !s->menu("mnuNarzSzukaj")->isEnabled());
        s->k().oApp.TrybSterowania = true;
        s->k().oWizual.eZmianaTrybuSterowania(true);
        QVERIFY(komun->isEnabled() && s->menu("mnuNarzSzukaj")->isEnabled());
        komun->trigger();
        QVERIFY(s->k().linia.wstrzymana() && !s->k().oComm.port()->otwarty());
        QCOMPARE(s->glowny()->panel(4)->tekst(), QStringLiteral("wstrzymana"));
        QWidget *przyciskKomun = s->glowny()->findChild<QToolBar *>()->widgetForAction(komun);
        QCOMPARE(przyciskKomun->accessibleName(), QStringLiteral("Komunikacja wstrzymana"));
        komun->trigger();
        QTRY_VERIFY(!s->k().linia.wstrzymana());
        QVERIFY(s->k().oComm.port()->otwarty() && komun->isChecked());
        QCOMPARE(s->glowny()->panel(4)->tekst(), QString());
    }

    void everyControlOfEveryWindowHasAnAccessibleName()
    {
        przycisk("Panel")->trigger();
        przycisk("Dane")->trigger();
        for (const char *m : {"mnuNarzAlarmy", "mnuRegulEdytuj", "mnuStruktura", "mnuNarzPodglad", "mnuNarzStatystyka"})
            s->menu(m)->trigger();
        s->glowny()->diagnostyka()->pokazSzukaj();
        QVERIFY(okna()->struktura() && s->glowny()->diagnostyka()->podglad() && s->glowny()->diagnostyka()->szukaj());
        QStringList bez;
        for (QWidget *w : QApplication::allWidgets()) {
            // A box inside a date or list control speaks through its owner.
            const bool wewnetrzny = w->focusProxy() || (w->parentWidget() && w->parentWidget()->focusProxy() == w);
            if (!w->isVisible() || w->focusPolicy() == Qt::NoFocus || wewnetrzny)
                continue;
            QAccessibleInterface *i = QAccessible::queryAccessibleInterface(w);
            if (!i || i->text(QAccessible::Name).trimmed().isEmpty())
                bez << QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(' ') + w->objectName() +
                           QStringLiteral(" in ") + w->window()->objectName();
        }
        QVERIFY2(bez.isEmpty(), qPrintable(bez.join(QStringLiteral(", "))));
    }
};

QTEST_MAIN(TestOkna)
#include "tst_okna.moc"
