// Opening the database: the Data Source, the refusals of files that are
// missing or not SQLite, the settings in force on every connection, and a
// committed row surviving a killed process.

#include "platform/bladbazy.h"
#include "platform/polaczenie.h"
#include "platform/rekordy.h"
#include "testsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <cstdio>
#include <cstring>
#include <thread>

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

// The child side of the kill test: commit one row, say so, and wait to be
// killed.
int dzieckoZapisujace(const QString &sciezka)
{
    Polaczenie cn;
    cn.otworzPlik(sciezka, false);
    dopiszDoLoga(cn, QStringLiteral("przed zabiciem"));
    std::fputs("ZAPISANO\n", stdout);
    std::fflush(stdout);
    for (;;)
        std::this_thread::sleep_for(std::chrono::seconds(1));
}

} // namespace

class TestPolaczenie final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void zrodloDanych_data()
    {
        QTest::addColumn<QString>("tekst");
        QTest::addColumn<QString>("plik");
        QTest::newRow("station")
            << "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=tolvek.mdb;Persist Security Info=False"
            << "tolvek.mdb";
        QTest::newRow("editor, upper case") << "PROVIDER=Microsoft.Jet.OLEDB.4.0;DATA SOURCE=tolvek.mdb;"
                                            << "tolvek.mdb";
        QTest::newRow("blanks and quotes, last item") << "Provider=x; data  source = \"/tmp/a b/x.mdb\" "
                                                      << "/tmp/a b/x.mdb";
        QTest::newRow("missing") << "Provider=x;Source=baza.db"
                                 << "";
    }
    void zrodloDanych()
    {
        QFETCH(QString, tekst);
        QFETCH(QString, plik);
        QCOMPARE(Polaczenie::zrodloDanych(tekst), plik);
        if (plik.isEmpty())
            QVERIFY(bladOtwarcia(tekst).contains(QStringLiteral("Data Source")));
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

    void committedRow_survivesKilledWriter()
    {
        BazaTestowa b;
        QProcess dziecko;
        dziecko.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--zapisz-i-czekaj"), b.sciezka});
        QVERIFY(dziecko.waitForStarted());
        QByteArray wyjscie;
        while (!wyjscie.contains("ZAPISANO") && dziecko.waitForReadyRead(20000))
            wyjscie += dziecko.readAllStandardOutput();
        QVERIFY2(wyjscie.contains("ZAPISANO"), dziecko.readAllStandardError().constData());
        dziecko.kill(); // SIGKILL: no destructor, no checkpoint, no close
        QVERIFY(dziecko.waitForFinished());
        QCOMPARE(dziecko.exitStatus(), QProcess::CrashExit);

        Polaczenie cn;
        cn.Open(b.polaczenieTekst);
        QCOMPARE(wierszeZapytania(cn, QStringLiteral("SELECT Operacja FROM Log")),
                 QList<QVariantList>{{"przed zabiciem"}});
    }
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--zapisz-i-czekaj") == 0)
        return dzieckoZapisujace(QString::fromLocal8Bit(argv[2]));
    TestPolaczenie t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_polaczenie.moc"
