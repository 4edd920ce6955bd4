// tolvek-baza as the operator runs it: the real binary in a temporary
// folder, its exit codes and messages, and the files it leaves; the tables
// it makes on the test run's PostgreSQL server and the history it copies
// there.

#include "baza/polaczenie.h"
#include "baza/rekordy.h"
#include "baza/zapytanie.h"
#include "db/bufor.h"
#include "db/clsbd.h"
#include "db/przekazywanie.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace
{

WynikProgramu uruchom(const QStringList &argumenty, const QString &katalog = {})
{
    return uruchomProgram(qEnvironmentVariable("TOLVEK_BAZA"), argumenty, katalog);
}

// The first column of every row, as text.
QStringList kolumna(Polaczenie &cn, const QString &sql)
{
    QStringList w;
    for (const QVariantList &r : wierszeZapytania(cn, sql))
        w << r.value(0).toString();
    return w;
}

// Every table the station uses is there and empty, and the keys it relies
// on hold: one reading of an address at a time, one counters row of an
// address, one controller under a code (blanks aside) and at an address,
// where a meter may share a controller's address.
void sprawdzSchemat(Polaczenie &cn)
{
    for (const char *t : {"Regulatory", "Pomiary", "OstPomiar", "Alarmy", "Log", "Hierarchia"}) {
        Rekordy rs;
        rs.Open(QLatin1String(t), cn);
        QVERIFY2(rs.EOF_(), t);
    }
    QSqlQuery q(cn.db());
    const auto przyjety = [&q](const char *sql) { return q.exec(QLatin1String(sql)); };
    for (const char *sql : {"INSERT INTO Pomiary (Adres, Data) VALUES (1, '2026-12-05 10:00:00')",
                            "INSERT INTO OstPomiar (Adres) VALUES (1)",
                            "INSERT INTO Regulatory (Adres, Kod, Typ) VALUES (1, 'R1', 'regulator')"}) {
        QVERIFY2(przyjety(sql), sql);
        QVERIFY2(!przyjety(sql), sql);
    }
    QVERIFY(!przyjety("INSERT INTO Regulatory (Adres, Kod, Typ) VALUES (2, ' R1 ', 'regulator')"));
    QVERIFY(!przyjety("INSERT INTO Regulatory (Adres, Kod, Typ) VALUES (1, 'R2', 'regulator')"));
    QVERIFY(przyjety("INSERT INTO Regulatory (Adres, Kod, Typ) VALUES (1, 'L1', 'licznik')"));
}

} // namespace

class TestTolvekBaza final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void badArguments_exitOneWithMessage_data();
    void badArguments_exitOneWithMessage();
    void init_createsSixEmptyTablesAndTheirKeys_inWorkingDirectory();
    void init_existingFile_isRefusedAndLeftAlone_untilNadpisz();
    void init_missingFolder_failsWithExitTwo();
    void demo_loadsPlantThatTheStationReads();
    void initDo_createsTablesAndKeysOnServer_secondRunRefused();
    void kopiuj_copiesEveryTableWithKeys_autoNumbersContinue_secondRunChangesNothing();
    void kopiuj_interruptedRun_isTakenUpWhereItStopped();
    void kopiuj_refusals_changeNothing();
    void unikalnePomiary_listsRepeats_deletesThemOnlyWhenAsked_data();
    void unikalnePomiary_listsRepeats_deletesThemOnlyWhenAsked();
    void kwarantanna_listsAndPutsBack_przekazForwardsTheSpool();
};

void TestTolvekBaza::badArguments_exitOneWithMessage_data()
{
    QTest::addColumn<QStringList>("argumenty");
    QTest::addColumn<QString>("fragment");
    QTest::newRow("nothing") << QStringList{} << "brak polecenia";
    QTest::newRow("count not a number") << QStringList{"demo", "--pomiary", "dużo"} << "dużo";
    QTest::newRow("file and server") << QStringList{"init", "--do", "service=x", "--plik=a"} << "z dwojga";
}

void TestTolvekBaza::badArguments_exitOneWithMessage()
{
    QFETCH(QStringList, argumenty);
    QFETCH(QString, fragment);
    QTemporaryDir katalog;
    const WynikProgramu w = uruchom(argumenty, katalog.path());
    QCOMPARE(w.kod, 1);
    QVERIFY2(w.bledy.contains(fragment), qPrintable(w.bledy));
    QVERIFY(w.bledy.contains(QStringLiteral("--help")));
    QVERIFY(QDir(katalog.path()).isEmpty());
}

void TestTolvekBaza::init_createsSixEmptyTablesAndTheirKeys_inWorkingDirectory()
{
    QTemporaryDir katalog;
    const WynikProgramu w = uruchom({QStringLiteral("init")}, katalog.path());
    QCOMPARE(w.kod, 0);
    QVERIFY(w.wyjscie.contains(QStringLiteral("tolvek.mdb")));
    // Only the database itself is left behind: no temporary files.
    QCOMPARE(QDir(katalog.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"tolvek.mdb"});
    Polaczenie cn;
    cn.Open(QStringLiteral("Data Source=") + katalog.filePath(QStringLiteral("tolvek.mdb")));
    sprawdzSchemat(cn);
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
    const WynikProgramu odmowa = uruchom({QStringLiteral("demo"), QStringLiteral("--plik=") + plik});
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
    const WynikProgramu w = uruchom(
        {QStringLiteral("init"), QStringLiteral("--plik"), katalog.filePath(QStringLiteral("brak/tolvek.mdb"))});
    QCOMPARE(w.kod, 2);
    QVERIFY2(w.bledy.contains(QStringLiteral("brak")), qPrintable(w.bledy));
}

void TestTolvekBaza::demo_loadsPlantThatTheStationReads()
{
    QTemporaryDir katalog;
    const WynikProgramu w = uruchom({QStringLiteral("demo")}, katalog.path());
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
    // Four weeks of readings up to now, the newest in the past, and the
    // alarms they raised, each ended and of a controller.
    QCOMPARE(kolumna(cn, QStringLiteral("Select count(distinct Adres) from Pomiary where Data < datetime('now', "
                                        "'localtime') and Data >= datetime('now', 'localtime', '-1 hour')")),
             QStringList{"4"});
    QVERIFY(kolumna(cn, QStringLiteral("Select min(Data) < datetime('now', 'localtime', '-27 days') from Pomiary"))
                .first() == QLatin1String("1"));
    QVERIFY(kolumna(cn, QStringLiteral("Select count(*) from Alarmy")).first().toInt() >= 5);
    QCOMPARE(kolumna(cn, QStringLiteral("Select count(*) from Alarmy a where Data_dezakt is null or Data_dezakt < "
                                        "Data or not exists (select 1 from Regulatory r where r.Kod = a.Kod_Regul)")),
             QStringList{"0"});
}

namespace
{

// Each value of every row of a table, in key order, as text.
QStringList zawartosc(Polaczenie &cn, const QString &tabela, const QString &kolumny)
{
    QStringList w;
    for (const QVariantList &r : wierszeZapytania(cn, QStringLiteral("Select ") + kolumny + QStringLiteral(" from ") +
                                                          tabela + QStringLiteral(" order by 1"))) {
        QStringList pola;
        for (const QVariant &v : r)
            pola << (v.isValid() ? v.toString() : QStringLiteral("null"));
        w << pola.join(QLatin1Char('|'));
    }
    return w;
}

// A demo file with 2000 readings, alarms (one acknowledged), log rows, a
// gap in the keys of Pomiary and Alarmy where rows were deleted, and a Log
// without the column Stacja.
// Alarm and Log rows written as the station writes them: through a spool
// (a scratch one unless given), forwarded to the database.
void przezBufor(const ZrodloBazy &baza, const std::function<void(clsBD &)> &zapis, QString sciezka = {})
{
    QTemporaryDir katalog;
    ZegarTestowy zegar;
    BuforZapisu bufor;
    bufor.otworz(sciezka.isEmpty() ? katalog.filePath(QStringLiteral("bufor.sqlite")) : sciezka);
    clsBD bd(bufor, zegar);
    zapis(bd);
    Przekazywanie p(bufor.sciezka(), baza);
    while (p.krok() == Przekazywanie::Wynik::Przekazano) {
    }
}

QString plikDoKopiowania(const QTemporaryDir &katalog)
{
    const QString plik = katalog.filePath(QStringLiteral("tolvek.mdb"));
    if (uruchom({QStringLiteral("demo"), QStringLiteral("--pomiary"), QStringLiteral("2000")}, katalog.path()).kod != 0)
        return {};
    przezBufor(ZrodloBazy::plik(plik), [](clsBD &bd) {
        for (int i = 0; i < 5; ++i)
            bd.ZapiszAlarm(DataCzas::z(QDate(2026, 12, 5), QTime(10, i)), QStringLiteral("R"),
                           QStringLiteral("Brak komunikacji"), QStringLiteral("R1-Hala"));
        bd.ModyfikujAlarm(2, DataCzas::z(QDate(2026, 12, 5), QTime(11, 0)), std::nullopt);
        bd.ZapiszDoLoga(QStringLiteral("Start aplikacji"), QStringLiteral("N"), QStringLiteral("L"));
        bd.ZapiszDoLoga(QStringLiteral("Załączono stopień nr 3"), QStringLiteral("N"), QStringLiteral("S"),
                        QStringLiteral("R1-Hala"));
    });
    Polaczenie cn;
    cn.otworzPlik(plik, false);
    QSqlQuery q(cn.db());
    q.exec(QStringLiteral("DELETE FROM Pomiary WHERE rowid BETWEEN 100 AND 199"));
    q.exec(QStringLiteral("DELETE FROM Alarmy WHERE Id_alarmu = 5"));
    q.exec(QStringLiteral("INSERT INTO OstPomiar (Adres, PopPradCzynny, PopTimerU, Czas) VALUES (1, 0.1, -5, "
                          "'2026-03-29 02:30:00')"));
    // A file from before the station's name was kept.
    q.exec(QStringLiteral("ALTER TABLE Log DROP COLUMN Stacja"));
    return plik;
}

const char *const kolumnyPomiarow = "rowid, Adres, Data, EnCzynna, EnBiernaCalk, EnBiernaPoj, Napiecie, PradBierny, "
                                    "PradCalk, Czestotliwosc";
const char *const kolumnyAlarmow = "Id_alarmu, Data, Typ, Tresc, Kod_Regul, Operator, Data_potw, Data_dezakt";

} // namespace

void TestTolvekBaza::initDo_createsTablesAndKeysOnServer_secondRunRefused()
{
    POMIN_BEZ_SILNIKA(Silnik::PostgreSQL);
    BazaTestowa serwer(Silnik::PostgreSQL, BazaTestowa::Pusta::Tak);
    const WynikProgramu w = uruchom({QStringLiteral("init"), QStringLiteral("--do"), serwer.polaczenieTekst});
    QCOMPARE(w.kod, 0);
    Polaczenie cn;
    cn.Open(serwer.polaczenieTekst);
    sprawdzSchemat(cn);
    for (const char *t : {"Regulatory", "Alarmy", "Log"})
        QVERIFY2(cn.opisTabeli(QLatin1String(t)).kolumny.contains(QStringLiteral("stacja")), t);

    const WynikProgramu drugi = uruchom({QStringLiteral("init"), QStringLiteral("--do"), serwer.polaczenieTekst});
    QCOMPARE(drugi.kod, 2);
    QVERIFY2(drugi.bledy.contains(QStringLiteral("Regulatory")), qPrintable(drugi.bledy));
    QCOMPARE(kolumna(cn, QStringLiteral("Select count(*) from Regulatory")), QStringList{"2"});
}

void TestTolvekBaza::kopiuj_copiesEveryTableWithKeys_autoNumbersContinue_secondRunChangesNothing()
{
    POMIN_BEZ_SILNIKA(Silnik::PostgreSQL);
    QTemporaryDir katalog;
    const QString plik = plikDoKopiowania(katalog);
    QVERIFY(!plik.isEmpty());
    BazaTestowa serwer(Silnik::PostgreSQL);
    // Without --do the server comes from the settings.
    const QString ustawienia = qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Tolvek/Tolvek.conf");
    QVERIFY(QDir().mkpath(QFileInfo(ustawienia).path()));
    {
        QFile f(ustawienia);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[baza]\npolaczenie=\"" + serwer.polaczenieTekst.toUtf8() + "\"\n");
    }
    const WynikProgramu w = uruchom({QStringLiteral("kopiuj")}, katalog.path());
    QFile::remove(ustawienia);
    QCOMPARE(w.kod, 0);
    QVERIFY2(w.wyjscie.contains(QStringLiteral("Pomiary: 1900 wierszy")), qPrintable(w.wyjscie));
    QVERIFY2(w.bledy.contains(QStringLiteral("Pomiary 100%")), qPrintable(w.bledy));

    Polaczenie zPliku, naSerwerze;
    zPliku.otworzPlik(plik, false);
    naSerwerze.Open(serwer.polaczenieTekst);
    const QList<QPair<QString, QString>> tabele = {
        {"Pomiary", kolumnyPomiarow},
        {"Alarmy", kolumnyAlarmow},
        {"Regulatory", "rowid, Adres, Kod, Typ, CzestOdczytu, ProgPrad, ProgTgFiMin, Przekladnia, BKSt1, Opis"},
        {"OstPomiar", "rowid, Adres, PopPradCzynny, PopTimerU, Czas"},
        {"Log", "rowid, Operacja, Status, Typ, Kod_Regul, Czas"},
        {"Hierarchia", "rowid, kod_obiektu, kod_obiektu_nad, typ"}};
    for (const auto &[t, k] : tabele) {
        const QStringList p = zawartosc(zPliku, t, k);
        QVERIFY2(!p.isEmpty(), qPrintable(t));
        QCOMPARE(zawartosc(naSerwerze, t, k), p);
    }
    // New rows on the server are numbered after the copied ones.
    przezBufor(ZrodloBazy::serwer(serwer.polaczenieTekst), [](clsBD &bd) {
        bd.ZapiszAlarm(DataCzas::z(QDate(2026, 12, 6), QTime(8, 0)), QStringLiteral("R"), QStringLiteral("x"));
        bd.ZapiszDoLoga(QStringLiteral("Zatrzymanie aplikacji"), QStringLiteral("N"), QStringLiteral("L"));
    });
    QCOMPARE(kolumna(naSerwerze, QStringLiteral("Select Id_alarmu from Alarmy where Tresc = 'x'")), QStringList{"5"});
    QCOMPARE(kolumna(naSerwerze, QStringLiteral("Select max(rowid) - (select max(rowid) from Log where Operacja <> "
                                                "'Zatrzymanie aplikacji') from Log")),
             QStringList{"1"});

    const WynikProgramu drugi = uruchom(
        {QStringLiteral("kopiuj"), QStringLiteral("--z"), plik, QStringLiteral("--do"), serwer.polaczenieTekst});
    QCOMPARE(drugi.kod, 0);
    QVERIFY2(drugi.wyjscie.contains(QStringLiteral("nic nie zmieniono")), qPrintable(drugi.wyjscie));
    QCOMPARE(kolumna(naSerwerze, QStringLiteral("Select count(*) from Pomiary")), QStringList{"1900"});
}

void TestTolvekBaza::kopiuj_interruptedRun_isTakenUpWhereItStopped()
{
    POMIN_BEZ_SILNIKA(Silnik::PostgreSQL);
    QTemporaryDir katalog;
    const QString plik = plikDoKopiowania(katalog);
    QVERIFY(!plik.isEmpty());
    BazaTestowa serwer(Silnik::PostgreSQL);
    const QStringList doSerwera{QStringLiteral("kopiuj"), QStringLiteral("--do"), serwer.polaczenieTekst};
    QCOMPARE(uruchom(doSerwera, katalog.path()).kod, 0);
    // What a run cut short in Pomiary leaves: the parts it committed and its
    // note of how far it got; Alarmy not begun.
    serwer.wykonaj({QStringLiteral("DELETE FROM Pomiary WHERE rowid > 1200"), QStringLiteral("DELETE FROM Alarmy"),
                    QStringLiteral("UPDATE tolvek_kopiowanie SET ostatni = 1200, wierszy = 1100, zakonczona = false "
                                   "WHERE tabela = 'Pomiary'"),
                    QStringLiteral("DELETE FROM tolvek_kopiowanie WHERE tabela = 'Alarmy'")});
    const WynikProgramu w = uruchom(doSerwera, katalog.path());
    QCOMPARE(w.kod, 0);
    QVERIFY2(w.wyjscie.contains(QStringLiteral("Pomiary: 800 wierszy (i 1100 wcześniej)")), qPrintable(w.wyjscie));
    QVERIFY2(w.wyjscie.contains(QStringLiteral("Regulatory: skopiowana już wcześniej")), qPrintable(w.wyjscie));
    Polaczenie zPliku, naSerwerze;
    zPliku.otworzPlik(plik, false);
    naSerwerze.Open(serwer.polaczenieTekst);
    QCOMPARE(zawartosc(naSerwerze, "Pomiary", kolumnyPomiarow), zawartosc(zPliku, "Pomiary", kolumnyPomiarow));
    QCOMPARE(zawartosc(naSerwerze, "Alarmy", kolumnyAlarmow), zawartosc(zPliku, "Alarmy", kolumnyAlarmow));
}

void TestTolvekBaza::kopiuj_refusals_changeNothing()
{
    POMIN_BEZ_SILNIKA(Silnik::PostgreSQL);
    QTemporaryDir katalog;
    const QString plik = plikDoKopiowania(katalog);
    QVERIFY(!plik.isEmpty());
    // Rows that did not come from this file: a station already wrote there.
    BazaTestowa uzywana(Silnik::PostgreSQL);
    uzywana.wykonaj(QStringLiteral("INSERT INTO Log (Operacja) VALUES ('Start aplikacji')"));
    WynikProgramu w =
        uruchom({QStringLiteral("kopiuj"), QStringLiteral("--do"), uzywana.polaczenieTekst}, katalog.path());
    QCOMPARE(w.kod, 2);
    QVERIFY2(w.bledy.contains(QStringLiteral("tabela Log ma już na serwerze wiersze")), qPrintable(w.bledy));
    Polaczenie cn;
    cn.Open(uzywana.polaczenieTekst);
    QCOMPARE(kolumna(cn, QStringLiteral("Select count(*) from Regulatory")), QStringList{"0"});

    // A second file into a server that holds the first one's history.
    BazaTestowa serwer(Silnik::PostgreSQL);
    QCOMPARE(uruchom({QStringLiteral("kopiuj"), QStringLiteral("--do"), serwer.polaczenieTekst}, katalog.path()).kod,
             0);
    QTemporaryDir drugi;
    QVERIFY(QFile::copy(plik, drugi.filePath(QStringLiteral("tolvek.mdb"))));
    w = uruchom({QStringLiteral("kopiuj"), QStringLiteral("--do"), serwer.polaczenieTekst}, drugi.path());
    QCOMPARE(w.kod, 2);
    QVERIFY2(w.bledy.contains(QStringLiteral("pochodzi już z pliku ") + plik), qPrintable(w.bledy));

    // No tables on the server; a password on the command line.
    BazaTestowa pusta(Silnik::PostgreSQL, BazaTestowa::Pusta::Tak);
    w = uruchom({QStringLiteral("kopiuj"), QStringLiteral("--do"), pusta.polaczenieTekst}, katalog.path());
    QCOMPARE(w.kod, 2);
    QVERIFY2(w.bledy.contains(QStringLiteral("init --do")), qPrintable(w.bledy));
    w = uruchom({QStringLiteral("kopiuj"), QStringLiteral("--do"), pusta.polaczenieTekst + " password=tajne"},
                katalog.path());
    QCOMPARE(w.kod, 2);
    QVERIFY2(w.bledy.contains(QStringLiteral("~/.pgpass")), qPrintable(w.bledy));
}

Q_DECLARE_METATYPE(Silnik)

void TestTolvekBaza::unikalnePomiary_listsRepeats_deletesThemOnlyWhenAsked_data()
{
    QTest::addColumn<Silnik>("silnik");
    QTest::newRow("plik") << Silnik::SQLite;
    QTest::newRow("serwer") << Silnik::PostgreSQL;
}

// A database from before the index was unique, holding a reading stored
// twice: listed, left alone without --usun-duplikaty, then one of the two
// goes and the index refuses a third copy.
void TestTolvekBaza::unikalnePomiary_listsRepeats_deletesThemOnlyWhenAsked()
{
    QFETCH(Silnik, silnik);
    POMIN_BEZ_SILNIKA(silnik);
    BazaTestowa baza(silnik);
    baza.wykonaj({QStringLiteral("DROP INDEX Pomiary_Adres_Data"),
                  QStringLiteral("CREATE INDEX Pomiary_Adres_Data ON Pomiary (Adres, Data)")});
    baza.dodajPomiary({{"1", "2026-12-05 10:00:00", "1", "1", "1"},
                       {"1", "2026-12-05 10:00:00", "1", "1", "1"},
                       {"2", "2026-12-05 10:00:00", "1", "1", "1"}});
    const QStringList gdzie = silnik == Silnik::SQLite ? QStringList{QStringLiteral("--plik"), baza.sciezka}
                                                       : QStringList{QStringLiteral("--do"), baza.polaczenieTekst};
    const WynikProgramu lista = uruchom(QStringList{QStringLiteral("unikalne-pomiary")} + gdzie);
    QCOMPARE(lista.kod, 2);
    QVERIFY2(lista.wyjscie.contains(QStringLiteral("Adres 1, 2026-12-05 10:00:00: 2 razy")), qPrintable(lista.wyjscie));
    Polaczenie cn;
    cn.Open(baza.polaczenieTekst);
    QCOMPARE(kolumna(cn, QStringLiteral("Select count(*) from Pomiary")), QStringList{"3"});

    QCOMPARE(uruchom(QStringList{QStringLiteral("unikalne-pomiary"), QStringLiteral("--usun-duplikaty")} + gdzie).kod,
             0);
    QCOMPARE(kolumna(cn, QStringLiteral("Select count(*) from Pomiary")), QStringList{"2"});
    QVERIFY(!QSqlQuery(cn.db()).exec(
        QStringLiteral("INSERT INTO Pomiary (Adres, Data) VALUES (2, '2026-12-05 10:00:00')")));
    const WynikProgramu jeszczeRaz = uruchom(QStringList{QStringLiteral("unikalne-pomiary")} + gdzie);
    QCOMPARE(jeszczeRaz.kod, 0);
    QVERIFY(jeszczeRaz.wyjscie.contains(QStringLiteral("już unikalny")));
}

// An entry the database refused waits in the spool's quarantine: listed,
// put back into the queue once the cause is mended, and forwarded by hand.
void TestTolvekBaza::kwarantanna_listsAndPutsBack_przekazForwardsTheSpool()
{
    BazaTestowa baza;
    baza.wykonaj(QStringLiteral("CREATE TRIGGER odmowa BEFORE INSERT ON Log BEGIN SELECT RAISE(ABORT, 'nie teraz'); "
                                "END"));
    const QString bufor = baza.katalog.filePath(QStringLiteral("bufor.sqlite"));
    przezBufor(
        ZrodloBazy::plik(baza.sciezka),
        [](clsBD &bd) { bd.ZapiszDoLoga(QStringLiteral("Start aplikacji"), QStringLiteral("N"), QStringLiteral("L")); },
        bufor);
    const WynikProgramu lista = uruchom({QStringLiteral("kwarantanna"), QStringLiteral("--bufor"), bufor});
    QCOMPARE(lista.kod, 0);
    QVERIFY2(lista.wyjscie.contains(QStringLiteral("nie teraz")) &&
                 lista.wyjscie.contains(QStringLiteral("Start aplikacji")),
             qPrintable(lista.wyjscie));

    baza.wykonaj(QStringLiteral("DROP TRIGGER odmowa"));
    QCOMPARE(uruchom({QStringLiteral("kwarantanna"), QStringLiteral("--bufor"), bufor, QStringLiteral("--ponow")}).kod,
             0);
    const WynikProgramu p =
        uruchom({QStringLiteral("przekaz"), QStringLiteral("--bufor"), bufor, QStringLiteral("--plik"), baza.sciezka});
    QCOMPARE(p.kod, 0);
    Polaczenie cn;
    cn.Open(baza.polaczenieTekst);
    QCOMPARE(kolumna(cn, QStringLiteral("Select Operacja from Log")), QStringList{"Start aplikacji"});
    QVERIFY(uruchom({QStringLiteral("kwarantanna"), QStringLiteral("--bufor"), bufor})
                .wyjscie.contains(QStringLiteral("pusta")));
}

QTEST_GUILESS_MAIN(TestTolvekBaza)
#include "tst_tolvekbaza.moc"
