// Start-up as a whole: the database step that can end the process before
// any window, the port loop that only lets a port that opened through, and
// the windows and timers of a started station.
#include "admin/frmoptions.h"
#include "stanowiskogui.h"
#include "ui/main/frmsplash.h"

#include <QComboBox>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
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
        QCOMPARE(s.port->otwarcia, QStringList{QStringLiteral("/dev/ttyS0")});
        QVERIFY(s.k().harmonogram.Timer1().isActive());
        QVERIFY(s.k().harmonogram.Timer3().isActive());
        QTRY_COMPARE(s.zapytaj(QStringLiteral("SELECT Operacja FROM Log")), QList<QVariantList>{{"Start aplikacji"}});

        // The tree, then the alarm board, as children of the main window.
        const QList<QMdiSubWindow *> okna = s.glowny()->mdi()->subWindowList(QMdiArea::CreationOrder);
        QCOMPARE(okna.size(), 2);
        QCOMPARE(okna.at(0)->widget(), static_cast<QWidget *>(s.u->oknoRegulatorow()));
        QCOMPARE(okna.at(1)->widget(), static_cast<QWidget *>(s.u->oknoAlarmow()));
        QVERIFY(okna.at(0)->isVisible() && okna.at(1)->isVisible());
        QCOMPARE(s.u->oknoRegulatorow()->wezel(QStringLiteral("Reg"))->childCount(), 2);
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
        QCOMPARE(m.tytul, QStringLiteral("Tolvek"));
        QCOMPARE(m.ikona, Ikona::Krytyczna);
        QVERIFY(s.port->otwarcia.isEmpty());
        QCOMPARE(QFile::exists(s.baza.sciezka), !tresc.isNull()); // never created
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
        QCOMPARE(bledy.first().tekst,
                 QStringLiteral("Błąd otwarcia portu szeregowego: /dev/ttyS0: Nie ma takiego urządzenia\r"
                                "Proszę zmienić nr portu."));
        QCOMPARE(bledy.first().tytul, QStringLiteral("Tolvek"));
        QCOMPARE(bledy.first().ikona, Ikona::Krytyczna);
        QCOMPARE(s.kt.ustawienia->czytaj(QStringLiteral("port"), QStringLiteral("nr_portu"), {}), QStringLiteral("2"));
        QCOMPARE(s.port->otwarcia, QStringList{QStringLiteral("/dev/ttyS1")});
        QCOMPARE(s.k().oApp.nr_portu, 2);
        QVERIFY(s.glowny()->isVisible());
    }
};

QTEST_MAIN(TestStart)
#include "tst_start.moc"
