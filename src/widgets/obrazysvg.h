#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// The station's pictures, drawn for it as SVG and built into the program
// (resources/obrazy.qrc), rendered sharp at any size and screen scale.
namespace ObrazySvg
{

// A picture by its file name without ".svg", at a size in device-independent
// pixels; a null pixmap when there is no such picture.
QPixmap obraz(const QString &nazwa, int rozmiar, qreal skalaEkranu = 1.0);
// The same as an icon with the usual sizes, for menus, toolbars and titles.
QIcon ikona(const QString &nazwa);

// ImageList1 by key: "20" idle, "21" active, "blysk" alarm flash, "blysk1"
// alarm window, and the toolbar pictures by button key ("Dane", ...).
QPixmap imageList1(const QString &klucz, int rozmiar = 16);
// ImageList2 by index: 1 the control mode.
QPixmap imageList2(int indeks, int rozmiar = 16);
// The trees' images 1..6: root, controller, group, blocked controller,
// stage switched on, stage off.
QPixmap obrazDrzewa(int indeks, int rozmiar = 16);
QIcon ikonaDrzewa(int indeks);
// Toolbar buttons by key; "" is the button without a key (settings wizard).
QIcon ikonaPrzycisku(const QString &klucz);
QIcon ikonaAplikacji();

} // namespace ObrazySvg
