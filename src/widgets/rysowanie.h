#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

// Drawing shared by the lamps.
namespace Rysowanie
{

// A round lamp filling the largest circle of the area. A lit lamp gets a
// soft glow around it; a 3d lamp is shaded as a domed lens with a highlight.
void lampa(QPainter &g, const QRectF &obszar, const QColor &kolor, bool swieci, bool wypukla);
// The dark colour of a lamp that is off, from its lit colour.
QColor zgaszony(const QColor &kolor);

} // namespace Rysowanie
