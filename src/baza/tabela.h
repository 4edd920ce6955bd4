#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

class Rekordy;
class Zapytanie;

// The rows of a query result, held in memory, with columns found by name
// regardless of letter case: report fields and chart builders bind to them
// that way. A null column is an invalid QVariant.
class Tabela final
{
public:
    Tabela() = default;
    Tabela(QStringList kolumny, QVector<QVector<QVariant>> wiersze);
    // Every row of an open query, from its first row on.
    static Tabela z(Zapytanie &zapytanie);
    // Every row of a table, in the order of its key, with all its columns.
    static Tabela z(Rekordy &rekordy);

    const QStringList &kolumny() const { return m_kolumny; }
    int liczbaWierszy() const { return static_cast<int>(m_wiersze.size()); }
    bool pusta() const { return m_wiersze.isEmpty(); }
    // -1 when the result has no such column.
    int kolumna(const QString &nazwa) const;
    QVariant wartosc(int wiersz, int kolumna) const;
    QVariant wartosc(int wiersz, const QString &nazwa) const { return wartosc(wiersz, kolumna(nazwa)); }

    void ustaw(int wiersz, int kolumna, const QVariant &v);
    // Reorders the rows: wiersz i of the result is row kolejnosc[i] now.
    void uporzadkuj(const QVector<int> &kolejnosc);

private:
    QStringList m_kolumny;
    QVector<QVector<QVariant>> m_wiersze;
};
