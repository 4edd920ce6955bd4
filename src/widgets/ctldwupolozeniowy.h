#pragma once

#include "ctlbaza.h"

// What the switch and the selector share: a Value (true = position 1, drawn
// up), Picture1 for position 1 and Picture2 for position 0, and their own
// drawing when no pictures are set.
class ctlDwupolozeniowy : public ctlBaza
{
    Q_OBJECT
    Q_PROPERTY(QPixmap Picture1 READ Picture1 WRITE setPicture1)
    Q_PROPERTY(QPixmap Picture2 READ Picture2 WRITE setPicture2)
public:
    explicit ctlDwupolozeniowy(QWidget *parent = nullptr);

    bool Value() const { return m_value; }
    QPixmap Picture1() const { return m_picture1; }
    void setPicture1(const QPixmap &p);
    QPixmap Picture2() const { return m_picture2; }
    void setPicture2(const QPixmap &p);
    // The picture shown now (null when the widget draws itself).
    QPixmap Picture() const { return m_value ? m_picture1 : m_picture2; }

    bool rolaPrzelacznika() const override { return true; }
    bool zaznaczony() const override { return m_value; }
    QString opisStanu() const override;

protected:
    // Stores the position and shows its picture.
    void ustawPolozenie(bool v);
    void rysuj(QPainter &g, const QRectF &obszar) override;
    // The face of the widget in a position, when no picture is set.
    virtual void rysujPolozenie(QPainter &g, const QRectF &obszar, bool gora) = 0;

private:
    bool m_value = false;
    QPixmap m_picture1, m_picture2;
};
