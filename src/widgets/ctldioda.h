#pragma once

#include "ctlbaza.h"

// A flat lamp: one filled shape, ZapalKolor while on and ZgasKolor while off.
class ctlDioda final : public ctlBaza
{
    Q_OBJECT
    Q_PROPERTY(bool Stan READ Stan WRITE setStan)
    Q_PROPERTY(QColor ZapalKolor READ ZapalKolor WRITE setZapalKolor)
    Q_PROPERTY(QColor ZgasKolor READ ZgasKolor WRITE setZgasKolor)
public:
    explicit ctlDioda(QWidget *parent = nullptr);

    bool Stan() const { return m_stan; }
    // Writing the value it already has changes nothing and does not repaint.
    void setStan(bool stan);
    QColor ZapalKolor() const { return m_zapalKolor; }
    void setZapalKolor(const QColor &c);
    QColor ZgasKolor() const { return m_zgasKolor; }
    void setZgasKolor(const QColor &c);
    // The fill colour of the shape as it is drawn now.
    QColor kolorWypelnienia() const { return m_stan ? m_zapalKolor : m_zgasKolor; }

    QSize sizeHint() const override;
    bool zaznaczony() const override { return m_stan; }
    QString opisStanu() const override;

protected:
    void rysuj(QPainter &g, const QRectF &obszar) override;

private:
    bool m_stan = false;
    QColor m_zapalKolor;
    QColor m_zgasKolor;
};
