#include "ctlprzel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

ctlPrzel::ctlPrzel(QWidget *parent) : ctlDwupolozeniowy(parent)
{
    setObjectName(QStringLiteral("ctlPrzel"));
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

void ctlPrzel::setValue(bool v)
{
    ustawPolozenie(v);
    setZmieniony(false);
}

void ctlPrzel::setZmieniony(bool z)
{
    m_zmieniony = z;
    update();
}

QSize ctlPrzel::sizeHint() const
{
    const int h = fontMetrics().height();
    return {h, h * 2};
}

bool ctlPrzel::przelacz()
{
    if (!isEnabled())
        return false;
    setValue(!Value());
    setZmieniony(true);
    Q_EMIT zmienionoRecznie();
    return true;
}

void ctlPrzel::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        przelacz();
    else
        ctlDwupolozeniowy::mouseDoubleClickEvent(event);
}

void ctlPrzel::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier)
        przelacz();
    else
        ctlDwupolozeniowy::keyPressEvent(event);
}

void ctlPrzel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange)
        setCursor(isEnabled() ? Qt::PointingHandCursor : Qt::ArrowCursor);
    ctlDwupolozeniowy::changeEvent(event);
}

QColor ctlPrzel::kolorRamki() const
{
    if (m_zmieniony)
        return QColor(235, 150, 0);
    if (hasFocus())
        return palette().color(QPalette::Highlight);
    return ctlDwupolozeniowy::kolorRamki();
}

void ctlPrzel::rysujPolozenie(QPainter &g, const QRectF &obszar, bool gora)
{
    // A slide switch: a dark slot with a light knob in its upper half
    // (position 1) or its lower half. A selector the operator cannot move
    // now keeps its face but with a dimmer knob.
    const double w = std::min(obszar.width() * 0.7, obszar.height() * 0.45);
    QRectF szczelina(0, 0, w, obszar.height() * 0.92);
    szczelina.moveCenter(obszar.center());
    g.setPen(QPen(QColor(20, 20, 20), 1));
    g.setBrush(QColor(45, 45, 50));
    g.drawRoundedRect(szczelina, w * 0.15, w * 0.15);
    const double m = w * 0.12;
    QRectF galka(szczelina.left() + m, 0, szczelina.width() - 2 * m, szczelina.height() / 2 - m);
    galka.moveTop(gora ? szczelina.top() + m : szczelina.center().y());
    const bool aktywny = isEnabled();
    g.setPen(QPen(aktywny ? QColor(90, 90, 90) : QColor(70, 70, 70), 1));
    g.setBrush(aktywny ? QColor(245, 245, 240) : QColor(175, 175, 170));
    g.drawRoundedRect(galka, w * 0.1, w * 0.1);
    // Grip lines on the knob.
    g.setPen(QPen(QColor(120, 120, 120), 1));
    for (int i = -1; i <= 1; ++i) {
        const double y = galka.center().y() + i * galka.height() * 0.18;
        g.drawLine(QPointF(galka.left() + galka.width() * 0.25, y), QPointF(galka.right() - galka.width() * 0.25, y));
    }
}
