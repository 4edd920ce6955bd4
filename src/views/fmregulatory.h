#pragma once

#include <QWidget>

class clsoApp;
class clsWizual;
class colRegulatory;
class ListaAlarmow;
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
    fmRegulatory(const colRegulatory &regulatory, clsoApp &app, clsWizual &wizual, const ListaAlarmow &alarmy,
                 QWidget *parent = nullptr);

    QTreeWidget *Tree() const { return m_tree; }
    // The node with that key, or null.
    QTreeWidgetItem *wezel(const QString &klucz) const;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void LadujObiekty();
    void ustawKolor(const QString &klucz, int kolor);
    void wybrano(QTreeWidgetItem *wezel);

    const colRegulatory &m_regulatory;
    clsoApp &m_app;
    clsWizual &m_wizual;
    QTreeWidget *m_tree;
};
