// Opening the database: the Data Source, the refusals of files that are
// missing or not SQLite, the settings in force on every connection (that a
// committed row is visible to another connection at once is tst_stacja's);
// which database the settings name, and a session on the test run's
// PostgreSQL server.

#include "baza/bladbazy.h"
#include "baza/polaczenie.h"
#include "baza/rekordy.h"
#include "platform/ustawienia.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <QTest>
#include <QTimeZone>

namespace
{

QString bladOtwarcia(const QString &polaczenieTekst)
{
    Polaczenie cn;
    try {
        cn.Open(polaczenieTekst);
    } catch (const BladBazy &e) {
        return e.opis();
    }
    return {};
}

// The working directory for one scope, given back even when a check fails.
struct KatalogRoboczy {
    const QString poprzedni = QDir::currentPath();
    explicit KatalogRoboczy(const QString &katalog) { QDir::setCurrent(katalog); }
    ~KatalogRoboczy() { QDir::setCurrent(poprzedni); }
};

void dopiszDoLoga(Polaczenie &cn, const QString &operacja)
{
    Rekordy rs;
    rs.Open(QStringLiteral("Log"), cn);
    rs.AddNew();
    rs.ustaw(QStringLiteral("Operacja"), operacja);
    rs.Update();
}

} // namespace

class TestPolaczenie final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void tekstPolaczenia_data()
    {
        QTest::addColumn<QString>("tekst");
        // "plik:<path>", "serwer:<key>=<value>,..." (sorted) or "!<fragment of the error>"
        QTest::addColumn<QString>("wynik");
        QTest::newRow("station's text") << "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=tolvek.mdb;Persist "
                                           "Security Info=False"
                                        << "plik:tolvek.mdb";
        QTest::newRow("editor, upper case") << "PROVIDER=Microsoft.Jet.OLEDB.4.0;DATA SOURCE=tolvek.mdb;"
                                            << "plik:tolvek.mdb";
        QTest::newRow("blanks and quotes, last item") << "Provider=x; data  source = \"/tmp/a b/x.mdb\" "
                                                      << "plik:/tmp/a b/x.mdb";
        QTest::newRow("no Data Source") << "Provider=x;Source=baza.db"
                                        << "!Data Source";
        QTest::newRow("service") << "service=tolvek"
                                 << "serwer:service=tolvek";
        QTest::newRow("keywords, quoted value") << "host=db.zaklad port=5433 dbname='hala 2' user=stacja"
                                                << "serwer:dbname=hala 2,host=db.zaklad,port=5433,user=stacja";
        QTest::newRow("URI") << "postgresql://stacja@db.zaklad:5433/tolvek"
                             << "serwer:dbname=tolvek,host=db.zaklad,port=5433,user=stacja";
        QTest::newRow("password") << "service=tolvek password=tajne"
                                  << "!~/.pgpass";
        QTest::newRow("password in a URI") << "postgresql://stacja:tajne@db/tolvek"
                                           << "!~/.pgpass";
        QTest::newRow("unknown keyword") << "serwer=db"
                                         << "!serwer";
        QTest::newRow("empty") << "  "
                               << "!Pusty";
    }
    void tekstPolaczenia()
    {
        QFETCH(QString, tekst);
        QFETCH(QString, wynik);
        try {
            const ZrodloBazy z = ZrodloBazy::zTekstuPolaczenia(tekst);
            QString opis;
            if (z.silnik() == Silnik::SQLite) {
                opis = "plik:" + z.tekst();
            } else {
                QStringList p;
                for (const auto &[k, w] : z.parametry())
                    p << k + "=" + w;
                p.sort();
                opis = "serwer:" + p.join(',');
                // Which server, never a secret, in the messages.
                QVERIFY(z.opis().startsWith("PostgreSQL: "));
            }
            QCOMPARE(opis, wynik);
        } catch (const BladBazy &e) {
            QVERIFY2(wynik.startsWith('!') && e.opis().contains(wynik.mid(1)), qPrintable(e.opis()));
        }
    }

    void settings_nameTheDatabaseAndTheStation()
    {
        UstawieniaTestowe u;
        QCOMPARE(::zrodloBazy(u).tekst(), "tolvek.mdb");
        QCOMPARE(nazwaStacji(u), QSysInfo::machineHostName());
        u.zapisz("baza", "polaczenie", " service=tolvek ");
        u.zapisz("stacja", "nazwa", " Hala 2 ");
        QCOMPARE(::zrodloBazy(u).silnik(), Silnik::PostgreSQL);
        QCOMPARE(::zrodloBazy(u).parametr("service"), "tolvek");
        QCOMPARE(nazwaStacji(u), "Hala 2");
        // A file given on a command line, even one whose name has a "=".
        QTemporaryDir katalog;
        const QString dziwny = katalog.filePath("a=b.mdb");
        QFile(dziwny).open(QIODevice::WriteOnly);
        QCOMPARE(ZrodloBazy::zArgumentu(dziwny).silnik(), Silnik::SQLite);
        QCOMPARE(ZrodloBazy::zArgumentu("inna.mdb").silnik(), Silnik::SQLite);
        QCOMPARE(ZrodloBazy::zArgumentu("dbname=x").silnik(), Silnik::PostgreSQL);
    }

    void serverNotThere_messageNamesItAndWhatToCheck()
    {
        if (!QSqlDatabase::isDriverAvailable("QPSQL"))
            QSKIP("Qt's PostgreSQL driver is not installed");
        const QString opis = bladOtwarcia("host=/nonexistent/gniazdo dbname=tolvek user=stacja");
        for (const char *f :
             {"Nie można połączyć się", "/nonexistent/gniazdo", "„tolvek”", "~/.pgpass", "[baza] polaczenie"})
            QVERIFY2(opis.contains(QString::fromUtf8(f)), qPrintable(opis));
    }

    void serverSession_localTimeReadOnlyReaderAndQuotedOptions()
    {
        POMIN_BEZ_SILNIKA(Silnik::PostgreSQL);
        BazaTestowa b(Silnik::PostgreSQL);
        Polaczenie cn;
        cn.Open(b.polaczenieTekst + " application_name='Stacja A'");
        QCOMPARE(wierszeZapytania(cn, "Select current_setting('application_name')").value(0).value(0).toString(),
                 "Stacja A");
        // The server stamps a Log row with the station's wall-clock time.
        dopiszDoLoga(cn, "start");
        const DataCzas czas =
            DataCzas::zTekstu(wierszeZapytania(cn, "Select Czas from Log").value(0).value(0).toString());
        QVERIFY(std::abs(czas.ms() - DataCzas::z(QDateTime::currentDateTime()).ms()) < 600000);
        // A reader beside the station never writes.
        Polaczenie czytelnik;
        czytelnik.otworzDoOdczytu(cn.zrodlo());
        Rekordy rs;
        rs.Open("Log", czytelnik);
        QCOMPARE(rs.pole("Operacja").toString(), "start");
        rs.AddNew();
        QVERIFY_THROWS_EXCEPTION(BladBazy, rs.Update());
        // The driver would split an option at a ";".
        QVERIFY(bladOtwarcia(b.polaczenieTekst + " application_name='a;b'").contains("średnik"));
    }

    void open_relativeDataSource_isTakenFromWorkingDirectory()
    {
        BazaTestowa b;
        Polaczenie cn;
        {
            KatalogRoboczy tu(b.katalog.path());
            cn.Open(
                QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=tolvek.mdb;Persist Security Info=False"));
        }
        QCOMPARE(cn.plik(), b.sciezka);
        Rekordy rs;
        rs.Open(QStringLiteral("Regulatory"), cn); // still the same file after the directory changed back
        QVERIFY(rs.EOF_());
    }

    void open_pathWithBlanksHashAndPolishLetters_opensThatFile()
    {
        BazaTestowa b;
        const QString katalog = b.katalog.filePath(QStringLiteral("dział #1 ?%20 x"));
        QVERIFY(QDir().mkpath(katalog));
        const QString plik = katalog + QStringLiteral("/tolvek.mdb");
        QVERIFY(QFile::copy(b.sciezka, plik));
        Polaczenie cn;
        cn.Open(QStringLiteral("Data Source=") + plik);
        QCOMPARE(cn.plik(), plik);
        dopiszDoLoga(cn, QStringLiteral("tu"));
        cn.Close();
        // The row is in that very file, and no other file was made on the way.
        Polaczenie inne;
        inne.otworzPlik(plik, false);
        QCOMPARE(wierszeZapytania(inne, QStringLiteral("SELECT Operacja FROM Log")), QList<QVariantList>{{"tu"}});
        QCOMPARE(QDir(b.katalog.path()).entryList(QDir::Files), QStringList{"tolvek.mdb"});
    }

    void open_fileThatIsNoStationDatabase_isRefusedAndLeftAlone_data()
    {
        QTest::addColumn<bool>("jestPlik");
        QTest::addColumn<QByteArray>("tresc");
        QTest::addColumn<QStringList>("fragmenty"); // "<plik>": the file's absolute path
        const QStringList jet{"Access/Jet", "przekonwertować", "<plik>"};
        QTest::newRow("missing: names the file and the directory")
            << false << QByteArray() << QStringList{"<plik>", "tolvek-baza init"};
        QTest::newRow("Jet 4") << true << (QByteArray("\x00\x01\x00\x00Standard Jet DB\x00", 20) + QByteArray(2048, 0))
                               << jet;
        QTest::newRow("ACE") << true << (QByteArray("\x00\x01\x00\x00Standard ACE DB\x00", 20) + QByteArray(2048, 0))
                             << jet;
        QTest::newRow("text") << true << QByteArray("Adres;Kod\n1;R1\n") << QStringList{"nie jest bazą danych SQLite"};
        QTest::newRow("empty") << true << QByteArray() << QStringList{"pusty"};
        QTest::newRow("damaged SQLite") << true
                                        << (QByteArray("SQLite format 3\0", 16) + QByteArray(84, '\x7f') +
                                            QByteArray(4000, 'x'))
                                        << QStringList{};
    }
    void open_fileThatIsNoStationDatabase_isRefusedAndLeftAlone()
    {
        QFETCH(bool, jestPlik);
        QFETCH(QByteArray, tresc);
        QFETCH(QStringList, fragmenty);
        QTemporaryDir katalog;
        KatalogRoboczy tu(katalog.path());
        const QString plik = QDir::current().absoluteFilePath(QStringLiteral("tolvek.mdb"));
        if (jestPlik) {
            QFile f(plik);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(tresc);
        }
        const QString opis = bladOtwarcia(QStringLiteral("Provider=x;Data Source=tolvek.mdb"));
        QVERIFY(!opis.isEmpty());
        for (const QString &f : fragmenty)
            QVERIFY2(opis.contains(f == QLatin1String("<plik>") ? plik : f), qPrintable(opis));
        QCOMPARE(QFile::exists(plik), jestPlik); // never created
        QFile f(plik);
        if (jestPlik) {
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), tresc); // never changed
        }
    }

    void connection_hasWalFullSyncAndBusyTimeout()
    {
        BazaTestowa b;
        Polaczenie cn;
        cn.Open(b.polaczenieTekst);
        const auto pragma = [&cn](const char *nazwa) {
            return wierszeZapytania(cn, QStringLiteral("PRAGMA ") + QLatin1String(nazwa)).value(0).value(0);
        };
        QCOMPARE(pragma("journal_mode").toString(), QStringLiteral("wal"));
        QCOMPARE(pragma("synchronous").toInt(), 2); // FULL
        QVERIFY(pragma("busy_timeout").toInt() >= 1000);
    }
};

int main(int argc, char **argv)
{
    // Far from the server's own zone (UTC): the session must keep the
    // station's.
    qputenv("TZ", "Pacific/Auckland");
    QCoreApplication app(argc, argv);
    TestPolaczenie t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_polaczenie.moc"
