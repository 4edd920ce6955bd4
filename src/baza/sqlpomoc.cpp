#include "sqlpomoc.h"

#include "platform/datacz.h"

#include <QDateTime>

#include <charconv>
#include <limits>

namespace sqlpomoc
{

BladBazy blad(const QSqlError &e, const QString &kontekst)
{
    bool ok = false;
    int nr = e.nativeErrorCode().toInt(&ok);
    if (!ok || nr == 0)
        nr = 1;
    QString opis = (e.databaseText().isEmpty() ? e.driverText() : e.databaseText()).trimmed();
    // The server's text begins with its severity ("ERROR:  ..."), which the
    // station's own message already says.
    for (const QLatin1String poziom : {QLatin1String("ERROR:"), QLatin1String("FATAL:")})
        if (opis.startsWith(poziom))
            opis = opis.mid(poziom.size()).trimmed();
    if (opis.isEmpty())
        opis = QStringLiteral("nieznany błąd bazy danych");
    if (!kontekst.isEmpty())
        opis += QStringLiteral(" (") + kontekst + QLatin1Char(')');
    return BladBazy(nr, opis, e.nativeErrorCode());
}

QVariant doBazy(const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return QVariant();
    const QMetaType t = v.metaType();
    if (t == QMetaType::fromType<DataCzas>())
        return v.value<DataCzas>().tekstBazy();
    switch (t.id()) {
    case QMetaType::QDateTime:
        return DataCzas::z(v.toDateTime()).tekstBazy();
    case QMetaType::QDate:
        return DataCzas::z(v.toDate()).tekstBazy();
    case QMetaType::Bool:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
        return v.toLongLong();
    case QMetaType::ULongLong:
        return v.toULongLong() > static_cast<qulonglong>(std::numeric_limits<qlonglong>::max())
                   ? QVariant(v.toDouble())
                   : QVariant(v.toLongLong());
    case QMetaType::Float: {
        // A single-precision value keeps the digits it shows: 0.1f is stored
        // as 0.1, not as 0.100000001490116.
        char bufor[32];
        const auto [koniec, ec] = std::to_chars(bufor, bufor + sizeof bufor, v.toFloat());
        if (ec != std::errc())
            return static_cast<double>(v.toFloat());
        double d = 0;
        std::from_chars(bufor, koniec, d);
        return d;
    }
    case QMetaType::Double:
    case QMetaType::QString:
    case QMetaType::QByteArray:
        return v;
    default:
        return v.toString();
    }
}

QString identyfikator(const QString &nazwa)
{
    QString n = nazwa;
    n.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + n + QLatin1Char('"');
}

bool naSerwerze(const QSqlDriver *sterownik)
{
    return sterownik && sterownik->dbmsType() == QSqlDriver::PostgreSQL;
}

QVariant wartosc(const QSqlQuery &q, int i)
{
    if (naSerwerze(q.driver()))
        return wartoscSerwera(q, i);
    return zBazy(q.value(i));
}

void wykonaj(QSqlQuery &q, const QString &sql, const QVariantList &wartosci)
{
    if (naSerwerze(q.driver())) {
        const QString tekst = wartosci.isEmpty() ? sql : zWartosciami(q.driver(), sql, wartosci);
        if (!q.exec(tekst))
            throw blad(q.lastError());
        return;
    }
    if (!q.prepare(sql))
        throw blad(q.lastError());
    for (const QVariant &w : wartosci)
        q.addBindValue(w);
    if (!q.exec())
        throw blad(q.lastError());
}

} // namespace sqlpomoc
