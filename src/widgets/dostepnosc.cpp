#include "dostepnosc.h"

#include "ctlbaza.h"

#include <QAccessibleWidget>

namespace
{

class DostepnaKontrolka final : public QAccessibleWidget
{
public:
    explicit DostepnaKontrolka(ctlBaza *w)
        : QAccessibleWidget(w, w->rolaPrzelacznika() ? QAccessible::CheckBox : QAccessible::Indicator)
    {
    }

    ctlBaza *kontrolka() const { return static_cast<ctlBaza *>(widget()); }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = kontrolka()->zaznaczony();
        return s;
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return kontrolka()->opisStanu();
        return QAccessibleWidget::text(t);
    }

    // A switch or selector can be toggled, as the operator's double-click does.
    QStringList actionNames() const override
    {
        QStringList n = QAccessibleWidget::actionNames();
        if (kontrolka()->rolaPrzelacznika())
            n << toggleAction();
        return n;
    }
    void doAction(const QString &nazwa) override
    {
        if (nazwa == toggleAction() && kontrolka()->rolaPrzelacznika())
            kontrolka()->przelacz();
        else
            QAccessibleWidget::doAction(nazwa);
    }
};

QAccessibleInterface *fabryka(const QString &klasa, QObject *obiekt)
{
    if (klasa == QLatin1String("ctlDioda") || klasa == QLatin1String("ctlDioda3d") ||
        klasa == QLatin1String("ctlSwitch") || klasa == QLatin1String("ctlPrzel"))
        if (auto *w = qobject_cast<ctlBaza *>(obiekt))
            return new DostepnaKontrolka(w);
    return nullptr;
}

} // namespace

void zarejestrujDostepnosc()
{
    static const bool zarejestrowano = [] {
        QAccessible::installFactory(fabryka);
        return true;
    }();
    (void)zarejestrowano;
}
