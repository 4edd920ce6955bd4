#include "rysowanie.h"

#include <QPainter>
#include <QRadialGradient>

#include <algorithm>

namespace Rysowanie
{

QColor zgaszony(const QColor &kolor)
{
    const QColor hsv = kolor.toHsv();
    return QColor::fromHsv(hsv.hue(), std::max(0, hsv.saturation() / 2), std::max(30, hsv.value() / 3));
}

void lampa(QPainter &g, const QRectF &obszar, const QColor &kolor, bool swieci, bool wypukla)
{
    const double bok = std::min(obszar.width(), obszar.height());
    const QPointF s = obszar.center();
    // The glow takes the outer fifth of the area; the lens sits inside it.
    const double r = bok / 2 * 0.78;
    g.save();
    g.setRenderHint(QPainter::Antialiasing);
    if (swieci) {
        QRadialGradient poswiata(s, bok / 2);
        QColor c = kolor;
        c.setAlpha(150);
        poswiata.setColorAt(r / (bok / 2) * 0.9, c);
        c.setAlpha(0);
        poswiata.setColorAt(1.0, c);
        g.setPen(Qt::NoPen);
        g.setBrush(poswiata);
        g.drawEllipse(s, bok / 2, bok / 2);
    }
    g.setPen(QPen(kolor.darker(swieci ? 170 : 260), std::max(1.0, bok / 24)));
    if (wypukla) {
        QRadialGradient soczewka(s - QPointF(r / 3, r / 3), r * 1.4);
        soczewka.setColorAt(0, swieci ? kolor.lighter(180) : kolor.lighter(110));
        soczewka.setColorAt(0.5, kolor);
        soczewka.setColorAt(1, kolor.darker(170));
        g.setBrush(soczewka);
    } else {
        g.setBrush(kolor);
    }
    g.drawEllipse(s, r, r);
    if (wypukla) {
        // The reflection of the window on the lens.
        g.setPen(Qt::NoPen);
        g.setBrush(QColor(255, 255, 255, swieci ? 150 : 70));
        g.drawEllipse(s - QPointF(r * 0.35, r * 0.38), r * 0.28, r * 0.2);
    }
    g.restore();
}

} // namespace Rysowanie
