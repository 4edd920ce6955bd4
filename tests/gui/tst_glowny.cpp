// The main window as the operator meets it: the status bar, the control
// mode with its login, the commands on the current controller and the close
// confirmation.
#include "admin/fmlogin.h"
#include "stanowiskogui.h"
#include "ui/main/panelstanu.h"
#include "views/fmregulatory.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

class TestGlowny final : public QObject
{
    Q_OBJECT

    std::unique_ptr<StanowiskoGui> s;

    void uruchom(int regulatorow = 2)
    {
        s = std::make_unique<StanowiskoGui>(regulatorow);
        QVERIFY(s->uruchom());
    }
    KomunikatyTestowe &komunikaty() { return *s->kt.komunikaty; }
    clRegulator &regulator(int nr) { return s->k().oRegulatory.Item(nr); }

    // Logs in through the real dialog: types the name and password, presses
    // OK and, if the dialog is still open afterwards, gives up with Anuluj.
    void zaloguj(const QString &uzytkownik, const QString &haslo, bool *zostaloOtwarte = nullptr)
    {
        gdyOtwarte<fmLogin>([uzytkownik, haslo, zostaloOtwarte](fmLogin *d) {
            d->findChild<QLineEdit *>(QStringLiteral("txtUserName"))->setText(uzytkownik);
            d->findChild<QLineEdit *>(QStringLiteral("txtPassword"))->setText(haslo);
            d->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
            if (zostaloOtwarte)
                *zostaloOtwarte = d->isVisible();
            if (d->isVisible())
                d->findChild<QPushButton *>(QStringLiteral("cmdCancel"))->click();
        });
        s->menu("mnuSterWlacz")->trigger();
    }

private Q_SLOTS:
    void cleanup()
    {
        zatrzymajObserwatorow();
        s.reset();
    }

    void statusBar_isDrivenByTheHub()
    {
        uruchom();
        QCOMPARE(s->glowny()->panel(2)->obraz(), QStringLiteral("20"));
        QCOMPARE(s->glowny()->panel(3)->obraz(), QString());
        s->k().oWizual.eMonitoring(1, true);
        QCOMPARE(s->glowny()->panel(2)->obraz(), QStringLiteral("21"));
        Q_EMIT s->k().harmonogram.zegarZmieniony(QStringLiteral("10:15:30"));
        QCOMPARE(s->glowny()->panel(6)->tekst(), QStringLiteral("10:15:30"));
    }

    void login_data()
    {
        QTest::addColumn<QString>("admHaslo");
        QTest::addColumn<QString>("uzytkownik");
        QTest::addColumn<QString>("haslo");
        QTest::addColumn<bool>("sukces");
        const struct {
            const char *nazwa, *admHaslo, *uzytkownik, *haslo;
            bool sukces;
        } wiersze[] = {{"correct", "tuplak", "dorsek", "tuplak", true},
                       {"user name in capitals", "tuplak", "DORSEK", "tuplak", false},
                       {"password in capitals", "tuplak", "dorsek", "TUPLAK", false},
                       {"empty password, password set", "tuplak", "dorsek", "", false},
                       {"empty password, none set", "", "dorsek", "", true}};
        for (const auto &w : wiersze)
            QTest::newRow(w.nazwa) << QString(w.admHaslo) << QString(w.uzytkownik) << QString(w.haslo) << w.sukces;
    }
    void login()
    {
        QFETCH(QString, admHaslo);
        QFETCH(QString, uzytkownik);
        QFETCH(QString, haslo);
        QFETCH(bool, sukces);
        uruchom();
        s->k().oApp.AdmHaslo = admHaslo;
        bool zostaloOtwarte = false;
        zaloguj(uzytkownik, haslo, &zostaloOtwarte);

        QCOMPARE(s->k().oApp.TrybSterowania, sukces);
        QCOMPARE(zostaloOtwarte, !sukces);
        QCOMPARE(s->menu("mnuSterWlacz")->text(),
                 sukces ? QStringLiteral("Wyłącz tryb sterowania") : QStringLiteral("Włącz tryb sterowania"));
        QCOMPARE(s->glowny()->panel(5)->tekst(), sukces ? QStringLiteral("sterowanie") : QStringLiteral("normalny"));
        QCOMPARE(s->glowny()->panel(5)->obraz(), sukces ? QStringLiteral("tryb") : QString());
        for (const char *n : {"mnuRegulZablok", "mnuRegulBatZal", "mnuRegulBatTestuj"})
            QCOMPARE(s->menu(n)->isEnabled(), sukces);
        QCOMPARE(komunikaty().informacje.size(), sukces ? 0 : 1);
        if (!sukces)
            QCOMPARE(komunikaty().informacje.first().tekst, QStringLiteral("Błędne hasło lub nazwa użytkownika"));
    }

    void controlModeOff_asksNothing_andLoginCloseBoxLetsNobodyIn()
    {
        uruchom();
        zaloguj(QStringLiteral("dorsek"), QStringLiteral("tuplak"));
        QVERIFY(s->k().oApp.TrybSterowania);
        int dialogi = 0;
        gdyOtwarte<QDialog>([](QDialog *d) { d->reject(); }, &dialogi);
        s->menu("mnuSterWlacz")->trigger();
        QVERIFY(!s->k().oApp.TrybSterowania);
        QCOMPARE(s->menu("mnuSterWlacz")->text(), QStringLiteral("Włącz tryb sterowania"));
        QCOMPARE(s->glowny()->panel(5)->tekst(), QStringLiteral("normalny"));
        QTest::qWait(50);
        QCOMPARE(dialogi, 0);
        zatrzymajObserwatorow();

        gdyOtwarte<fmLogin>([](fmLogin *d) { d->close(); });
        s->menu("mnuSterWlacz")->trigger();
        QVERIFY(!s->k().oApp.TrybSterowania);
        QCOMPARE(s->k().oApp.ParametrGlob, QVariant(false));
    }

    void stageCommandWithoutSelectedStage_warnsAndQueuesNothing()
    {
        uruchom();
        s->k().oWizual.eZmianaTrybuSterowania(true);
        s->k().oApp.NrAktRegulatora = 2;
        s->menu("mnuRegulBatZal")->trigger();
        QCOMPARE(s->k().oKolejka.Count(), 0);
        QCOMPARE(komunikaty().informacje.size(), 1);
        QCOMPARE(komunikaty().informacje.first().tekst, QStringLiteral("Proszę najpierw zaznaczyć stopień!"));
        s->k().oApp.NrAktBaterii = 3;
        s->menu("mnuRegulBatZal")->trigger();
        s->menu("mnuRegulZablok")->trigger();
        QCOMPARE(s->k().oKolejka.Count(), 2);
    }

    void monitoringMenuAndButton_toggleTheCurrentController_inStep()
    {
        uruchom();
        QAction *przycisk = s->glowny()->przycisk(QStringLiteral("Monit"));
        s->menu("mnuregulmonit")->trigger();
        QVERIFY(regulator(1).Monitoring);
        QVERIFY(przycisk->isChecked());
        przycisk->trigger();
        QVERIFY(!regulator(1).Monitoring);
        QVERIFY(!s->menu("mnuregulmonit")->isChecked());
        // Both follow the current controller when it changes.
        przycisk->trigger();
        s->k().oApp.NrAktRegulatora = 2;
        s->k().oWizual.eZmianaRegulatora(2);
        QVERIFY(!przycisk->isChecked());
        QVERIFY(!s->menu("mnuregulmonit")->isChecked());
    }

    void alarmButtonBringsBackTheClosedOrMinimisedBoard()
    {
        uruchom();
        auto *ramka = qobject_cast<QMdiSubWindow *>(s->u->oknoAlarmow()->parentWidget());
        QVERIFY(ramka);
        ramka->close(); // only hidden: it keeps receiving alarms
        QVERIFY(!ramka->isVisible());
        s->k().listaAlarmow.NowyAlarm(DataCzas::z(QDate(2026, 12, 5), QTime(10, 0)), 1, 100, QString());
        QCOMPARE(s->u->oknoAlarmow()->lstAlarmy()->topLevelItemCount(), 1);
        s->glowny()->przycisk(QStringLiteral("Alarm"))->trigger();
        QVERIFY(ramka->isVisible());
        QCOMPARE(s->glowny()->mdi()->activeSubWindow(), ramka);
        ramka->showMinimized();
        s->glowny()->przycisk(QStringLiteral("Alarm"))->trigger();
        QVERIFY(!ramka->isMinimized());
    }

    // The tree's close box only hides it: "&Okno" lists it with the alarm
    // board and brings it back. Shift+F10 opens its menu as the menu key does.
    void windowMenuBringsBackTheClosedTree_shiftF10OpensItsMenu()
    {
        uruchom();
        fmRegulatory *drzewo = s->u->oknoRegulatorow();
        auto *ramka = qobject_cast<QMdiSubWindow *>(drzewo->parentWidget());
        ramka->close();
        QVERIFY(!ramka->isVisible());
        QMenu *okno = s->menu("mnuOkno")->menu();
        Q_EMIT okno->aboutToShow(); // as it opens
        const QList<QAction *> pozycje = okno->actions();
        QStringList lista;
        for (QAction *a : pozycje.mid(3))
            lista << a->text();
        QCOMPARE(lista.mid(0, 2), (QStringList{"&1 Regulatory", "&2 Alarmy"}));
        pozycje.at(3)->trigger();
        QVERIFY(ramka->isVisible());
        QCOMPARE(s->glowny()->mdi()->activeSubWindow(), ramka);

        QVERIFY(QTest::qWaitForWindowActive(s->glowny()));
        drzewo->Tree()->setFocus();
        drzewo->Tree()->setCurrentItem(drzewo->wezel("R2"));
        QTest::keyClick(drzewo->Tree(), Qt::Key_F10, Qt::ShiftModifier);
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QCOMPARE(menu, s->glowny()->menuRegulatora());
        menu->close();
    }

    void deleteControllerAsksFirst()
    {
        uruchom();
        s->k().oApp.NrAktRegulatora = 2;
        komunikaty().odpowiedzi = {Odpowiedz::Anuluj};
        s->menu("mnuRegulUsun")->trigger();
        QCOMPARE(komunikaty().pytania.size(), 1);
        QCOMPARE(s->zapytaj(QStringLiteral("SELECT count(*) FROM Regulatory")), QList<QVariantList>{{2}});

        s->menu("mnuRegulUsun")->trigger();
        QTRY_COMPARE(komunikaty().informacje.size(), 1);
        QCOMPARE(s->zapytaj(QStringLiteral("SELECT Kod FROM Regulatory")), QList<QVariantList>{{"R1"}});
    }

    void controllerCommandsWithEmptyRegistryDoNothing()
    {
        uruchom(0);
        s->k().oWizual.eZmianaTrybuSterowania(true);
        for (const char *n : {"mnuRegulBatZal", "mnuRegulZablok", "mnuRegulUsun", "mnuregulmonit"})
            s->menu(n)->trigger();
        s->glowny()->przycisk(QStringLiteral("Monit"))->trigger();
        QCOMPARE(s->k().oKolejka.Count(), 0);
        QVERIFY(komunikaty().pytania.isEmpty());
        QVERIFY(komunikaty().informacje.isEmpty());
    }

    void close_cancelKeepsRunningWithPortOpen_okUnloadsAndEnds()
    {
        uruchom();
        s->k().harmonogram.Timer1().start();
        komunikaty().odpowiedzi = {Odpowiedz::Anuluj};
        QVERIFY(!s->glowny()->close());
        QCOMPARE(komunikaty().pytania.size(), 1);
        QVERIFY(s->glowny()->isVisible());
        QVERIFY(s->port->otwarty());
        QVERIFY(s->k().harmonogram.Timer1().isActive());
        QCOMPARE(s->zakonczenia, 0);
        QTRY_COMPARE(s->zapytaj(QStringLiteral("SELECT Operacja FROM Log")), QList<QVariantList>{{"Start aplikacji"}});

        s->menu("mnuKoniec")->trigger(); // answered OK
        QCOMPARE(komunikaty().pytania.size(), 2);
        QTRY_COMPARE(s->zakonczenia, 1);
        QVERIFY(!s->port->otwarty());
        QVERIFY(!s->k().harmonogram.Timer1().isActive());
        QVERIFY(!s->k().bufor.otwarty());
        QCOMPARE(s->zapytaj(QStringLiteral("SELECT Operacja, Status, Typ, Kod_Regul FROM Log")),
                 (QList<QVariantList>{{"Start aplikacji", "N", "L", QVariant()},
                                      {"Zatrzymanie aplikacji", "N", "L", QVariant()}}));
    }
};

QTEST_MAIN(TestGlowny)
#include "tst_glowny.moc"
