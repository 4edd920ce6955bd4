#include "ctldwupolozeniowy.h"

#include <QPainter>

ctlDwupolozeniowy::ctlDwupolozeniowy(QWidget *parent) : ctlBaza(parent) {}

void ctlDwupolozeniowy::setPicture1(const QPixmap &p)
{
    m_picture1 = p;
    update();
}

void ctlDwupolozeniowy::setPicture2(const QPixmap &p)
{
    m_picture2 = p;
    update();
}

QString ctlDwupolozeniowy::opisStanu() const
{
    return m_value ? QStringLiteral("pozycja 1") : QStringLiteral("pozycja 0");
}

void ctlDwupolozeniowy::ustawPolozenie(bool v)
{
    const bool zmiana = v != m_value;
    m_value = v;
    update();
    if (zmiana)
        oglosZmianeStanu();
}

void ctlDwupolozeniowy::rysuj(QPainter &g, const QRectF &obszar)
{
    const QPixmap obraz = Picture();
    if (!obraz.isNull())
        rysujObraz(g, obszar, obraz);
    else
        rysujPolozenie(g, obszar, m_value);
}
