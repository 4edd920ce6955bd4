#include "bufor.h"

#include "baza/bladbazy.h"
#include "baza/sqlpomoc.h"

#include <QCborArray>
#include <QCborMap>
#include <QCborValue>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>

namespace
{

const QStringList schemat = {
    QStringLiteral("CREATE TABLE IF NOT EXISTS wpisy (nr INTEGER PRIMARY KEY AUTOINCREMENT, rodzaj INTEGER NOT NULL, "
                   "czas TEXT NOT NULL, dane BLOB NOT NULL)"),
    QStringLiteral("CREATE INDEX IF NOT EXISTS wpisy_rodzaj ON wpisy (rodzaj, nr)"),
    QStringLiteral("CREATE TABLE IF NOT EXISTS kwarantanna (nr INTEGER PRIMARY KEY, rodzaj INTEGER NOT NULL, "
                   "czas TEXT NOT NULL, dane BLOB NOT NULL, powod TEXT, odlozono TEXT)"),
    QStringLiteral("CREATE TABLE IF NOT EXISTS alarmy (nr INTEGER PRIMARY KEY AUTOINCREMENT, id_alarmu INTEGER)"),
    QStringLiteral("CREATE TABLE IF NOT EXISTS ostpomiar (adres INTEGER PRIMARY KEY, czas TEXT, pop_prad_czynny REAL, "
                   "pop_prad_biern_sr REAL, pop_prad_biern_poj_sr REAL, pop_timer_u INTEGER)"),
    QStringLiteral("CREATE TABLE IF NOT EXISTS kopia (tabela TEXT PRIMARY KEY, dane BLOB NOT NULL)"),
    QStringLiteral("CREATE TABLE IF NOT EXISTS stan (klucz TEXT PRIMARY KEY, wartosc TEXT)"),
};

QString teraz()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

// Rows go in as CBOR: integers stay integers and reals reals (EnBiernaPoj
// is a real, or the integer 1 for a growing counter), texts stay texts.
QByteArray zakoduj(const QVariantMap &dane)
{
    QCborMap m;
    for (auto it = dane.cbegin(); it != dane.cend(); ++it) {
        const QVariant v = sqlpomoc::doBazy(it.value());
        if (v.isValid())
            m.insert(it.key(), QCborValue::fromVariant(v));
    }
    return m.toCborValue().toCbor();
}

QVariantMap odkoduj(const QByteArray &cbor)
{
    return QCborValue::fromCbor(cbor).toMap().toVariantMap();
}

QByteArray zakoduj(const Tabela &t)
{
    QCborArray wiersze;
    for (int i = 0; i < t.liczbaWierszy(); ++i) {
        QCborArray w;
        for (int k = 0; k < t.kolumny().size(); ++k) {
            const QVariant v = sqlpomoc::doBazy(t.wartosc(i, k));
            w.append(v.isValid() ? QCborValue::fromVariant(v) : QCborValue(nullptr));
        }
        wiersze.append(w);
    }
    QCborMap m;
    m.insert(QStringLiteral("kolumny"), QCborArray::fromStringList(t.kolumny()));
    m.insert(QStringLiteral("wiersze"), wiersze);
    return m.toCborValue().toCbor();
}

Tabela tabela(const QByteArray &cbor)
{
    const QCborMap m = QCborValue::fromCbor(cbor).toMap();
    QStringList kolumny;
    for (const QCborValue &k : m.value(QStringLiteral("kolumny")).toArray())
        kolumny.append(k.toString());
    QVector<QVector<QVariant>> wiersze;
    for (const QCborValue &w : m.value(QStringLiteral("wiersze")).toArray()) {
        QVector<QVariant> wiersz;
        for (const QCborValue &v : w.toArray())
            wiersz.append(v.isNull() ? QVariant() : v.toVariant());
        wiersze.append(wiersz);
    }
    return Tabela(kolumny, wiersze);
}

} // namespace

// BEGIN IMMEDIATE takes the write lock at once (waiting the busy time-out
// for the other thread's short transaction), so a transaction never fails
// half-way for a lock; one not committed rolls back.
class BuforZapisu::Transakcja
{
public:
    explicit Transakcja(BuforZapisu &b) : m_b(b) { m_b.wykonaj(QStringLiteral("BEGIN IMMEDIATE")); }
    ~Transakcja()
    {
        if (!m_zatwierdzona)
            QSqlQuery(m_b.m_cn.db()).exec(QStringLiteral("ROLLBACK"));
    }
    void zatwierdz()
    {
        m_b.wykonaj(QStringLiteral("COMMIT"));
        m_zatwierdzona = true;
    }

private:
    BuforZapisu &m_b;
    bool m_zatwierdzona = false;
};

void BuforZapisu::otworz(const QString &sciezka)
{
    zamknij();
    const QFileInfo plik(sciezka);
    if (!QDir().mkpath(plik.absolutePath()))
        throw BladBazy(1, QStringLiteral("Nie można utworzyć katalogu „%1”.").arg(plik.absolutePath()));
    // The window thread's write waits at most this long for the forwarder's
    // short transactions.
    m_cn.ustawCzasOczekiwania(2000);
    m_cn.otworzPlik(plik.absoluteFilePath(), true);
    try {
        for (const QString &sql : schemat)
            wykonaj(sql);
        QSqlQuery q(m_cn.db());
        sqlpomoc::wykonaj(q, QStringLiteral("SELECT COALESCE(MAX(nr), 0) FROM wpisy"));
        m_ostatniPrzedOtwarciem = q.next() ? q.value(0).toLongLong() : 0;
    } catch (...) {
        m_cn.Close();
        throw;
    }
    m_sciezka = plik.absoluteFilePath();
}

void BuforZapisu::zamknij()
{
    m_cn.Close();
}

void BuforZapisu::wykonaj(const QString &sql, const QVariantList &wartosci)
{
    QSqlQuery q(m_cn.db());
    sqlpomoc::wykonaj(q, sql, wartosci);
}

std::int64_t BuforZapisu::dodaj(RodzajWpisu rodzaj, const QVariantMap &dane)
{
    QSqlQuery q(m_cn.db());
    sqlpomoc::wykonaj(q, QStringLiteral("INSERT INTO wpisy (rodzaj, czas, dane) VALUES (?, ?, ?)"),
                      {static_cast<int>(rodzaj), teraz(), zakoduj(dane)});
    return q.lastInsertId().toLongLong();
}

void BuforZapisu::dodano()
{
    if (poDodaniu)
        poDodaniu();
}

void BuforZapisu::dodajPomiar(const WpisPomiaru &w)
{
    const QString data = w.data.tekstBazy();
    const QVariantMap dane{
        {QStringLiteral("Adres"), w.adres},
        {QStringLiteral("Data"), data},
        {QStringLiteral("EnCzynna"), w.enCzynna},
        {QStringLiteral("EnBiernaCalk"), w.enBiernaCalk},
        {QStringLiteral("EnBiernaPoj"), w.enBiernaPoj},
        {QStringLiteral("Napiecie"), w.napiecie},
        {QStringLiteral("PradBierny"), w.pradBierny},
        {QStringLiteral("PradCalk"), w.pradCalk},
        {QStringLiteral("Czestotliwosc"), w.czestotliwosc},
        {QStringLiteral("PopPradCzynny"), w.pradCzynny},
        {QStringLiteral("PopPradBiernSr"), w.pradBiernSr},
        {QStringLiteral("PopPradBiernPojSr"), w.pradBiernPojSr},
        {QStringLiteral("PopTimerU"), w.timerU},
    };
    Transakcja t(*this);
    dodaj(RodzajWpisu::Pomiar, dane);
    wykonaj(QStringLiteral("INSERT INTO ostpomiar (adres, czas, pop_prad_czynny, pop_prad_biern_sr, "
                           "pop_prad_biern_poj_sr, pop_timer_u) VALUES (?, ?, ?, ?, ?, ?) ON CONFLICT (adres) DO "
                           "UPDATE SET czas = excluded.czas, pop_prad_czynny = excluded.pop_prad_czynny, "
                           "pop_prad_biern_sr = excluded.pop_prad_biern_sr, pop_prad_biern_poj_sr = "
                           "excluded.pop_prad_biern_poj_sr, pop_timer_u = excluded.pop_timer_u"),
            {w.adres, data, sqlpomoc::doBazy(w.pradCzynny), sqlpomoc::doBazy(w.pradBiernSr),
             sqlpomoc::doBazy(w.pradBiernPojSr), w.timerU});
    t.zatwierdz();
    dodano();
}

std::int64_t BuforZapisu::dodajAlarm(const QVariantMap &wiersz)
{
    Transakcja t(*this);
    QSqlQuery q(m_cn.db());
    sqlpomoc::wykonaj(q, QStringLiteral("INSERT INTO alarmy (id_alarmu) VALUES (NULL)"));
    const std::int64_t nr = q.lastInsertId().toLongLong();
    QVariantMap dane = wiersz;
    dane.insert(QStringLiteral("nrAlarmu"), QVariant::fromValue<qlonglong>(nr));
    dodaj(RodzajWpisu::Alarm, dane);
    t.zatwierdz();
    dodano();
    return nr;
}

void BuforZapisu::dodajZmianeAlarmu(std::int64_t nrAlarmu, const QVariantMap &zmiany)
{
    QVariantMap dane = zmiany;
    dane.insert(QStringLiteral("nrAlarmu"), QVariant::fromValue<qlonglong>(nrAlarmu));
    dodaj(RodzajWpisu::ZmianaAlarmu, dane);
    dodano();
}

void BuforZapisu::dodajLog(const QVariantMap &wiersz)
{
    dodaj(RodzajWpisu::Log, wiersz);
    dodano();
}

QVector<WpisBufora> BuforZapisu::najstarsze(int ile)
{
    QSqlQuery q(m_cn.db());
    q.setForwardOnly(true);
    sqlpomoc::wykonaj(q, QStringLiteral("SELECT nr, rodzaj, dane FROM wpisy ORDER BY nr LIMIT ?"), {ile});
    QVector<WpisBufora> wynik;
    while (q.next())
        wynik.append(
            {q.value(0).toLongLong(), static_cast<RodzajWpisu>(q.value(1).toInt()), odkoduj(q.value(2).toByteArray())});
    return wynik;
}

void BuforZapisu::usun(const QVector<std::int64_t> &numery, const QHash<std::int64_t, std::int64_t> &idAlarmow)
{
    Transakcja t(*this);
    QSqlQuery q(m_cn.db());
    q.prepare(QStringLiteral("DELETE FROM wpisy WHERE nr = ?"));
    for (const std::int64_t nr : numery) {
        q.addBindValue(QVariant::fromValue<qlonglong>(nr));
        if (!q.exec())
            throw sqlpomoc::blad(q.lastError());
    }
    for (auto it = idAlarmow.cbegin(); it != idAlarmow.cend(); ++it)
        wykonaj(QStringLiteral("UPDATE alarmy SET id_alarmu = ? WHERE nr = ?"),
                {QVariant::fromValue<qlonglong>(it.value()), QVariant::fromValue<qlonglong>(it.key())});
    t.zatwierdz();
}

void BuforZapisu::odloz(const WpisBufora &wpis, const QString &powod)
{
    Transakcja t(*this);
    wykonaj(QStringLiteral("INSERT OR REPLACE INTO kwarantanna (nr, rodzaj, czas, dane, powod, odlozono) "
                           "SELECT nr, rodzaj, czas, dane, ?, ? FROM wpisy WHERE nr = ?"),
            {powod, teraz(), QVariant::fromValue<qlonglong>(wpis.nr)});
    wykonaj(QStringLiteral("DELETE FROM wpisy WHERE nr = ?"), {QVariant::fromValue<qlonglong>(wpis.nr)});
    t.zatwierdz();
}

std::optional<std::int64_t> BuforZapisu::idAlarmu(std::int64_t nrAlarmu)
{
    QSqlQuery q(m_cn.db());
    sqlpomoc::wykonaj(q, QStringLiteral("SELECT id_alarmu FROM alarmy WHERE nr = ? AND id_alarmu IS NOT NULL"),
                      {QVariant::fromValue<qlonglong>(nrAlarmu)});
    if (q.next())
        return q.value(0).toLongLong();
    return std::nullopt;
}

bool BuforZapisu::idAlarmuZajete(std::int64_t id, std::int64_t procz)
{
    QSqlQuery q(m_cn.db());
    sqlpomoc::wykonaj(q, QStringLiteral("SELECT 1 FROM alarmy WHERE id_alarmu = ? AND nr <> ?"),
                      {QVariant::fromValue<qlonglong>(id), QVariant::fromValue<qlonglong>(procz)});
    return q.next();
}

namespace
{
std::int64_t liczba(QSqlDatabase &db, const QString &sql)
{
    QSqlQuery q(db);
    sqlpomoc::wykonaj(q, sql);
    return q.next() ? q.value(0).toLongLong() : 0;
}
} // namespace

std::int64_t BuforZapisu::liczbaWpisow()
{
    return liczba(m_cn.db(), QStringLiteral("SELECT count(*) FROM wpisy"));
}

std::int64_t BuforZapisu::liczbaPomiarow()
{
    return liczba(m_cn.db(), QStringLiteral("SELECT count(*) FROM wpisy WHERE rodzaj = 1"));
}

std::int64_t BuforZapisu::bajtyWpisow()
{
    return (liczba(m_cn.db(), QStringLiteral("PRAGMA page_count")) -
            liczba(m_cn.db(), QStringLiteral("PRAGMA freelist_count"))) *
           liczba(m_cn.db(), QStringLiteral("PRAGMA page_size"));
}

int BuforZapisu::usunNajstarszePomiary(int ile, QString *od, QString *doCzasu)
{
    Transakcja t(*this);
    QSqlQuery q(m_cn.db());
    sqlpomoc::wykonaj(q,
                      QStringLiteral("SELECT count(*), min(nr), max(nr) FROM (SELECT nr FROM wpisy WHERE rodzaj = 1 "
                                     "ORDER BY nr LIMIT ?)"),
                      {ile});
    if (!q.next() || q.value(0).toInt() == 0)
        return 0;
    const int usuniete = q.value(0).toInt();
    const QVariant pierwszy = q.value(1), ostatni = q.value(2);
    for (const auto &[nr, cel] : {std::pair{pierwszy, od}, std::pair{ostatni, doCzasu}}) {
        QSqlQuery d(m_cn.db());
        sqlpomoc::wykonaj(d, QStringLiteral("SELECT dane FROM wpisy WHERE nr = ?"), {nr});
        if (cel && d.next())
            *cel = odkoduj(d.value(0).toByteArray()).value(QStringLiteral("Data")).toString();
    }
    wykonaj(QStringLiteral("DELETE FROM wpisy WHERE rodzaj = 1 AND nr BETWEEN ? AND ?"), {pierwszy, ostatni});
    t.zatwierdz();
    return usuniete;
}

QVector<WpisKwarantanny> BuforZapisu::kwarantanna()
{
    QSqlQuery q(m_cn.db());
    sqlpomoc::wykonaj(q, QStringLiteral("SELECT nr, rodzaj, dane, powod, odlozono FROM kwarantanna ORDER BY nr"));
    QVector<WpisKwarantanny> wynik;
    while (q.next())
        wynik.append(
            {{q.value(0).toLongLong(), static_cast<RodzajWpisu>(q.value(1).toInt()), odkoduj(q.value(2).toByteArray())},
             q.value(3).toString(),
             q.value(4).toString()});
    return wynik;
}

int BuforZapisu::przywrocKwarantanne()
{
    Transakcja t(*this);
    QSqlQuery q(m_cn.db());
    sqlpomoc::wykonaj(q, QStringLiteral("INSERT INTO wpisy (rodzaj, czas, dane) SELECT rodzaj, czas, dane FROM "
                                        "kwarantanna ORDER BY nr"));
    const int ile = q.numRowsAffected();
    wykonaj(QStringLiteral("DELETE FROM kwarantanna"));
    t.zatwierdz();
    return ile;
}

QString BuforZapisu::zrodlo()
{
    QSqlQuery q(m_cn.db());
    sqlpomoc::wykonaj(q, QStringLiteral("SELECT wartosc FROM stan WHERE klucz = 'zrodlo'"));
    return q.next() ? q.value(0).toString() : QString();
}

void BuforZapisu::nowaBaza(const QString &zrodlo)
{
    Transakcja t(*this);
    wykonaj(QStringLiteral("DELETE FROM kopia"));
    wykonaj(QStringLiteral("DELETE FROM ostpomiar"));
    wykonaj(QStringLiteral("INSERT OR REPLACE INTO stan (klucz, wartosc) VALUES ('zrodlo', ?)"), {zrodlo});
    t.zatwierdz();
}

void BuforZapisu::zapiszKopie(const Tabela &regulatory, const Tabela &ostPomiar)
{
    Transakcja t(*this);
    wykonaj(QStringLiteral("INSERT OR REPLACE INTO kopia (tabela, dane) VALUES ('Regulatory', ?)"),
            {zakoduj(regulatory)});
    wykonaj(QStringLiteral("INSERT OR REPLACE INTO kopia (tabela, dane) VALUES ('OstPomiar', ?)"),
            {zakoduj(ostPomiar)});
    t.zatwierdz();
}

std::optional<QPair<Tabela, Tabela>> BuforZapisu::kopia()
{
    QSqlQuery q(m_cn.db());
    sqlpomoc::wykonaj(q, QStringLiteral("SELECT tabela, dane FROM kopia"));
    QHash<QString, Tabela> tabele;
    while (q.next())
        tabele.insert(q.value(0).toString(), tabela(q.value(1).toByteArray()));
    if (!tabele.contains(QStringLiteral("Regulatory")))
        return std::nullopt;
    return QPair<Tabela, Tabela>(tabele.value(QStringLiteral("Regulatory")), tabele.value(QStringLiteral("OstPomiar")));
}

QHash<int, OstatniPomiar> BuforZapisu::ostatniePomiary()
{
    QSqlQuery q(m_cn.db());
    sqlpomoc::wykonaj(q, QStringLiteral("SELECT adres, czas, pop_prad_czynny, pop_prad_biern_sr, "
                                        "pop_prad_biern_poj_sr, pop_timer_u FROM ostpomiar"));
    QHash<int, OstatniPomiar> wynik;
    while (q.next())
        wynik.insert(q.value(0).toInt(), {DataCzas::zTekstu(q.value(1).toString()), q.value(2).toDouble(),
                                          q.value(3).toDouble(), q.value(4).toDouble(), q.value(5).toLongLong()});
    return wynik;
}
