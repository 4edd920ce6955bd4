#include "klawiszmenu.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QWidget>

bool KlawiszMenu::eventFilter(QObject *obiekt, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *klawisz = static_cast<QKeyEvent *>(event);
    if (klawisz->key() != Qt::Key_F10 || (klawisz->modifiers() & ~Qt::KeypadModifier) != Qt::ShiftModifier)
        return false;
    // A menu already open takes its keys itself.
    if (QApplication::activePopupWidget())
        return false;
    // The key passes the window and each parent the widget leaves it to;
    // the menu is asked for once, where the key is first given to a widget.
    QWidget *cel = QApplication::focusWidget();
    if (!cel) {
        auto *okno = qobject_cast<QWidget *>(obiekt);
        cel = okno && okno->isWindow() ? okno : nullptr;
    }
    if (!cel || obiekt != cel || !cel->isEnabled())
        return false;
    // Where the menu key puts it: at the widget's cursor, or its middle.
    const QPoint gdzie = cel->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
    QContextMenuEvent menu(QContextMenuEvent::Keyboard, gdzie, cel->mapToGlobal(gdzie), klawisz->modifiers());
    QCoreApplication::sendEvent(cel, &menu);
    return menu.isAccepted();
}
