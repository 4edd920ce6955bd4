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
#include <QFileInfo>
#include <QProcess>
#include <QSqlQuery>
#include <QTest>

#include <cstdio>
#include <cstring>
#include <thread>

namespace {

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

void zapiszPlik(const QString &sciezka, const QByteArray &tresc)
{
    QFile f(sciezka);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(tresc);
}

QString pragma(Polaczenie &cn, const QString &nazwa)
{
    QSqlQuery q(cn.db());
    if (!q.exec(QStringLiteral("PRAGMA ") + nazwa) || !q.next())
        return QStringLiteral("<błąd>");
    return q.value(0).toString();
}

// The child side of the kill test: commit one row, say so, and wait to be
// killed.
int dzieckoZapisujace(const QString &sciezka)
{
    Polaczenie cn;
    cn.otworzPlik(sciezka, false);
    Rekordy rs;
    rs.Open(QStringLiteral("Log"), cn);
    rs.AddNew();
    rs.ustaw(QStringLiteral("Operacja"), QStringLiteral("przed zabiciem"));
    rs.Update();
    std::fputs("ZAPISANO\n", stdout);
    std::fflush(stdout);
    for (;;)
        std::this_thread::sleep_for(std::chrono::seconds(1));
}

} // namespace

class TestPolaczenie final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void zrodloDanych_data();
    void zrodloDanych();
    void open_relativeDataSource_isTakenFromWorkingDirectory();
    void open_pathWithBlanksHashAndPolishLetters_opensThatFile();
    void open_missingFile_namesFileAndDirectory_andCreatesNothing();
    void open_jetFile_saysItIsAccessAndMustBeConverted_data();
    void open_jetFile_saysItIsAccessAndMustBeConverted();
    void open_notSqliteFile_isRefused_data();
    void open_notSqliteFile_isRefused();
    void open_noDataSource_isRefused();
    void connection_hasWalFullSyncAndBusyTimeout();
    void twoConnections_onOneFile_areIndependent();
    void otworzPlik_createsOnlyWhenAllowed();
    void committedRow_survivesKilledWriter();
};

void TestPolaczenie::zrodloDanych_data()
{
    QTest::addColumn<QString>("tekst");
    QTest::addColumn<QString>("plik");
    QTest::newRow("station") << "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=tolvek.mdb;Persist Security Info=False"
                             << "tolvek.mdb";
    QTest::newRow("editor, upper case") << "PROVIDER=Microsoft.Jet.OLEDB.4.0;DATA SOURCE=tolvek.mdb;" << "tolvek.mdb";
    QTest::newRow("blanks and quotes") << " data  source = \"/tmp/a b/x.mdb\" ;" << "/tmp/a b/x.mdb";
    QTest::newRow("last item") << "Provider=x;Data Source=baza.db" << "baza.db";
    QTest::newRow("missing") << "Provider=x;Source=baza.db" << "";
}

void TestPolaczenie::zrodloDanych()
{
    QFETCH(QString, tekst);
    QFETCH(QString, plik);
    QCOMPARE(Polaczenie::zrodloDanych(tekst), plik);
}

void TestPolaczenie::open_relativeDataSource_isTakenFromWorkingDirectory()
{
    BazaTestowa b;
    const QString poprzedni = QDir::currentPath();
    QVERIFY(QDir::setCurrent(b.katalog.path()));
    Polaczenie cn;
    try {
        cn.Open(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=tolvek.mdb;Persist Security Info=False"));
    } catch (const BladBazy &e) {
        QDir::setCurrent(poprzedni);
        QFAIL(e.what());
    }
    QDir::setCurrent(poprzedni);
    QVERIFY(cn.otwarte());
    QCOMPARE(cn.plik(), b.sciezka);
    Rekordy rs;
    rs.Open(QStringLiteral("Regulatory"), cn); // still the same file after the directory changed back
    QVERIFY(rs.EOF_());
}

void TestPolaczenie::open_pathWithBlanksHashAndPolishLetters_opensThatFile()
{
    BazaTestowa b;
    const QString katalog = b.katalog.filePath(QStringLiteral("dział #1 ?%20 x"));
    QVERIFY(QDir().mkpath(katalog));
    const QString plik = katalog + QStringLiteral("/tolvek.mdb");
    QVERIFY(QFile::copy(b.sciezka, plik));
    Polaczenie cn;
    cn.Open(QStringLiteral("Data Source=") + plik);
    QCOMPARE(cn.plik(), plik);
    Rekordy rs;
    rs.Open(QStringLiteral("Log"), cn);
    rs.AddNew();
    rs.Update();
    cn.Close();
    // The row is in that very file, and no other file was made on the way.
    Polaczenie inne;
    inne.otworzPlik(plik, false);
    QSqlQuery q(inne.db());
    QVERIFY(q.exec(QStringLiteral("SELECT count(*) FROM Log")) && q.next());
    QCOMPARE(q.value(0).toInt(), 1);
    QCOMPARE(QDir(b.katalog.path()).entryList(QDir::Files), QStringList{"tolvek.mdb"});
}

void TestPolaczenie::open_missingFile_namesFileAndDirectory_andCreatesNothing()
{
    QTemporaryDir katalog;
    const QString poprzedni = QDir::currentPath();
    QVERIFY(QDir::setCurrent(katalog.path()));
    const QString opis = bladOtwarcia(QStringLiteral("Provider=x;Data Source=tolvek.mdb"));
    QDir::setCurrent(poprzedni);
    QVERIFY2(opis.contains(QStringLiteral("tolvek.mdb")), qPrintable(opis));
    QVERIFY2(opis.contains(katalog.path()), qPrintable(opis));
    QVERIFY(!QFile::exists(katalog.filePath(QStringLiteral("tolvek.mdb"))));
}

void TestPolaczenie::open_jetFile_saysItIsAccessAndMustBeConverted_data()
{
    QTest::addColumn<QByteArray>("naglowek");
    QTest::newRow("Jet 4") << QByteArray("\x00\x01\x00\x00Standard Jet DB\x00", 20);
    QTest::newRow("ACE") << QByteArray("\x00\x01\x00\x00Standard ACE DB\x00", 20);
}

void TestPolaczenie::open_jetFile_saysItIsAccessAndMustBeConverted()
{
    QFETCH(QByteArray, naglowek);
    QTemporaryDir katalog;
    const QString plik = katalog.filePath(QStringLiteral("tolvek.mdb"));
    zapiszPlik(plik, naglowek + QByteArray(2048, '\0'));
    const QString opis = bladOtwarcia(QStringLiteral("Data Source=") + plik);
    QVERIFY2(opis.contains(QStringLiteral("Access/Jet")), qPrintable(opis));
    QVERIFY2(opis.contains(QStringLiteral("przekonwertować")), qPrintable(opis));
    QVERIFY2(opis.contains(plik), qPrintable(opis));
}

void TestPolaczenie::open_notSqliteFile_isRefused_data()
{
    QTest::addColumn<QByteArray>("tresc");
    QTest::addColumn<QString>("fragment");
    QTest::newRow("text") << QByteArray("Adres;Kod\n1;R1\n") << "nie jest bazą danych SQLite";
    QTest::newRow("empty") << QByteArray() << "pusty";
    QTest::newRow("damaged SQLite")
        << (QByteArray("SQLite format 3\0", 16) + QByteArray(84, '\x7f') + QByteArray(4000, 'x'))
        << "";
}

void TestPolaczenie::open_notSqliteFile_isRefused()
{
    QFETCH(QByteArray, tresc);
    QFETCH(QString, fragment);
    QTemporaryDir katalog;
    const QString plik = katalog.filePath(QStringLiteral("tolvek.mdb"));
    zapiszPlik(plik, tresc);
    const QString opis = bladOtwarcia(QStringLiteral("Data Source=") + plik);
    QVERIFY(!opis.isEmpty());
    QVERIFY2(opis.contains(fragment), qPrintable(opis));
    QFile f(plik);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), tresc); // the refused file is left as it was
}

void TestPolaczenie::open_noDataSource_isRefused()
{
    QVERIFY(bladOtwarcia(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0")).contains(QStringLiteral("Data Source")));
}

void TestPolaczenie::connection_hasWalFullSyncAndBusyTimeout()
{
    BazaTestowa b;
    Polaczenie cn;
    cn.Open(b.polaczenieTekst);
    QCOMPARE(pragma(cn, QStringLiteral("journal_mode")), QStringLiteral("wal"));
    QCOMPARE(pragma(cn, QStringLiteral("synchronous")), QStringLiteral("2")); // FULL
    QVERIFY(pragma(cn, QStringLiteral("busy_timeout")).toInt() >= 1000);
}

void TestPolaczenie::twoConnections_onOneFile_areIndependent()
{
    BazaTestowa b;
    Polaczenie a, c;
    a.Open(b.polaczenieTekst);
    c.Open(b.polaczenieTekst);
    QVERIFY(a.db().connectionName() != c.db().connectionName());
    Rekordy rs;
    rs.Open(QStringLiteral("Log"), a);
    rs.AddNew();
    rs.ustaw(QStringLiteral("Operacja"), QStringLiteral("z a"));
    rs.Update();
    a.Close();
    QVERIFY(!a.otwarte());
    QVERIFY_THROWS_EXCEPTION(BladBazy, rs.MoveFirst());
    Rekordy rc;
    rc.Open(QStringLiteral("Log"), c);
    QCOMPARE(rc.pole(QStringLiteral("Operacja")).toString(), QStringLiteral("z a"));
    a.Open(b.polaczenieTekst); // the same object opens again
    QVERIFY(a.otwarte());
}

void TestPolaczenie::otworzPlik_createsOnlyWhenAllowed()
{
    QTemporaryDir katalog;
    const QString plik = katalog.filePath(QStringLiteral("nowa.db"));
    Polaczenie cn;
    QVERIFY_THROWS_EXCEPTION(BladBazy, cn.otworzPlik(plik, false));
    QVERIFY(!QFile::exists(plik));
    cn.otworzPlik(plik, true);
    QVERIFY(cn.otwarte());
    QSqlQuery q(cn.db());
    QVERIFY(q.exec(QStringLiteral("CREATE TABLE t (a)")));
    cn.Close();
    cn.otworzPlik(plik, false);
    QVERIFY(cn.otwarte());
}

void TestPolaczenie::committedRow_survivesKilledWriter()
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
    Rekordy rs;
    rs.Open(QStringLiteral("Log"), cn);
    QVERIFY(!rs.EOF_());
    QCOMPARE(rs.pole(QStringLiteral("Operacja")).toString(), QStringLiteral("przed zabiciem"));
}

int main(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--zapisz-i-czekaj") == 0) {
        QCoreApplication app(argc, argv);
        return dzieckoZapisujace(QString::fromLocal8Bit(argv[2]));
    }
    QCoreApplication app(argc, argv);
    TestPolaczenie t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_polaczenie.moc"
