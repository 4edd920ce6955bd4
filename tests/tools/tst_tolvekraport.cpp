// tolvek-raport as cron and other tools run it: the real binary on a
// scratch database, its exit codes and messages, the files it writes, its
// reads while another connection is in the middle of a write, and the same
// from the test run's PostgreSQL server.

#include "testsupport.h"

#include <QDir>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace
{

WynikProgramu raport(const QStringList &argumenty, const QString &katalog)
{
    return uruchomProgram(qEnvironmentVariable("TOLVEK_RAPORT"), argumenty, katalog);
}

} // namespace

class TestTolvekRaport final : public QObject
{
    Q_OBJECT

    QTemporaryDir katalog; // the demo plant, with readings of R1-Hala around 5 December 2026

    QSqlDatabase baza(const QString &nazwa)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", nazwa);
        db.setDatabaseName(katalog.filePath("tolvek.mdb"));
        db.open();
        return db;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(uruchomProgram(qEnvironmentVariable("TOLVEK_BAZA"), {"demo", "--pomiary", "0"}, katalog.path()).kod,
                 0);
        {
            QSqlDatabase db = baza("wypelnij");
            QSqlQuery q(db);
            for (const char *w : {"'2026-12-04 23:45:00', 9, 9, 0", "'2026-12-05 00:00:00', 10, 4, 0",
                                  "'2026-12-05 00:15:00', -1.5, 2, -0.5", "'2026-12-06 00:00:00', 3, 1, 0"})
                QVERIFY(q.exec(QStringLiteral("INSERT INTO Pomiary (Adres, Data, EnCzynna, EnBiernaCalk, EnBiernaPoj, "
                                              "Napiecie, PradCalk, Czestotliwosc) VALUES (1, %1, 400, 20, 50)")
                                   .arg(QLatin1String(w))));
        }
        QSqlDatabase::removeDatabase("wypelnij");
    }

    void badCommandLine_exitTwoWithReason_data()
    {
        QTest::addColumn<QString>("argumenty");
        QTest::addColumn<QString>("powod");
        const char *wiersze[][3] = {
            {"no such day", "dobowy --regulator R1-Hala --data 2026-02-30 --pdf x.pdf", "2026-02-30"},
            {"range backwards", "okresowy --regulator R1-Hala --od 2026-12-05 --do 2026-12-01 --csv x.csv",
             "--od 2026-12-05"},
            {"no controller", "dobowy --data 2026-12-05 --pdf x.pdf", "--regulator"},
            {"report without output", "dobowy --regulator R1-Hala --data 2026-12-05", "--pdf"},
            {"power over a period",
             "wykres-okresowy --regulator R1-Hala --od 2026-12-01 --do 2026-12-05 --rodzaj moc --csv x.csv", "moc"},
        };
        for (const auto &w : wiersze)
            QTest::newRow(w[0]) << QString(w[1]) << QString(w[2]);
    }
    void badCommandLine_exitTwoWithReason()
    {
        QFETCH(QString, argumenty);
        QFETCH(QString, powod);
        const WynikProgramu w = raport(argumenty.split(' ', Qt::SkipEmptyParts), katalog.path());
        QCOMPARE(w.kod, 2);
        QVERIFY2(w.bledy.contains(powod) && w.bledy.contains("--help"), qPrintable(w.bledy));
        QVERIFY(!QFile::exists(katalog.filePath("x.pdf")) && !QFile::exists(katalog.filePath("x.csv")));
    }

    void unknownControllerOrMissingDatabase_exitOne()
    {
        const WynikProgramu r =
            raport({"dobowy", "--regulator", "R9", "--data", "2026-12-05", "--csv", "-"}, katalog.path());
        QCOMPARE(r.kod, 1);
        QVERIFY2(r.bledy.contains("„R9”") && r.bledy.contains("R4-Magazyn"), qPrintable(r.bledy));
        const WynikProgramu b =
            raport({"dobowy", "--regulator", "R1-Hala", "--data", "2026-12-05", "--csv", "-", "--baza", "brak.mdb"},
                   katalog.path());
        QCOMPARE(b.kod, 1);
        QVERIFY2(b.bledy.contains("brak.mdb"), qPrintable(b.bledy));
    }

    void dailyReport_pdfAndCsvOfTheDay()
    {
        const WynikProgramu w =
            raport({"dobowy", "--regulator", "R1-Hala", "--data=2026-12-05", "--pdf", "d.pdf", "--csv", "d.csv"},
                   katalog.path());
        QCOMPARE(w.kod, 0);
        QVERIFY2(w.bledy.isEmpty(), qPrintable(w.bledy)); // nothing for cron to mail
        QFile csv(katalog.filePath("d.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(csv.readAll()).split('\n').mid(1),
                 (QStringList{"2026-12-05 00:00:00;10;4;0,4;0;400;50;20",
                              "2026-12-05 00:15:00;-1,5;2,5;-1,33333333333;-0,5;400;50;20", ""}));
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        QProcess p;
        p.start("pdftotext", {katalog.filePath("d.pdf"), "-"});
        p.waitForFinished();
        const QString tekst = QString::fromUtf8(p.readAllStandardOutput());
        for (const char *s : {"regulatora 'R1-Hala'", "z dnia 05/12/2026", "00:15:00", "(1,500)", "strona 1/1"})
            QVERIFY2(tekst.contains(QString::fromUtf8(s)), s);
    }

    void chartRows_asCsvOnStandardOutput()
    {
        const WynikProgramu m =
            raport({"wykres-dobowy", "--regulator", "R1-Hala", "--data", "2026-12-05", "--rodzaj", "moc", "--csv", "-"},
                   katalog.path());
        QCOMPARE(m.kod, 0);
        // Each interval starts at the reading before it, the first at 23:45.
        QCOMPARE(m.wyjscie, "Data;Moc energii czynnej;Moc energii biernej\n2026-12-05 00:00:00;40;16\n"
                            "2026-12-05 00:15:00;-6;8\n");
        const WynikProgramu o = raport({"wykres-okresowy", "--regulator", "R1-Hala", "--od", "2026-12-04", "--do",
                                        "2026-12-06", "--rodzaj", "tgfi", "--csv", "-"},
                                       katalog.path());
        QCOMPARE(o.wyjscie, "Data;tg fi\n2026-12-04;1\n2026-12-05;0,705882352941\n2026-12-06;0,333333333333\n");
    }

    void readsWhileAnotherConnectionWrites()
    {
        QSqlDatabase db = baza("pisarz");
        QSqlQuery q(db);
        QVERIFY(q.exec("BEGIN IMMEDIATE"));
        QVERIFY(q.exec("INSERT INTO Pomiary (Adres, Data, EnCzynna, EnBiernaCalk) VALUES (1, '2026-12-05 00:30:00', "
                       "1, 1)"));
        const QStringList argumenty = {"wykres-dobowy", "--regulator", "R1-Hala", "--data", "2026-12-05", "--csv", "-"};
        // The write in progress neither holds the reader up nor shows.
        const WynikProgramu wTrakcie = raport(argumenty, katalog.path());
        QCOMPARE(wTrakcie.kod, 0);
        QCOMPARE(wTrakcie.wyjscie.count('\n'), 3);
        QVERIFY(q.exec("COMMIT"));
        QCOMPARE(raport(argumenty, katalog.path()).wyjscie.count('\n'), 4);
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase("pisarz");
    }

    void fromServer_sameRowsAsFromFile()
    {
        POMIN_BEZ_SILNIKA(Silnik::PostgreSQL);
        BazaTestowa serwer(Silnik::PostgreSQL);
        QCOMPARE(uruchomProgram(qEnvironmentVariable("TOLVEK_BAZA"), {"kopiuj", "--do", serwer.polaczenieTekst},
                                katalog.path())
                     .kod,
                 0);
        const QList<QStringList> polecenia = {
            {"dobowy", "--regulator", "R1-Hala", "--data", "2026-12-05", "--csv", "-"},
            {"okresowy", "--regulator", "R1-Hala", "--od", "2026-12-04", "--do", "2026-12-06", "--csv", "-"},
            {"wykres-dobowy", "--regulator", "R1-Hala", "--data", "2026-12-05", "--rodzaj", "moc", "--csv", "-"}};
        for (const QStringList &p : polecenia) {
            const WynikProgramu zPliku = raport(p, katalog.path());
            const WynikProgramu zSerwera = raport(p + QStringList{"--baza", serwer.polaczenieTekst}, katalog.path());
            QCOMPARE(zSerwera.kod, 0);
            QVERIFY(zPliku.wyjscie.count('\n') > 1);
            QCOMPARE(zSerwera.wyjscie, zPliku.wyjscie);
        }
        // A server that is not there: said plainly, with what to check.
        const WynikProgramu b =
            raport(polecenia.first() + QStringList{"--baza", "host=/nonexistent dbname=tolvek"}, katalog.path());
        QCOMPARE(b.kod, 1);
        QVERIFY2(b.bledy.contains("Nie można połączyć się") && b.bledy.contains("/nonexistent") &&
                     b.bledy.contains("~/.pgpass"),
                 qPrintable(b.bledy));
    }
};

QTEST_GUILESS_MAIN(TestTolvekRaport)
#include "tst_tolvekraport.moc"
