#include "jetsql.h"

#include "bladbazy.h"
#include "sqlpomoc.h"
#include "zapytanie.h"

#include <QDate>
#include <QRegularExpression>
#include <QTime>

int biezacyRok()
{
    return QDate::currentDate().year();
}

int rokZDwochCyfr(int rr, int rokBiezacy)
{
    const int od = rokBiezacy - 80;
    return od + ((rr - od) % 100 + 100) % 100;
}

std::optional<QString> literalDaty(const QString &wnetrze, int rokBiezacy)
{
    static const QRegularExpression rokNaPoczatku(
        QStringLiteral(R"(^\s*(\d{4})[-/](\d{1,2})[-/](\d{1,2})(?:\s+(\d{1,2}):(\d{2})(?::(\d{2}))?)?\s*$)"));
    static const QRegularExpression miesiacNaPoczatku(
        QStringLiteral(R"(^\s*(\d{1,2})[-/](\d{1,2})[-/](\d{4}|\d{2})(?:\s+(\d{1,2}):(\d{2})(?::(\d{2}))?)?\s*$)"));
    int rok = 0, mies = 0, dzien = 0;
    QRegularExpressionMatch m = rokNaPoczatku.match(wnetrze);
    if (m.hasMatch()) {
        rok = m.captured(1).toInt();
        mies = m.captured(2).toInt();
        dzien = m.captured(3).toInt();
    } else {
        m = miesiacNaPoczatku.match(wnetrze);
        if (!m.hasMatch())
            return std::nullopt;
        mies = m.captured(1).toInt();
        dzien = m.captured(2).toInt();
        rok = m.captured(3).toInt();
        if (m.captured(3).size() == 2)
            rok = rokZDwochCyfr(rok, rokBiezacy);
    }
    const QDate d(rok, mies, dzien);
    const QTime t = m.captured(4).isEmpty()
                        ? QTime(0, 0)
                        : QTime(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt());
    if (!d.isValid() || !t.isValid())
        return std::nullopt;
    return d.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char(' ') + t.toString(QStringLiteral("HH:mm:ss"));
}

namespace
{

// The index after the closing quote of the quoted run that opens at s[i];
// a doubled quote inside stands for one. -1 when the quote is not closed.
qsizetype koniecCytatu(const QString &s, qsizetype i)
{
    const QChar q = s.at(i);
    qsizetype k = i + 1;
    while (k < s.size()) {
        if (s.at(k) == q) {
            if (k + 1 < s.size() && s.at(k + 1) == q) {
                k += 2;
                continue;
            }
            return k + 1;
        }
        ++k;
    }
    return -1;
}

bool znakNazwy(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// The text of a quoted run s[od, koniec) without its quotes.
QString trescCytatu(QStringView s)
{
    const QChar q = s.front();
    QString t = s.mid(1, s.size() - 2).toString();
    t.replace(QString(2, q), QString(q));
    return t;
}

QString wApostrofach(QString t)
{
    t.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + t + QLatin1Char('\'');
}

class Tlumacz final
{
public:
    Tlumacz(const QString &sql, Silnik silnik, int rokBiezacy) : m_s(sql), m_silnik(silnik), m_rok(rokBiezacy) {}

    QString przetlumacz(qsizetype od, qsizetype doZnaku) const
    {
        QString w;
        w.reserve(doZnaku - od + 32);
        qsizetype i = od;
        while (i < doZnaku) {
            const QChar c = m_s.at(i);
            if ((c == QLatin1Char('\'') || c == QLatin1Char('"')) && koniecCytatu(m_s, i) < 0) {
                // An open quote: left as it is for the engine to reject.
                w += QStringView(m_s).mid(i, doZnaku - i);
                break;
            }
            if (c == QLatin1Char('\'')) {
                const qsizetype k = koniecCytatu(m_s, i);
                w += QStringView(m_s).mid(i, k - i);
                i = k;
            } else if (c == QLatin1Char('"')) {
                // A double-quoted text is a string in the station's dialect,
                // an identifier in the engines': rewrite it in single quotes.
                const qsizetype k = koniecCytatu(m_s, i);
                w += wApostrofach(trescCytatu(QStringView(m_s).mid(i, k - i)));
                i = k;
            } else if (c == QLatin1Char('[')) {
                const qsizetype k = m_s.indexOf(QLatin1Char(']'), i);
                const qsizetype koniec = k < 0 ? doZnaku : k + 1;
                if (m_silnik == Silnik::PostgreSQL && k >= 0)
                    w += sqlpomoc::identyfikator(m_s.mid(i + 1, k - i - 1).toLower());
                else
                    w += QStringView(m_s).mid(i, koniec - i);
                i = koniec;
            } else if (c == QLatin1Char('#')) {
                const qsizetype k = m_s.indexOf(QLatin1Char('#'), i + 1);
                const QString wnetrze = k < 0 ? m_s.mid(i + 1) : m_s.mid(i + 1, k - i - 1);
                const std::optional<QString> data = k < 0 ? std::nullopt : literalDaty(wnetrze, m_rok);
                if (!data)
                    throw BladBazy(1,
                                   QStringLiteral("Niepoprawny literał daty #%1# w zapytaniu: %2").arg(wnetrze, m_s));
                if (m_silnik == Silnik::PostgreSQL)
                    w += QStringLiteral("TIMESTAMP ");
                w += QLatin1Char('\'') + *data + QLatin1Char('\'');
                i = k + 1;
            } else if (c == QLatin1Char('/')) {
                // "/" never divides integers as integers in the station's
                // dialect; a real factor makes the left operand real without
                // changing the grouping, as * and / bind alike and from the
                // left.
                w += m_silnik == Silnik::PostgreSQL ? QStringLiteral("*1.0::float8/") : QStringLiteral("*1.0/");
                ++i;
            } else if (znakNazwy(c)) {
                qsizetype k = i;
                while (k < doZnaku && znakNazwy(m_s.at(k)))
                    ++k;
                i = nazwa(w, i, k, doZnaku);
            } else {
                w += c;
                ++i;
            }
        }
        return w;
    }

private:
    // A word s[od, koniec); on the server Format( and IIf( become the
    // server's own expressions. Returns where to go on.
    qsizetype nazwa(QString &w, qsizetype od, qsizetype koniec, qsizetype doZnaku) const
    {
        const QString slowo = m_s.mid(od, koniec - od);
        const QString male = slowo.toLower();
        qsizetype nawias = koniec;
        while (nawias < doZnaku && m_s.at(nawias).isSpace())
            ++nawias;
        if (m_silnik != Silnik::PostgreSQL || (male != QLatin1String("format") && male != QLatin1String("iif")) ||
            nawias >= doZnaku || m_s.at(nawias) != QLatin1Char('(')) {
            w += slowo;
            return koniec;
        }
        qsizetype zamkniecie = 0;
        const QList<QPair<qsizetype, qsizetype>> arg = argumenty(nawias, doZnaku, &zamkniecie);
        const auto tekstArg = [&](int n) { return przetlumacz(arg.at(n).first, arg.at(n).second); };
        if (male == QLatin1String("iif")) {
            if (arg.size() != 3)
                throw BladBazy(1, QStringLiteral("IIf wymaga trzech argumentów: %1").arg(m_s));
            w += QStringLiteral("(CASE WHEN (") + tekstArg(0) + QStringLiteral(") THEN (") + tekstArg(1) +
                 QStringLiteral(") ELSE (") + tekstArg(2) + QStringLiteral(") END)");
            return zamkniecie;
        }
        if (arg.size() != 2)
            throw BladBazy(1, QStringLiteral("Format wymaga dwóch argumentów: %1").arg(m_s));
        const QStringView wzor = QStringView(m_s).mid(arg.at(1).first, arg.at(1).second - arg.at(1).first).trimmed();
        const bool literal = wzor.size() >= 2 &&
                             (wzor.front() == QLatin1Char('\'') || wzor.front() == QLatin1Char('"')) &&
                             koniecCytatu(wzor.toString(), 0) == wzor.size();
        const std::optional<QString> wzorSerwera = literal ? wzorToChar(trescCytatu(wzor)) : std::optional<QString>();
        if (!wzorSerwera)
            throw BladBazy(
                1,
                QStringLiteral("Wzorca daty %1 nie da się użyć na serwerze PostgreSQL: %2").arg(wzor.toString(), m_s));
        w += QStringLiteral("to_char(CAST((") + tekstArg(0) + QStringLiteral(") AS timestamp), ") +
             wApostrofach(*wzorSerwera) + QLatin1Char(')');
        return zamkniecie;
    }

    // The top-level arguments of the call whose "(" stands at s[nawias],
    // as ranges; *koniec is just after its ")".
    QList<QPair<qsizetype, qsizetype>> argumenty(qsizetype nawias, qsizetype doZnaku, qsizetype *koniec) const
    {
        QList<QPair<qsizetype, qsizetype>> arg;
        int glebokosc = 0;
        qsizetype poczatek = nawias + 1;
        qsizetype k = nawias;
        while (k < doZnaku) {
            const QChar c = m_s.at(k);
            if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
                const qsizetype z = koniecCytatu(m_s, k);
                if (z < 0)
                    break;
                k = z;
                continue;
            }
            if (c == QLatin1Char('[') || c == QLatin1Char('#')) {
                const qsizetype z = m_s.indexOf(c == QLatin1Char('[') ? QLatin1Char(']') : QLatin1Char('#'), k + 1);
                if (z < 0)
                    break;
                k = z + 1;
                continue;
            }
            if (c == QLatin1Char('(')) {
                ++glebokosc;
            } else if (c == QLatin1Char(')')) {
                if (--glebokosc == 0) {
                    arg.append({poczatek, k});
                    *koniec = k + 1;
                    return arg;
                }
            } else if (c == QLatin1Char(',') && glebokosc == 1) {
                arg.append({poczatek, k});
                poczatek = k + 1;
            }
            ++k;
        }
        throw BladBazy(1, QStringLiteral("Niezamknięty nawias w zapytaniu: %1").arg(m_s));
    }

    const QString &m_s;
    Silnik m_silnik;
    int m_rok; // two-digit years are read around it
};

// Literal text in a to_char pattern.
QString doslownie(QString t)
{
    t.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    t.replace(QLatin1Char('"'), QStringLiteral("\\\""));
    return QLatin1Char('"') + t + QLatin1Char('"');
}

} // namespace

std::optional<QString> wzorToChar(const QString &wzor)
{
    QString w;
    QString tekst; // literal text not yet written
    const auto token = [&](const QString &t) {
        if (!tekst.isEmpty())
            w += doslownie(std::exchange(tekst, QString()));
        w += t;
    };
    bool poGodzinie = false;
    qsizetype i = 0;
    while (i < wzor.size()) {
        const QChar c = wzor.at(i);
        const char16_t z = c.toLower().unicode();
        if (z == u'"') {
            const qsizetype k = wzor.indexOf(QLatin1Char('"'), i + 1);
            const qsizetype koniec = k < 0 ? wzor.size() : k;
            tekst += wzor.mid(i + 1, koniec - i - 1);
            i = koniec + 1;
            continue;
        }
        if (z == u'\\') {
            if (i + 1 < wzor.size())
                tekst += wzor.at(i + 1);
            i += 2;
            continue;
        }
        if (z != u'd' && z != u'm' && z != u'y' && z != u'h' && z != u'n' && z != u's') {
            tekst += c;
            ++i;
            continue;
        }
        qsizetype n = 1;
        while (i + n < wzor.size() && wzor.at(i + n).toLower().unicode() == z)
            ++n;
        qsizetype uzyte = std::min<qsizetype>(n, 2);
        bool godzina = false;
        switch (z) {
        case u'd':
            if (n > 2)
                return std::nullopt; // names of days: the server's locale, not the station's
            token(n == 1 ? QStringLiteral("FMDD") : QStringLiteral("DD"));
            break;
        case u'm':
            if (poGodzinie && n <= 2) {
                token(n == 1 ? QStringLiteral("FMMI") : QStringLiteral("MI"));
            } else {
                if (n > 2)
                    return std::nullopt;
                token(n == 1 ? QStringLiteral("FMMM") : QStringLiteral("MM"));
            }
            break;
        case u'y':
            if (n >= 4) {
                uzyte = 4;
                token(QStringLiteral("YYYY"));
            } else if (n >= 2) {
                token(QStringLiteral("YY"));
            } else {
                token(QStringLiteral("FMDDD"));
            }
            break;
        case u'h':
            token(n == 1 ? QStringLiteral("FMHH24") : QStringLiteral("HH24"));
            godzina = true;
            break;
        case u'n':
            token(uzyte == 1 ? QStringLiteral("FMMI") : QStringLiteral("MI"));
            break;
        default: // 's'
            token(uzyte == 1 ? QStringLiteral("FMSS") : QStringLiteral("SS"));
            break;
        }
        poGodzinie = godzina;
        i += uzyte;
    }
    if (!tekst.isEmpty())
        w += doslownie(tekst);
    return w;
}

QString przetlumaczSql(const QString &sqlJet, Silnik silnik, int rokBiezacy)
{
    return Tlumacz(sqlJet, silnik, rokBiezacy).przetlumacz(0, sqlJet.size());
}
