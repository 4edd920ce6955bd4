#include "zapytanie.h"

#include "bladbazy.h"
#include "sqlpomoc.h"

#include <QSqlQuery>
#include <QSqlRecord>

void Zapytanie::Open(const QString &sql, Polaczenie &polaczenie)
{
    Close();
    if (!polaczenie.otwarte())
        throw BladBazy(1, QStringLiteral("Połączenie z bazą danych jest zamknięte."));
    const QString tekst = przetlumaczSql(sql, polaczenie.silnik());
    QSqlQuery q(polaczenie.db());
    q.setForwardOnly(true);
    if (!q.exec(tekst))
        throw sqlpomoc::blad(q.lastError(), sql);
    const QSqlRecord r = q.record();
    QStringList kolumny;
    for (int i = 0; i < r.count(); ++i)
        kolumny.append(r.fieldName(i));
    QVector<QVector<QVariant>> wiersze;
    while (q.next()) {
        QVector<QVariant> w(r.count());
        for (int i = 0; i < r.count(); ++i)
            w[i] = sqlpomoc::wartosc(q, i);
        wiersze.append(std::move(w));
    }
    if (q.lastError().isValid())
        throw sqlpomoc::blad(q.lastError(), sql);
    m_kolumny = std::move(kolumny);
    m_wiersze = std::move(wiersze);
    m_poz = 0;
    m_otwarte = true;
}

void Zapytanie::Close()
{
    m_otwarte = false;
    m_kolumny.clear();
    m_wiersze.clear();
    m_poz = 0;
}

QVariant Zapytanie::pole(const QString &kolumna) const
{
    if (!m_otwarte)
        throw BladBazy(1, QStringLiteral("Zapytanie nie jest otwarte."));
    qsizetype indeks = -1;
    for (qsizetype i = 0; i < m_kolumny.size(); ++i) {
        if (m_kolumny.at(i).compare(kolumna.trimmed(), Qt::CaseInsensitive) == 0) {
            indeks = i;
            break;
        }
    }
    if (indeks < 0)
        throw BladBazy(1, QStringLiteral("Wynik zapytania nie ma kolumny „%1”.").arg(kolumna));
    if (EOF_())
        throw BladBazy(3021, QStringLiteral("Brak bieżącego wiersza wyniku zapytania (koniec danych)."));
    return m_wiersze.at(m_poz).at(indeks);
}
