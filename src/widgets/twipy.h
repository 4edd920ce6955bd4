#pragma once

class QWidget;

// Window geometry of the station's design is kept in twips (1/1440 inch).
// Converted with the real resolution of the screen the widget is on (the
// primary screen while it has none), so windows keep their proportions on
// 96 and 120 dpi screens alike.
int twipyNaPiksele(int twipy, const QWidget *widget = nullptr);
