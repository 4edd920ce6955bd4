#pragma once

#include "ctldwupolozeniowy.h"

// A two-position selector that remembers who moved it: Zmieniony is true
// when the operator set the present position (a double-click, or Space
// while it has the focus), false when the program did. Only an enabled
// selector takes the operator's change. A pending change is drawn with an
// amber outline, so the operator sees what is not sent yet.
class ctlPrzel final : public ctlDwupolozeniowy
{
    Q_OBJECT
    Q_PROPERTY(bool Value READ Value WRITE setValue)
    Q_PROPERTY(bool Zmieniony READ Zmieniony WRITE setZmieniony)
public:
    explicit ctlPrzel(QWidget *parent = nullptr);

    // The program's write: stores the position and clears Zmieniony.
    void setValue(bool v);
    bool Zmieniony() const { return m_zmieniony; }
    void setZmieniony(bool z);

    QSize sizeHint() const override;
    bool przelacz() override;

Q_SIGNALS:
    // The operator moved the selector.
    void zmienionoRecznie();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;
    void rysujPolozenie(QPainter &g, const QRectF &obszar, bool gora) override;
    bool ramka() const override { return m_zmieniony || hasFocus() || ctlDwupolozeniowy::ramka(); }
    QColor kolorRamki() const override;

private:
    bool m_zmieniony = false;
};
