#pragma once

#include <QObject>

// Shift+F10 opens the context menu of the widget that has the focus, as the
// menu key does: under X11 Qt turns only the menu key into a context-menu
// event, and Shift+F10 is the key most people use. Installed on the
// application, so every window of the station has it; a widget that opens
// no menu for the menu key opens none for Shift+F10 either.
class KlawiszMenu final : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *obiekt, QEvent *event) override;
};
