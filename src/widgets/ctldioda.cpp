#include "ctldioda.h"

#include "rysowanie.h"

#include <QPainter>

ctlDioda::ctlDioda(QWidget *parent)
    : ctlBaza(parent), m_zapalKolor(40, 220, 60), m_zgasKolor(Rysowanie::zgaszony(m_zapalKolor))
{
    setObjectName(QStringLiteral("ctlDioda"));
}

void ctlDioda::setStan(bool stan)
{
    if (stan == m_stan)
        return;
    m_stan = stan;
    update();
    oglosZmianeStanu();
}

void ctlDioda::setZapalKolor(const QColor &c)
{
    m_zapalKolor = c;
    update();
}

void ctlDioda::setZgasKolor(const QColor &c)
{
    m_zgasKolor = c;
    update();
}

QSize ctlDioda::sizeHint() const
{
    const int h = fontMetrics().height();
    return {h, h};
}

QString ctlDioda::opisStanu() const
{
    return m_stan ? QStringLiteral("zapalona") : QStringLiteral("zgaszona");
}

void ctlDioda::rysuj(QPainter &g, const QRectF &obszar)
{
    Rysowanie::lampa(g, obszar, kolorWypelnienia(), m_stan, false);
}
