#pragma once

#include "jetsql.h"
#include "polaczenie.h"
#include "zrodlobazy.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

// A static, read-only cursor over a SELECT text written in the station's
// SQL dialect ("#...#" date literals in the forms yyyy-MM-dd, MM/dd/yyyy
// and MM/dd/yy, Format(date,'pattern'), IIf, "/" as real division). The
// rows are taken into memory when it opens; RecordCount is known.
class Zapytanie final
{
public:
    void Open(const QString &sql, Polaczenie &polaczenie);
    void Close();
    bool otwarte() const { return m_otwarte; }

    int RecordCount() const { return static_cast<int>(m_wiersze.size()); }
    void MoveFirst() { m_poz = 0; }
    void MoveNext() { ++m_poz; }
    bool EOF_() const { return m_poz >= m_wiersze.size(); }
    QVariant pole(const QString &kolumna) const;
    QStringList kolumny() const { return m_kolumny; }

private:
    bool m_otwarte = false;
    QStringList m_kolumny;
    QVector<QVector<QVariant>> m_wiersze;
    qsizetype m_poz = 0;
};

// The dialect translation for either engine, exposed for tests and tools.
// On the server, besides: "#...#" becomes a TIMESTAMP literal, Format() the
// server's to_char(), IIf a CASE, and [name] a lower-case quoted name. Two-
// digit years of date literals are read around rokBiezacy (see literalDaty).
QString przetlumaczSql(const QString &sqlJet, Silnik silnik = Silnik::SQLite, int rokBiezacy = biezacyRok());
