#include "ctlswitch.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

ctlSwitch::ctlSwitch(QWidget *parent) : ctlDwupolozeniowy(parent)
{
    setObjectName(QStringLiteral("ctlSwitch"));
}

QSize ctlSwitch::sizeHint() const
{
    const int h = fontMetrics().height();
    return {h * 3 / 2, h * 2};
}

bool ctlSwitch::przelacz()
{
    setValue(!Value());
    return true;
}

bool ctlSwitch::event(QEvent *e)
{
    if (e->type() == QEvent::MouseButtonDblClick && static_cast<QMouseEvent *>(e)->button() == Qt::LeftButton) {
        przelacz();
        return true;
    }
    return ctlDwupolozeniowy::event(e);
}

void ctlSwitch::rysujPolozenie(QPainter &g, const QRectF &obszar, bool gora)
{
    // A round base with a lever pointing up (position 1) or down.
    const double bok = std::min(obszar.width(), obszar.height());
    const QPointF s = obszar.center();
    const double r = bok * 0.28;
    const bool aktywny = isEnabled();
    g.setPen(QPen(QColor(60, 60, 60), 1));
    g.setBrush(QColor(170, 170, 175));
    g.drawEllipse(s, r * 1.3, r * 1.3);
    const QPointF koniec = s + QPointF(0, (gora ? -1 : 1) * (obszar.height() / 2 - r * 0.6));
    g.setPen(QPen(aktywny ? QColor(30, 30, 30) : QColor(110, 110, 110), std::max(2.0, r * 0.6), Qt::SolidLine,
                  Qt::RoundCap));
    g.drawLine(s, koniec);
    g.setPen(Qt::NoPen);
    g.setBrush(aktywny ? QColor(200, 40, 40) : QColor(160, 120, 120));
    g.drawEllipse(koniec, r * 0.55, r * 0.55);
}
