#include "generator.h"

#include "../baza/tworzenie.h"
#include "baza/bladbazy.h"
#include "baza/polaczenie.h"

#include <QSqlDriver>
#include <QSqlQuery>
#include <QVariant>

#include <cmath>
#include <cstdio>
#include <random>
#include <sqlite3.h>

namespace
{

sqlite3 *uchwyt(Polaczenie &cn)
{
    const QVariant v = cn.db().driver()->handle();
    return *static_cast<sqlite3 *const *>(v.constData());
}

void sprawdz(sqlite3 *h, int rc)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw BladBazy(rc, QString::fromUtf8(sqlite3_errmsg(h)));
}

void wypelnij(Polaczenie &cn, int regulatorow, int minut, QDate od, QDate doDnia)
{
    sqlite3 *h = uchwyt(cn);
    sprawdz(h, sqlite3_exec(h, "BEGIN", nullptr, nullptr, nullptr));
    for (int r = 1; r <= regulatorow; ++r) {
        const QByteArray sql = QStringLiteral("INSERT INTO Regulatory (Adres, Kod, Typ, CzestOdczytu, CzestTrans) "
                                              "VALUES (%1, 'R%2', 'regulator', %3, %3)")
                                   .arg(r)
                                   .arg(r, 2, 10, QLatin1Char('0'))
                                   .arg(minut)
                                   .toUtf8();
        sprawdz(h, sqlite3_exec(h, sql.constData(), nullptr, nullptr, nullptr));
    }
    sqlite3_stmt *st = nullptr;
    sprawdz(h, sqlite3_prepare_v2(h,
                                  "INSERT INTO Pomiary (Adres, Data, EnCzynna, EnBiernaCalk, EnBiernaPoj, Napiecie, "
                                  "PradBierny, PradCalk, Czestotliwosc) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)",
                                  -1, &st, nullptr));
    std::mt19937 los(20261205);
    std::normal_distribution<double> szum(0.0, 1.0);
    const int wDniu = 24 * 60 / minut;
    long long wierszy = 0;
    // In time order, the controllers of one round a few seconds apart, as
    // the station stores them.
    for (QDate d = od; d < doDnia; d = d.addDays(1)) {
        for (int k = 0; k < wDniu; ++k) {
            const int minuta = k * minut;
            const double obciazenie = (minuta >= 6 * 60 && minuta < 22 * 60) ? 1.0 : 0.35;
            for (int r = 1; r <= regulatorow; ++r) {
                const int sekunda = (r - 1) % 60;
                char data[24];
                const int dl = std::snprintf(data, sizeof data, "%04d-%02d-%02d %02d:%02d:%02d", d.year(), d.month(),
                                             d.day(), minuta / 60, minuta % 60, sekunda);
                const double tg = 0.25 + 0.1 * szum(los);
                const double en = (2.0 + 0.2 * szum(los)) * obciazenie * minut;
                sqlite3_bind_int(st, 1, r);
                sqlite3_bind_text(st, 2, data, dl, SQLITE_TRANSIENT);
                sqlite3_bind_double(st, 3, std::round(en * 1000) / 1000);
                sqlite3_bind_double(st, 4, std::round(en * tg * 1000) / 1000);
                sqlite3_bind_double(st, 5, tg < 0 ? std::round(en * tg * 1000) / 1000 : 0.0);
                sqlite3_bind_double(st, 6, std::round((400 + 4 * szum(los)) * 10) / 10);
                sqlite3_bind_double(st, 7, 20 * obciazenie);
                sqlite3_bind_double(st, 8, 80 * obciazenie);
                sqlite3_bind_double(st, 9, 50);
                sprawdz(h, sqlite3_step(st));
                sqlite3_reset(st);
                ++wierszy;
            }
        }
        if (d.day() == 1 && d.month() == 1) {
            std::printf("  %d: %lld rows\n", d.year(), wierszy);
            std::fflush(stdout);
        }
    }
    sqlite3_finalize(st);
    sprawdz(h, sqlite3_exec(h, "COMMIT", nullptr, nullptr, nullptr));
}

} // namespace

void generujPomiary(const QString &plik, int regulatorow, int minut, QDate od, QDate doDnia)
{
    utworzBaze(plik, false, [&](Polaczenie &cn) {
        wykonajSql(cn, tabeleSchematu());
        wypelnij(cn, regulatorow, minut, od, doDnia);
        wykonajSql(cn, indeksySchematu());
    });
}
