#include "clsregulatory.h"

#include "baza/bladbazy.h"
#include "baza/sqlpomoc.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <QSqlRecord>

#include <cmath>
#include <limits>
#include <optional>

namespace
{

// Columns of 16-bit integers (the others of type INTEGER are 32-bit).
bool szesnastobitowa(const QString &kolumna)
{
    static const QStringList k = {QStringLiteral("adres"), QStringLiteral("czestodczytu"), QStringLiteral("czesttrans"),
                                  QStringLiteral("napieciepomiar"), QStringLiteral("przekladnianap")};
    return k.contains(kolumna);
}

// A number typed with "." or "," as the decimal separator.
std::optional<double> liczba(QString tekst)
{
    tekst = tekst.trimmed();
    tekst.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double d = tekst.toDouble(&ok);
    if (!ok || !std::isfinite(d))
        return std::nullopt;
    return d;
}

} // namespace

clsRegulatory::clsRegulatory(const QString &polaczenieTekst, QObject *parent) : QObject(parent)
{
    // The editor runs on the window thread too: another program's lock makes
    // a save fail with a reason after a moment instead of freezing the window.
    m_cn.ustawCzasOczekiwania(Polaczenie::czasOczekiwaniaStacjiMs);
    m_cn.Open(polaczenieTekst);
    const OpisTabeli &opis = m_cn.opisTabeli(QStringLiteral("Regulatory"));
    for (qsizetype i = 0; i < opis.kolumny.size(); ++i)
        m_typy.insert(opis.kolumny.at(i).toLower(), opis.typy.at(i));
    Requery();
}

QString clsRegulatory::zapytanie()
{
    return QStringLiteral(
        "select Adres,BKSt1,BKSt2,BKSt3,BKSt4,BKSt5,BKSt6,BKSt7,BKSt8,BKSt9,CzestOdczytu,CzestTrans,Kod,"
        "NapieciePomiar,NrFabryczny,Opis,ProgNapiecie,ProgPrad,ProgTgFi,ProgTgFiMin,Przekladnia,PrzekladniaNap,Typ,"
        "EnCzynnaMin, EnCzynnaMax, EnBiernaCalkMin, EnBiernaCalkMax, EnBiernaPojMin, EnBiernaPojMax, NapiecieMin, "
        "NapiecieMax, PradCzynnyMin, PradCzynnyMax, PradBiernyMin, PradBiernyMax, PradCalkMin, PradCalkMax, "
        "CzestotliwoscMin, CzestotliwoscMax from Regulatory");
}

void clsRegulatory::Requery()
{
    QSqlQuery q(m_cn.db());
    q.setForwardOnly(true);
    // The same columns, with the row's identity to write it back by.
    sqlpomoc::wykonaj(q, QStringLiteral("select rowid, ") + zapytanie().mid(7) + QStringLiteral(" order by rowid"));
    const QSqlRecord r = q.record();
    m_kolumny.clear();
    for (int i = 1; i < r.count(); ++i)
        m_kolumny << r.fieldName(i);
    m_wiersze.clear();
    while (q.next()) {
        Wiersz w;
        w.rowid = q.value(0).toLongLong();
        for (int i = 1; i < r.count(); ++i)
            w.wartosci.insert(m_kolumny.at(i - 1).toLower(), sqlpomoc::wartosc(q, i));
        m_wiersze << w;
    }
    przejdz(0);
    Q_EMIT zmienionoDane(QStringLiteral("Primary"));
}

clsRegulatory::Wiersz clsRegulatory::wczytajWiersz(qint64 rowid)
{
    QSqlQuery q(m_cn.db());
    sqlpomoc::wykonaj(q, QStringLiteral("select ") + zapytanie().mid(7) + QStringLiteral(" where rowid = ?"), {rowid});
    Wiersz w;
    w.rowid = rowid;
    if (q.next())
        for (int i = 0; i < m_kolumny.size(); ++i)
            w.wartosci.insert(m_kolumny.at(i).toLower(), sqlpomoc::wartosc(q, i));
    return w;
}

void clsRegulatory::przejdz(qsizetype poz)
{
    m_nowy = false;
    m_bufor.clear();
    m_poz = poz;
    Q_EMIT MoveComplete();
}

void clsRegulatory::piknij()
{
    if (sygnal)
        sygnal();
}

int clsRegulatory::AbsolutePosition() const
{
    if (m_nowy || m_poz < 0 || m_poz >= m_wiersze.size())
        return 0;
    return static_cast<int>(m_poz + 1);
}

void clsRegulatory::AddNew()
{
    m_bufor.clear();
    m_nowy = true;
    Q_EMIT MoveComplete();
}

void clsRegulatory::Cancel()
{
    const bool bylNowy = m_nowy;
    m_bufor.clear();
    m_nowy = false;
    if (bylNowy)
        przejdz(0);
    else
        Q_EMIT MoveComplete();
}

void clsRegulatory::MoveFirst()
{
    przejdz(0);
}

void clsRegulatory::MoveLast()
{
    przejdz(std::max<qsizetype>(0, m_wiersze.size() - 1));
}

void clsRegulatory::MoveNext()
{
    if (m_nowy) {
        przejdz(m_wiersze.size());
        return;
    }
    if (m_poz >= m_wiersze.size())
        return;
    if (m_poz + 1 >= m_wiersze.size()) {
        piknij();
        przejdz(m_wiersze.size() - 1);
        return;
    }
    przejdz(m_poz + 1);
}

void clsRegulatory::MovePrevious()
{
    if (m_nowy) {
        przejdz(m_wiersze.size() - 1);
        return;
    }
    if (m_poz < 0)
        return;
    if (m_poz - 1 < 0 && !m_wiersze.isEmpty()) {
        piknij();
        przejdz(0);
        return;
    }
    przejdz(m_poz - 1);
}

void clsRegulatory::FindRecord(const QString &Kryterium)
{
    const qsizetype rowna = Kryterium.indexOf(QLatin1Char('='));
    if (rowna < 0)
        throw BladBazy(1, QStringLiteral("Niepoprawne kryterium wyszukiwania: ") + Kryterium);
    const QString kolumna = Kryterium.left(rowna).trimmed().toLower();
    QString wartosc = Kryterium.mid(rowna + 1).trimmed();
    const bool tekst =
        wartosc.size() >= 2 && wartosc.startsWith(QLatin1Char('\'')) && wartosc.endsWith(QLatin1Char('\''));
    if (tekst)
        wartosc = wartosc.mid(1, wartosc.size() - 2).replace(QStringLiteral("''"), QStringLiteral("'"));
    const std::optional<double> szukana = tekst ? std::nullopt : liczba(wartosc);
    qsizetype i = m_nowy ? m_wiersze.size() : std::max<qsizetype>(0, m_poz);
    for (; i < m_wiersze.size(); ++i) {
        const QVariant v = m_wiersze.at(i).wartosci.value(kolumna);
        if (!v.isValid())
            continue;
        if (szukana ? (liczba(v.toString()) == szukana) : (v.toString() == wartosc))
            break;
    }
    przejdz(i);
}

QVariant clsRegulatory::pole(const QString &kolumna) const
{
    const QString k = kolumna.toLower();
    if (m_bufor.contains(k))
        return m_bufor.value(k);
    if (m_nowy || m_poz < 0 || m_poz >= m_wiersze.size())
        return {};
    return m_wiersze.at(m_poz).wartosci.value(k);
}

void clsRegulatory::ustawPole(const QString &kolumna, const QVariant &wartosc)
{
    if (!maBiezacy())
        throw BladBazy(1, QStringLiteral("Brak bieżącego rekordu."));
    m_bufor.insert(kolumna.toLower(), wartosc);
}

QString clsRegulatory::nazwa(const QString &kolumna) const
{
    for (auto i = m_nazwy.cbegin(); i != m_nazwy.cend(); ++i)
        if (i.key().compare(kolumna, Qt::CaseInsensitive) == 0)
            return i.value();
    for (const QString &k : m_kolumny)
        if (k.compare(kolumna, Qt::CaseInsensitive) == 0)
            return k;
    return kolumna;
}

QVariant clsRegulatory::doKolumny(const QString &kolumna, const QVariant &wartosc) const
{
    if (wartosc.metaType().id() != QMetaType::QString)
        return wartosc;
    const QString tekst = wartosc.toString();
    if (tekst.trimmed().isEmpty())
        return {};
    const QString typ = m_typy.value(kolumna);
    const auto odmowa = [&](const QString &czego) {
        return BladBazy(20, QStringLiteral("Pole „") + nazwa(kolumna) + QStringLiteral("” ") + czego +
                                QStringLiteral(" (wpisano „") + tekst + QStringLiteral("”)."));
    };
    if (typ.contains(QLatin1String("INT"))) {
        bool ok = false;
        const qlonglong n = tekst.trimmed().toLongLong(&ok);
        if (!ok)
            throw odmowa(QStringLiteral("przyjmuje tylko liczby całkowite"));
        const qlonglong gora = szesnastobitowa(kolumna) ? 32767 : std::numeric_limits<qint32>::max();
        if (n < -gora - 1 || n > gora)
            throw odmowa(QStringLiteral("nie mieści tak dużej liczby"));
        return n;
    }
    if (typ.contains(QLatin1String("REAL")) || typ.contains(QLatin1String("FLOA")) ||
        typ.contains(QLatin1String("DOUB"))) {
        const std::optional<double> d = liczba(tekst);
        if (!d)
            throw odmowa(QStringLiteral("przyjmuje tylko liczby"));
        if (std::fabs(*d) > std::numeric_limits<float>::max())
            throw odmowa(QStringLiteral("nie mieści tak dużej liczby"));
        return static_cast<float>(*d);
    }
    return tekst;
}

void clsRegulatory::Update()
{
    if (!maBiezacy())
        throw BladBazy(1, QStringLiteral("Brak bieżącego rekordu."));
    if (!m_nowy && m_bufor.isEmpty())
        return;
    QStringList kolumny;
    QVariantList wartosci;
    for (auto i = m_bufor.cbegin(); i != m_bufor.cend(); ++i) {
        kolumny << sqlpomoc::identyfikator(i.key());
        wartosci << sqlpomoc::doBazy(doKolumny(i.key(), i.value()));
    }
    if (m_nowy && !m_stacja.isEmpty() && !m_bufor.contains(QStringLiteral("stacja")) &&
        m_cn.opisTabeli(QStringLiteral("Regulatory")).kolumny.contains(QStringLiteral("Stacja"), Qt::CaseInsensitive)) {
        kolumny << sqlpomoc::identyfikator(QStringLiteral("Stacja"));
        wartosci << m_stacja;
    }
    QSqlQuery q(m_cn.db());
    try {
        if (m_nowy) {
            const QString sql = kolumny.isEmpty()
                                    ? QStringLiteral("insert into Regulatory default values")
                                    : QStringLiteral("insert into Regulatory (") + kolumny.join(QLatin1Char(',')) +
                                          QStringLiteral(") values (") +
                                          QStringList(kolumny.size(), QStringLiteral("?")).join(QLatin1Char(',')) +
                                          QLatin1Char(')');
            sqlpomoc::wykonaj(q, sql + QStringLiteral(" returning rowid"), wartosci);
            const qint64 rowid = q.next() ? sqlpomoc::wartosc(q, 0).toLongLong() : -1;
            q.finish();
            m_wiersze << wczytajWiersz(rowid);
            przejdz(m_wiersze.size() - 1);
            return;
        }
        QStringList przypisania;
        for (const QString &k : kolumny)
            przypisania << k + QStringLiteral(" = ?");
        const qint64 rowid = m_wiersze.at(m_poz).rowid;
        sqlpomoc::wykonaj(q,
                          QStringLiteral("update Regulatory set ") + przypisania.join(QLatin1Char(',')) +
                              QStringLiteral(" where rowid = ?"),
                          wartosci << rowid);
    } catch (const BladBazy &e) {
        // The engine's words for the refusals an operator can cause.
        // (in the file's words, or the server's: 'null value in column "kod"
        // ... violates not-null constraint')
        const QString &o = e.opis();
        static const QRegularExpression pustaNaSerwerze(QStringLiteral("null value in column \"([^\"]+)\""));
        const QRegularExpressionMatch serwer = pustaNaSerwerze.match(o);
        if (o.contains(QLatin1String("NOT NULL constraint failed")) || serwer.hasMatch()) {
            const QString kolumna = serwer.hasMatch() ? serwer.captured(1)
                                                      : o.section(QLatin1Char('.'), -1).section(QLatin1Char(' '), 0, 0);
            throw BladBazy(e.numer(),
                           QStringLiteral("Pole „") + nazwa(kolumna) + QStringLiteral("” musi być wypełnione."));
        }
        if (o.contains(QLatin1String("Regulatory_Kod_regulatora"), Qt::CaseInsensitive))
            throw BladBazy(e.numer(), QStringLiteral("Regulator o takim kodzie już jest w bazie danych."));
        if (o.contains(QLatin1String("Regulatory_Adres_regulatora"), Qt::CaseInsensitive))
            throw BladBazy(e.numer(), QStringLiteral("Regulator o takim adresie już jest w bazie danych."));
        throw;
    }
    if (q.numRowsAffected() == 0)
        throw BladBazy(1, QStringLiteral("Tego rekordu nie ma już w bazie danych: usunięto go w międzyczasie. "
                                         "Zmian nie zapisano."));
    m_wiersze[m_poz] = wczytajWiersz(m_wiersze.at(m_poz).rowid);
    m_bufor.clear();
    Q_EMIT MoveComplete();
}

void clsRegulatory::Delete()
{
    if (m_nowy || m_poz < 0 || m_poz >= m_wiersze.size())
        throw BladBazy(1, QStringLiteral("Brak bieżącego rekordu."));
    QSqlQuery q(m_cn.db());
    sqlpomoc::wykonaj(q, QStringLiteral("delete from Regulatory where rowid = ?"), {m_wiersze.at(m_poz).rowid});
    m_wiersze.removeAt(m_poz);
    // The row that followed the deleted one now stands at its place.
    m_bufor.clear();
    if (m_poz >= m_wiersze.size() && !m_wiersze.isEmpty()) {
        piknij();
        przejdz(m_wiersze.size() - 1);
    } else {
        przejdz(m_poz);
    }
}
