#pragma once

#include "polaczenie.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdint>
#include <optional>

class QSqlQuery;

// A table cursor with keyset semantics: every row of the table is visible,
// rows are walked in the order of their key (the file's rowid, the
// server's primary key), and the cursor holds only the current row in
// memory, so opening it on a table of millions of rows costs nothing. Each
// move is one query. Every failing operation throws BladBazy.
class Rekordy final
{
public:
    Rekordy() = default;
    ~Rekordy();
    Rekordy(const Rekordy &) = delete;
    Rekordy &operator=(const Rekordy &) = delete;

    // Opens on a table name; positions on the first row (EOF when empty).
    void Open(const QString &tabela, Polaczenie &polaczenie);
    void Close();
    bool otwarty() const { return m_pol != nullptr; }
    const QString &tabela() const { return m_tabela; }

    void MoveFirst();
    void MoveNext();
    bool EOF_() const;

    // Criterion "Kolumna=wartosc" (blanks around the value are ignored, a
    // quoted 'text' value compares as text, a number as a number). Searches
    // forward from the current row, the current row included; when nothing
    // matches the cursor is at EOF.
    void Find(const QString &kryterium);

    // Field access by case-insensitive column name; a null column reads as
    // an invalid QVariant. Reading at EOF throws.
    QVariant pole(const QString &kolumna) const;
    // Assignment into the edit buffer of the current or the new row.
    void ustaw(const QString &kolumna, const QVariant &wartosc);

    // Starts a new row; Update inserts it and makes it the current row.
    void AddNew();
    // Commits the edit buffer (insert or update of the current row). A
    // failed commit drops the buffer, so the next AddNew starts clean.
    // Moving to another row also drops pending assignments.
    void Update();
    // Deletes the current row; the cursor then stands on the next row.
    void Delete();

    QStringList kolumny() const { return m_kolumny; }
    // The key (rowid) of the current row; -1 at EOF.
    std::int64_t rowidBiezacy() const { return m_eof ? -1 : m_rowid; }

private:
    QString kolumnaTabeli(const QString &nazwa) const;
    void sprawdzOtwarty() const;
    void porzucEdycje();
    // " <key> AS tolvek_klucz, *": the columns every row is read with.
    QString wynikZKluczem() const;
    // Takes the query's first row as the current one; EOF when it has none.
    void wczytaj(QSqlQuery &q);
    // Moves to the first row whose key is above (or, when inclusive, at
    // least) odRowid (any key when none is given) and that meets the extra
    // condition; EOF when none does.
    void przejdz(std::optional<std::int64_t> odRowid, bool wlacznie, const QString &warunek = {},
                 const QVariant &wartosc = {});

    Polaczenie *m_pol = nullptr;
    QString m_tabela;
    QStringList m_kolumny;
    QStringList m_typy;
    QString m_klucz; // as written in SQL
    bool m_eof = true;
    std::int64_t m_rowid = -1;         // meaningful only when !m_eof
    QHash<QString, QVariant> m_wiersz; // current row, keyed by lower-case name
    bool m_nowy = false;
    QHash<QString, QVariant> m_bufor; // pending assignments, keyed by lower-case name
};
