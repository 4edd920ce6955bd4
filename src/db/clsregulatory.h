#pragma once

#include "baza/polaczenie.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <functional>

// The controller editor's data: a connection of its own to the database and
// one updatable, static cursor over the editable columns of Regulatory.
// The rows are read once (and again by Requery); the current row's edits
// wait in a buffer until Update writes them. Values typed as text are
// converted to their column's type on Update; a value the column cannot
// take, a missing required value, a duplicate code or address, or a row
// that another program removed in the meantime is refused with a BladBazy
// whose description says why, and the buffer stays as typed.
class clsRegulatory final : public QObject
{
    Q_OBJECT
public:
    // Throws BladBazy when the database cannot be opened.
    explicit clsRegulatory(const QString &polaczenieTekst = domyslnePolaczenie(), QObject *parent = nullptr);

    static QString domyslnePolaczenie()
    {
        return QStringLiteral("PROVIDER=Microsoft.Jet.OLEDB.4.0;Data Source=tolvek.mdb;");
    }
    // A new row gets this station's name in Stacja (when the table has the
    // column and the row names none), so that no other station sharing the
    // database starts polling a controller that is not on its line.
    void ustawStacje(const QString &nazwa) { m_stacja = nazwa; }
    // The cursor's SELECT.
    static QString zapytanie();

    void AddNew();
    // Deletes the current row, then MoveNext.
    void Delete();
    // Reads the rows again; bound views hear zmienionoDane("Primary").
    void Requery();
    // Writes the pending changes; a new row becomes the last row.
    void Update();
    // Drops the pending changes; from a new row, back to the first row.
    void Cancel();
    void MoveFirst();
    void MoveLast();
    // Past the end (or the beginning) with rows: a beep and the last (first) row.
    void MoveNext();
    void MovePrevious();
    // "kolumna = wartosc", searching forward from the current row; when no
    // row matches there is no current row.
    void FindRecord(const QString &Kryterium);

    // A new row, or a row with pending changes.
    bool EditingRecord() const { return m_nowy || !m_bufor.isEmpty(); }
    // 1-based position of the current row; 0 when there is none or it is new.
    int AbsolutePosition() const;
    int RecordCount() const { return static_cast<int>(m_wiersze.size()); }
    // Whether a row (existing or new) is current.
    bool maBiezacy() const { return m_nowy || (m_poz >= 0 && m_poz < m_wiersze.size()); }
    bool nowy() const { return m_nowy; }

    // The current row's value, pending change included; invalid when null.
    QVariant pole(const QString &kolumna) const;
    // A change of the current row, kept until Update or Cancel.
    void ustawPole(const QString &kolumna, const QVariant &wartosc);

    // Names of the columns in messages (column -> caption); the column name
    // where none is given.
    void ustawNazwyPol(const QHash<QString, QString> &nazwy) { m_nazwy = nazwy; }
    // The beep of MoveNext/MovePrevious past the end; the window sets it.
    std::function<void()> sygnal;

Q_SIGNALS:
    // The current row changed.
    void MoveComplete();
    void zmienionoDane(const QString &DataMember);

private:
    struct Wiersz {
        qint64 rowid = -1;
        QHash<QString, QVariant> wartosci; // by lower-case column name
    };
    Wiersz wczytajWiersz(qint64 rowid);
    QVariant doKolumny(const QString &kolumna, const QVariant &wartosc) const;
    QString nazwa(const QString &kolumna) const;
    void przejdz(qsizetype poz);
    void piknij();

    Polaczenie m_cn;
    QStringList m_kolumny;          // as the SELECT names them
    QHash<QString, QString> m_typy; // lower-case column -> declared type
    QVector<Wiersz> m_wiersze;
    qsizetype m_poz = -1; // -1 before the first row, size() past the last
    bool m_nowy = false;
    QHash<QString, QVariant> m_bufor; // lower-case column -> pending value
    QHash<QString, QString> m_nazwy;
    QString m_stacja;
};
