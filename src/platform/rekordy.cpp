#include "rekordy.h"

#include "bladbazy.h"
#include "jetsql.h"
#include "sqlpomoc.h"

#include <QLocale>
#include <QSqlQuery>
#include <QSqlRecord>

#include <limits>

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
    if (!polaczenie.otwarte())
        throw BladBazy(1, QStringLiteral("Połączenie z bazą danych jest zamknięte."));
    QSqlQuery q(polaczenie.db());
    wykonaj(q, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"),
            {tabela});
    if (!q.next())
        throw BladBazy(1, QStringLiteral("W bazie danych „%1” brak tabeli „%2”.").arg(polaczenie.plik(), tabela));
    const QString nazwa = q.value(0).toString();
    q.finish();
    wykonaj(q, QStringLiteral("PRAGMA table_info(%1)").arg(identyfikator(nazwa)));
    QStringList kolumny;
    while (q.next())
        kolumny.append(q.value(1).toString());
    m_pol = &polaczenie;
    m_tabela = nazwa;
    m_kolumny = kolumny;
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

void Rekordy::przejdz(std::int64_t odRowid, bool wlacznie, const QString &warunek, const QVariant &wartosc)
{
    sprawdzOtwarty();
    porzucEdycje();
    QString sql = QStringLiteral("SELECT rowid FROM %1 WHERE rowid %2 ?")
                      .arg(identyfikator(m_tabela), wlacznie ? QStringLiteral(">=") : QStringLiteral(">"));
    QVariantList wartosci{QVariant::fromValue<qlonglong>(odRowid)};
    if (!warunek.isEmpty()) {
        sql += QStringLiteral(" AND ") + warunek;
        wartosci.append(wartosc);
    }
    sql += QStringLiteral(" ORDER BY rowid LIMIT 1");
    QSqlQuery q(m_pol->db());
    q.setForwardOnly(true);
    wykonaj(q, sql, wartosci);
    if (!q.next()) {
        m_eof = true;
        m_rowid = -1;
        m_wiersz.clear();
        return;
    }
    m_eof = false;
    m_rowid = q.value(0).toLongLong();
    q.finish();
    wczytajBiezacy();
}

void Rekordy::wczytajBiezacy()
{
    QSqlQuery q(m_pol->db());
    q.setForwardOnly(true);
    wykonaj(q, QStringLiteral("SELECT * FROM %1 WHERE rowid = ?").arg(identyfikator(m_tabela)),
            {QVariant::fromValue<qlonglong>(m_rowid)});
    if (!q.next()) {
        // Deleted through another cursor since we moved here: the next row
        // takes its place, as after our own Delete.
        przejdz(m_rowid, false);
        return;
    }
    const QSqlRecord r = q.record();
    m_wiersz.clear();
    for (int i = 0; i < r.count(); ++i)
        m_wiersz.insert(r.fieldName(i).toLower(), sqlpomoc::zBazy(q.value(i)));
}

void Rekordy::MoveFirst()
{
    przejdz(std::numeric_limits<std::int64_t>::min(), true);
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
    const QVariant wartosc = wartoscKryterium(kryterium.mid(rowna + 1), kryterium);
    porzucEdycje();
    if (m_eof)
        return;
    // Texts compare without regard to letter case, as the criterion did in
    // the station's original engine.
    const QString warunek =
        identyfikator(kolumna) + (wartosc.metaType().id() == QMetaType::QString ? QStringLiteral(" = ? COLLATE NOCASE")
                                                                                : QStringLiteral(" = ?"));
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
    if (nowy) {
        QString sql = QStringLiteral("INSERT INTO %1").arg(identyfikator(m_tabela));
        if (nazwy.isEmpty()) {
            sql += QStringLiteral(" DEFAULT VALUES");
        } else {
            QStringList znaki;
            for (qsizetype i = 0; i < nazwy.size(); ++i)
                znaki.append(QStringLiteral("?"));
            sql += QStringLiteral(" (%1) VALUES (%2)").arg(nazwy.join(QLatin1Char(',')), znaki.join(QLatin1Char(',')));
        }
        wykonaj(q, sql, wartosci);
        m_rowid = q.lastInsertId().toLongLong();
        m_eof = false;
        q.finish();
        wczytajBiezacy();
        return;
    }
    if (nazwy.isEmpty())
        return;
    QStringList przypisania;
    for (const QString &n : std::as_const(nazwy))
        przypisania.append(n + QStringLiteral(" = ?"));
    wartosci.append(QVariant::fromValue<qlonglong>(m_rowid));
    wykonaj(q,
            QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                .arg(identyfikator(m_tabela), przypisania.join(QStringLiteral(", "))),
            wartosci);
    if (q.numRowsAffected() != 1)
        throw BladBazy(1, QStringLiteral("Wiersz tabeli „%1” został usunięty; zmian nie zapisano.").arg(m_tabela));
    q.finish();
    wczytajBiezacy();
}

void Rekordy::Delete()
{
    sprawdzOtwarty();
    porzucEdycje();
    if (m_eof)
        throw brakWiersza(m_tabela);
    QSqlQuery q(m_pol->db());
    wykonaj(q, QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(identyfikator(m_tabela)),
            {QVariant::fromValue<qlonglong>(m_rowid)});
    q.finish();
    przejdz(m_rowid, false);
}
