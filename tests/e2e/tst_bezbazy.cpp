// The station without its database, end to end: the real tolvek polls two
// controllers of tolvek-sim every minute while its PostgreSQL server
// freezes, goes away and comes back, and three runs of the station come and
// go: the first stopped with SIGTERM while the server is frozen, the second
// started while the server is away and killed with -9 after an alarm came
// and went, the third started while the server is away and still running
// when it comes back. Afterwards nothing is lost and nothing is stored
// twice: every minute's grid point of both controllers is in the database
// once (or rightly skipped for a reading stored less than 25 s before it),
// their energies add up to the controllers' counters, every start and every
// orderly stop has its Log row, and the alarm has its deactivation time.

#include "serwerprywatny.h"
#include "symulatorproces.h"
#include "testsupport.h"

#include <QDateTime>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <csignal>

class TestBezBazy final : public QObject
{
    Q_OBJECT
    std::unique_ptr<SerwerPrywatny> m_serwer;
    QTemporaryDir m_katalog;
    SymulatorProces m_sim;
    QProcess m_stacja;

    QString bufor() const { return m_katalog.filePath(QStringLiteral("bufor.sqlite")); }
    QList<QVariantList> naSerwerze(const QString &sql)
    {
        Polaczenie cn;
        cn.otworzDoOdczytu(ZrodloBazy::serwer(m_serwer->polaczenie));
        return wierszeZapytania(cn, sql);
    }
    int ileNaSerwerze(const QString &sql) { return naSerwerze(sql).value(0).value(0).toInt(); }
    // Entries of that kind waiting in the station's spool (1 a reading, 2 an
    // alarm, 3 an alarm's change, 4 a Log row).
    int wBuforze(int rodzaj)
    {
        Polaczenie cn;
        cn.otworzDoOdczytu(bufor());
        return wierszeZapytania(cn, QStringLiteral("SELECT count(*) FROM wpisy WHERE rodzaj = %1").arg(rodzaj))
            .value(0)
            .value(0)
            .toInt();
    }
    void uruchomStacje()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_katalog.filePath(QStringLiteral("config")));
        m_stacja.setProcessEnvironment(env);
        m_stacja.setWorkingDirectory(m_katalog.path());
        m_stacja.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_stacja.start(qEnvironmentVariable("TOLVEK_BIN"), {});
        QVERIFY2(m_stacja.waitForStarted(30000), qPrintable(m_stacja.errorString()));
    }
    void zatrzymajStacje(int sygnal)
    {
        ::kill(static_cast<pid_t>(m_stacja.processId()), sygnal);
        QVERIFY(m_stacja.waitForFinished(60000));
        if (sygnal == SIGTERM) {
            QCOMPARE(m_stacja.exitStatus(), QProcess::NormalExit);
            QCOMPARE(m_stacja.exitCode(), 0);
        }
    }

private Q_SLOTS:
    void init() { POMIN_BEZ_SILNIKA(Silnik::PostgreSQL); }

    void freezeStopsAwayKillAndBack_nothingLostNothingTwice()
    {
        m_serwer = std::make_unique<SerwerPrywatny>();
        QVERIFY2(!m_serwer->polaczenie.isEmpty(), qPrintable(m_serwer->katalog));
        QCOMPARE(uruchomProgram(qEnvironmentVariable("TOLVEK_BAZA"),
                                {QStringLiteral("init"), QStringLiteral("--do"), m_serwer->polaczenie})
                     .kod,
                 0);
        {
            Polaczenie cn;
            cn.otworz(ZrodloBazy::serwer(m_serwer->polaczenie));
            wierszeZapytania(cn, QStringLiteral("INSERT INTO Regulatory (Adres, Kod, Typ, CzestOdczytu, CzestTrans, "
                                                "NapieciePomiar, Przekladnia, PrzekladniaNap) VALUES (1, 'R1', "
                                                "'regulator', 1, 1, 380, 40, 1), (2, 'R2', 'regulator', 1, 1, 380, "
                                                "40, 1) RETURNING 1"));
        }
        const QString ustawienia = m_katalog.filePath(QStringLiteral("config/Tolvek/Tolvek.conf"));
        {
            QSettings u(ustawienia, QSettings::IniFormat);
            u.setValue(QStringLiteral("baza/polaczenie"), m_serwer->polaczenie);
            u.setValue(QStringLiteral("stacja/nazwa"), QStringLiteral("e2e"));
            u.setValue(QStringLiteral("bufor/plik"), bufor());
        }
        QVERIFY(m_sim.start({QStringLiteral("--adresy"), QStringLiteral("1,2"), QStringLiteral("--ustawienia"),
                             ustawienia, QStringLiteral("--com"), QStringLiteral("1")}));

        // First run, with the server there: its start row and first readings.
        uruchomStacje();
        QTRY_VERIFY_WITH_TIMEOUT(ileNaSerwerze(QStringLiteral("SELECT count(*) FROM Pomiary")) == 2 &&
                                     ileNaSerwerze(QStringLiteral("SELECT count(*) FROM Log")) == 1,
                                 60000);
        // Frozen: the next grid point's readings are taken on time and wait
        // in the spool; SIGTERM ends the station in order all the same.
        QVERIFY(m_serwer->skrypt(QStringLiteral("zamroz")));
        QTRY_VERIFY_WITH_TIMEOUT(wBuforze(1) >= 2, 120000);
        zatrzymajStacje(SIGTERM);
        QCOMPARE(wBuforze(4), 1); // the stop row waits too

        // Away: a start from the spool's copy, an alarm that comes and goes,
        // then a kill.
        QVERIFY(m_serwer->skrypt(QStringLiteral("odmroz")));
        QVERIFY(m_serwer->skrypt(QStringLiteral("pauza")));
        uruchomStacje();
        QTRY_VERIFY_WITH_TIMEOUT(wBuforze(4) == 2, 60000);
        QCOMPARE(m_sim.polecenie(QStringLiteral("cisza 2")), QStringLiteral("OK"));
        QTRY_VERIFY_WITH_TIMEOUT(wBuforze(2) == 1, 60000);
        QCOMPARE(m_sim.polecenie(QStringLiteral("ok 2")), QStringLiteral("OK"));
        QTRY_VERIFY_WITH_TIMEOUT(wBuforze(3) == 1, 60000);
        zatrzymajStacje(SIGKILL);

        // Away still at the next start; then the server comes back.
        uruchomStacje();
        QTRY_VERIFY_WITH_TIMEOUT(wBuforze(4) == 3, 60000);
        QVERIFY(m_serwer->skrypt(QStringLiteral("wznow")));
        const QString teraz = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        QTRY_VERIFY_WITH_TIMEOUT(ileNaSerwerze(QStringLiteral("SELECT count(*) FROM Pomiary WHERE Adres = 2 AND Data > "
                                                              "'%1'")
                                                   .arg(teraz)) > 0,
                                 150000);
        zatrzymajStacje(SIGTERM);

        QCOMPARE(naSerwerze(QStringLiteral("SELECT Operacja FROM Log ORDER BY Czas, rowid")),
                 (QList<QVariantList>{{"Start aplikacji"},
                                      {"Zatrzymanie aplikacji"},
                                      {"Start aplikacji"},
                                      {"Start aplikacji"},
                                      {"Zatrzymanie aplikacji"}}));
        QCOMPARE(ileNaSerwerze(QStringLiteral("SELECT count(*) FROM Alarmy WHERE Kod_Regul = 'R2' AND Stacja = 'e2e' "
                                              "AND Data_dezakt IS NOT NULL")),
                 1);
        for (int adres : {1, 2}) {
            QList<DataCzas> czasy;
            double energia = 0;
            for (const QVariantList &w : naSerwerze(
                     QStringLiteral("SELECT Data, EnCzynna FROM Pomiary WHERE Adres = %1 ORDER BY Data").arg(adres))) {
                czasy << DataCzas::zTekstu(w[0].toString());
                energia += w[1].toDouble();
            }
            QVERIFY(czasy.size() >= 3);
            for (int i = 1; i < czasy.size(); ++i)
                QVERIFY2(czasy[i] > czasy[i - 1], qPrintable(czasy[i].tekstBazy())); // none twice
            // Each minute between the first and the last row: its grid point
            // stored (within the tick that took it), or the last row less than
            // 25 s before it.
            for (DataCzas m = czasy.first().poczatekDnia(); m <= czasy.last(); m = m.plusMinuty(1)) {
                if (m <= czasy.first())
                    continue;
                bool jest = false;
                for (const DataCzas &c : std::as_const(czasy))
                    jest |= (c >= m && c < m.plusSekundy(5)) || (c < m && c > m.plusSekundy(-25));
                QVERIFY2(jest, qPrintable(QStringLiteral("address %1, %2").arg(adres).arg(m.tekstBazy())));
            }
            // The first row holds the counter itself, each later one the
            // growth since the one before: together, the last counter.
            const double licznik =
                naSerwerze(QStringLiteral("SELECT PopPradCzynny FROM OstPomiar WHERE Adres = %1").arg(adres))
                    .value(0)
                    .value(0)
                    .toDouble();
            QVERIFY2(std::fabs(energia - licznik) <= 1e-5 * licznik,
                     qPrintable(QStringLiteral("%1 against %2").arg(energia).arg(licznik)));
        }
        QCOMPARE(wBuforze(1) + wBuforze(2) + wBuforze(3) + wBuforze(4), 0);
    }

    void cleanup()
    {
        m_stacja.kill();
        m_stacja.waitForFinished(5000);
        m_sim.zatrzymaj();
        m_serwer.reset();
    }
};

QTEST_GUILESS_MAIN(TestBezBazy)
#include "tst_bezbazy.moc"
