#include "ctlbaza.h"

#include "dostepnosc.h"

#include <QAccessible>
#include <QPainter>

ctlBaza::ctlBaza(QWidget *parent)
    : QWidget(parent), m_foreColor(palette().color(QPalette::WindowText)),
      m_backColor(palette().color(QPalette::Window))
{
    zarejestrujDostepnosc();
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void ctlBaza::setForeColor(const QColor &c)
{
    m_foreColor = c;
    update();
}

void ctlBaza::setBackColor(const QColor &c)
{
    m_backColor = c;
    update();
}

void ctlBaza::setBackStyle(int s)
{
    m_backStyle = s;
    update();
}

void ctlBaza::setBorderStyle(int s)
{
    m_borderStyle = s;
    update();
}

void ctlBaza::paintEvent(QPaintEvent *)
{
    ++m_malowania;
    QPainter g(this);
    g.setRenderHint(QPainter::Antialiasing);
    if (m_backStyle == 1)
        g.fillRect(rect(), m_backColor);
    rysuj(g, QRectF(rect()).adjusted(1, 1, -1, -1));
    if (ramka()) {
        g.setRenderHint(QPainter::Antialiasing, false);
        g.setPen(QPen(kolorRamki(), 1));
        g.setBrush(Qt::NoBrush);
        g.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void ctlBaza::rysujObraz(QPainter &g, const QRectF &obszar, const QPixmap &obraz)
{
    QSizeF s = obraz.deviceIndependentSize();
    s.scale(obszar.size(), Qt::KeepAspectRatio);
    QRectF cel(QPointF(), s);
    cel.moveCenter(obszar.center());
    g.setRenderHint(QPainter::SmoothPixmapTransform);
    g.drawPixmap(cel, obraz, QRectF(obraz.rect()));
}

void ctlBaza::oglosZmianeStanu()
{
    if (!QAccessible::isActive())
        return;
    QAccessible::State s;
    s.checked = true;
    QAccessibleStateChangeEvent e(this, s);
    QAccessible::updateAccessibility(&e);
}
