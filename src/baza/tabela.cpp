#include "tabela.h"

#include "rekordy.h"
#include "zapytanie.h"

Tabela::Tabela(QStringList kolumny, QVector<QVector<QVariant>> wiersze)
    : m_kolumny(std::move(kolumny)), m_wiersze(std::move(wiersze))
{
}

Tabela Tabela::z(Zapytanie &zapytanie)
{
    const QStringList kolumny = zapytanie.kolumny();
    QVector<QVector<QVariant>> wiersze;
    wiersze.reserve(zapytanie.RecordCount());
    for (zapytanie.MoveFirst(); !zapytanie.EOF_(); zapytanie.MoveNext()) {
        QVector<QVariant> w;
        w.reserve(kolumny.size());
        for (const QString &k : kolumny)
            w.append(zapytanie.pole(k));
        wiersze.append(std::move(w));
    }
    return Tabela(kolumny, std::move(wiersze));
}

int Tabela::kolumna(const QString &nazwa) const
{
    for (qsizetype i = 0; i < m_kolumny.size(); ++i) {
        if (m_kolumny.at(i).compare(nazwa, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

QVariant Tabela::wartosc(int wiersz, int kolumna) const
{
    if (wiersz < 0 || wiersz >= m_wiersze.size() || kolumna < 0 || kolumna >= m_kolumny.size())
        return {};
    return m_wiersze.at(wiersz).at(kolumna);
}

void Tabela::ustaw(int wiersz, int kolumna, const QVariant &v)
{
    if (wiersz >= 0 && wiersz < m_wiersze.size() && kolumna >= 0 && kolumna < m_kolumny.size())
        m_wiersze[wiersz][kolumna] = v;
}

void Tabela::uporzadkuj(const QVector<int> &kolejnosc)
{
    QVector<QVector<QVariant>> nowe;
    nowe.reserve(kolejnosc.size());
    for (const int i : kolejnosc)
        nowe.append(m_wiersze.at(i));
    m_wiersze = std::move(nowe);
}

Tabela Tabela::z(Rekordy &rekordy)
{
    const QStringList kolumny = rekordy.kolumny();
    QVector<QVector<QVariant>> wiersze;
    for (rekordy.MoveFirst(); !rekordy.EOF_(); rekordy.MoveNext()) {
        QVector<QVariant> w;
        w.reserve(kolumny.size());
        for (const QString &k : kolumny)
            w.append(rekordy.pole(k));
        wiersze.append(std::move(w));
    }
    return Tabela(kolumny, std::move(wiersze));
}
