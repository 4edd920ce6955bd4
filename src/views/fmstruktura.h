#pragma once

#include <QCoro/QCoroTask>
#include <QHash>
#include <QWidget>

class Komunikaty;
class ZrodloBazy;
class QTreeWidget;
class QTreeWidgetItem;

// The plant's object tree (caption "Struktura"): the objects of Hierarchia
// as the model's loading places them (StrukturaObiektow), each node keyed
// and captioned by its code. Built when the window opens (the rows are read
// on a worker thread), not refreshed while it is open.
class fmStruktura final : public QWidget
{
    Q_OBJECT
public:
    fmStruktura(const ZrodloBazy &zrodlo, Komunikaty &komunikaty, QWidget *parent = nullptr);
    // Reads Hierarchia and shows the tree; the window may close meanwhile.
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
