#include "funkcjesql.h"

#include <QDate>
#include <QLocale>
#include <QTime>

#include <sqlite3.h>

namespace
{

bool cyfry(const QString &s, qsizetype od, qsizetype ile, int &wynik)
{
    if (od + ile > s.size())
        return false;
    int w = 0;
    for (qsizetype i = od; i < od + ile; ++i) {
        const QChar c = s.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        w = w * 10 + (c.unicode() - '0');
    }
    wynik = w;
    return true;
}

// Fixed-position parse: the values come from the station's own writer, and a
// GROUP BY over a month of readings calls this once per row.
bool rozbierzDate(const QString &s, QDate &data, QTime &czas)
{
    int r = 0, mies = 0, dz = 0;
    if (!cyfry(s, 0, 4, r) || s.size() < 10 || s.at(4) != QLatin1Char('-') || !cyfry(s, 5, 2, mies) ||
        s.at(7) != QLatin1Char('-') || !cyfry(s, 8, 2, dz))
        return false;
    data = QDate(r, mies, dz);
    if (!data.isValid())
        return false;
    czas = QTime(0, 0);
    if (s.size() == 10)
        return true;
    const QChar sep = s.at(10);
    if (sep != QLatin1Char(' ') && sep != QLatin1Char('T'))
        return false;
    int g = 0, m = 0, sek = 0;
    if (!cyfry(s, 11, 2, g) || s.size() < 16 || s.at(13) != QLatin1Char(':') || !cyfry(s, 14, 2, m))
        return false;
    qsizetype koniec = 16;
    if (s.size() > 16) {
        if (s.at(16) != QLatin1Char(':') || !cyfry(s, 17, 2, sek))
            return false;
        koniec = 19;
        if (s.size() > 19) {
            if (s.at(19) != QLatin1Char('.'))
                return false;
            koniec = s.size(); // fraction of a second: not shown by any pattern
        }
    }
    czas = QTime(g, m, sek);
    return koniec == s.size() && czas.isValid();
}

QString liczba(int v, int szerokosc)
{
    return QString::number(v).rightJustified(szerokosc, QLatin1Char('0'));
}

QString sformatuj(const QDate &d, const QTime &t, const QString &wzor)
{
    static const QLocale polski(QLocale::Polish, QLocale::Poland);
    QString w;
    bool poGodzinie = false;
    qsizetype i = 0;
    while (i < wzor.size()) {
        const QChar c = wzor.at(i);
        const char16_t z = c.toLower().unicode();
        if (z == u'"') { // quoted literal text
            const qsizetype k = wzor.indexOf(QLatin1Char('"'), i + 1);
            const qsizetype koniec = k < 0 ? wzor.size() : k;
            w += wzor.mid(i + 1, koniec - i - 1);
            i = koniec + 1;
            continue;
        }
        if (z == u'\\') {
            if (i + 1 < wzor.size())
                w += wzor.at(i + 1);
            i += 2;
            continue;
        }
        if (z != u'd' && z != u'm' && z != u'y' && z != u'h' && z != u'n' && z != u's') {
            w += c; // separators and any other character stand for themselves
            ++i;
            continue;
        }
        qsizetype n = 1;
        while (i + n < wzor.size() && wzor.at(i + n).toLower().unicode() == z)
            ++n;
        qsizetype uzyte = n;
        bool godzina = false;
        switch (z) {
        case u'd':
            uzyte = std::min<qsizetype>(n, 4);
            if (uzyte <= 2)
                w += liczba(d.day(), int(uzyte));
            else
                w += polski.dayName(d.dayOfWeek(), uzyte == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
            break;
        case u'm':
            if (poGodzinie && n <= 2) {
                w += liczba(t.minute(), int(n));
            } else {
                uzyte = std::min<qsizetype>(n, 4);
                if (uzyte <= 2)
                    w += liczba(d.month(), int(uzyte));
                else
                    w += polski.monthName(d.month(), uzyte == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
            }
            break;
        case u'y':
            if (n >= 4) {
                uzyte = 4;
                w += liczba(d.year(), 4);
            } else if (n >= 2) {
                uzyte = 2;
                w += liczba(d.year() % 100, 2);
            } else {
                w += QString::number(d.dayOfYear());
            }
            break;
        case u'h':
            uzyte = std::min<qsizetype>(n, 2);
            w += liczba(t.hour(), int(uzyte));
            godzina = true;
            break;
        case u'n':
            uzyte = std::min<qsizetype>(n, 2);
            w += liczba(t.minute(), int(uzyte));
            break;
        default: // 's'
            uzyte = std::min<qsizetype>(n, 2);
            w += liczba(t.second(), int(uzyte));
            break;
        }
        poGodzinie = godzina;
        i += uzyte;
    }
    return w;
}

QString tekstArgumentu(sqlite3_value *v)
{
    const auto *t = reinterpret_cast<const char *>(sqlite3_value_text(v));
    return t ? QString::fromUtf8(t, sqlite3_value_bytes(v)) : QString();
}

void funkcjaFormat(sqlite3_context *kontekst, int argc, sqlite3_value **argv)
{
    if (argc != 2 || sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(kontekst);
        return;
    }
    const std::optional<QString> w = formatujDateJet(tekstArgumentu(argv[0]), tekstArgumentu(argv[1]));
    if (!w) {
        // Not a date: the value passes through unchanged rather than vanish.
        sqlite3_result_value(kontekst, argv[0]);
        return;
    }
    const QByteArray u = w->toUtf8();
    sqlite3_result_text(kontekst, u.constData(), int(u.size()), SQLITE_TRANSIENT);
}

void funkcjaIif(sqlite3_context *kontekst, int argc, sqlite3_value **argv)
{
    if (argc != 3)
        return;
    const bool prawda = sqlite3_value_type(argv[0]) != SQLITE_NULL && sqlite3_value_double(argv[0]) != 0.0;
    sqlite3_result_value(kontekst, argv[prawda ? 1 : 2]);
}

bool maIif(sqlite3 *baza)
{
    sqlite3_stmt *st = nullptr;
    const int rc = sqlite3_prepare_v2(baza, "SELECT iif(1,2,3)", -1, &st, nullptr);
    sqlite3_finalize(st);
    return rc == SQLITE_OK;
}

} // namespace

std::optional<QString> formatujDateJet(const QString &wartosc, const QString &wzor)
{
    QDate d;
    QTime t;
    if (!rozbierzDate(wartosc.trimmed(), d, t))
        return std::nullopt;
    return sformatuj(d, t, wzor);
}

int zarejestrujFunkcjeSql(sqlite3 *baza)
{
    const int flagi = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    int rc = sqlite3_create_function_v2(baza, "format", 2, flagi, nullptr, &funkcjaFormat, nullptr, nullptr, nullptr);
    // The engine's own iif() is lazy like CASE, which is what a guarded
    // division needs; only an engine without one gets ours.
    if (rc == SQLITE_OK && !maIif(baza))
        rc = sqlite3_create_function_v2(baza, "iif", 3, flagi, nullptr, &funkcjaIif, nullptr, nullptr, nullptr);
    return rc;
}
