#include "db/danestartowe.h"
#include "kontekstestowy.h"
#include "model/ladowanie.h"

#include <QDir>
#include <QRegularExpression>
#include <QSettings>
#include <QTest>

// Settings, the control mode's guard against an earlier login, and the
// operator's operations on the current controller (the login itself is
// tst_glowny's, through the real dialog).
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

    void settings_freshProfileGivesDefaults_fileIsTolvekConfUnderXdgConfigHome()
    {
        clsoApp app;
        app.WczytajOpcje(UstawieniaPlik());
        QCOMPARE(app.nr_portu, 1);
        const QString plik = qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Tolvek/Tolvek.conf");
        QVERIFY(!QFile::exists(plik)); // reading writes nothing back

        UstawieniaPlik().zapisz(QStringLiteral("port"), QStringLiteral("nr_portu"), QStringLiteral("3"));
        QCOMPARE(QSettings(plik, QSettings::IniFormat).value(QStringLiteral("port/nr_portu")).toString(),
                 QStringLiteral("3"));
    }

    void unusablePortTextFallsBackToPort1_data()
    {
        QTest::addColumn<QString>("tekst");
        QTest::addColumn<int>("port");
        QTest::newRow("number") << QStringLiteral("7") << 7;
        QTest::newRow("blanks") << QStringLiteral(" 2 ") << 2;
        QTest::newRow("text") << QStringLiteral("COM1") << 1;
        QTest::newRow("too big") << QStringLiteral("300") << 1;
        QTest::newRow("zero") << QStringLiteral("0") << 0;
    }
    void unusablePortTextFallsBackToPort1()
    {
        QFETCH(QString, tekst);
        QFETCH(int, port);
        UstawieniaTestowe u;
        u.zapisz(QStringLiteral("port"), QStringLiteral("nr_portu"), tekst);
        clsoApp app;
        // A text that does not give its own number is logged, never silent.
        const QRegularExpression wpis(QStringLiteral("nr_portu = .* is not a port number"));
        if (port != tekst.trimmed().toInt())
            QTest::ignoreMessage(QtWarningMsg, wpis);
        else
            QTest::failOnWarning(wpis);
        app.WczytajOpcje(u);
        QCOMPARE(app.nr_portu, port);
    }

    void unreadableSettingsFileIsLogged()
    {
        UstawieniaPlik u;
        QVERIFY(QDir().mkpath(u.sciezka())); // a folder where the file should be
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("settings file .* cannot be read")));
        clsoApp app;
        app.WczytajOpcje(u);
        QCOMPARE(app.nr_portu, 1);
        QDir(u.sciezka()).removeRecursively();
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

    // Stage and blocking commands queue the opposite of the state now, for
    // the current controller only; with no stage picked or no such
    // controller nothing is queued.
    void stageAndBlocking_queueTheOppositeOfTheStateNow()
    {
        Operator o;
        Kontekst &k = *o.t.k;
        OperacjeOperatora &op = k.operacje;
        clRegulator &r = k.oRegulatory.Item(2);
        QCOMPARE(op.przelaczStopien(), OperacjeOperatora::Stopien::NieWybrano);
        k.oApp.NrAktBaterii = 3;
        r.stan().StanDiod1 = static_cast<std::uint8_t>(~0x04); // stage 3 on
        QCOMPARE(op.przelaczStopien(), OperacjeOperatora::Stopien::Zakolejkowano);
        k.oApp.NrAktBaterii = 9;
        r.stan().StanDiod2 = 0xFF; // stage 9 off
        op.przelaczStopien();
        r.Zablokowany = true;
        QVERIFY(op.przelaczBlokade());
        QCOMPARE(k.oKolejka.Count(), 3);
        using polecenia::UstawKondensator;
        const auto *st3 = std::get_if<UstawKondensator>(&k.oKolejka.Item(1).polecenie);
        const auto *st9 = std::get_if<UstawKondensator>(&k.oKolejka.Item(2).polecenie);
        QVERIFY(k.oKolejka.Item(1).NrRegul == 2 && st3 && st3->NrDiody == 2 && !st3->Wlacz);
        QVERIFY(st9 && st9->NrDiody == 8 && st9->Wlacz);
        const auto *blokuj = std::get_if<polecenia::Blokuj>(&k.oKolejka.Item(3).polecenie);
        QVERIFY(blokuj && !blokuj->Blokada);
        QVERIFY(op.ustawMonitoring(true));
        QVERIFY(r.Monitoring && !k.oRegulatory.Item(1).Monitoring);

        k.oApp.NrAktRegulatora = 3;
        QCOMPARE(op.przelaczStopien(), OperacjeOperatora::Stopien::BrakRegulatora);
        QVERIFY(!op.przelaczBlokade() && !op.ustawMonitoring(true) && !uruchom(op.usunRegulator()).wartosc);
        QCOMPARE(k.oKolejka.Count(), 3);
    }

    // The controller's row is deleted off the window thread, only once, and
    // not while the database is away; the registry keeps it until the next
    // start.
    void deletion_onceAndNotWhileTheDatabaseIsAway()
    {
        Operator o;
        Kontekst &k = *o.t.k;
        k.zapisPomiarow.bezBazyOdStartu(QStringLiteral("serwer nie odpowiada"));
        QVERIFY(uruchom(k.operacje.usunRegulator()).wyjatek.contains(QStringLiteral("serwer nie odpowiada")));
        k.zapisPomiarow.naStan(0, true, {});
        QVERIFY(uruchom(k.operacje.usunRegulator()).wartosc);
        QVERIFY(uruchom(k.operacje.usunRegulator()).wartosc); // again in the same run: nothing else goes
        Polaczenie cn;
        cn.otworz(k.zrodloBazy);
        QCOMPARE(wierszeZapytania(cn, QStringLiteral("SELECT Kod FROM Regulatory")), QList<QVariantList>{{"R1"}});
        QCOMPARE(k.oRegulatory.Count(), 2);
    }

private:
    // Two controllers loaded from a database file, the second one current.
    struct Operator {
        BazaTestowa baza;
        KontekstTestowy t;
        Operator()
        {
            baza.wykonaj({QStringLiteral("INSERT INTO Regulatory (Adres, Kod, Typ) VALUES (1, 'R1', 'regulator')"),
                          QStringLiteral("INSERT INTO Regulatory (Adres, Kod, Typ) VALUES (2, 'R2', 'regulator')")});
            Kontekst &k = *t.k;
            k.zrodloBazy = ZrodloBazy::zTekstuPolaczenia(baza.polaczenieTekst);
            const DaneStartowe d = *czytajDaneStartowe(k.zrodloBazy, false).dane;
            WczytajRegulatory(d.regulatory, d.ostPomiar, k.oRegulatory, k.komunikaty());
            k.oApp.NrAktRegulatora = 2;
        }
    };
};

QTEST_GUILESS_MAIN(TestAplikacja)
#include "tst_aplikacja.moc"
