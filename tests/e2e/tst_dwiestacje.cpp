// A plant of two stations on one PostgreSQL server: the real tolvek binary
// twice, each with its own simulator line and its own name, on one shared
// database. Each polls only its own controllers, and a report drawn with one
// station's settings covers the other station's controller too.

#include "testsupport.h"

#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QTest>

#include <csignal>
#include <memory>

namespace
{
struct Stacja {
    QString nazwa, katalog;
    QProcess sim, stacja;
    QProcessEnvironment srodowisko() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), katalog + QStringLiteral("/config"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        return env;
    }
    QString ustawienia() const { return katalog + QStringLiteral("/config/Tolvek/Tolvek.conf"); }
    // The addresses of the request frames the simulator heard.
    QSet<int> adresyZadan() const
    {
        QSet<int> a;
        QFile f(katalog + QStringLiteral("/sim.log"));
        if (!f.open(QIODevice::ReadOnly))
            return a;
        for (const QByteArray &l : f.readAll().split('\n')) {
            const int rx = l.indexOf(" RX ");
            const QByteArray ramka = rx >= 0 ? QByteArray::fromHex(l.mid(rx + 4)) : QByteArray();
            if (ramka.size() > 1)
                a.insert(static_cast<quint8>(ramka[1]));
        }
        return a;
    }
};
} // namespace

class TestDwieStacje final : public QObject
{
    Q_OBJECT
    std::unique_ptr<BazaTestowa> m_baza;
    Stacja m_stacje[2];

    int ile(const QString &sql)
    {
        Polaczenie cn;
        cn.otworzDoOdczytu(ZrodloBazy::serwer(m_baza->polaczenieTekst));
        const auto w = wierszeZapytania(cn, sql);
        return w.isEmpty() ? -1 : w.first().first().toInt();
    }
    void uruchom(Stacja &s, const QString &adresy)
    {
        QSettings u(s.ustawienia(), QSettings::IniFormat);
        u.setValue(QStringLiteral("baza/polaczenie"), m_baza->polaczenieTekst);
        u.setValue(QStringLiteral("stacja/nazwa"), s.nazwa);
        u.sync();
        s.sim.setProcessEnvironment(s.srodowisko());
        s.sim.start(qEnvironmentVariable("TOLVEK_SIM"),
                    {QStringLiteral("--adresy"), adresy, QStringLiteral("--ustawienia"), s.ustawienia(),
                     QStringLiteral("--log"), s.katalog + QStringLiteral("/sim.log")});
        QVERIFY2(s.sim.waitForStarted(5000), qPrintable(s.sim.errorString()));
        QTRY_VERIFY_WITH_TIMEOUT(s.sim.canReadLine(), 5000);
        s.stacja.setProcessEnvironment(s.srodowisko());
        s.stacja.setWorkingDirectory(s.katalog);
        s.stacja.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        s.stacja.start(qEnvironmentVariable("TOLVEK_BIN"), {});
        QVERIFY2(s.stacja.waitForStarted(5000), qPrintable(s.stacja.errorString()));
    }

private Q_SLOTS:
    void init() { POMIN_BEZ_SILNIKA(Silnik::PostgreSQL); }

    void twoStations_eachPollsItsOwnControllers_reportCoversBoth()
    {
        m_baza = std::make_unique<BazaTestowa>(Silnik::PostgreSQL);
        const QString wstaw = QStringLiteral("INSERT INTO Regulatory (Adres, Kod, Typ, CzestOdczytu, CzestTrans, "
                                             "NapieciePomiar, Przekladnia, PrzekladniaNap, Stacja) VALUES ");
        m_baza->wykonaj({wstaw + QStringLiteral("(1, 'A1', 'regulator', 1, 1, 380, 40, 1, 'alfa')"),
                         wstaw + QStringLiteral("(2, 'A2', 'regulator', 1, 1, 380, 40, 1, 'ALFA')"),
                         wstaw + QStringLiteral("(3, 'B3', 'regulator', 1, 1, 380, 40, 1, 'beta')")});
        const QString nazwy[2] = {QStringLiteral("alfa"), QStringLiteral("beta")};
        for (int i = 0; i < 2; ++i) {
            m_stacje[i].nazwa = nazwy[i];
            m_stacje[i].katalog = m_baza->katalog.filePath(nazwy[i]);
            QVERIFY(QDir().mkpath(m_stacje[i].katalog));
        }
        // Both lines answer for every address: a station that polled another
        // station's controller would get its readings.
        uruchom(m_stacje[0], QStringLiteral("1,2,3"));
        uruchom(m_stacje[1], QStringLiteral("1,2,3"));

        // Two stored rounds on the one-minute grid.
        for (int adres : {1, 2, 3})
            QTRY_VERIFY_WITH_TIMEOUT(ile(QStringLiteral("SELECT count(*) FROM Pomiary WHERE Adres=%1").arg(adres)) >= 2,
                                     150000);
        for (Stacja &s : m_stacje) {
            ::kill(static_cast<pid_t>(s.stacja.processId()), SIGTERM);
            QVERIFY(s.stacja.waitForFinished(30000));
            QCOMPARE(s.stacja.exitCode(), 0);
        }

        QCOMPARE(m_stacje[0].adresyZadan(), (QSet<int>{1, 2}));
        QCOMPARE(m_stacje[1].adresyZadan(), QSet<int>{3});
        // One stored row per grid point: no controller stored twice.
        QCOMPARE(ile(QStringLiteral("SELECT count(*) FROM (SELECT Adres, Data FROM Pomiary GROUP BY Adres, Data "
                                    "HAVING count(*) > 1) d")),
                 0);
        QCOMPARE(ile(QStringLiteral("SELECT count(*) FROM Log WHERE Stacja='alfa'")), 2);
        QCOMPARE(ile(QStringLiteral("SELECT count(*) FROM Log WHERE Stacja='beta'")), 2);

        // The report of beta's controller with alfa's settings: every row
        // beta stored that day, in time order.
        Polaczenie cn;
        cn.otworzDoOdczytu(ZrodloBazy::serwer(m_baza->polaczenieTekst));
        const QString dzien =
            wierszeZapytania(cn, QStringLiteral("SELECT min(Data) FROM Pomiary WHERE Adres=3"))[0][0].toString().left(
                10);
        QStringList czasy;
        for (const QVariantList &w :
             wierszeZapytania(cn, QStringLiteral("SELECT Data FROM Pomiary WHERE Adres=3 ORDER BY Data")))
            if (w[0].toString().startsWith(dzien))
                czasy << w[0].toString();
        QProcess raport;
        raport.setProcessEnvironment(m_stacje[0].srodowisko());
        raport.setWorkingDirectory(m_stacje[0].katalog);
        raport.start(qEnvironmentVariable("TOLVEK_RAPORT"),
                     {QStringLiteral("dobowy"), QStringLiteral("--regulator"), QStringLiteral("B3"),
                      QStringLiteral("--data"), dzien, QStringLiteral("--csv"), QStringLiteral("-")});
        QVERIFY(raport.waitForFinished(60000));
        QCOMPARE(raport.exitCode(), 0);
        QStringList czasyRaportu;
        for (const QByteArray &l : raport.readAllStandardOutput().trimmed().split('\n').mid(1))
            czasyRaportu << QString::fromUtf8(l.left(l.indexOf(';')));
        QVERIFY(czasy.size() >= 1);
        QCOMPARE(czasyRaportu, czasy);
    }

    void cleanup()
    {
        for (Stacja &s : m_stacje) {
            for (QProcess *p : {&s.stacja, &s.sim}) {
                if (p->state() != QProcess::NotRunning) {
                    p->kill();
                    p->waitForFinished(5000);
                }
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestDwieStacje)
#include "tst_dwiestacje.moc"
