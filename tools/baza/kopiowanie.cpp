#include "kopiowanie.h"

#include "baza/bladbazy.h"
#include "baza/polaczenie.h"
#include "baza/sqlpomoc.h"
#include "postep.h"
#include "serwer.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlDriver>

#include <charconv>
#include <libpq-fe.h>
#include <limits>
#include <memory>
#include <sqlite3.h>
#include <stdexcept>

namespace
{

[[noreturn]] void blad(const QString &tekst)
{
    throw std::runtime_error(tekst.toStdString());
}

template <class T> T *uchwyt(Polaczenie &cn, const char *typ)
{
    const QVariant v = cn.db().driver()->handle();
    if (!v.isValid() || qstrcmp(v.typeName(), typ) != 0)
        blad(QStringLiteral("sterownik bazy danych nie udostępnia połączenia (%1)").arg(QLatin1String(typ)));
    return *static_cast<T *const *>(v.constData());
}

// One statement on the server through libpq; the result, checked.
class Serwer final
{
public:
    explicit Serwer(PGconn *pg) : m_pg(pg) {}

    std::unique_ptr<PGresult, decltype(&PQclear)> wykonaj(const QString &sql, const QStringList &wartosci = {},
                                                          ExecStatusType oczekiwany = PGRES_COMMAND_OK)
    {
        const QByteArray tekst = sql.toUtf8();
        QList<QByteArray> w;
        QList<const char *> wsk;
        for (const QString &s : wartosci) {
            w << s.toUtf8();
            wsk << w.last().constData();
        }
        std::unique_ptr<PGresult, decltype(&PQclear)> r(PQexecParams(m_pg, tekst.constData(),
                                                                     static_cast<int>(wsk.size()), nullptr,
                                                                     wsk.constData(), nullptr, nullptr, 0),
                                                        &PQclear);
        if (PQresultStatus(r.get()) != oczekiwany)
            throw BladBazy(1, QString::fromUtf8(PQresultErrorMessage(r.get())).trimmed() + QStringLiteral(" (") + sql +
                                  QLatin1Char(')'));
        return r;
    }
    QString wartosc(const QString &sql, const QStringList &wartosci = {})
    {
        auto r = wykonaj(sql, wartosci, PGRES_TUPLES_OK);
        if (PQntuples(r.get()) < 1 || PQgetisnull(r.get(), 0, 0))
            return {};
        return QString::fromUtf8(PQgetvalue(r.get(), 0, 0));
    }
    PGconn *pg() const { return m_pg; }

private:
    PGconn *m_pg;
};

// A value in COPY's text format.
void dopisz(QByteArray &b, sqlite3_stmt *st, int i)
{
    switch (sqlite3_column_type(st, i)) {
    case SQLITE_NULL:
        b += "\\N";
        return;
    case SQLITE_INTEGER: {
        char t[24];
        const auto [k, e] = std::to_chars(t, t + sizeof t, sqlite3_column_int64(st, i));
        b.append(t, k - t);
        return;
    }
    case SQLITE_FLOAT: {
        // The shortest text that reads back as the same double.
        char t[32];
        const auto [k, e] = std::to_chars(t, t + sizeof t, sqlite3_column_double(st, i));
        b.append(t, k - t);
        return;
    }
    default: {
        const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(st, i));
        const int n = sqlite3_column_bytes(st, i);
        for (int j = 0; j < n; ++j) {
            const char c = p[j];
            switch (c) {
            case '\\':
                b += "\\\\";
                break;
            case '\t':
                b += "\\t";
                break;
            case '\n':
                b += "\\n";
                break;
            case '\r':
                b += "\\r";
                break;
            default:
                b += c;
            }
        }
    }
    }
}

// How one table goes over: the file's columns and the server's, the key.
struct Plan {
    QString tabela;        // the station's name
    QString zPliku;        // the file's name of it
    QString naSerwerze;    // the server's name of it
    QStringList kolumnyZ;  // columns read from the file (after its rowid)
    QStringList kolumnyDo; // COPY's column list
    bool kluczZRowid = false;
    std::int64_t ostatni = std::numeric_limits<std::int64_t>::min();
    std::int64_t wczesniej = 0;
    bool gotowa = false;
    bool brak = false;
};

struct Znacznik {
    QString zrodlo;
    std::int64_t ostatni = 0, wierszy = 0;
    bool zakonczona = false;
};

std::optional<Znacznik> znacznik(Serwer &s, const QString &tabela)
{
    auto r = s.wykonaj(QStringLiteral("SELECT zrodlo, ostatni, wierszy, zakonczona FROM tolvek_kopiowanie "
                                      "WHERE tabela = $1"),
                       {tabela}, PGRES_TUPLES_OK);
    if (PQntuples(r.get()) == 0)
        return std::nullopt;
    return Znacznik{QString::fromUtf8(PQgetvalue(r.get(), 0, 0)), QByteArray(PQgetvalue(r.get(), 0, 1)).toLongLong(),
                    QByteArray(PQgetvalue(r.get(), 0, 2)).toLongLong(), PQgetvalue(r.get(), 0, 3)[0] == 't'};
}

std::int64_t policzWPliku(sqlite3 *db, const QString &tabela, std::int64_t od)
{
    sqlite3_stmt *st = nullptr;
    const QByteArray sql =
        QStringLiteral("SELECT count(*) FROM %1 WHERE rowid > ?").arg(sqlpomoc::identyfikator(tabela)).toUtf8();
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr) != SQLITE_OK)
        throw BladBazy(sqlite3_errcode(db), QString::fromUtf8(sqlite3_errmsg(db)));
    sqlite3_bind_int64(st, 1, od);
    const std::int64_t n = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int64(st, 0) : 0;
    sqlite3_finalize(st);
    return n;
}

// One part: up to `porcja` rows after `p.ostatni`, in one transaction with
// the note of progress. Returns the rows copied (0: the table is done).
std::int64_t kopiujPorcje(sqlite3 *db, sqlite3_stmt *st, Serwer &s, Plan &p, const QString &zrodlo, int porcja,
                          Postep &postep)
{
    sqlite3_reset(st);
    sqlite3_bind_int64(st, 1, p.ostatni);
    sqlite3_bind_int(st, 2, porcja);
    int rc = sqlite3_step(st);
    if (rc == SQLITE_DONE)
        return 0;
    if (rc != SQLITE_ROW)
        throw BladBazy(sqlite3_extended_errcode(db), QString::fromUtf8(sqlite3_errmsg(db)));
    s.wykonaj(QStringLiteral("BEGIN"));
    try {
        QStringList kolumny;
        for (const QString &k : p.kolumnyDo)
            kolumny << sqlpomoc::identyfikator(k);
        s.wykonaj(QStringLiteral("COPY %1 (%2) FROM STDIN")
                      .arg(sqlpomoc::identyfikator(p.naSerwerze), kolumny.join(QStringLiteral(", "))),
                  {}, PGRES_COPY_IN);
        QByteArray bufor;
        bufor.reserve(1 << 20);
        std::int64_t n = 0;
        std::int64_t ostatni = p.ostatni;
        const int ileKolumn = sqlite3_column_count(st);
        const auto wyslij = [&] {
            if (PQputCopyData(s.pg(), bufor.constData(), static_cast<int>(bufor.size())) != 1)
                throw BladBazy(1, QString::fromUtf8(PQerrorMessage(s.pg())).trimmed());
            bufor.clear();
        };
        for (; rc == SQLITE_ROW; rc = sqlite3_step(st)) {
            ostatni = sqlite3_column_int64(st, 0);
            for (int i = p.kluczZRowid ? 0 : 1; i < ileKolumn; ++i) {
                if (i > (p.kluczZRowid ? 0 : 1))
                    bufor += '\t';
                dopisz(bufor, st, i);
            }
            bufor += '\n';
            ++n;
            if (bufor.size() > (1 << 20) - 4096)
                wyslij();
            if (n % 4096 == 0)
                postep.dodaj(4096);
        }
        if (rc != SQLITE_DONE)
            throw BladBazy(sqlite3_extended_errcode(db), QString::fromUtf8(sqlite3_errmsg(db)));
        if (!bufor.isEmpty())
            wyslij();
        if (PQputCopyEnd(s.pg(), nullptr) != 1)
            throw BladBazy(1, QString::fromUtf8(PQerrorMessage(s.pg())).trimmed());
        std::unique_ptr<PGresult, decltype(&PQclear)> r(PQgetResult(s.pg()), &PQclear);
        const bool ok = PQresultStatus(r.get()) == PGRES_COMMAND_OK;
        const QString opis = QString::fromUtf8(PQresultErrorMessage(r.get())).trimmed();
        while (PGresult *reszta = PQgetResult(s.pg()))
            PQclear(reszta);
        if (!ok)
            throw BladBazy(1, opis);
        s.wykonaj(QStringLiteral("INSERT INTO tolvek_kopiowanie (tabela, zrodlo, ostatni, wierszy) "
                                 "VALUES ($1, $2, $3, $4) ON CONFLICT (tabela) DO UPDATE SET "
                                 "ostatni = excluded.ostatni, wierszy = tolvek_kopiowanie.wierszy + excluded.wierszy"),
                  {p.tabela, zrodlo, QString::number(ostatni), QString::number(n)});
        s.wykonaj(QStringLiteral("COMMIT"));
        postep.dodaj(n % 4096);
        p.ostatni = ostatni;
        return n;
    } catch (...) {
        // The part is lost as a whole; what was committed before stays.
        if (PQtransactionStatus(s.pg()) == PQTRANS_ACTIVE) {
            PQputCopyEnd(s.pg(), "przerwano");
            while (PGresult *r = PQgetResult(s.pg()))
                PQclear(r);
        }
        PQclear(PQexec(s.pg(), "ROLLBACK"));
        throw;
    }
}

void zakonczTabele(Serwer &s, const Plan &p, const QString &zrodlo, const QString &klucz)
{
    s.wykonaj(QStringLiteral("BEGIN"));
    // The next auto-number comes after the highest copied key.
    s.wykonaj(QStringLiteral("SELECT setval(pg_get_serial_sequence($1, $2), COALESCE(max(%1), 0) + 1, false) FROM %2")
                  .arg(sqlpomoc::identyfikator(klucz), sqlpomoc::identyfikator(p.naSerwerze)),
              {sqlpomoc::identyfikator(p.naSerwerze), klucz}, PGRES_TUPLES_OK);
    s.wykonaj(QStringLiteral("INSERT INTO tolvek_kopiowanie (tabela, zrodlo, ostatni, wierszy, zakonczona) "
                             "VALUES ($1, $2, $3, 0, true) ON CONFLICT (tabela) DO UPDATE SET zakonczona = true"),
              {p.tabela, zrodlo, QString::number(p.ostatni)});
    s.wykonaj(QStringLiteral("COMMIT"));
}

} // namespace

QList<KopiaTabeli> kopiujDoSerwera(const QString &plik, const ZrodloBazy &serwer, Postep &postep, int porcja)
{
    const QString zrodlo = QFileInfo(plik).canonicalFilePath().isEmpty() ? QFileInfo(plik).absoluteFilePath()
                                                                         : QFileInfo(plik).canonicalFilePath();
    Polaczenie zr;
    zr.otworzDoOdczytu(ZrodloBazy::plik(plik));
    sqlite3 *db = uchwyt<sqlite3>(zr, "sqlite3*");
    Polaczenie cel;
    cel.otworz(serwer);
    Serwer s(uchwyt<PGconn>(cel, "pg_conn*"));

    const QStringList sa = tabeleNaSerwerze(cel);
    QStringList brakujace;
    for (const QString &t : tabeleStacji())
        if (!sa.contains(t))
            brakujace << t;
    if (!brakujace.isEmpty())
        blad(QStringLiteral("w bazie danych (%1) brak tabel stacji: %2; utwórz je poleceniem "
                            "„tolvek-baza init --do …”")
                 .arg(serwer.opis(), brakujace.join(QStringLiteral(", "))));

    s.wykonaj(QStringLiteral("SET client_min_messages = warning"));
    s.wykonaj(QStringLiteral("CREATE TABLE IF NOT EXISTS tolvek_kopiowanie (tabela text PRIMARY KEY, "
                             "zrodlo text NOT NULL, ostatni bigint NOT NULL, wierszy bigint NOT NULL, "
                             "zakonczona boolean NOT NULL DEFAULT false)"));
    // Two copies into one database at once would interleave their parts.
    if (s.wartosc(QStringLiteral("SELECT pg_try_advisory_lock(hashtext('tolvek_kopiowanie.' || current_schema()))")) !=
        QLatin1String("t"))
        blad(QStringLiteral("do tej bazy danych (%1) trwa już inne kopiowanie").arg(serwer.opis()));

    // Every table is judged before anything is written.
    QList<Plan> plany;
    QStringList odmowy;
    for (const QString &t : tabeleStacji()) {
        Plan p;
        p.tabela = t;
        const OpisTabeli &doOpis = cel.opisTabeli(t);
        p.naSerwerze = doOpis.nazwa;
        OpisTabeli zOpis;
        try {
            zOpis = zr.opisTabeli(t);
        } catch (const BladBazy &) {
            p.brak = true;
            plany << p;
            continue;
        }
        p.zPliku = zOpis.nazwa;
        for (const QString &k : zOpis.kolumny) {
            QString naSerwerze;
            for (const QString &d : doOpis.kolumny)
                if (d.compare(k, Qt::CaseInsensitive) == 0)
                    naSerwerze = d;
            if (naSerwerze.isEmpty()) {
                odmowy << QStringLiteral("kolumna %1.%2 pliku nie ma odpowiednika na serwerze").arg(t, k);
                continue;
            }
            p.kolumnyZ << k;
            p.kolumnyDo << naSerwerze;
        }
        // The server's own key column ("rowid") takes the file's row number;
        // an auto-number (Id_alarmu) comes as a column of its own.
        if (!p.kolumnyDo.contains(doOpis.klucz)) {
            p.kluczZRowid = true;
            p.kolumnyDo.prepend(doOpis.klucz);
        }
        if (const std::optional<Znacznik> z = znacznik(s, t)) {
            if (z->zrodlo != zrodlo)
                odmowy << QStringLiteral("tabela %1 pochodzi już z pliku %2").arg(t, z->zrodlo);
            p.gotowa = z->zakonczona;
            p.ostatni = z->ostatni;
            p.wczesniej = z->wierszy;
        } else if (!s.wartosc(QStringLiteral("SELECT 1 FROM %1 LIMIT 1").arg(sqlpomoc::identyfikator(p.naSerwerze)))
                        .isEmpty()) {
            odmowy << QStringLiteral("tabela %1 ma już na serwerze wiersze, które nie pochodzą z kopiowania tego "
                                     "pliku")
                          .arg(t);
        }
        plany << p;
    }
    if (!odmowy.isEmpty())
        blad(
            QStringLiteral("nie skopiowano niczego do bazy danych (%1):\n  %2\nKopiowanie wypełnia puste tabele "
                           "(tolvek-baza init --do na nowej bazie) albo kończy przerwane kopiowanie tego samego pliku.")
                .arg(serwer.opis(), odmowy.join(QStringLiteral("\n  "))));

    QList<KopiaTabeli> wynik;
    for (Plan &p : plany) {
        KopiaTabeli k;
        k.tabela = p.tabela;
        k.brakWPliku = p.brak;
        k.juzGotowa = p.gotowa;
        k.wczesniej = p.wczesniej;
        if (p.brak || p.gotowa) {
            wynik << k;
            continue;
        }
        QElapsedTimer czas;
        czas.start();
        postep.etap(p.tabela, p.wczesniej + policzWPliku(db, p.zPliku, p.ostatni), p.wczesniej);
        QStringList kolumny{QStringLiteral("rowid")};
        for (const QString &c : p.kolumnyZ)
            kolumny << sqlpomoc::identyfikator(c);
        const QByteArray sql = QStringLiteral("SELECT %1 FROM %2 WHERE rowid > ? ORDER BY rowid LIMIT ?")
                                   .arg(kolumny.join(QStringLiteral(", ")), sqlpomoc::identyfikator(p.zPliku))
                                   .toUtf8();
        sqlite3_stmt *st = nullptr;
        if (sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr) != SQLITE_OK)
            throw BladBazy(sqlite3_errcode(db), QString::fromUtf8(sqlite3_errmsg(db)));
        const std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)> zwolnij(st, &sqlite3_finalize);
        try {
            while (const std::int64_t n = kopiujPorcje(db, st, s, p, zrodlo, porcja, postep))
                k.skopiowane += n;
            zakonczTabele(s, p, zrodlo, cel.opisTabeli(p.tabela).klucz);
        } catch (const BladBazy &e) {
            postep.koniec({});
            throw BladBazy(e.numer(),
                           QStringLiteral("tabela %1, wiersze po rowid %2: %3\nCo skopiowano wcześniej, "
                                          "zostaje; ponowne uruchomienie podejmie kopiowanie od tego miejsca.")
                               .arg(p.tabela)
                               .arg(p.ostatni)
                               .arg(e.opis()));
        }
        k.sekundy = static_cast<double>(czas.elapsed()) / 1000.0;
        postep.koniec({});
        // Statistics at once: the charts' plans depend on them.
        s.wykonaj(QStringLiteral("ANALYZE %1").arg(sqlpomoc::identyfikator(p.naSerwerze)));
        wynik << k;
    }
    return wynik;
}
