// A plant of two stations on one PostgreSQL server: the real tolvek twice,
// each with its own name and simulator line (both answering every address),
// on one shared database.

#include "symulatorproces.h"
#include "testsupport.h"

#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QTest>

#include <csignal>
#include <memory>

class TestDwieStacje final : public QObject
{
    Q_OBJECT
    std::unique_ptr<BazaTestowa> m_baza;
    SymulatorProces m_sim[2];
    QProcess m_stacja[2];

    int ile(const QString &sql)
    {
        Polaczenie cn;
        cn.otworzDoOdczytu(ZrodloBazy::serwer(m_baza->polaczenieTekst));
        return wierszeZapytania(cn, sql).value(0).value(0).toInt();
    }
    QString katalog(int i) const { return m_baza->katalog.filePath(i ? "beta" : "alfa"); }
    QProcessEnvironment srodowisko(int i) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", katalog(i) + "/config");
        return env;
    }
    // The addresses of the request frames a simulator heard.
    QSet<int> adresyZadan(int i) const
    {
        QSet<int> a;
        for (const QString &r : odebraneRamki(katalog(i) + "/sim.log"))
            a.insert(r.section(' ', 1, 1).toInt(nullptr, 16));
        return a;
    }

private Q_SLOTS:
    void init() { POMIN_BEZ_SILNIKA(Silnik::PostgreSQL); }

    void eachPollsItsOwn_reportOfTheOthersControllerFromEither()
    {
        m_baza = std::make_unique<BazaTestowa>(Silnik::PostgreSQL);
        for (const char *w : {"1, 'A1', 'alfa'", "2, 'A2', 'ALFA'", "3, 'B3', 'beta'"})
            m_baza->wykonaj(QStringLiteral("INSERT INTO Regulatory (Adres, Kod, Stacja, Typ, CzestOdczytu, CzestTrans, "
                                           "NapieciePomiar, Przekladnia, PrzekladniaNap) VALUES (%1, 'regulator', "
                                           "1, 1, 380, 40, 1)")
                                .arg(w));
        for (int i = 0; i < 2; ++i) {
            const QString ustawienia = katalog(i) + "/config/Tolvek/Tolvek.conf";
            QSettings u(ustawienia, QSettings::IniFormat);
            u.setValue("baza/polaczenie", m_baza->polaczenieTekst);
            u.setValue("stacja/nazwa", i ? "beta" : "alfa");
            u.sync();
            QVERIFY(
                m_sim[i].start({"--adresy", "1,2,3", "--ustawienia", ustawienia, "--log", katalog(i) + "/sim.log"}));
            QProcess &stacja = m_stacja[i];
            stacja.setProcessEnvironment(srodowisko(i));
            stacja.setWorkingDirectory(katalog(i));
            stacja.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            stacja.start(qEnvironmentVariable("TOLVEK_BIN"), {});
        }
        // Two stored rounds on the one-minute grid.
        QTRY_VERIFY_WITH_TIMEOUT(ile("SELECT min(n) FROM (SELECT count(*) AS n FROM Pomiary GROUP BY Adres) p "
                                     "HAVING count(*) = 3") >= 2,
                                 150000);
        for (QProcess &p : m_stacja) {
            ::kill(static_cast<pid_t>(p.processId()), SIGTERM);
            QVERIFY(p.waitForFinished(30000));
            QCOMPARE(p.exitCode(), 0);
        }
        QCOMPARE(adresyZadan(0), (QSet<int>{1, 2}));
        QCOMPARE(adresyZadan(1), QSet<int>{3});
        QCOMPARE(ile("SELECT count(*) FROM Log WHERE Stacja = 'alfa'"), 2);
        QCOMPARE(ile("SELECT count(*) FROM Log WHERE Stacja = 'beta'"), 2);

        // beta's controller reported with alfa's settings: every row of its day.
        Polaczenie cn;
        cn.otworzDoOdczytu(ZrodloBazy::serwer(m_baza->polaczenieTekst));
        QStringList czasy;
        for (const QVariantList &w : wierszeZapytania(cn, "SELECT Data FROM Pomiary WHERE Adres=3 ORDER BY Data"))
            czasy << w[0].toString();
        const QString dzien = czasy.first().left(10);
        czasy = czasy.filter(QRegularExpression("^" + dzien));
        qputenv("XDG_CONFIG_HOME", (katalog(0) + "/config").toUtf8());
        const WynikProgramu raport = uruchomProgram(qEnvironmentVariable("TOLVEK_RAPORT"),
                                                    {"dobowy", "--regulator", "B3", "--data", dzien, "--csv", "-"});
        QCOMPARE(raport.kod, 0);
        QStringList czasyRaportu;
        for (const QString &l : raport.wyjscie.trimmed().split('\n').mid(1))
            czasyRaportu << l.section(';', 0, 0);
        QCOMPARE(czasyRaportu, czasy);
    }

    void cleanup()
    {
        for (QProcess &p : m_stacja) {
            p.kill();
            p.waitForFinished(5000);
        }
        for (SymulatorProces &s : m_sim)
            s.zatrzymaj();
    }
};

QTEST_GUILESS_MAIN(TestDwieStacje)
#include "tst_dwiestacje.moc"
