#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// The pictures of the main window, drawn in code so that the station needs
// no image files: ImageList1 (status indicators), ImageList2 (control mode)
// and the toolbar icons.
namespace Obrazy
{

// ImageList1 by key: "20" idle lamp, "21" active lamp, "blysk" alarm
// flash, "blysk1" alarm window icon. An unknown key gives a null pixmap.
QPixmap imageList1(const QString &klucz);
// ImageList2 by index: 1 the control-mode key.
QPixmap imageList2(int indeks);
// A picture named by the event hub ("20", "21", "blysk", "tryb").
QPixmap obrazPanelu(const QString &nazwa);
// The station's own icon, for its windows.
QIcon ikonaAplikacji();
// Toolbar button icons by button key; "" is the settings wizard.
QIcon ikonaPrzycisku(const QString &klucz);

} // namespace Obrazy
