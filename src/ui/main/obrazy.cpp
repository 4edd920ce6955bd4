#include "obrazy.h"

#include "views/clswizual.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>

#include <cmath>

namespace
{

constexpr int rozmiarPanelu = 16;
constexpr int rozmiarPrzycisku = 24;

QPixmap pusty(int rozmiar)
{
    QPixmap p(rozmiar, rozmiar);
    p.fill(Qt::transparent);
    return p;
}

// A round signal lamp with a highlight, as on a control cabinet.
QPixmap lampka(const QColor &kolor)
{
    QPixmap p = pusty(rozmiarPanelu);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    QRadialGradient grad(QPointF(6, 6), 8);
    grad.setColorAt(0, kolor.lighter(170));
    grad.setColorAt(1, kolor);
    g.setBrush(grad);
    g.setPen(QPen(kolor.darker(180), 1));
    g.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    return p;
}

QPolygonF gwiazda(const QPointF &srodek, double zewn, double wewn, int ramion)
{
    QPolygonF w;
    for (int i = 0; i < 2 * ramion; ++i) {
        const double r = (i % 2 == 0) ? zewn : wewn;
        const double kat = 3.14159265358979 * i / ramion - 3.14159265358979 / 2;
        w << QPointF(srodek.x() + r * std::cos(kat), srodek.y() + r * std::sin(kat));
    }
    return w;
}

// The red flash of the alarm indicator.
QPixmap blysk()
{
    QPixmap p = pusty(rozmiarPanelu);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(QColor(120, 0, 0), 1));
    g.setBrush(QColor(230, 20, 20));
    g.drawPolygon(gwiazda(QPointF(8, 8), 7.5, 3.5, 8));
    g.setBrush(QColor(255, 230, 80));
    g.setPen(Qt::NoPen);
    g.drawEllipse(QPointF(8, 8), 2.2, 2.2);
    return p;
}

// The alarm window icon: a bell with a red flash behind it.
QPixmap blysk1()
{
    QPixmap p = pusty(rozmiarPanelu);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(230, 20, 20));
    g.drawPolygon(gwiazda(QPointF(8, 8), 8, 5, 10));
    g.setBrush(QColor(250, 210, 40));
    g.setPen(QPen(QColor(90, 60, 0), 0.8));
    QPainterPath dzwon;
    dzwon.moveTo(4, 11.5);
    dzwon.cubicTo(5, 10, 4.5, 4, 8, 4);
    dzwon.cubicTo(11.5, 4, 11, 10, 12, 11.5);
    dzwon.closeSubpath();
    g.drawPath(dzwon);
    g.drawEllipse(QPointF(8, 12.5), 1.2, 1.2);
    return p;
}

// ImageList2 image 1: a key, for the control mode.
QPixmap klucz()
{
    QPixmap p = pusty(rozmiarPanelu);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(QColor(110, 80, 0), 1.6));
    g.setBrush(QColor(235, 190, 40));
    g.drawEllipse(QPointF(5, 8), 3.5, 3.5);
    g.drawLine(QPointF(8.5, 8), QPointF(15, 8));
    g.drawLine(QPointF(12.5, 8), QPointF(12.5, 11));
    g.drawLine(QPointF(14.5, 8), QPointF(14.5, 10.5));
    g.setBrush(Qt::white);
    g.setPen(Qt::NoPen);
    g.drawEllipse(QPointF(4.3, 8), 1.1, 1.1);
    return p;
}

QPixmap przycisk(const QString &klucz)
{
    QPixmap p = pusty(rozmiarPrzycisku);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    const QColor ciemny(40, 50, 70);
    g.setPen(QPen(ciemny, 1.5));
    if (klucz == QLatin1String("Komun")) {
        // two arrows: the line in both directions
        g.drawLine(QPointF(3, 8), QPointF(20, 8));
        g.drawPolyline(QPolygonF({QPointF(16, 4), QPointF(20, 8), QPointF(16, 12)}));
        g.drawLine(QPointF(4, 16), QPointF(21, 16));
        g.drawPolyline(QPolygonF({QPointF(8, 12), QPointF(4, 16), QPointF(8, 20)}));
    } else if (klucz == QLatin1String("Panel")) {
        // the controller's front panel with its lamps
        g.setBrush(QColor(200, 205, 215));
        g.drawRoundedRect(QRectF(3, 3, 18, 18), 2, 2);
        g.setPen(Qt::NoPen);
        for (int i = 0; i < 3; ++i) {
            g.setBrush(i == 1 ? QColor(220, 30, 30) : QColor(30, 170, 40));
            g.drawEllipse(QPointF(7 + 5 * i, 8), 1.8, 1.8);
        }
        g.setBrush(QColor(20, 20, 20));
        g.drawRect(QRectF(6, 13, 12, 5));
    } else if (klucz == QLatin1String("Dane")) {
        // a table of values
        g.setBrush(Qt::white);
        g.drawRect(QRectF(3, 4, 18, 16));
        for (int y = 9; y < 20; y += 5)
            g.drawLine(QPointF(3, y), QPointF(21, y));
        g.drawLine(QPointF(10, 4), QPointF(10, 20));
    } else if (klucz == QLatin1String("Monit")) {
        // an eye
        g.setBrush(Qt::white);
        QPainterPath oko;
        oko.moveTo(2, 12);
        oko.quadTo(12, 2, 22, 12);
        oko.quadTo(12, 22, 2, 12);
        g.drawPath(oko);
        g.setBrush(QColor(30, 90, 180));
        g.drawEllipse(QPointF(12, 12), 3.5, 3.5);
    } else if (klucz == QLatin1String("Alarm")) {
        return blysk1().scaled(rozmiarPrzycisku, rozmiarPrzycisku, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    } else if (klucz == QLatin1String("RapDob")) {
        // a printed page
        g.setBrush(Qt::white);
        g.drawPolygon(QPolygonF({QPointF(5, 2), QPointF(15, 2), QPointF(19, 6), QPointF(19, 22), QPointF(5, 22)}));
        g.setPen(QPen(ciemny, 1));
        for (int y = 9; y <= 18; y += 3)
            g.drawLine(QPointF(8, y), QPointF(16, y));
    } else if (klucz == QLatin1String("Wykresy")) {
        // a line chart
        g.drawLine(QPointF(3, 3), QPointF(3, 21));
        g.drawLine(QPointF(3, 21), QPointF(21, 21));
        g.setPen(QPen(QColor(200, 40, 40), 2));
        g.drawPolyline(QPolygonF({QPointF(4, 17), QPointF(9, 11), QPointF(13, 14), QPointF(20, 5)}));
    } else {
        // the settings wizard: a wand with a star
        g.setPen(QPen(ciemny, 2.5));
        g.drawLine(QPointF(4, 20), QPointF(14, 10));
        g.setPen(QPen(QColor(150, 110, 0), 1));
        g.setBrush(QColor(250, 210, 40));
        g.drawPolygon(gwiazda(QPointF(17, 7), 6, 2.5, 5));
    }
    return p;
}

} // namespace

namespace Obrazy
{

QPixmap imageList1(const QString &klucz)
{
    if (klucz == QLatin1String("20"))
        return lampka(QColor(150, 150, 150));
    if (klucz == QLatin1String("21"))
        return lampka(QColor(20, 190, 40));
    if (klucz == QLatin1String("blysk"))
        return blysk();
    if (klucz == QLatin1String("blysk1"))
        return blysk1();
    return {};
}

QPixmap imageList2(int indeks)
{
    return indeks == 1 ? klucz() : QPixmap();
}

QPixmap obrazPanelu(const QString &nazwa)
{
    if (nazwa == clsWizual::obrazTrybu())
        return imageList2(1);
    return imageList1(nazwa);
}

QIcon ikonaAplikacji()
{
    // A capacitor bank: two plates and a lamp that is on.
    QPixmap p = pusty(32);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setBrush(QColor(40, 60, 110));
    g.setPen(Qt::NoPen);
    g.drawRoundedRect(QRectF(1, 1, 30, 30), 5, 5);
    g.setPen(QPen(Qt::white, 2.5));
    g.drawLine(QPointF(8, 16), QPointF(13, 16));
    g.drawLine(QPointF(13, 8), QPointF(13, 24));
    g.drawLine(QPointF(18, 8), QPointF(18, 24));
    g.drawLine(QPointF(18, 16), QPointF(23, 16));
    g.drawPixmap(QPointF(19, 19),
                 lampka(QColor(20, 190, 40)).scaled(11, 11, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    return QIcon(p);
}

QIcon ikonaPrzycisku(const QString &klucz)
{
    return QIcon(przycisk(klucz));
}

} // namespace Obrazy
