#pragma once

#include <QCoro/QCoroTask>
#include <QHash>
#include <QWidget>

class Komunikaty;
class ZrodloBazy;
class QTreeWidget;
class QTreeWidgetItem;

// The plant's object tree (caption "Struktura") from the table Hierarchia:
// every row is a node keyed and captioned by its kod_obiektu, hung under the
// node of its kod_obiektu_nad. Built when the window opens (the rows are
// read on a worker thread), not refreshed while it is open. Rows the table cannot place are shown sensibly rather
// than lost: a parent code no row has becomes one node under the root; an
// empty parent, one naming the row itself, or one that would close a loop
// leaves the node under the root; a code that repeats is shown once, as its
// first row says.
class fmStruktura final : public QWidget
{
    Q_OBJECT
public:
    fmStruktura(const ZrodloBazy &zrodlo, Komunikaty &komunikaty, QWidget *parent = nullptr);
    // Reads Hierarchia and builds the tree; the window may close meanwhile.
    QCoro::Task<void> LadujObiekty();

    QTreeWidget *Tree() const { return m_tree; }
    QSize sizeHint() const override;
    QTreeWidgetItem *wezel(const QString &klucz) const { return m_wezly.value(klucz); }
    static int obraz(const QTreeWidgetItem *wezel);

private:
    QTreeWidgetItem *dodaj(QTreeWidgetItem *rodzic, const QString &klucz, int obraz);

    const ZrodloBazy &m_zrodlo;
    Komunikaty &m_komunikaty;
    QTreeWidget *m_tree;
    QHash<QString, QTreeWidgetItem *> m_wezly;
};
