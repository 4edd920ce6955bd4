#include "jetsql.h"

#include "bladbazy.h"
#include "zapytanie.h"

#include <QDate>
#include <QRegularExpression>
#include <QTime>

std::optional<QString> literalDaty(const QString &wnetrze)
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
            rok += rok < 30 ? 2000 : 1900;
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

} // namespace

QString przetlumaczSql(const QString &sqlJet)
{
    QString w;
    w.reserve(sqlJet.size() + 32);
    qsizetype i = 0;
    while (i < sqlJet.size()) {
        const QChar c = sqlJet.at(i);
        if ((c == QLatin1Char('\'') || c == QLatin1Char('"')) && koniecCytatu(sqlJet, i) < 0) {
            // An open quote: left as it is for the engine to reject.
            w += QStringView(sqlJet).mid(i);
            break;
        }
        if (c == QLatin1Char('\'')) {
            const qsizetype k = koniecCytatu(sqlJet, i);
            w += QStringView(sqlJet).mid(i, k - i);
            i = k;
        } else if (c == QLatin1Char('"')) {
            // A double-quoted text is a string in the station's dialect, an
            // identifier in SQLite's: rewrite it in single quotes.
            const qsizetype k = koniecCytatu(sqlJet, i);
            QString tresc = sqlJet.mid(i + 1, k - i - 2);
            tresc.replace(QStringLiteral("\"\""), QStringLiteral("\""));
            tresc.replace(QStringLiteral("'"), QStringLiteral("''"));
            w += QLatin1Char('\'') + tresc + QLatin1Char('\'');
            i = k;
        } else if (c == QLatin1Char('[')) {
            const qsizetype k = sqlJet.indexOf(QLatin1Char(']'), i);
            const qsizetype koniec = k < 0 ? sqlJet.size() : k + 1;
            w += QStringView(sqlJet).mid(i, koniec - i);
            i = koniec;
        } else if (c == QLatin1Char('#')) {
            const qsizetype k = sqlJet.indexOf(QLatin1Char('#'), i + 1);
            const QString wnetrze = k < 0 ? sqlJet.mid(i + 1) : sqlJet.mid(i + 1, k - i - 1);
            const std::optional<QString> data = k < 0 ? std::nullopt : literalDaty(wnetrze);
            if (!data)
                throw BladBazy(1, QStringLiteral("Niepoprawny literał daty #%1# w zapytaniu: %2").arg(wnetrze, sqlJet));
            w += QLatin1Char('\'') + *data + QLatin1Char('\'');
            i = k + 1;
        } else if (c == QLatin1Char('/')) {
            // "/" never divides integers as integers in the station's
            // dialect; "*1.0" makes the left operand real without changing
            // the grouping, as * and / bind alike and from the left.
            w += QStringLiteral("*1.0/");
            ++i;
        } else {
            w += c;
            ++i;
        }
    }
    return w;
}
