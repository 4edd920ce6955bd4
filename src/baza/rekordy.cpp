#include "rekordy.h"

#include "bladbazy.h"
#include "jetsql.h"
#include "sqlpomoc.h"

#include <QLocale>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

using sqlpomoc::identyfikator;
using sqlpomoc::wykonaj;

namespace
{

BladBazy brakWiersza(const QString &tabela)
{
    return BladBazy(3021, QStringLiteral("Brak bieżącego wiersza w tabeli „%1” (koniec danych).").arg(tabela));
}

// The value of a Find criterion: 'text' (a doubled quote stands for one),
// #date#, or a decimal number; blanks around it are ignored.
QVariant wartoscKryterium(const QString &tekst, const QString &kryterium)
{
    const QString w = tekst.trimmed();
    if (w.size() >= 2 && w.front() == QLatin1Char('\'') && w.back() == QLatin1Char('\'')) {
        QString t = w.mid(1, w.size() - 2);
        t.replace(QStringLiteral("''"), QStringLiteral("'"));
        return t;
    }
    if (w.size() >= 2 && w.front() == QLatin1Char('#') && w.back() == QLatin1Char('#')) {
        if (const std::optional<QString> d = literalDaty(w.mid(1, w.size() - 2)))
            return *d;
    }
    bool ok = false;
    const qlonglong calk = w.toLongLong(&ok);
    if (ok)
        return calk;
    const double d = QLocale::c().toDouble(w, &ok);
    if (ok)
        return d;
    throw BladBazy(1, QStringLiteral("Niepoprawne kryterium wyszukiwania „%1”.").arg(kryterium));
}

bool kolumnaLiczbowa(const QString &typ)
{
    return typ.contains(QLatin1String("INT")) || typ.contains(QLatin1String("DOUB")) ||
           typ.contains(QLatin1String("REAL")) || typ.contains(QLatin1String("FLOA")) ||
           typ.contains(QLatin1String("NUMERIC"));
}

} // namespace

Rekordy::~Rekordy() = default;

void Rekordy::sprawdzOtwarty() const
{
    if (!m_pol)
        throw BladBazy(1, QStringLiteral("Zestaw rekordów nie jest otwarty."));
    if (!m_pol->otwarte())
        throw BladBazy(1, QStringLiteral("Połączenie z bazą danych jest zamknięte."));
}

void Rekordy::Open(const QString &tabela, Polaczenie &polaczenie)
{
    Close();
    const OpisTabeli &opis = polaczenie.opisTabeli(tabela);
    m_pol = &polaczenie;
    m_tabela = opis.nazwa;
    m_kolumny = opis.kolumny;
    m_typy = opis.typy;
    m_klucz = identyfikator(opis.klucz);
    if (opis.klucz == QLatin1String("rowid"))
        m_klucz = opis.klucz; // the file's own row number, which no quoting names
    try {
        MoveFirst();
    } catch (...) {
        Close();
        throw;
    }
}

void Rekordy::Close()
{
    m_pol = nullptr;
    m_tabela.clear();
    m_kolumny.clear();
    m_typy.clear();
    m_klucz.clear();
    m_eof = true;
    m_rowid = -1;
    m_wiersz.clear();
    porzucEdycje();
}

void Rekordy::porzucEdycje()
{
    m_nowy = false;
    m_bufor.clear();
}

QString Rekordy::kolumnaTabeli(const QString &nazwa) const
{
    const QString n = nazwa.trimmed();
    for (const QString &k : m_kolumny) {
        if (k.compare(n, Qt::CaseInsensitive) == 0)
            return k;
    }
    throw BladBazy(1, QStringLiteral("Tabela „%1” nie ma kolumny „%2”.").arg(m_tabela, n));
}

QString Rekordy::wynikZKluczem() const
{
    return QStringLiteral(" %1 AS tolvek_klucz, *").arg(m_klucz);
}

void Rekordy::przejdz(std::optional<std::int64_t> odRowid, bool wlacznie, const QString &warunek,
                      const QVariant &wartosc)
{
    sprawdzOtwarty();
    porzucEdycje();
    QString sql = QStringLiteral("SELECT") + wynikZKluczem() + QStringLiteral(" FROM ") + identyfikator(m_tabela);
    QStringList warunki;
    QVariantList wartosci;
    // Without a lower bound the first row comes straight from the key's
    // index, whatever the lowest key is.
    if (odRowid) {
        warunki << m_klucz + (wlacznie ? QStringLiteral(" >= ?") : QStringLiteral(" > ?"));
        wartosci << QVariant::fromValue<qlonglong>(*odRowid);
    }
    if (!warunek.isEmpty()) {
        warunki << warunek;
        if (wartosc.isValid())
            wartosci << wartosc;
    }
    if (!warunki.isEmpty())
        sql += QStringLiteral(" WHERE ") + warunki.join(QStringLiteral(" AND "));
    sql += QStringLiteral(" ORDER BY ") + m_klucz + QStringLiteral(" LIMIT 1");
    QSqlQuery q(m_pol->db());
    q.setForwardOnly(true);
    wykonaj(q, sql, wartosci);
    wczytaj(q);
}

void Rekordy::wczytaj(QSqlQuery &q)
{
    if (!q.next()) {
        if (q.lastError().isValid())
            throw sqlpomoc::blad(q.lastError());
        m_eof = true;
        m_rowid = -1;
        m_wiersz.clear();
        return;
    }
    const QSqlRecord r = q.record();
    m_eof = false;
    m_rowid = sqlpomoc::wartosc(q, 0).toLongLong();
    m_wiersz.clear();
    for (int i = 1; i < r.count(); ++i)
        m_wiersz.insert(r.fieldName(i).toLower(), sqlpomoc::wartosc(q, i));
    // A statement with RETURNING keeps its write open in the file until it
    // is reset.
    q.finish();
}

void Rekordy::MoveFirst()
{
    przejdz(std::nullopt, true);
}

void Rekordy::MoveNext()
{
    sprawdzOtwarty();
    porzucEdycje();
    if (m_eof)
        throw brakWiersza(m_tabela);
    przejdz(m_rowid, false);
}

bool Rekordy::EOF_() const
{
    return m_eof && !m_nowy;
}

void Rekordy::Find(const QString &kryterium)
{
    sprawdzOtwarty();
    const qsizetype rowna = kryterium.indexOf(QLatin1Char('='));
    if (rowna <= 0)
        throw BladBazy(1, QStringLiteral("Niepoprawne kryterium wyszukiwania „%1”.").arg(kryterium));
    const QString kolumna = kolumnaTabeli(kryterium.left(rowna));
    const QString tekstWartosci = kryterium.mid(rowna + 1).trimmed();
    QVariant wartosc = wartoscKryterium(tekstWartosci, kryterium);
    porzucEdycje();
    if (m_eof)
        return;
    const bool data = tekstWartosci.startsWith(QLatin1Char('#'));
    bool tekst = !data && wartosc.metaType().id() == QMetaType::QString;
    QString warunek;
    if (m_pol->silnik() == Silnik::PostgreSQL) {
        // The server compares only like with like: a number against a text
        // column compares as the text it reads as, a text against a number
        // column as the number it reads as, or matches nothing.
        const bool liczbowa = kolumnaLiczbowa(m_typy.value(m_kolumny.indexOf(kolumna)));
        if (liczbowa && tekst) {
            bool ok = false;
            const double d = QLocale::c().toDouble(wartosc.toString().trimmed(), &ok);
            if (!ok) {
                m_eof = true;
                m_rowid = -1;
                m_wiersz.clear();
                return;
            }
            wartosc = d;
            tekst = false;
        } else if (!liczbowa && !tekst && !data) {
            wartosc = tekstWartosci;
            tekst = true;
        }
        // Texts compare without regard to letter case, as the criterion did
        // in the station's original engine.
        warunek = tekst ? QStringLiteral("upper(%1) = upper(?)").arg(identyfikator(kolumna))
                        : identyfikator(kolumna) + QStringLiteral(" = ?");
    } else {
        warunek = identyfikator(kolumna) + (tekst ? QStringLiteral(" = ? COLLATE NOCASE") : QStringLiteral(" = ?"));
    }
    przejdz(m_rowid, true, warunek, wartosc);
}

QVariant Rekordy::pole(const QString &kolumna) const
{
    sprawdzOtwarty();
    const QString klucz = kolumnaTabeli(kolumna).toLower();
    if (m_nowy)
        return sqlpomoc::zBazy(m_bufor.value(klucz));
    if (m_eof)
        throw brakWiersza(m_tabela);
    const auto b = m_bufor.constFind(klucz);
    if (b != m_bufor.constEnd())
        return sqlpomoc::zBazy(*b);
    return m_wiersz.value(klucz);
}

void Rekordy::ustaw(const QString &kolumna, const QVariant &wartosc)
{
    sprawdzOtwarty();
    const QString klucz = kolumnaTabeli(kolumna).toLower();
    if (!m_nowy && m_eof)
        throw brakWiersza(m_tabela);
    m_bufor.insert(klucz, sqlpomoc::doBazy(wartosc));
}

void Rekordy::AddNew()
{
    sprawdzOtwarty();
    m_bufor.clear();
    m_nowy = true;
}

void Rekordy::Update()
{
    sprawdzOtwarty();
    if (!m_nowy && m_eof)
        throw brakWiersza(m_tabela);
    QStringList nazwy;
    QVariantList wartosci;
    for (const QString &k : std::as_const(m_kolumny)) {
        const auto b = m_bufor.constFind(k.toLower());
        if (b == m_bufor.constEnd())
            continue;
        nazwy.append(identyfikator(k));
        wartosci.append(*b);
    }
    const bool nowy = m_nowy;
    porzucEdycje();
    QSqlQuery q(m_pol->db());
    q.setForwardOnly(true);
    if (nowy) {
        // The new row comes back whole, with its key and every value the
        // engine gave it (an auto-number, a default).
        QString sql = QStringLiteral("INSERT INTO %1").arg(identyfikator(m_tabela));
        if (nazwy.isEmpty()) {
            sql += QStringLiteral(" DEFAULT VALUES");
        } else {
            sql += QStringLiteral(" (%1) VALUES (%2)")
                       .arg(nazwy.join(QLatin1Char(',')),
                            QStringList(nazwy.size(), QStringLiteral("?")).join(QLatin1Char(',')));
        }
        wykonaj(q, sql + QStringLiteral(" RETURNING") + wynikZKluczem(), wartosci);
        wczytaj(q);
        if (m_eof)
            throw BladBazy(1, QStringLiteral("Nowy wiersz tabeli „%1” nie wrócił z bazy danych.").arg(m_tabela));
        return;
    }
    if (nazwy.isEmpty())
        return;
    QStringList przypisania;
    for (const QString &n : std::as_const(nazwy))
        przypisania.append(n + QStringLiteral(" = ?"));
    wartosci.append(QVariant::fromValue<qlonglong>(m_rowid));
    const std::int64_t byl = m_rowid;
    wykonaj(q,
            QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ? RETURNING")
                    .arg(identyfikator(m_tabela), przypisania.join(QStringLiteral(", ")), m_klucz) +
                wynikZKluczem(),
            wartosci);
    wczytaj(q);
    if (m_eof) {
        // Deleted through another cursor: the next row takes its place.
        przejdz(byl, false);
        throw BladBazy(1, QStringLiteral("Wiersz tabeli „%1” został usunięty; zmian nie zapisano.").arg(m_tabela));
    }
}

void Rekordy::Delete()
{
    sprawdzOtwarty();
    porzucEdycje();
    if (m_eof)
        throw brakWiersza(m_tabela);
    QSqlQuery q(m_pol->db());
    wykonaj(q, QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(identyfikator(m_tabela), m_klucz),
            {QVariant::fromValue<qlonglong>(m_rowid)});
    q.finish();
    przejdz(m_rowid, false);
}
