#pragma once

#include <QWidget>

class Kontekst;
class QTreeWidget;
class QTreeWidgetItem;

// The controller tree (caption "Regulatory"), in its simple form: one node
// per controller of the registry, keyed by Kod. Selecting a node makes its
// controller the current one. Node colours follow the alarms; node images
// are not drawn yet. The window stays for the whole run: closing it hides it.
class fmRegulatory final : public QWidget
{
    Q_OBJECT
public:
    explicit fmRegulatory(Kontekst &k, QWidget *parent = nullptr);

    QTreeWidget *Tree() const { return m_tree; }
    // The node with that key, or null.
    QTreeWidgetItem *wezel(const QString &klucz) const;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void LadujObiekty();
    void ustawKolor(const QString &klucz, int kolor);
    void wybrano(QTreeWidgetItem *wezel);

    Kontekst &m_k;
    QTreeWidget *m_tree;
};
