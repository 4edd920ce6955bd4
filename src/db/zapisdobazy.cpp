#include "zapisdobazy.h"

#include "baza/bladbazy.h"
#include "baza/polaczenie.h"
#include "baza/rekordy.h"
#include "baza/sqlpomoc.h"

#include <QSet>
#include <QSqlError>
#include <QSqlQuery>

#include <limits>

namespace
{

const QStringList kolumnyPomiarow = {
    QStringLiteral("Adres"),        QStringLiteral("Data"),        QStringLiteral("EnCzynna"),
    QStringLiteral("EnBiernaCalk"), QStringLiteral("EnBiernaPoj"), QStringLiteral("Napiecie"),
    QStringLiteral("PradBierny"),   QStringLiteral("PradCalk"),    QStringLiteral("Czestotliwosc"),
};
// Rows of one INSERT: well inside SQLite's limit of bound values.
constexpr int wierszyNaInsert = 50;

QString nr(std::int64_t n)
{
    return QString::number(n);
}

// A transaction that is rolled back unless committed.
class Transakcja
{
public:
    explicit Transakcja(QSqlDatabase &db) : m_db(db)
    {
        if (!m_db.transaction())
            throw sqlpomoc::blad(m_db.lastError(), QStringLiteral("BEGIN"));
    }
    ~Transakcja()
    {
        if (!m_zatwierdzona)
            m_db.rollback();
    }
    void zatwierdz()
    {
        if (!m_db.commit())
            throw sqlpomoc::blad(m_db.lastError(), QStringLiteral("COMMIT"));
        m_zatwierdzona = true;
    }

private:
    QSqlDatabase &m_db;
    bool m_zatwierdzona = false;
};

} // namespace

bool ZapisDoBazy::odmowaWpisu(const BladBazy &b)
{
    // The layer's own "no such row": an alarm change whose row is gone.
    if (b.kod().isEmpty())
        return b.numer() == 3021;
    bool liczba = false;
    const int kod = b.kod().toInt(&liczba);
    if (liczba && b.kod().size() != 5) {
        // SQLite's extended result code; its low byte is the primary one:
        // CONSTRAINT, MISMATCH, TOOBIG, RANGE.
        const int glowny = kod & 0xFF;
        return glowny == 19 || glowny == 20 || glowny == 18 || glowny == 25;
    }
    // SQLSTATE: data exception, integrity constraint violation.
    return b.kod().startsWith(QLatin1String("22")) || b.kod().startsWith(QLatin1String("23"));
}

void ZapisDoBazy::zapisz(const QVector<WpisBufora> &wpisy, QHash<std::int64_t, std::int64_t> *idAlarmow)
{
    Transakcja t(m_cn.db());
    QHash<std::int64_t, std::int64_t> nowe;
    QVector<const WpisBufora *> pomiary;
    for (const WpisBufora &w : wpisy) {
        switch (w.rodzaj) {
        case RodzajWpisu::Pomiar:
            pomiary.append(&w);
            break;
        case RodzajWpisu::Alarm:
            nowe.insert(w.dane.value(QStringLiteral("nrAlarmu")).toLongLong(), alarm(w));
            break;
        case RodzajWpisu::ZmianaAlarmu:
            zmianaAlarmu(w, nowe);
            break;
        case RodzajWpisu::Log:
            log(w);
            break;
        }
    }
    this->pomiary(pomiary);
    t.zatwierdz();
    if (idAlarmow)
        *idAlarmow = nowe;
}

void ZapisDoBazy::pomiary(const QVector<const WpisBufora *> &wpisy)
{
    if (wpisy.isEmpty())
        return;
    QVector<const WpisBufora *> doZapisu;
    QHash<int, const WpisBufora *> ostatni; // per address, the last one in order
    for (const WpisBufora *w : wpisy) {
        ostatni.insert(w->dane.value(QStringLiteral("Adres")).toInt(), w);
        if (w->nr <= m_sprawdzDo) {
            QSqlQuery q(m_cn.db());
            sqlpomoc::wykonaj(q, QStringLiteral("SELECT 1 FROM Pomiary WHERE Adres = ? AND Data = ?"),
                              {w->dane.value(QStringLiteral("Adres")), w->dane.value(QStringLiteral("Data"))});
            if (q.next())
                continue; // stored by the attempt whose answer was lost
        }
        doZapisu.append(w);
    }

    const QString poczatek = QStringLiteral("INSERT INTO Pomiary (") + kolumnyPomiarow.join(QStringLiteral(", ")) +
                             QStringLiteral(") VALUES ");
    QString wiersz =
        QStringLiteral("(?") + QStringLiteral(", ?").repeated(kolumnyPomiarow.size() - 1) + QLatin1Char(')');
    for (qsizetype od = 0; od < doZapisu.size(); od += wierszyNaInsert) {
        const qsizetype ile = std::min<qsizetype>(wierszyNaInsert, doZapisu.size() - od);
        QStringList wiersze;
        QVariantList wartosci;
        for (qsizetype i = od; i < od + ile; ++i) {
            wiersze.append(wiersz);
            for (const QString &k : kolumnyPomiarow)
                wartosci.append(doZapisu[i]->dane.value(k));
        }
        QSqlQuery q(m_cn.db());
        sqlpomoc::wykonaj(q, poczatek + wiersze.join(QStringLiteral(", ")), wartosci);
    }

    for (const WpisBufora *w : std::as_const(ostatni)) {
        const QVariantList liczniki{w->dane.value(QStringLiteral("PopPradCzynny")),
                                    w->dane.value(QStringLiteral("PopPradBiernSr")),
                                    w->dane.value(QStringLiteral("PopPradBiernPojSr")),
                                    w->dane.value(QStringLiteral("PopTimerU")), w->dane.value(QStringLiteral("Data"))};
        QSqlQuery q(m_cn.db());
        sqlpomoc::wykonaj(q,
                          QStringLiteral("UPDATE OstPomiar SET PopPradCzynny = ?, PopPradBiernSr = ?, "
                                         "PopPradBiernPojSr = ?, PopTimerU = ?, Czas = ? WHERE Adres = ?"),
                          liczniki + QVariantList{w->dane.value(QStringLiteral("Adres"))});
        if (q.numRowsAffected() > 0)
            continue;
        QSqlQuery nowy(m_cn.db());
        sqlpomoc::wykonaj(nowy,
                          QStringLiteral("INSERT INTO OstPomiar (PopPradCzynny, PopPradBiernSr, PopPradBiernPojSr, "
                                         "PopTimerU, Czas, Adres) VALUES (?, ?, ?, ?, ?, ?)"),
                          liczniki + QVariantList{w->dane.value(QStringLiteral("Adres"))});
    }
}

QVariantMap ZapisDoBazy::kolumnyTabeli(const QString &tabela, const QVariantMap &dane)
{
    const QStringList kolumny = m_cn.opisTabeli(tabela).kolumny;
    QVariantMap wynik;
    for (auto it = dane.cbegin(); it != dane.cend(); ++it) {
        for (const QString &k : kolumny) {
            if (k.compare(it.key(), Qt::CaseInsensitive) == 0) {
                wynik.insert(k, it.value());
                break;
            }
        }
    }
    return wynik;
}

std::optional<QVariant> ZapisDoBazy::znajdzRowny(const QString &tabela, const QString &kolumnaKlucza,
                                                 const QVariantMap &wiersz,
                                                 const std::function<bool(const QVariant &)> &wolny)
{
    QStringList warunki;
    QVariantList wartosci;
    for (auto it = wiersz.cbegin(); it != wiersz.cend(); ++it) {
        warunki.append(sqlpomoc::identyfikator(it.key()) + QStringLiteral(" = ?"));
        wartosci.append(it.value());
    }
    QSqlQuery q(m_cn.db());
    sqlpomoc::wykonaj(q,
                      QStringLiteral("SELECT ") + kolumnaKlucza + QStringLiteral(" FROM ") + tabela +
                          QStringLiteral(" WHERE ") + warunki.join(QStringLiteral(" AND ")) +
                          QStringLiteral(" ORDER BY 1"),
                      wartosci);
    while (q.next()) {
        const QVariant klucz = q.value(0);
        if (!wolny || wolny(klucz))
            return klucz;
    }
    return std::nullopt;
}

std::int64_t ZapisDoBazy::alarm(const WpisBufora &w)
{
    const std::int64_t nrAlarmu = w.dane.value(QStringLiteral("nrAlarmu")).toLongLong();
    const QVariantMap wiersz = kolumnyTabeli(QStringLiteral("Alarmy"), w.dane);
    if (w.nr <= m_sprawdzDo) {
        // Written by an attempt whose answer was lost: the same row, unless
        // it already belongs to another of the spool's alarms.
        const auto id = znajdzRowny(
            QStringLiteral("Alarmy"), QStringLiteral("Id_alarmu"), wiersz,
            [this, nrAlarmu](const QVariant &id) { return !m_bufor.idAlarmuZajete(id.toLongLong(), nrAlarmu); });
        if (id)
            return id->toLongLong();
    }
    Rekordy rs;
    rs.Open(QStringLiteral("Alarmy"), m_cn);
    rs.AddNew();
    for (auto it = wiersz.cbegin(); it != wiersz.cend(); ++it)
        rs.ustaw(it.key(), it.value());
    // The identity is read once the row is committed: only then has the
    // engine assigned it.
    rs.Update();
    QVariant id = rs.pole(QStringLiteral("Id_alarmu"));
    if (!id.isValid()) {
        // A table whose Id_alarmu is not an auto-number: the rowid is as
        // unique as one, so it becomes the alarm's identity.
        rs.ustaw(QStringLiteral("Id_alarmu"), QVariant::fromValue<qlonglong>(rs.rowidBiezacy()));
        rs.Update();
        id = rs.pole(QStringLiteral("Id_alarmu"));
    }
    bool ok = false;
    const qlonglong wynik = id.toLongLong(&ok);
    if (!ok || wynik < std::numeric_limits<std::int32_t>::min() || wynik > std::numeric_limits<std::int32_t>::max())
        throw BladBazy(
            1, QStringLiteral("Nowy wiersz tabeli Alarmy ma niepoprawny identyfikator „%1”.").arg(id.toString()));
    return wynik;
}

void ZapisDoBazy::zmianaAlarmu(const WpisBufora &w, const QHash<std::int64_t, std::int64_t> &nowe)
{
    const std::int64_t nrAlarmu = w.dane.value(QStringLiteral("nrAlarmu")).toLongLong();
    std::optional<std::int64_t> id;
    if (nowe.contains(nrAlarmu))
        id = nowe.value(nrAlarmu);
    else
        id = m_bufor.idAlarmu(nrAlarmu);
    if (!id)
        throw BladBazy(3021, QStringLiteral("Wiersz alarmu nr %1 bufora nie został zapisany w tabeli Alarmy (jest w "
                                            "kwarantannie); jego zmiana czeka razem z nim.")
                                 .arg(nr(nrAlarmu)));
    const QVariantMap zmiany = kolumnyTabeli(QStringLiteral("Alarmy"), w.dane);
    Rekordy rs;
    rs.Open(QStringLiteral("Alarmy"), m_cn);
    rs.Find(QStringLiteral("id_alarmu=") + nr(*id));
    if (rs.EOF_())
        throw BladBazy(3021, QStringLiteral("Brak alarmu o identyfikatorze %1 w tabeli Alarmy.").arg(nr(*id)));
    for (auto it = zmiany.cbegin(); it != zmiany.cend(); ++it)
        rs.ustaw(it.key(), it.value());
    rs.Update();
}

void ZapisDoBazy::log(const WpisBufora &w)
{
    const QVariantMap wiersz = kolumnyTabeli(QStringLiteral("Log"), w.dane);
    if (w.nr <= m_sprawdzDo && znajdzRowny(QStringLiteral("Log"), QStringLiteral("1"), wiersz))
        return;
    Rekordy rs;
    rs.Open(QStringLiteral("Log"), m_cn);
    rs.AddNew();
    for (auto it = wiersz.cbegin(); it != wiersz.cend(); ++it)
        rs.ustaw(it.key(), it.value());
    rs.Update();
}
