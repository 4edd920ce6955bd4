// A plant of two stations on one PostgreSQL server: the real tolvek twice,
// each with its own name and simulator line (both answering every address),
// on one shared database schema.

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
    QProcess m_procesy[4]; // simulator and station of alfa, then of beta

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
        QFile f(katalog(i) + "/sim.log");
        if (f.open(QIODevice::ReadOnly))
            for (const QByteArray &l : f.readAll().split('\n'))
                if (const int rx = l.indexOf(" RX "); rx >= 0 && l.size() > rx + 10)
                    a.insert(QByteArray::fromHex(l.mid(rx + 4)).at(1));
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
            QProcess &sim = m_procesy[2 * i], &stacja = m_procesy[2 * i + 1];
            sim.setProcessEnvironment(srodowisko(i));
            sim.start(qEnvironmentVariable("TOLVEK_SIM"),
                      {"--adresy", "1,2,3", "--ustawienia", ustawienia, "--log", katalog(i) + "/sim.log"});
            QTRY_VERIFY_WITH_TIMEOUT(sim.canReadLine(), 5000);
            stacja.setProcessEnvironment(srodowisko(i));
            stacja.setWorkingDirectory(katalog(i));
            stacja.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            stacja.start(qEnvironmentVariable("TOLVEK_BIN"), {});
        }
        // Two stored rounds on the one-minute grid.
        QTRY_VERIFY_WITH_TIMEOUT(ile("SELECT min(n) FROM (SELECT count(*) AS n FROM Pomiary GROUP BY Adres) p "
                                     "HAVING count(*) = 3") >= 2,
                                 150000);
        for (int i : {1, 3}) {
            ::kill(static_cast<pid_t>(m_procesy[i].processId()), SIGTERM);
            QVERIFY(m_procesy[i].waitForFinished(30000));
            QCOMPARE(m_procesy[i].exitCode(), 0);
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
        QProcess raport;
        raport.setProcessEnvironment(srodowisko(0));
        raport.setWorkingDirectory(katalog(0));
        raport.start(qEnvironmentVariable("TOLVEK_RAPORT"),
                     {"dobowy", "--regulator", "B3", "--data", dzien, "--csv", "-"});
        QVERIFY(raport.waitForFinished(60000));
        QCOMPARE(raport.exitCode(), 0);
        QStringList czasyRaportu;
        for (const QByteArray &l : raport.readAllStandardOutput().trimmed().split('\n').mid(1))
            czasyRaportu << QString::fromUtf8(l.left(l.indexOf(';')));
        QCOMPARE(czasyRaportu, czasy);
    }

    void cleanup()
    {
        for (QProcess &p : m_procesy) {
            p.kill();
            p.waitForFinished(5000);
        }
    }
};

QTEST_GUILESS_MAIN(TestDwieStacje)
#include "tst_dwiestacje.moc"
