// tolvek-baza as the operator runs it: the real binary in a temporary
// folder, its exit codes and messages, and the files it leaves.

#include "platform/polaczenie.h"
#include "platform/rekordy.h"
#include "platform/zapytanie.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace
{

struct Wynik {
    int kod = -1;
    QString wyjscie, bledy;
};

Wynik uruchom(const QStringList &argumenty, const QString &katalog = {})
{
    QProcess p;
    if (!katalog.isEmpty())
        p.setWorkingDirectory(katalog);
    p.start(qEnvironmentVariable("TOLVEK_BAZA"), argumenty);
    if (!p.waitForStarted() || !p.waitForFinished(120000))
        return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

QStringList kolumna(Polaczenie &cn, const QString &sql)
{
    Zapytanie z;
    z.Open(sql, cn);
    QStringList w;
    for (z.MoveFirst(); !z.EOF_(); z.MoveNext()) {
        const QVariant v = z.pole(z.kolumny().first());
        w.append(v.isValid() ? v.toString() : QStringLiteral("null"));
    }
    return w;
}

} // namespace

class TestTolvekBaza final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void help_describesCommands_exitsZero();
    void badArguments_exitOneWithMessage_data();
    void badArguments_exitOneWithMessage();
    void init_createsSixEmptyTablesAndIndexes_inWorkingDirectory();
    void init_existingFile_isRefusedAndLeftAlone_untilNadpisz();
    void init_missingFolder_failsWithExitTwo();
    void demo_loadsPlantThatTheStationReads();
    void demo_pomiary_spreadOverControllersOneMinuteApartUpToNow();
};

void TestTolvekBaza::help_describesCommands_exitsZero()
{
    const Wynik w = uruchom({QStringLiteral("--help")});
    QCOMPARE(w.kod, 0);
    for (const char *s : {"init", "demo", "--plik", "--nadpisz", "--pomiary"})
        QVERIFY2(w.wyjscie.contains(QLatin1String(s)), s);
}

void TestTolvekBaza::badArguments_exitOneWithMessage_data()
{
    QTest::addColumn<QStringList>("argumenty");
    QTest::addColumn<QString>("fragment");
    QTest::newRow("nothing") << QStringList{} << "brak polecenia";
    QTest::newRow("unknown command") << QStringList{"usun"} << "usun";
    QTest::newRow("unknown option") << QStringList{"init", "--szybko"} << "--szybko";
    QTest::newRow("file without name") << QStringList{"init", "--plik"} << "--plik";
    QTest::newRow("count not a number") << QStringList{"demo", "--pomiary", "dużo"} << "dużo";
    QTest::newRow("negative count") << QStringList{"demo", "--pomiary=-5"} << "-5";
    QTest::newRow("readings with init") << QStringList{"init", "--pomiary", "10"} << "demo";
    QTest::newRow("two commands") << QStringList{"init", "demo"} << "demo";
}

void TestTolvekBaza::badArguments_exitOneWithMessage()
{
    QFETCH(QStringList, argumenty);
    QFETCH(QString, fragment);
    QTemporaryDir katalog;
    const Wynik w = uruchom(argumenty, katalog.path());
    QCOMPARE(w.kod, 1);
    QVERIFY2(w.bledy.contains(fragment), qPrintable(w.bledy));
    QVERIFY(w.bledy.contains(QStringLiteral("--help")));
    QVERIFY(QDir(katalog.path()).isEmpty());
}

void TestTolvekBaza::init_createsSixEmptyTablesAndIndexes_inWorkingDirectory()
{
    QTemporaryDir katalog;
    const Wynik w = uruchom({QStringLiteral("init")}, katalog.path());
    QCOMPARE(w.kod, 0);
    QVERIFY(w.wyjscie.contains(QStringLiteral("tolvek.mdb")));
    // Only the database itself is left behind: no temporary files.
    QCOMPARE(QDir(katalog.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"tolvek.mdb"});
    Polaczenie cn;
    cn.Open(QStringLiteral("Data Source=") + katalog.filePath(QStringLiteral("tolvek.mdb")));
    QCOMPARE(kolumna(cn, QStringLiteral("Select name from sqlite_master where type = 'table' and name not like "
                                        "'sqlite%' order by name")),
             (QStringList{"Alarmy", "Hierarchia", "Log", "OstPomiar", "Pomiary", "Regulatory"}));
    const QStringList indeksy =
        kolumna(cn, QStringLiteral("Select tbl_name || '(' || group_concat(ii.name) || ')' from sqlite_master m, "
                                   "pragma_index_info(m.name) ii where m.type = 'index' group by m.name"));
    for (const char *s : {"Pomiary(Adres,Data)", "OstPomiar(Adres)", "Alarmy(Kod_Regul,Data)", "Regulatory(Adres)"})
        QVERIFY2(indeksy.contains(QLatin1String(s)), qPrintable(indeksy.join(QLatin1Char(' '))));
    for (const char *t : {"Regulatory", "Pomiary", "OstPomiar", "Alarmy", "Log", "Hierarchia"}) {
        Rekordy rs;
        rs.Open(QLatin1String(t), cn);
        QVERIFY2(rs.EOF_(), t);
    }
}

void TestTolvekBaza::init_existingFile_isRefusedAndLeftAlone_untilNadpisz()
{
    QTemporaryDir katalog;
    const QString plik = katalog.filePath(QStringLiteral("inna.mdb"));
    QCOMPARE(uruchom({QStringLiteral("init"), QStringLiteral("--plik"), plik}).kod, 0);
    {
        Polaczenie cn;
        cn.otworzPlik(plik, false);
        QSqlQuery q(cn.db());
        QVERIFY(q.exec(QStringLiteral("INSERT INTO Log (Operacja) VALUES ('znacznik')")));
    }
    const Wynik odmowa = uruchom({QStringLiteral("demo"), QStringLiteral("--plik=") + plik});
    QCOMPARE(odmowa.kod, 2);
    QVERIFY2(odmowa.bledy.contains(QStringLiteral("--nadpisz")), qPrintable(odmowa.bledy));
    {
        Polaczenie cn;
        cn.otworzPlik(plik, false);
        QCOMPARE(kolumna(cn, QStringLiteral("Select Operacja from Log")), QStringList{"znacznik"});
    }
    QCOMPARE(uruchom({QStringLiteral("init"), QStringLiteral("--nadpisz"), QStringLiteral("--plik"), plik}).kod, 0);
    Polaczenie cn;
    cn.otworzPlik(plik, false);
    QCOMPARE(kolumna(cn, QStringLiteral("Select count(*) from Log")), QStringList{"0"});
}

void TestTolvekBaza::init_missingFolder_failsWithExitTwo()
{
    QTemporaryDir katalog;
    const Wynik w = uruchom(
        {QStringLiteral("init"), QStringLiteral("--plik"), katalog.filePath(QStringLiteral("brak/tolvek.mdb"))});
    QCOMPARE(w.kod, 2);
    QVERIFY2(w.bledy.contains(QStringLiteral("brak")), qPrintable(w.bledy));
}

void TestTolvekBaza::demo_loadsPlantThatTheStationReads()
{
    QTemporaryDir katalog;
    const Wynik w = uruchom({QStringLiteral("demo")}, katalog.path());
    QCOMPARE(w.kod, 0);
    Polaczenie cn;
    cn.Open(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") +
            katalog.filePath(QStringLiteral("tolvek.mdb")));
    Rekordy rs;
    rs.Open(QStringLiteral("Regulatory"), cn);
    QStringList regulatory;
    int bezProgow = 0;
    for (; !rs.EOF_(); rs.MoveNext()) {
        if (rs.pole(QStringLiteral("Typ")).toString() != QLatin1String("regulator"))
            continue;
        regulatory.append(rs.pole(QStringLiteral("Adres")).toString());
        if (!rs.pole(QStringLiteral("ProgPrad")).isValid())
            ++bezProgow;
        QCOMPARE(rs.pole(QStringLiteral("CzestOdczytu")).toInt(), 1);
        QCOMPARE(rs.pole(QStringLiteral("NapieciePomiar")).toInt(), 380);
        QVERIFY(rs.pole(QStringLiteral("Przekladnia")).toDouble() > 1);
        QVERIFY(rs.pole(QStringLiteral("NapiecieMax")).toDouble() > rs.pole(QStringLiteral("NapiecieMin")).toDouble());
        QVERIFY(!rs.pole(QStringLiteral("Kod")).toString().trimmed().isEmpty());
    }
    QCOMPARE(regulatory, (QStringList{"1", "2", "3", "4"}));
    QCOMPARE(bezProgow, 1);
    QCOMPARE(kolumna(cn, QStringLiteral("Select count(*) from Regulatory where Typ <> 'regulator'")), QStringList{"1"});
    // Every controller hangs in the object tree as a node of type R, under a
    // parent that is the root or another row.
    QCOMPARE(kolumna(cn, QStringLiteral("Select h.kod_obiektu from Hierarchia h join Regulatory r on r.Kod = "
                                        "h.kod_obiektu where h.typ = 'R' and r.Typ = 'regulator'"))
                 .size(),
             4);
    QCOMPARE(kolumna(cn, QStringLiteral("Select count(*) from Hierarchia h where h.kod_obiektu_nad <> 'Korzen' and "
                                        "not exists (select 1 from Hierarchia p where p.kod_obiektu = "
                                        "h.kod_obiektu_nad)")),
             QStringList{"0"});
    QCOMPARE(kolumna(cn, QStringLiteral("Select count(*) from Pomiary")), QStringList{"0"});
}

void TestTolvekBaza::demo_pomiary_spreadOverControllersOneMinuteApartUpToNow()
{
    QTemporaryDir katalog;
    const QDateTime przed = QDateTime::currentDateTime();
    const Wynik w =
        uruchom({QStringLiteral("demo"), QStringLiteral("--pomiary"), QStringLiteral("1000")}, katalog.path());
    QCOMPARE(w.kod, 0);
    Polaczenie cn;
    cn.Open(QStringLiteral("Data Source=") + katalog.filePath(QStringLiteral("tolvek.mdb")));
    QCOMPARE(kolumna(cn, QStringLiteral("Select count(*) from Pomiary group by Adres order by Adres")),
             (QStringList{"250", "250", "250", "250"}));
    // Consecutive readings of one controller lie one minute apart.
    QCOMPARE(kolumna(cn, QStringLiteral("Select count(*) from Pomiary a join Pomiary b on b.Adres = a.Adres and "
                                        "b.rowid = a.rowid + 4 where strftime('%s', b.Data) - strftime('%s', "
                                        "a.Data) <> 60")),
             QStringList{"0"});
    const QDateTime ostatni = QDateTime::fromString(
        kolumna(cn, QStringLiteral("Select max(Data) from Pomiary")).first(), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    QVERIFY(ostatni.isValid());
    QVERIFY(ostatni >= przed.addSecs(-70));
    QVERIFY(ostatni <= QDateTime::currentDateTime().addSecs(10));
    QCOMPARE(
        kolumna(cn, QStringLiteral("Select count(*) from Pomiary where Napiecie < 360 or Napiecie > 440 or "
                                   "Czestotliwosc < 49.5 or Czestotliwosc > 50.5 or EnCzynna <= 0 or PradCalk <= 0")),
        QStringList{"0"});
}

QTEST_GUILESS_MAIN(TestTolvekBaza)
#include "tst_tolvekbaza.moc"
