// Start-up as a whole: the database step that can end the process before
// any window, the port loop that only lets a port that opened through, and
// the windows and timers of a started station.
#include "admin/frmoptions.h"
#include "serwerprywatny.h"
#include "stanowiskogui.h"
#include "ui/main/frmsplash.h"
#include "ui/main/okna.h"
#include "ui/main/panelstanu.h"

#include <QComboBox>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

class TestStart final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { zatrzymajObserwatorow(); }

    void startedStationShowsItsWindowsAndRunsTheScheduler()
    {
        StanowiskoGui s;
        QVERIFY(s.uruchom(true));
        QVERIFY(s.glowny()->isVisible());
        QVERIFY(s.kt.komunikaty->informacje.isEmpty());
        QVERIFY(s.k().harmonogram.Timer1().isActive());
        QVERIFY(s.k().harmonogram.Timer3().isActive());
        QTRY_COMPARE(s.kt.dzwiek->sprawdzone.size(), 3); // whether the alarms can sound

        // The tree, then the alarm board, as children of the main window.
        const QList<QMdiSubWindow *> okna = s.glowny()->mdi()->subWindowList(QMdiArea::CreationOrder);
        QCOMPARE(okna.size(), 2);
        QCOMPARE(okna.at(0)->widget(), static_cast<QWidget *>(s.u->oknoRegulatorow()));
        QCOMPARE(okna.at(1)->widget(), static_cast<QWidget *>(s.u->oknoAlarmow()));
        QVERIFY(okna.at(0)->isVisible() && okna.at(1)->isVisible());
        for (QWidget *w : QApplication::topLevelWidgets()) // the splash is gone
            QVERIFY(!qobject_cast<frmSplash *>(w) || !w->isVisible());
    }

    void databaseThatCannotOpenEndsBeforeTheMainWindow_data()
    {
        QTest::addColumn<QByteArray>("tresc"); // null: no file at all
        QTest::addColumn<QString>("fragment");
        QTest::newRow("missing") << QByteArray() << "tolvek.mdb";
        QTest::newRow("Access file") << (QByteArray("\x00\x01\x00\x00Standard Jet DB", 19) + QByteArray(4077, 0))
                                     << "Access/Jet";
    }
    void databaseThatCannotOpenEndsBeforeTheMainWindow()
    {
        QFETCH(QByteArray, tresc);
        QFETCH(QString, fragment);
        StanowiskoGui s;
        QFile f(s.baza.sciezka);
        if (tresc.isNull()) {
            QVERIFY(f.remove());
        } else {
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(tresc);
            f.close();
        }
        QVERIFY(!s.uruchom());
        QVERIFY(!s.glowny());
        QCOMPARE(s.kt.komunikaty->informacje.size(), 1);
        const auto &m = s.kt.komunikaty->informacje.first();
        QVERIFY2(m.tekst.contains(fragment), qPrintable(m.tekst));
        QVERIFY(s.port->otwarcia.isEmpty());
        QCOMPARE(QFile::exists(s.baza.sciezka), !tresc.isNull()); // never created
    }

    // Started once (the spool keeps its copy), stopped, then started while
    // the database file has gone away: the station starts from the copy,
    // tells the operator without waiting, shows it in the status bar, and
    // keeps the controller editor closed; the file back, what waited goes in.
    void databaseAwayAtALaterStart_startsFromTheCopy()
    {
        StanowiskoGui s;
        QVERIFY(s.uruchom());
        s.u->zatrzymaj();
        QTRY_COMPARE(s.zakonczenia, 1);
        QVERIFY(QFile::rename(s.baza.sciezka, s.baza.sciezka + QStringLiteral(".obok")));

        s.ponownie();
        QVERIFY(s.uruchom());
        QCOMPARE(s.k().oRegulatory.Count(), 2);
        QVERIFY(s.kt.komunikaty->informacje.isEmpty());
        QCOMPARE(s.kt.komunikaty->pokazane.size(), 1);
        QVERIFY(s.kt.komunikaty->pokazane.first().tekst.contains(QStringLiteral("kopii rejestru")));
        QVERIFY(s.glowny()->panelBazy()->isVisible());
        s.menu("mnuBDNowyRegul")->trigger();
        QCOMPARE(s.kt.komunikaty->informacje.size(), 1);
        QVERIFY(s.kt.komunikaty->informacje.first().tekst.contains(QStringLiteral("niedostępna")));
        QVERIFY(!s.glowny()->okna()->edytor());

        QVERIFY(QFile::rename(s.baza.sciezka + QStringLiteral(".obok"), s.baza.sciezka));
        QTRY_VERIFY_WITH_TIMEOUT(s.zapytaj(QStringLiteral("SELECT Operacja FROM Log")).size() == 3, 60000);
        QTRY_VERIFY(!s.glowny()->panelBazy()->isVisible());
    }

    // A first start while the database server is away: no copy to start
    // from, so the splash says so and waits, with a button to end, until the
    // server answers; then the start goes on.
    void firstStartWithTheServerAway_waitsOnTheSplashUntilItAnswers()
    {
        POMIN_BEZ_SILNIKA(Silnik::PostgreSQL);
        SerwerPrywatny serwer;
        QVERIFY(!serwer.polaczenie.isEmpty());
        QCOMPARE(uruchomProgram(qEnvironmentVariable("TOLVEK_BAZA"), {"init", "--do", serwer.polaczenie}).kod, 0);
        StanowiskoGui s(0);
        s.kt.ustawienia->zapisz(QStringLiteral("baza"), QStringLiteral("polaczenie"), serwer.polaczenie);
        QVERIFY(serwer.skrypt(QStringLiteral("pauza")));
        bool czekal = false;
        auto *t = new QTimer(obserwatorzy());
        QObject::connect(t, &QTimer::timeout, t, [&] {
            for (QWidget *w : QApplication::topLevelWidgets()) {
                auto *splash = qobject_cast<frmSplash *>(w);
                if (splash && splash->btnZakoncz()->isVisible() && !czekal) {
                    czekal = true;
                    t->stop();
                    QVERIFY(serwer.skrypt(QStringLiteral("wznow")));
                }
            }
        });
        t->start(20);
        QVERIFY(s.uruchom());
        QVERIFY(czekal);
        QVERIFY(s.glowny()->isVisible());
        Polaczenie cn;
        cn.otworz(ZrodloBazy::serwer(serwer.polaczenie));
        QTRY_COMPARE(wierszeZapytania(cn, QStringLiteral("SELECT Operacja FROM Log")),
                     QList<QVariantList>{{"Start aplikacji"}});
    }

    // SIGTERM while the port loop waits for the operator: the start ends
    // there, in order, instead of asking for another port.
    void stopDuringThePortLoopEndsTheStart()
    {
        StanowiskoGui s;
        s.port->ustawBladOtwarcia(QStringLiteral("Nie ma takiego urządzenia"));
        gdyOtwarte<frmOptions>([&s](frmOptions *) { s.u->zatrzymaj(); });
        QVERIFY(!s.uruchom());
        QVERIFY(s.u->zatrzymywana());
        QVERIFY(!s.glowny()->isVisible());
        QVERIFY(!s.k().bufor.otwarty());
        QVERIFY(!s.k().harmonogram.Timer3().isActive());
    }

    void portThatFailsIsReportedUntilTheOperatorPicksOneThatOpens()
    {
        StanowiskoGui s;
        s.port->ustawBladOtwarcia(QStringLiteral("Nie ma takiego urządzenia"));
        int dialogi = 0;
        QString portWDialogu;
        bool modalny = false;
        // Port 2 is chosen, still fails, and is reported again; then the
        // device is there and the start goes on.
        gdyOtwarte<frmOptions>(
            [&](frmOptions *d) {
                modalny = d->isModal();
                auto *port = d->findChild<QComboBox *>(QStringLiteral("cmbPort"));
                portWDialogu = port->currentText();
                port->setEditText(QStringLiteral("2"));
                d->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
                gdyOtwarte<frmOptions>(
                    [&](frmOptions *d2) {
                        s.port->ustawBladOtwarcia({});
                        d2->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
                    },
                    &dialogi);
            },
            &dialogi);
        QVERIFY(s.uruchom());
        QCOMPARE(dialogi, 2);
        QVERIFY(modalny);
        QCOMPARE(portWDialogu, QStringLiteral("1"));
        const auto &bledy = s.kt.komunikaty->informacje;
        QCOMPARE(bledy.size(), 2);
        QVERIFY(bledy.first().tekst.contains(QStringLiteral("/dev/ttyS0: Nie ma takiego urządzenia")));
        QCOMPARE(s.kt.ustawienia->czytaj(QStringLiteral("port"), QStringLiteral("nr_portu"), {}), QStringLiteral("2"));
        QCOMPARE(s.port->otwarcia, QStringList{QStringLiteral("/dev/ttyS1")});
        QCOMPARE(s.k().oApp.nr_portu, 2);
        QVERIFY(s.glowny()->isVisible());
    }
};

QTEST_MAIN(TestStart)
#include "tst_start.moc"
