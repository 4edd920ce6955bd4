#include "twipy.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

int twipyNaPiksele(int twipy, const QWidget *widget)
{
    double dpi = 96.0;
    if (widget)
        dpi = widget->logicalDpiX();
    else if (const QScreen *ekran = QGuiApplication::primaryScreen())
        dpi = ekran->logicalDotsPerInchX();
    return static_cast<int>(std::lround(twipy * dpi / 1440.0));
}
