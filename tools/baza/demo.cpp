#include "demo.h"

#include "baza/bladbazy.h"
#include "baza/polaczenie.h"
#include "surowe.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <array>
#include <cmath>
#include <cstdio>
#include <optional>
#include <random>

namespace
{

struct Regulator {
    int adres;
    const char *kod;
    const char *opis;
    const char *nrFabryczny;
    double przekladnia; // current transformer ratio, e.g. 200/5 A = 40
    std::optional<double> progPrad, progNapiecie, progTgFiMin, progTgFi;
    std::array<double, 9> stopnie; // kvar per stage, 0 = no stage
    double pradNominalny;          // typical total current, A (for the readings)
};

const std::array<Regulator, 4> regulatory{{
    {1,
     "R1-Hala",
     "Rozdzielnia główna hali produkcyjnej",
     "RK-2019-0147",
     40,
     120.0,
     440.0,
     0.0,
     0.4,
     {5, 10, 10, 20, 20, 20, 20, 0, 0},
     85},
    {2,
     "R2-Sprężarkownia",
     "Rozdzielnia sprężarkowni",
     "RK-2019-0152",
     60,
     150.0,
     440.0,
     0.0,
     0.4,
     {10, 10, 20, 20, 30, 30, 0, 0, 0},
     120},
    {3,
     "R3-Kotłownia",
     "Pompy i wentylatory kotłowni",
     "RK-2021-0311",
     20,
     60.0,
     440.0,
     0.1,
     0.5,
     {2.5, 5, 5, 10, 10, 0, 0, 0, 0},
     40},
    {4,
     "R4-Magazyn",
     "Magazyn wyrobów gotowych; progi alarmowe nieustawione",
     "RK-2021-0318",
     40,
     std::nullopt,
     std::nullopt,
     std::nullopt,
     std::nullopt,
     {5, 5, 10, 10, 15, 0, 0, 0, 0},
     30},
}};

QVariant opcja(const std::optional<double> &v)
{
    return v ? QVariant(*v) : QVariant();
}

void wykonaj(QSqlQuery &q)
{
    if (!q.exec()) {
        const int nr = q.lastError().nativeErrorCode().toInt();
        throw BladBazy(nr != 0 ? nr : 1, q.lastError().databaseText());
    }
}

void wstawRegulatory(Polaczenie &cn)
{
    QSqlQuery q(cn.db());
    q.prepare(QStringLiteral(
        "INSERT INTO Regulatory (Adres, Kod, Typ, CzestOdczytu, CzestTrans, NapieciePomiar, ProgNapiecie, ProgPrad, "
        "ProgTgFiMin, ProgTgFi, Przekladnia, PrzekladniaNap, EnCzynnaMin, EnCzynnaMax, EnBiernaCalkMin, "
        "EnBiernaCalkMax, EnBiernaPojMin, EnBiernaPojMax, NapiecieMin, NapiecieMax, PradCzynnyMin, PradCzynnyMax, "
        "PradBiernyMin, PradBiernyMax, PradCalkMin, PradCalkMax, CzestotliwoscMin, CzestotliwoscMax, BKSt1, BKSt2, "
        "BKSt3, BKSt4, BKSt5, BKSt6, BKSt7, BKSt8, BKSt9, NrFabryczny, Opis) VALUES (?, ?, 'regulator', 15, 15, 380, "
        "?, ?, ?, ?, ?, 1, 0, ?, 0, ?, ?, 0, 200, 600, 0, ?, 0, ?, 0, ?, 45, 55, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    for (const Regulator &r : regulatory) {
        // The filtering limits refuse what no plant of this size gives (noise
        // on the line), far enough out that every alarm threshold stays
        // reachable: 200..600 V in the 380 V class, ten times the typical
        // current, 45..55 Hz. The energy limits (a 15-minute interval at
        // twice the typical current) are shown only.
        const double In = r.pradNominalny;
        const double energiaMax = std::ceil(std::sqrt(3.0) * 400 * In * 2 / 1000 * 15 / 60);
        q.addBindValue(r.adres);
        q.addBindValue(QString::fromUtf8(r.kod));
        q.addBindValue(opcja(r.progNapiecie));
        q.addBindValue(opcja(r.progPrad));
        q.addBindValue(opcja(r.progTgFiMin));
        q.addBindValue(opcja(r.progTgFi));
        q.addBindValue(r.przekladnia);
        q.addBindValue(energiaMax);
        q.addBindValue(energiaMax);
        q.addBindValue(-energiaMax / 4);
        q.addBindValue(10 * In);
        q.addBindValue(10 * In);
        q.addBindValue(10 * In);
        for (double kvar : r.stopnie)
            q.addBindValue(kvar);
        q.addBindValue(QString::fromUtf8(r.nrFabryczny));
        q.addBindValue(QString::fromUtf8(r.opis));
        wykonaj(q);
    }
    // A plant object that is not a controller: the station skips it.
    QSqlQuery l(cn.db());
    l.prepare(QStringLiteral("INSERT INTO Regulatory (Adres, Kod, Typ, NrFabryczny, Opis) "
                             "VALUES (20, 'L1-Licznik', 'licznik', 'LE-2020-5512', 'Licznik energii na przyłączu')"));
    wykonaj(l);
}

void wstawHierarchie(Polaczenie &cn)
{
    const std::array<std::array<const char *, 3>, 12> wiersze{{
        {"Zakład", "Korzen", "O"},
        {"Hala produkcyjna", "Zakład", "O"},
        {"Budynek techniczny", "Zakład", "O"},
        {"Sprężarkownia", "Budynek techniczny", "O"},
        {"Kotłownia", "Budynek techniczny", "O"},
        {"Magazyn wyrobów gotowych", "Zakład", "O"},
        {"Stacja transformatorowa", "Zakład", "O"},
        {"R1-Hala", "Hala produkcyjna", "R"},
        {"R2-Sprężarkownia", "Sprężarkownia", "R"},
        {"R3-Kotłownia", "Kotłownia", "R"},
        {"R4-Magazyn", "Magazyn wyrobów gotowych", "R"},
        {"L1-Licznik", "Stacja transformatorowa", "O"},
    }};
    QSqlQuery q(cn.db());
    q.prepare(QStringLiteral("INSERT INTO Hierarchia (kod_obiektu, kod_obiektu_nad, typ) VALUES (?, ?, ?)"));
    for (const auto &w : wiersze) {
        for (const char *pole : w)
            q.addBindValue(QString::fromUtf8(pole));
        wykonaj(q);
    }
}

// Three decimals, as a single-precision meter value shows them.
double r3(double v)
{
    return std::round(v * 1000) / 1000;
}

} // namespace

std::vector<OpisRegulatora> regulatoryDemo()
{
    std::vector<OpisRegulatora> w;
    for (const Regulator &r : regulatory)
        w.push_back({r.adres, QString::fromUtf8(r.kod), r.pradNominalny, r.progTgFiMin, r.progTgFi});
    return w;
}

void wypelnijDemo(Polaczenie &cn)
{
    wstawRegulatory(cn);
    wstawHierarchie(cn);
}

void dopiszPomiary(Polaczenie &cn, std::int64_t n, DataCzas teraz)
{
    if (n <= 0)
        return;
    // Millions of rows: the raw engine interface, one prepared statement
    // and one transaction.
    sqlite3 *h = uchwytSqlite(cn);
    sqlite3_stmt *st = nullptr;
    sprawdzSqlite(h, sqlite3_exec(h, "BEGIN", nullptr, nullptr, nullptr));
    sprawdzSqlite(h,
                  sqlite3_prepare_v2(h,
                                     "INSERT INTO Pomiary (Adres, Data, EnCzynna, EnBiernaCalk, EnBiernaPoj, Napiecie, "
                                     "PradBierny, PradCalk, Czestotliwosc) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)",
                                     -1, &st, nullptr));
    std::mt19937 los(20261205);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    std::normal_distribution<double> szum(0.0, 1.0);
    const std::int64_t ileRegul = static_cast<std::int64_t>(regulatory.size());
    const std::int64_t krokow = (n + ileRegul - 1) / ileRegul;
    // The newest reading lies in the past even for the last controller of
    // the round, read a few seconds after the minute.
    const DataCzas wczesniej = teraz.plusSekundy(-10);
    const DataCzas ostatniaMinuta = DataCzas::zMs(wczesniej.ms() - wczesniej.ms() % 60000);
    try {
        for (std::int64_t i = 0; i < n; ++i) {
            const Regulator &r = regulatory[static_cast<std::size_t>(i % ileRegul)];
            const std::int64_t krok = i / ileRegul;
            // Controllers are read one after another, a few seconds apart.
            const DataCzas t = ostatniaMinuta.plusMinuty(krok - krokow + 1).plusSekundy(2 * (i % ileRegul));
            const int godzina = t.czas().hour();
            const double obciazenie = (godzina >= 6 && godzina < 22) ? 0.8 + 0.4 * u(los) : 0.25 + 0.2 * u(los);
            const double prad = r.pradNominalny * obciazenie;
            const double tgfi = std::max(-0.1, 0.25 + 0.12 * szum(los));
            const double cosfi = 1.0 / std::sqrt(1.0 + tgfi * tgfi);
            const double napiecie = 400 + 4 * szum(los);
            const double enCzynna = std::sqrt(3.0) * napiecie * prad * cosfi / 1000 / 60; // kWh in one minute
            const double enPoj = tgfi < 0 ? enCzynna * tgfi : 0.0;
            const QDate d = t.data();
            const QTime c = t.czas();
            char data[24];
            const int dl = std::snprintf(data, sizeof data, "%04d-%02d-%02d %02d:%02d:%02d", d.year(), d.month(),
                                         d.day(), c.hour(), c.minute(), c.second());
            sqlite3_bind_int(st, 1, r.adres);
            sqlite3_bind_text(st, 2, data, dl, SQLITE_TRANSIENT);
            sqlite3_bind_double(st, 3, r3(enCzynna));
            sqlite3_bind_double(st, 4, r3(enCzynna * tgfi));
            sqlite3_bind_double(st, 5, r3(enPoj));
            sqlite3_bind_double(st, 6, r3(napiecie));
            sqlite3_bind_double(st, 7, r3(prad * tgfi * cosfi));
            sqlite3_bind_double(st, 8, r3(prad));
            sqlite3_bind_double(st, 9, r3(50 + 0.02 * szum(los)));
            sprawdzSqlite(h, sqlite3_step(st));
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
        st = nullptr;
        sprawdzSqlite(h, sqlite3_exec(h, "COMMIT", nullptr, nullptr, nullptr));
    } catch (...) {
        sqlite3_finalize(st);
        sqlite3_exec(h, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}
