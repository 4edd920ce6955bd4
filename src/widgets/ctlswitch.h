#pragma once

#include "ctldwupolozeniowy.h"

// A two-position toggle switch. A double-click flips it, enabled or not.
class ctlSwitch final : public ctlDwupolozeniowy
{
    Q_OBJECT
    Q_PROPERTY(bool Value READ Value WRITE setValue)
public:
    explicit ctlSwitch(QWidget *parent = nullptr);

    void setValue(bool v) { ustawPolozenie(v); }
    QSize sizeHint() const override;
    bool przelacz() override;

protected:
    // A disabled widget gets no mouse events from Qt; the switch takes its
    // double-click here, before that rule applies.
    bool event(QEvent *e) override;
    void rysujPolozenie(QPainter &g, const QRectF &obszar, bool gora) override;
};
