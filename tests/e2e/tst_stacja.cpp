#include "baza/polaczenie.h"
#include "symulatorproces.h"
#include "testsupport.h"

#include <QDir>
#include <QProcess>
#include <QTest>

#include <csignal>

// The station as a whole: the real tolvek binary, offscreen, against
// tolvek-sim on a pseudo-terminal, with a scratch tolvek.mdb and settings.
// It polls across minute boundaries and is stopped with SIGTERM; the
// database then tells what happened.
class TestStacja final : public QObject
{
    Q_OBJECT

    BazaTestowa m_baza;
    QString m_katalog;
    SymulatorProces m_sym;
    QProcess m_stacja;
    bool m_przeszedl = false;

    // Through a read-only connection of its own, as another program would look.
    QList<QVariantList> zapytaj(const QString &sql)
    {
        Polaczenie cn;
        cn.otworzDoOdczytu(m_baza.sciezka);
        return wierszeZapytania(cn, sql);
    }
    int ile(const QString &sql)
    {
        const auto w = zapytaj(sql);
        return w.isEmpty() ? -1 : w.first().first().toInt();
    }
    void doSymulatora(const char *polecenie) { QCOMPARE(m_sym.polecenie(QString::fromLatin1(polecenie)), "OK"); }
    QProcessEnvironment srodowisko() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_katalog + QStringLiteral("/config"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        return env;
    }
    void uruchomStacje()
    {
        m_stacja.setProcessEnvironment(srodowisko());
        m_stacja.setWorkingDirectory(m_katalog);
        m_stacja.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_stacja.start(qEnvironmentVariable("TOLVEK_BIN"), {});
        QVERIFY2(m_stacja.waitForStarted(30000), qPrintable(m_stacja.errorString()));
    }
    // The orderly end: exit code 0 (under the sanitizers also: no leak
    // report) and the stop row as the last Log row.
    void zatrzymajSygnalem(int sygnal)
    {
        ::kill(static_cast<pid_t>(m_stacja.processId()), sygnal);
        QVERIFY(m_stacja.waitForFinished(120000));
        QCOMPARE(m_stacja.exitStatus(), QProcess::NormalExit);
        QCOMPARE(m_stacja.exitCode(), 0);
        const auto log = zapytaj(QStringLiteral("SELECT Operacja FROM Log ORDER BY rowid DESC LIMIT 1"));
        QCOMPARE(log, QList<QVariantList>{{QStringLiteral("Zatrzymanie aplikacji")}});
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_katalog = m_baza.katalog.path();
        // Controller R1 (its code stored with blanks) with current and voltage
        // thresholds, R2 without, and a meter the station does not poll.
        m_baza.wykonaj(QStringLiteral("INSERT INTO Regulatory (Adres, Kod, Typ, ProgNapiecie, ProgPrad, Przekladnia) "
                                      "VALUES (1, ' R1 ', 'regulator', 440, 100, 40), (2, 'R2', 'regulator', NULL, "
                                      "NULL, 40), (3, 'L3', 'licznik', NULL, NULL, 40)"));
        const QString dzwieki = qEnvironmentVariable("TOLVEK_SOUNDS");
        for (const QString &f : QDir(dzwieki).entryList({QStringLiteral("*.wav")}))
            QFile::copy(QDir(dzwieki).filePath(f), QDir(m_katalog).filePath(f));
    }

    void pollsStoresAlarmsAndStopsOnSigterm()
    {
        QVERIFY(m_sym.start({QStringLiteral("--baza"), m_baza.sciezka, QStringLiteral("--ustawienia"),
                             m_katalog + QStringLiteral("/config/Tolvek/Tolvek.conf"), QStringLiteral("--com"),
                             QStringLiteral("1"), QStringLiteral("--log"), m_katalog + QStringLiteral("/sim.log")}));
        // Controller 2 is silent at first; controller 1 reports a reactive
        // current above its 100 A threshold.
        doSymulatora("cisza 2");
        doSymulatora("prad 1 150");
        doSymulatora("napiecie 1 400");
        doSymulatora("prad 2 80");
        doSymulatora("napiecie 2 410");

        uruchomStacje();

        // The communication alarm of the silent controller, then it answers.
        QTRY_VERIFY_WITH_TIMEOUT(ile(QStringLiteral("SELECT count(*) FROM Alarmy WHERE Kod_Regul='R2' AND Tresc="
                                                    "'Brak komunikacji z regulatorem '")) == 1,
                                 120000);
        QTRY_VERIFY_WITH_TIMEOUT(ile(QStringLiteral("SELECT count(*) FROM Alarmy WHERE Kod_Regul='R1' AND Tresc="
                                                    "'Przekroczona wartość prądu ( 150 A)' AND Data_dezakt IS NULL")) ==
                                     1,
                                 120000);
        doSymulatora("ok 2");
        QTRY_VERIFY_WITH_TIMEOUT(ile(QStringLiteral("SELECT count(*) FROM Alarmy WHERE Kod_Regul='R2' AND "
                                                    "Data_dezakt IS NOT NULL")) == 1,
                                 120000);

        // Across a minute boundary once both answer: one more row each, at
        // the same grid point.
        const int przed = ile(QStringLiteral("SELECT count(*) FROM Pomiary"));
        QTRY_VERIFY_WITH_TIMEOUT(ile(QStringLiteral("SELECT count(*) FROM Pomiary WHERE Adres=2")) >= 1 &&
                                     ile(QStringLiteral("SELECT count(*) FROM Pomiary")) >= przed + 2,
                                 120000);

        zatrzymajSygnalem(SIGTERM);

        const auto pomiary = zapytaj(QStringLiteral("SELECT Adres, Data, Napiecie, PradBierny, Czestotliwosc FROM "
                                                    "Pomiary ORDER BY rowid"));
        QHash<int, int> ilosc;
        for (const QVariantList &w : pomiary) {
            const int adres = w[0].toInt();
            QVERIFY(adres == 1 || adres == 2);
            // Each controller's own values, stored under its own address.
            QCOMPARE(w[2].toDouble(), adres == 1 ? 400.0 : 410.0);
            QCOMPARE(w[3].toDouble(), adres == 1 ? 150.0 : 80.0);
            QCOMPARE(w[4].toDouble(), 50.0);
            ++ilosc[adres];
        }
        QVERIFY(ilosc[1] >= 2 && ilosc[2] >= 1);
        QCOMPARE(zapytaj(QStringLiteral("SELECT Adres FROM OstPomiar ORDER BY Adres")),
                 (QList<QVariantList>{{1}, {2}}));
        QCOMPARE(zapytaj(QStringLiteral("SELECT Operacja, Status, Typ, Kod_Regul FROM Log ORDER BY rowid")),
                 (QList<QVariantList>{{"Start aplikacji", "N", "L", QVariant()},
                                      {"Zatrzymanie aplikacji", "N", "L", QVariant()}}));
        m_przeszedl = true;
    }

    // A second, short run stopped with SIGINT while it waits for silent
    // controllers: the wait is woken and the same orderly end follows.
    void sigintWhileWaitingForAnAnswer()
    {
        QVERIFY(m_przeszedl);
        m_przeszedl = false;
        doSymulatora("cisza 1");
        doSymulatora("cisza 2");
        const int alarmy = ile(QStringLiteral("SELECT count(*) FROM Alarmy"));
        const int wpisy = ile(QStringLiteral("SELECT count(*) FROM Log"));
        uruchomStacje();
        // Its first communication alarm: from then on it keeps waiting on them.
        QTRY_VERIFY_WITH_TIMEOUT(ile(QStringLiteral("SELECT count(*) FROM Alarmy")) > alarmy, 120000);
        zatrzymajSygnalem(SIGINT);
        QCOMPARE(ile(QStringLiteral("SELECT count(*) FROM Log")), wpisy + 2);
        m_przeszedl = true;
    }

    void cleanupTestCase()
    {
        if (m_stacja.state() != QProcess::NotRunning) {
            m_stacja.kill();
            m_stacja.waitForFinished(5000);
        }
        m_sym.zatrzymaj();
        const QByteArray log = [&] {
            QFile f(m_katalog + QStringLiteral("/sim.log"));
            return f.open(QIODevice::ReadOnly) ? f.readAll().right(3000) : QByteArray();
        }();
        // The simulator's frame log tells what the line did when the test failed.
        if (!m_przeszedl)
            qWarning("simulator log tail:\n%s", log.constData());
    }
};

QTEST_GUILESS_MAIN(TestStacja)
#include "tst_stacja.moc"
