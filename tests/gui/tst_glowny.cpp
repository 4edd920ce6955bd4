// The main window as the operator meets it: its menus, toolbar and status
// bar after start-up, the control mode with its login, the commands on the
// current controller and the close confirmation.
#include "stanowiskogui.h"

#include "admin/fmlogin.h"
#include "admin/frmoptions.h"
#include "ui/main/frmsplash.h"
#include "ui/main/panelstanu.h"

#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QToolBar>

class TestGlowny final : public QObject {
    Q_OBJECT

    std::unique_ptr<StanowiskoGui> s;

    void uruchom(const QList<WierszRegulatora> &regulatory = {{1, QStringLiteral("R1")}, {2, QStringLiteral("R2")}})
    {
        s = std::make_unique<StanowiskoGui>(regulatory);
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

    void menuTree_data()
    {
        QTest::addColumn<QString>("rodzic");
        QTest::addColumn<QStringList>("pozycje");
        QTest::addColumn<QStringList>("podpisy");
        QTest::newRow("menu bar") << QString()
                                  << QStringList{"mnuPlik", "mnuBaza", "popmnuRegul", "mnuRaporty", "mnuWykresy",
                                                 "mnuSter", "mnuNarzedzia", "mnuPomoc"}
                                  << QStringList{"&Plik", "&Baza danych", "&Regulator", "&Raporty", "&Wykresy",
                                                 "&Sterowanie", "&Narzędzia", "&Pomoc"};
        QTest::newRow("Plik") << "mnuPlik" << QStringList{"mnuStruktura", "mnuKoniec"}
                              << QStringList{"&Struktura", "&Koniec"};
        QTest::newRow("Baza") << "mnuBaza" << QStringList{"mnuBDNowyRegul"} << QStringList{"&Nowy regulator"};
        QTest::newRow("Regulator")
            << "popmnuRegul"
            << QStringList{"mnuRegulPanel", "mnureguldane", "mnuregulmonit", "mnuRegulBat", "mnunic2",
                           "mnuRegRapDob", "mnyRegWykrDob", "mnuRegulAlarmy", "mnunic4", "mnuRegulZablok",
                           "mnunic", "mnuRegulEdytuj", "mnuRegulUsun"}
            << QStringList{"wyświetl panel", "wyświetl dane", "&Monitoring", "&Stopień", "-",
                           "&Raport z akt. doby", "&Wykres z akt. doby", "&Alarmy z doby", "-",
                           "&Zablokuj regulator", "-", "edytuj", "usuń"};
        QTest::newRow("Stopień") << "mnuRegulBat" << QStringList{"mnuRegulBatZal", "mnuRegulBatTestuj"}
                                 << QStringList{"&Załącz stopień", "&Testuj stopień"};
        QTest::newRow("Raporty") << "mnuRaporty" << QStringList{"mnuRaportyDobowy", "mnuRapOkresowy"}
                                 << QStringList{"Raport &dobowy", "Raport &okresowy"};
        QTest::newRow("Wykresy") << "mnuWykresy" << QStringList{"mnuWykresDob", "mnuWykresMies"}
                                 << QStringList{"Wykres &dobowy", "Wykres &okresowy"};
        QTest::newRow("Sterowanie") << "mnuSter" << QStringList{"mnuSterWlacz"}
                                    << QStringList{"Włącz tryb &sterowania"};
        QTest::newRow("Narzędzia") << "mnuNarzedzia" << QStringList{"mnuNarzOpcje", "mnuNarzAlarmy"}
                                   << QStringList{"&Opcje", "Archiwum &alarmów"};
        QTest::newRow("Pomoc") << "mnuPomoc" << QStringList{"mnuPomocOProgramie"} << QStringList{"&O programie"};
    }
    void menuTree()
    {
        QFETCH(QString, rodzic);
        QFETCH(QStringList, pozycje);
        QFETCH(QStringList, podpisy);
        uruchom();
        const QList<QAction *> akcje = rodzic.isEmpty()
                                           ? s->glowny()->menuBar()->actions()
                                           : s->glowny()->findChild<QMenu *>(rodzic)->actions();
        QStringList nazwy, teksty;
        for (QAction *a : akcje) {
            nazwy << a->objectName();
            teksty << (a->isSeparator() ? QStringLiteral("-") : a->text());
        }
        QCOMPARE(nazwy, pozycje);
        QCOMPARE(teksty, podpisy);
    }

    void menuStatesAtStart()
    {
        uruchom();
        // Unavailable by design: greyed, not hidden.
        for (const char *n : {"mnuBaza", "mnuRegulPanel", "mnureguldane"}) {
            QVERIFY2(!s->menu(n)->isEnabled(), n);
            QVERIFY2(s->menu(n)->isVisible(), n);
        }
        for (const char *n : {"mnuRegulBatZal", "mnuRegulBatTestuj", "mnuRegulZablok"})
            QVERIFY2(!s->menu(n)->isEnabled(), n);
        for (const char *n : {"mnuRegulPanel", "mnureguldane", "mnuregulmonit"}) {
            QVERIFY2(s->menu(n)->isCheckable(), n);
            QVERIFY2(!s->menu(n)->isChecked(), n);
        }
    }

    void toolbarKeysAndTooltips()
    {
        uruchom();
        const QList<QAction *> pozycje = s->glowny()->findChild<QToolBar *>(QStringLiteral("Toolbar"))->actions();
        QStringList klucze, podpowiedzi;
        for (QAction *a : pozycje) {
            klucze << a->data().toString();
            podpowiedzi << a->toolTip();
        }
        QCOMPARE(klucze, (QStringList{"Komun", "Panel", "Dane", "Monit", "RapDob", "Wykresy", "Alarm", ""}));
        QCOMPARE(podpowiedzi, (QStringList{"Włączanie/wyłaczanie komunikacji", "Pokaż/ukryj panel",
                                           "Pokaż/ukryj dane z regulatora", "Włącz/wyłącz monitoring",
                                           "Raport dobowy", "Twórz wykresy", "Pokaż okno alarmów",
                                           "Czarodziej ustawień"}));
        for (const char *k : {"Panel", "Dane", "Monit"})
            QVERIFY2(s->glowny()->przycisk(QString::fromLatin1(k))->isCheckable(), k);
    }

    void statusBarAfterStart()
    {
        uruchom();
        const QStringList podpowiedzi = {"Aktualny stan Tolveka", "Monitoring", "Alarmy",
                                         "Komunikacja", "Tryb pracy", "Aktualny czas"};
        for (int i = 1; i <= 6; ++i)
            QCOMPARE(s->glowny()->panel(i)->toolTip(), podpowiedzi.at(i - 1));
        QCOMPARE(s->glowny()->panel(1)->tekst(), QStringLiteral("Stan"));
        QCOMPARE(s->glowny()->panel(2)->tekst(), QStringLiteral("Monitoring"));
        QCOMPARE(s->glowny()->panel(2)->obraz(), QStringLiteral("20"));
        QCOMPARE(s->glowny()->panel(3)->obraz(), QString());
        QCOMPARE(s->glowny()->panel(4)->obraz(), QStringLiteral("20"));
        QCOMPARE(s->glowny()->panel(5)->tekst(), QStringLiteral("normalny"));

        // The hub drives the panels from here on.
        s->k().oWizual.eMonitoring(1, true);
        QCOMPARE(s->glowny()->panel(2)->obraz(), QStringLiteral("21"));
        s->k().oWizual.eOkresowyOdczyt(2, true);
        QCOMPARE(s->glowny()->panel(1)->tekst(), QStringLiteral("Oczytuję okresowe dane z regulatora 'R2' ..."));
        Q_EMIT s->k().harmonogram.zegar(QStringLiteral("10:15:30"));
        QCOMPARE(s->glowny()->panel(6)->tekst(), QStringLiteral("10:15:30"));
    }

    void login_data()
    {
        QTest::addColumn<QString>("admHaslo");
        QTest::addColumn<QString>("uzytkownik");
        QTest::addColumn<QString>("haslo");
        QTest::addColumn<bool>("sukces");
        QTest::newRow("correct") << "tuplak" << "dorsek" << "tuplak" << true;
        QTest::newRow("user name in capitals") << "tuplak" << "DORSEK" << "tuplak" << false;
        QTest::newRow("password in capitals") << "tuplak" << "dorsek" << "TUPLAK" << false;
        QTest::newRow("empty password, password set") << "tuplak" << "dorsek" << "" << false;
        QTest::newRow("empty password, none set") << "" << "dorsek" << "" << true;
        QTest::newRow("blank after user name") << "tuplak" << "dorsek " << "tuplak" << false;
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
        if (sukces) {
            QVERIFY(komunikaty().informacje.isEmpty());
        } else {
            QCOMPARE(komunikaty().informacje.size(), 1);
            QCOMPARE(komunikaty().informacje.first().tekst, QStringLiteral("Błędne hasło lub nazwa użytkownika"));
            QCOMPARE(komunikaty().informacje.first().tytul, QStringLiteral("Logowanie"));
            QCOMPARE(komunikaty().informacje.first().ikona, Ikona::Brak);
        }
    }

    void failedLoginSelectsPasswordForRetyping()
    {
        uruchom();
        QString wybrane;
        bool maFokus = false;
        gdyOtwarte<fmLogin>([&](fmLogin *d) {
            auto *haslo = d->findChild<QLineEdit *>(QStringLiteral("txtPassword"));
            QCOMPARE(haslo->echoMode(), QLineEdit::Password);
            d->findChild<QLineEdit *>(QStringLiteral("txtUserName"))->setText(QStringLiteral("dorsek"));
            haslo->setText(QStringLiteral("zle"));
            d->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
            wybrane = haslo->selectedText();
            maFokus = d->focusWidget() == haslo;
            // A second try in the same dialog succeeds.
            haslo->setText(QStringLiteral("tuplak"));
            d->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
        });
        s->menu("mnuSterWlacz")->trigger();
        QCOMPARE(wybrane, QStringLiteral("zle"));
        QVERIFY(maFokus);
        QVERIFY(s->k().oApp.TrybSterowania);
    }

    void loginClosedWithCloseBoxCountsAsCancel()
    {
        uruchom();
        zaloguj(QStringLiteral("dorsek"), QStringLiteral("tuplak"));
        QVERIFY(s->k().oApp.TrybSterowania);
        s->menu("mnuSterWlacz")->trigger();
        gdyOtwarte<fmLogin>([](fmLogin *d) { d->close(); });
        s->menu("mnuSterWlacz")->trigger();
        QVERIFY(!s->k().oApp.TrybSterowania);
        QCOMPARE(s->k().oApp.ParametrGlob, QVariant(false));
    }

    void switchingControlModeOffAsksNothing()
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
    }

    void switchStageWithoutSelectionWarnsAndQueuesNothing()
    {
        uruchom();
        s->k().oWizual.eZmianaTrybuSterowania(true);
        s->menu("mnuRegulBatZal")->trigger();
        QCOMPARE(s->k().oKolejka.Count(), 0);
        QCOMPARE(komunikaty().informacje.size(), 1);
        QCOMPARE(komunikaty().informacje.first().tekst, QStringLiteral("Proszę najpierw zaznaczyć stopień!"));
        QCOMPARE(komunikaty().informacje.first().tytul, QStringLiteral("Tolvek"));
        QCOMPARE(komunikaty().informacje.first().ikona, Ikona::Wykrzyknik);
    }

    void switchStageQueuesTheOppositeState()
    {
        uruchom();
        s->k().oWizual.eZmianaTrybuSterowania(true);
        s->k().oApp.NrAktRegulatora = 2;
        regulator(2).NrAktBaterii = 3;
        regulator(2).stan().StanDiod1 = static_cast<std::uint8_t>(~0x04); // stage 3 on
        s->menu("mnuRegulBatZal")->trigger();
        QCOMPARE(s->k().oKolejka.Count(), 1);
        const clsPozKolejki &p = s->k().oKolejka.Item(1);
        QCOMPARE(p.NrRegul, 2);
        QCOMPARE(p.Polecenie, QStringLiteral("UstawKondensator"));
        const QVariantList par = p.Parametry.toList();
        QCOMPARE(par.size(), 3);
        QCOMPARE(par.at(0).toInt(), 2);
        QCOMPARE(par.at(1), QVariant(false));
        QVERIFY(!par.at(2).isValid());
    }

    void blockQueuesTheOppositeOfBlocked()
    {
        uruchom();
        s->k().oWizual.eZmianaTrybuSterowania(true);
        s->menu("mnuRegulZablok")->trigger();
        regulator(1).Zablokowany = true;
        s->k().oWizual.eBlokadaRegul(1, true);
        QCOMPARE(s->menu("mnuRegulZablok")->text(), QStringLiteral("&Odblokuj regulator"));
        s->menu("mnuRegulZablok")->trigger();
        QCOMPARE(s->k().oKolejka.Count(), 2);
        QCOMPARE(s->k().oKolejka.Item(1).Polecenie, QStringLiteral("Blokuj"));
        QCOMPARE(s->k().oKolejka.Item(1).Parametry, QVariant(true));
        QCOMPARE(s->k().oKolejka.Item(2).Parametry, QVariant(false));
        QCOMPARE(s->k().oKolejka.Item(2).NrRegul, 1);
    }

    void monitoringMenuTogglesCurrentControllerAndButton()
    {
        uruchom();
        s->menu("mnuregulmonit")->trigger();
        QVERIFY(regulator(1).Monitoring);
        QVERIFY(s->glowny()->przycisk(QStringLiteral("Monit"))->isChecked());
        QVERIFY(s->menu("mnuregulmonit")->isChecked());
        s->menu("mnuregulmonit")->trigger();
        QVERIFY(!regulator(1).Monitoring);
        QVERIFY(!s->glowny()->przycisk(QStringLiteral("Monit"))->isChecked());
        // The button does the same, and the hub re-synchronises it when the
        // current controller changes.
        s->glowny()->przycisk(QStringLiteral("Monit"))->trigger();
        QVERIFY(regulator(1).Monitoring);
        QVERIFY(s->menu("mnuregulmonit")->isChecked());
        s->k().oApp.NrAktRegulatora = 2;
        s->k().oWizual.eZmianaRegulatora(2);
        QVERIFY(!s->glowny()->przycisk(QStringLiteral("Monit"))->isChecked());
        QVERIFY(!s->menu("mnuregulmonit")->isChecked());
    }

    void panelAndDataButtonsFollowTheirMenus()
    {
        uruchom();
        QList<bool> panel;
        s->glowny()->oknoPanelu = [&panel](bool v) { panel << v; };
        s->glowny()->przycisk(QStringLiteral("Panel"))->trigger();
        QVERIFY(s->menu("mnuRegulPanel")->isChecked());
        s->glowny()->przycisk(QStringLiteral("Panel"))->trigger();
        QVERIFY(!s->menu("mnuRegulPanel")->isChecked());
        QCOMPARE(panel, (QList<bool>{true, false}));
        s->glowny()->przycisk(QStringLiteral("Dane"))->trigger();
        QVERIFY(s->menu("mnureguldane")->isChecked());
    }

    void alarmButtonBringsBackTheClosedAlarmWindow()
    {
        uruchom();
        auto *alarmy = s->u->alarmy();
        auto *ramka = qobject_cast<QMdiSubWindow *>(alarmy->parentWidget());
        QVERIFY(ramka);
        ramka->close();
        QVERIFY(!ramka->isVisible());
        QVERIFY(s->u->alarmy()); // hidden, never destroyed
        s->glowny()->przycisk(QStringLiteral("Alarm"))->trigger();
        QVERIFY(ramka->isVisible());
        QCOMPARE(s->glowny()->mdi()->activeSubWindow(), ramka);
        // Pressing again does not close it, and a minimised board comes back.
        s->glowny()->przycisk(QStringLiteral("Alarm"))->trigger();
        QVERIFY(ramka->isVisible());
        ramka->showMinimized();
        s->glowny()->przycisk(QStringLiteral("Alarm"))->trigger();
        QVERIFY(!ramka->isMinimized());

        // The controller tree, too, is only hidden by its close box.
        auto *drzewo = qobject_cast<QMdiSubWindow *>(s->u->regulatory()->parentWidget());
        drzewo->close();
        QVERIFY(s->u->regulatory());
        QVERIFY(!drzewo->isVisible());
    }

    void deleteControllerAsksThenDeletesItsRowOnly()
    {
        uruchom();
        s->k().oApp.NrAktRegulatora = 2;
        komunikaty().odpowiedzi = {Odpowiedz::Anuluj};
        s->menu("mnuRegulUsun")->trigger();
        QCOMPARE(komunikaty().pytania.size(), 1);
        QCOMPARE(komunikaty().pytania.first().tekst,
                 QStringLiteral("Czy napewno usunąć wybrany regulator z systemu Tolvek?"));
        QCOMPARE(komunikaty().pytania.first().tytul, QStringLiteral("UWAGA"));
        QCOMPARE(komunikaty().pytania.first().ikona, Ikona::Pytanie);
        QCOMPARE(s->zapytaj(QStringLiteral("SELECT count(*) FROM Regulatory")).first().first().toInt(), 2);
        QVERIFY(komunikaty().informacje.isEmpty());

        s->menu("mnuRegulUsun")->trigger();
        QCOMPARE(s->zapytaj(QStringLiteral("SELECT Kod FROM Regulatory")), (QList<QVariantList>{{"R1"}}));
        QCOMPARE(komunikaty().informacje.size(), 1);
        QCOMPARE(komunikaty().informacje.first().tekst,
                 QStringLiteral("Nowe ustawienia zostaną uwzględnione po ponownym uruchomieniu programu Tolvek."));
        QCOMPARE(komunikaty().informacje.first().tytul, QStringLiteral("Uwaga"));
        QCOMPARE(komunikaty().informacje.first().ikona, Ikona::Informacja);
        QCOMPARE(s->k().oRegulatory.Count(), 2); // until the next start

        // Deleting it again in the same run deletes nothing else.
        s->menu("mnuRegulUsun")->trigger();
        QCOMPARE(s->zapytaj(QStringLiteral("SELECT Kod FROM Regulatory")), (QList<QVariantList>{{"R1"}}));
    }

    void controllerCommandsWithEmptyRegistryDoNothing()
    {
        uruchom({});
        s->k().oWizual.eZmianaTrybuSterowania(true);
        for (const char *n : {"mnuRegulBatZal", "mnuRegulZablok", "mnuRegulUsun", "mnuregulmonit"})
            s->menu(n)->trigger();
        s->glowny()->przycisk(QStringLiteral("Monit"))->trigger();
        QCOMPARE(s->k().oKolejka.Count(), 0);
        QVERIFY(komunikaty().pytania.isEmpty());
        QVERIFY(komunikaty().informacje.isEmpty());
    }

    void optionsFromMenuDoNotBlockAndStaySingle()
    {
        uruchom();
        s->menu("mnuNarzOpcje")->trigger();
        s->menu("mnuNarzOpcje")->trigger();
        const auto okna = s->glowny()->findChildren<frmOptions *>();
        QCOMPARE(okna.size(), 1);
        QVERIFY(okna.first()->isVisible());
        QVERIFY(!okna.first()->isModal());
        okna.first()->findChild<QPushButton *>(QStringLiteral("cmdCancel"))->click();
        QTRY_VERIFY(s->glowny()->findChildren<frmOptions *>().isEmpty());
    }

    void aboutBoxShowsTitleAndVersion()
    {
        uruchom();
        QString tytul, wersja;
        gdyOtwarte<frmSplash>([&](frmSplash *d) {
            tytul = d->findChild<QLabel *>(QStringLiteral("lblProductName"))->text();
            wersja = d->findChild<QLabel *>(QStringLiteral("lblVersion"))->text();
            d->accept();
        });
        s->menu("mnuPomocOProgramie")->trigger();
        QCOMPARE(tytul, QStringLiteral("Tolvek"));
        QVERIFY2(wersja.contains(QRegularExpression(QStringLiteral("\\d+\\.\\d+"))), qPrintable(wersja));
    }

    void closeCancelledKeepsRunningWithPortOpen()
    {
        uruchom();
        s->k().harmonogram.Timer1().start();
        komunikaty().odpowiedzi = {Odpowiedz::Anuluj};
        QVERIFY(!s->glowny()->close());
        QCOMPARE(komunikaty().pytania.size(), 1);
        QCOMPARE(komunikaty().pytania.first().tekst, QStringLiteral("Czy zakończyć działanie programu Tolvek?"));
        QCOMPARE(komunikaty().pytania.first().tytul, QStringLiteral("Koniec programu"));
        QCOMPARE(komunikaty().pytania.first().ikona, Ikona::Pytanie);
        QVERIFY(s->glowny()->isVisible());
        QVERIFY(s->port->otwarty());
        QVERIFY(s->k().harmonogram.Timer1().isActive());
        QCOMPARE(s->zakonczenia, 0);
        QCOMPARE(s->operacjeLogu(), QStringList{QStringLiteral("Start aplikacji")});
    }

    void closeConfirmedUnloadsAndEnds()
    {
        uruchom();
        s->k().harmonogram.Timer1().start();
        s->menu("mnuKoniec")->trigger();
        QCOMPARE(komunikaty().pytania.size(), 1);
        QCOMPARE(s->zakonczenia, 1);
        QVERIFY(!s->port->otwarty());
        QVERIFY(!s->k().harmonogram.Timer1().isActive());
        QVERIFY(!s->k().cnBaza.otwarte());
        QCOMPARE(s->operacjeLogu(), (QStringList{"Start aplikacji", "Zatrzymanie aplikacji"}));
        const auto log = s->zapytaj(QStringLiteral("SELECT Status, Typ, Kod_Regul FROM Log"));
        for (const QVariantList &w : log) {
            QCOMPARE(w.at(0).toString(), QStringLiteral("N"));
            QCOMPARE(w.at(1).toString(), QStringLiteral("L"));
            QVERIFY(w.at(2).isNull());
        }
    }
};

QTEST_MAIN(TestGlowny)
#include "tst_glowny.moc"
