#pragma once

#include <QHash>
#include <QWidget>

class clsoApp;
class clsWizual;
class colRegulatory;
class ListaAlarmow;
class QMenu;
class QTreeWidget;
class QTreeWidgetItem;

// The main window's menus that the tree opens as its context menus.
struct MenuDrzewa {
    QMenu *regulator = nullptr; // "&Regulator", on a controller
    QMenu *baza = nullptr;      // "&Baza danych", on the group "Regulatory"
    QMenu *stopien = nullptr;   // "&Stopień", on a stage
};

// The controller tree (caption "Regulatory"): the root "System Tolvek", the
// group "Regulatory" and every controller of the registry with its nine
// stages. A click on a controller makes it the current one, a click on a
// stage makes it its controller's current stage; with the right button the
// matching menu of the main window opens as well. The hub finds nodes by
// key for their images and colours. The window stays for the whole run:
// closing it only hides it.
class fmRegulatory final : public QWidget
{
    Q_OBJECT
public:
    fmRegulatory(const colRegulatory &regulatory, clsoApp &app, clsWizual &wizual, const ListaAlarmow &alarmy,
                 MenuDrzewa menu, QWidget *parent = nullptr);

    QTreeWidget *Tree() const { return m_tree; }
    QSize sizeHint() const override;
    // The node with that key, or null.
    QTreeWidgetItem *wezel(const QString &klucz) const { return m_wezly.value(klucz); }
    // What a node stands for: "R" a controller, "RR" the group, "B" a stage,
    // "" the root; and its image (1..6).
    static QString tag(const QTreeWidgetItem *wezel);
    static int obraz(const QTreeWidgetItem *wezel);

protected:
    void closeEvent(QCloseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    bool eventFilter(QObject *obiekt, QEvent *event) override;

private:
    void LadujObiekty();
    QTreeWidgetItem *dodaj(QTreeWidgetItem *rodzic, const QString &klucz, const QString &podpis, int obraz,
                           const QString &tag);
    void ustawObraz(const QString &klucz, int obraz);
    void ustawKolor(const QString &klucz, int kolor);
    // A node clicked (or reached with the keyboard): the controller or stage
    // becomes current; menuW is where the context menu opens, if any.
    void kliknieto(QTreeWidgetItem *wezel, const QPoint *menuW);

    const colRegulatory &m_regulatory;
    clsoApp &m_app;
    clsWizual &m_wizual;
    MenuDrzewa m_menu;
    QTreeWidget *m_tree;
    QHash<QString, QTreeWidgetItem *> m_wezly;
    bool m_prawyPrzycisk = false; // the last press on the tree was with the right button
    bool m_myszWcisnieta = false;
    QTreeWidgetItem *m_wcisniety = nullptr; // the node under the last press
};
