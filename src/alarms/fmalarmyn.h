#pragma once

#include <QColor>
#include <QWidget>

class ListaAlarmow;
class QTreeWidget;
class QTreeWidgetItem;
struct WierszAlarmu;

// The alarm board (caption "Alarmy"): one row per alarm raised since start,
// coloured by its state; a double click acknowledges the row. The alarm
// state itself lives in ListaAlarmow, so closing this window only hides it.
class fmAlarmyN final : public QWidget
{
    Q_OBJECT
public:
    explicit fmAlarmyN(ListaAlarmow &alarmy, QWidget *parent = nullptr);

    QTreeWidget *lstAlarmy() const { return m_lista; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void dodano(int nr);
    void zmieniono(int nr);
    void wypelnij(QTreeWidgetItem *wiersz, const WierszAlarmu &alarm);
    void dwuklik(QTreeWidgetItem *wiersz);
    void umiesc();

    ListaAlarmow &m_alarmy;
    QTreeWidget *m_lista;
    bool m_umieszczone = false;
};

// How a row of the board looks in each of its four states.
namespace WygladAlarmu
{
QColor kolor(bool aktywny);
bool pogrubiony(bool potwierdzony);
} // namespace WygladAlarmu
