#include "schemat.h"

QStringList schematBazy()
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
                       "NrFabryczny TEXT, Opis TEXT)"),
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
        QStringLiteral("CREATE INDEX Pomiary_Adres_Data ON Pomiary (Adres, Data)"),
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
                       "Data_dezakt TEXT)"),
        QStringLiteral("CREATE INDEX Alarmy_Kod_Regul_Data ON Alarmy (Kod_Regul, Data)"),
        // The program writes no time into Log; the database stamps each row.
        QStringLiteral("CREATE TABLE Log ("
                       "Operacja TEXT, "
                       "Status TEXT, "
                       "Typ TEXT, "
                       "Kod_Regul TEXT, "
                       "Czas TEXT DEFAULT (datetime('now','localtime')))"),
        QStringLiteral("CREATE TABLE Hierarchia ("
                       "kod_obiektu TEXT NOT NULL, "
                       "kod_obiektu_nad TEXT, "
                       "typ TEXT)"),
        // The code is the node's key in the structure tree.
        QStringLiteral("CREATE UNIQUE INDEX Hierarchia_kod_obiektu ON Hierarchia (kod_obiektu)"),
    };
}
