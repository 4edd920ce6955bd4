#include "schemat.h"

namespace
{

QStringList schematPliku()
{
    return {
        // Plant objects; only rows of Typ 'regulator' become controllers.
        QStringLiteral("CREATE TABLE Regulatory ("
                       "Adres INTEGER NOT NULL, "
                       "Kod TEXT NOT NULL, "
                       "Typ TEXT NOT NULL, "
                       "CzestOdczytu INTEGER NOT NULL DEFAULT 1, "
                       "CzestTrans INTEGER NOT NULL DEFAULT 1, "
                       "NapieciePomiar INTEGER NOT NULL DEFAULT 380, "
                       "ProgNapiecie REAL, ProgPrad REAL, ProgTgFiMin REAL, ProgTgFi REAL, "
                       "Przekladnia REAL NOT NULL DEFAULT 1, "
                       "PrzekladniaNap INTEGER NOT NULL DEFAULT 1, "
                       "EnCzynnaMin REAL NOT NULL DEFAULT 0, EnCzynnaMax REAL NOT NULL DEFAULT 0, "
                       "EnBiernaCalkMin REAL NOT NULL DEFAULT 0, EnBiernaCalkMax REAL NOT NULL DEFAULT 0, "
                       "EnBiernaPojMin REAL NOT NULL DEFAULT 0, EnBiernaPojMax REAL NOT NULL DEFAULT 0, "
                       "NapiecieMin REAL NOT NULL DEFAULT 0, NapiecieMax REAL NOT NULL DEFAULT 0, "
                       "PradCzynnyMin REAL NOT NULL DEFAULT 0, PradCzynnyMax REAL NOT NULL DEFAULT 0, "
                       "PradBiernyMin REAL NOT NULL DEFAULT 0, PradBiernyMax REAL NOT NULL DEFAULT 0, "
                       "PradCalkMin REAL NOT NULL DEFAULT 0, PradCalkMax REAL NOT NULL DEFAULT 0, "
                       "CzestotliwoscMin REAL NOT NULL DEFAULT 0, CzestotliwoscMax REAL NOT NULL DEFAULT 0, "
                       "BKSt1 REAL, BKSt2 REAL, BKSt3 REAL, BKSt4 REAL, BKSt5 REAL, "
                       "BKSt6 REAL, BKSt7 REAL, BKSt8 REAL, BKSt9 REAL, "
                       "NrFabryczny TEXT, Opis TEXT, "
                       // The station that polls the controller; null: any.
                       "Stacja TEXT)"),
        QStringLiteral("CREATE INDEX Regulatory_Adres ON Regulatory (Adres)"),
        // A controller's code is the registry key and its address is its
        // place on the line: neither may repeat among the controllers.
        QStringLiteral("CREATE UNIQUE INDEX Regulatory_Kod_regulatora ON Regulatory (trim(Kod)) "
                       "WHERE Typ = 'regulator'"),
        QStringLiteral("CREATE UNIQUE INDEX Regulatory_Adres_regulatora ON Regulatory (Adres) "
                       "WHERE Typ = 'regulator'"),
        // One row per stored reading; only ever inserted.
        QStringLiteral("CREATE TABLE Pomiary ("
                       "Adres INTEGER NOT NULL, "
                       "Data TEXT NOT NULL, "
                       "EnCzynna REAL, EnBiernaCalk REAL, EnBiernaPoj REAL, "
                       "Napiecie REAL, PradBierny REAL, PradCalk REAL, Czestotliwosc REAL)"),
        // A reading is one row: one forwarded twice (a lost answer, a crash
        // before the spool let go of it) is refused the second time.
        QStringLiteral("CREATE UNIQUE INDEX Pomiary_Adres_Data ON Pomiary (Adres, Data)"),
        // The counters of the last stored reading of each controller.
        QStringLiteral("CREATE TABLE OstPomiar ("
                       "Adres INTEGER NOT NULL, "
                       "PopPradCzynny REAL, PopPradBiernSr REAL, PopPradBiernPojSr REAL, "
                       "PopTimerU INTEGER, "
                       "Czas TEXT)"),
        QStringLiteral("CREATE UNIQUE INDEX OstPomiar_Adres ON OstPomiar (Adres)"),
        QStringLiteral("CREATE TABLE Alarmy ("
                       "Id_alarmu INTEGER PRIMARY KEY AUTOINCREMENT, "
                       "Data TEXT NOT NULL, "
                       "Typ TEXT NOT NULL, "
                       "Tresc TEXT NOT NULL, "
                       "Kod_Regul TEXT, "
                       "Operator TEXT, "
                       "Data_potw TEXT, "
                       "Data_dezakt TEXT, "
                       "Stacja TEXT)"),
        QStringLiteral("CREATE INDEX Alarmy_Kod_Regul_Data ON Alarmy (Kod_Regul, Data)"),
        // The program writes no time into Log; the database stamps each row.
        QStringLiteral("CREATE TABLE Log ("
                       "Operacja TEXT, "
                       "Status TEXT, "
                       "Typ TEXT, "
                       "Kod_Regul TEXT, "
                       "Czas TEXT DEFAULT (datetime('now','localtime')), "
                       "Stacja TEXT)"),
        QStringLiteral("CREATE TABLE Hierarchia ("
                       "kod_obiektu TEXT NOT NULL, "
                       "kod_obiektu_nad TEXT, "
                       "typ TEXT)"),
        // The code is the node's key in the structure tree.
        QStringLiteral("CREATE UNIQUE INDEX Hierarchia_kod_obiektu ON Hierarchia (kod_obiektu)"),
    };
}

// The same tables on a PostgreSQL server. Names are unquoted, so they are
// stored in lower case and the station's SQL reaches them in any letter
// case. Single-precision values are kept as double precision, as the file
// keeps them, so that sums and averages come out the same on both engines
// and a copied file loses nothing. Date-times are naive local time to the
// second. Every table has a key column to walk its rows by: Alarmy its
// auto-number, the others a "rowid" of their own (as the file has).
QStringList schematSerwera()
{
    const QString rowid = QStringLiteral("rowid bigint GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY");
    const QString progi = QStringLiteral("DOUBLE PRECISION NOT NULL DEFAULT 0");
    return {
        QStringLiteral("CREATE TABLE regulatory ("
                       "adres smallint NOT NULL, "
                       "kod text NOT NULL, "
                       "typ text NOT NULL, "
                       "czestodczytu smallint NOT NULL DEFAULT 1, "
                       "czesttrans smallint NOT NULL DEFAULT 1, "
                       "napieciepomiar smallint NOT NULL DEFAULT 380, "
                       "prognapiecie double precision, progprad double precision, "
                       "progtgfimin double precision, progtgfi double precision, "
                       "przekladnia double precision NOT NULL DEFAULT 1, "
                       "przekladnianap smallint NOT NULL DEFAULT 1, "
                       "enczynnamin %1, enczynnamax %1, enbiernacalkmin %1, enbiernacalkmax %1, "
                       "enbiernapojmin %1, enbiernapojmax %1, napieciemin %1, napieciemax %1, "
                       "pradczynnymin %1, pradczynnymax %1, pradbiernymin %1, pradbiernymax %1, "
                       "pradcalkmin %1, pradcalkmax %1, czestotliwoscmin %1, czestotliwoscmax %1, "
                       "bkst1 double precision, bkst2 double precision, bkst3 double precision, "
                       "bkst4 double precision, bkst5 double precision, bkst6 double precision, "
                       "bkst7 double precision, bkst8 double precision, bkst9 double precision, "
                       "nrfabryczny text, opis text, "
                       "stacja text, "
                       "%2)")
            .arg(progi, rowid),
        QStringLiteral("CREATE INDEX regulatory_adres ON regulatory (adres)"),
        QStringLiteral("CREATE UNIQUE INDEX regulatory_kod_regulatora ON regulatory (trim(kod)) "
                       "WHERE typ = 'regulator'"),
        QStringLiteral("CREATE UNIQUE INDEX regulatory_adres_regulatora ON regulatory (adres) "
                       "WHERE typ = 'regulator'"),
        QStringLiteral("CREATE TABLE pomiary ("
                       "adres smallint NOT NULL, "
                       "data timestamp(0) without time zone NOT NULL, "
                       "enczynna double precision, enbiernacalk double precision, enbiernapoj double precision, "
                       "napiecie double precision, pradbierny double precision, pradcalk double precision, "
                       "czestotliwosc double precision, "
                       "%1)")
            .arg(rowid),
        QStringLiteral("CREATE UNIQUE INDEX pomiary_adres_data ON pomiary (adres, data)"),
        QStringLiteral("CREATE TABLE ostpomiar ("
                       "adres smallint NOT NULL, "
                       "poppradczynny double precision, poppradbiernsr double precision, "
                       "poppradbiernpojsr double precision, "
                       "poptimeru integer, "
                       "czas timestamp(0) without time zone, "
                       "%1)")
            .arg(rowid),
        QStringLiteral("CREATE UNIQUE INDEX ostpomiar_adres ON ostpomiar (adres)"),
        QStringLiteral("CREATE TABLE alarmy ("
                       "id_alarmu integer GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY, "
                       "data timestamp(0) without time zone NOT NULL, "
                       "typ text NOT NULL, "
                       "tresc text NOT NULL, "
                       "kod_regul text, "
                       "operator text, "
                       "data_potw timestamp(0) without time zone, "
                       "data_dezakt timestamp(0) without time zone, "
                       "stacja text)"),
        QStringLiteral("CREATE INDEX alarmy_kod_regul_data ON alarmy (kod_regul, data)"),
        QStringLiteral("CREATE TABLE log ("
                       "operacja text, "
                       "status text, "
                       "typ text, "
                       "kod_regul text, "
                       "czas timestamp(0) without time zone DEFAULT localtimestamp(0), "
                       "stacja text, "
                       "%1)")
            .arg(rowid),
        QStringLiteral("CREATE TABLE hierarchia ("
                       "kod_obiektu text NOT NULL, "
                       "kod_obiektu_nad text, "
                       "typ text, "
                       "%1)")
            .arg(rowid),
        QStringLiteral("CREATE UNIQUE INDEX hierarchia_kod_obiektu ON hierarchia (kod_obiektu)"),
    };
}

} // namespace

QStringList schematBazy(Silnik silnik)
{
    return silnik == Silnik::PostgreSQL ? schematSerwera() : schematPliku();
}
