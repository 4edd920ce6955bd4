#include "ctldioda3d.h"

#include "rysowanie.h"

#include <QMouseEvent>
#include <QPainter>

ctlDioda3d::ctlDioda3d(QWidget *parent) : ctlBaza(parent), m_kolor(40, 220, 60)
{
    setObjectName(QStringLiteral("ctlDioda3d"));
}

void ctlDioda3d::setZapalona(const QVariant &v)
{
    m_zapalona = v;
    const bool swieci = v.isValid() && v.toBool();
    const bool zmiana = swieci != m_swieci;
    m_swieci = swieci;
    m_picture = swieci ? m_picture2 : m_picture1;
    update();
    if (zmiana)
        oglosZmianeStanu();
}

void ctlDioda3d::setPicture(const QPixmap &p)
{
    m_picture = p;
    update();
}

void ctlDioda3d::setSelected(bool s)
{
    if (!isEnabled())
        return;
    m_selected = s;
    update();
}

void ctlDioda3d::setKolorLampy(const QColor &c)
{
    m_kolor = c;
    update();
}

QSize ctlDioda3d::sizeHint() const
{
    const int h = fontMetrics().height() * 3 / 2;
    return {h, h};
}

QString ctlDioda3d::opisStanu() const
{
    return m_swieci ? QStringLiteral("zapalona") : QStringLiteral("zgaszona");
}

void ctlDioda3d::mouseReleaseEvent(QMouseEvent *event)
{
    // A click: pressed and released over the lamp.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        setSelected(!m_selected);
    ctlBaza::mouseReleaseEvent(event);
}

QColor ctlDioda3d::kolorRamki() const
{
    return m_selected ? palette().color(QPalette::Highlight) : ctlBaza::kolorRamki();
}

void ctlDioda3d::rysuj(QPainter &g, const QRectF &obszar)
{
    if (!m_picture.isNull())
        rysujObraz(g, obszar, m_picture);
    else
        Rysowanie::lampa(g, obszar, m_swieci ? m_kolor : Rysowanie::zgaszony(m_kolor), m_swieci, true);
}
