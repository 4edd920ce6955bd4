#include "testsupport.h"

#include <QSettings>
#include <QSignalSpy>
#include <QTest>

// Settings, the port device mapping, and the control mode with its login.
class TestAplikacja final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        // The test's own XDG_CONFIG_HOME (set by CTest) keeps this away
        // from any real user profile.
        QFile::remove(UstawieniaPlik().sciezka());
    }

    void freshProfileGivesPort1AndDefaultPassword()
    {
        UstawieniaPlik u;
        clsoApp app;
        app.WczytajOpcje(u);
        QCOMPARE(app.nr_portu, 1);
        QCOMPARE(app.AdmHaslo, QStringLiteral("tuplak"));
        // Reading writes nothing back.
        QVERIFY(!QFile::exists(u.sciezka()));
    }

    void settingsFileIsTheTolvekIniUnderXdgConfigHome()
    {
        UstawieniaPlik u;
        u.zapisz(QStringLiteral("port"), QStringLiteral("nr_portu"), QStringLiteral("3"));
        u.zapisz(QStringLiteral("adm_haslo"), QStringLiteral("wartosc"), QStringLiteral("nowe"));
        const QString oczekiwana = qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Tolvek/Tolvek.conf");
        QCOMPARE(u.sciezka(), oczekiwana);
        QSettings ini(oczekiwana, QSettings::IniFormat);
        QCOMPARE(ini.value(QStringLiteral("port/nr_portu")).toString(), QStringLiteral("3"));
        QCOMPARE(ini.value(QStringLiteral("adm_haslo/wartosc")).toString(), QStringLiteral("nowe"));

        clsoApp app;
        app.WczytajOpcje(UstawieniaPlik());
        QCOMPARE(app.nr_portu, 3);
        QCOMPARE(app.AdmHaslo, QStringLiteral("nowe"));
    }

    void unusablePortTextFallsBackToPort1_data()
    {
        QTest::addColumn<QString>("tekst");
        QTest::addColumn<int>("port");
        QTest::newRow("number") << QStringLiteral("7") << 7;
        QTest::newRow("blanks") << QStringLiteral(" 2 ") << 2;
        QTest::newRow("text") << QStringLiteral("COM1") << 1;
        QTest::newRow("too big") << QStringLiteral("300") << 1;
        QTest::newRow("negative") << QStringLiteral("-1") << 1;
        QTest::newRow("zero") << QStringLiteral("0") << 0;
    }
    void unusablePortTextFallsBackToPort1()
    {
        QFETCH(QString, tekst);
        QFETCH(int, port);
        UstawieniaTestowe u;
        u.zapisz(QStringLiteral("port"), QStringLiteral("nr_portu"), tekst);
        clsoApp app;
        app.WczytajOpcje(u);
        QCOMPARE(app.nr_portu, port);
    }

    void portNumberMapsToDevice()
    {
        UstawieniaTestowe u;
        QCOMPARE(sciezkaPortu(u, 1), QStringLiteral("/dev/ttyS0"));
        QCOMPARE(sciezkaPortu(u, 4), QStringLiteral("/dev/ttyS3"));
        u.zapisz(QStringLiteral("porty"), QStringLiteral("com1"), QStringLiteral("/dev/ttyUSB0"));
        QCOMPARE(sciezkaPortu(u, 1), QStringLiteral("/dev/ttyUSB0"));
        QCOMPARE(sciezkaPortu(u, 2), QStringLiteral("/dev/ttyS1"));
    }

    void cancelledLoginKeepsNormalMode()
    {
        KontekstTestowy t;
        clsoApp &app = t.k->oApp;
        app.pokazLogin = [&app] { app.ParametrGlob = false; };
        QSignalSpy podpisy(&t.k->oWizual, &clsWizual::menuPodpis);
        QSignalSpy panele(&t.k->oWizual, &clsWizual::panelTekst);
        QCOMPARE(app.PrzelaczTrybSterowania(), false);
        QCOMPARE(app.TrybSterowania, false);
        QCOMPARE(podpisy.last().at(1).toString(), QStringLiteral("Włącz tryb sterowania"));
        QCOMPARE(panele.last().at(1).toString(), QStringLiteral("normalny"));
    }

    void successfulLoginSwitchesOnAndOffAsksNothing()
    {
        KontekstTestowy t;
        clsoApp &app = t.k->oApp;
        int logowania = 0;
        app.pokazLogin = [&] {
            ++logowania;
            app.ParametrGlob = true;
        };
        QSignalSpy podpisy(&t.k->oWizual, &clsWizual::menuPodpis);
        QSignalSpy dostepne(&t.k->oWizual, &clsWizual::menuDostepne);
        QSignalSpy panele(&t.k->oWizual, &clsWizual::panelTekst);
        QVERIFY(app.PrzelaczTrybSterowania());
        QCOMPARE(podpisy.last().at(1).toString(), QStringLiteral("Wyłącz tryb sterowania"));
        QCOMPARE(panele.last().at(0).toInt(), 5);
        QCOMPARE(panele.last().at(1).toString(), QStringLiteral("sterowanie"));
        QVERIFY(
            std::all_of(dostepne.cbegin(), dostepne.cend(), [](const QList<QVariant> &a) { return a.at(1).toBool(); }));
        QCOMPARE(dostepne.size(), 3);

        QVERIFY(!app.PrzelaczTrybSterowania());
        QCOMPARE(logowania, 1);
        QCOMPARE(panele.last().at(1).toString(), QStringLiteral("normalny"));
    }

    // A login window closed without an answer must not reuse the success of
    // an earlier login.
    void unansweredLoginDoesNotInheritEarlierSuccess()
    {
        KontekstTestowy t;
        clsoApp &app = t.k->oApp;
        app.ParametrGlob = true;
        app.pokazLogin = [] {};
        QVERIFY(!app.PrzelaczTrybSterowania());
    }
};

QTEST_GUILESS_MAIN(TestAplikacja)
#include "tst_aplikacja.moc"
