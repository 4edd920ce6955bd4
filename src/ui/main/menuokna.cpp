// "&Okno": the window menu of the multiple-document frame. The controller
// tree and the alarm board hide when closed and stay for the whole run, so
// they are always on its list; choosing a window brings it back.
#include "fmglowny.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

void fmGlowny::zbudujMenuOkna()
{
    QMenu *okno = dodajMenu(nullptr, QStringLiteral("mnuOkno"), QStringLiteral("&Okno"));
    connect(dodajPozycje(okno, QStringLiteral("mnuOknoKaskada"), QStringLiteral("&Kaskada")), &QAction::triggered,
            m_mdi, &QMdiArea::cascadeSubWindows);
    connect(dodajPozycje(okno, QStringLiteral("mnuOknoSasiadujaco"), QStringLiteral("&Sąsiadująco")),
            &QAction::triggered, m_mdi, &QMdiArea::tileSubWindows);
    okno->addSeparator();
    // The list is made as the menu opens: windows come and go.
    connect(okno, &QMenu::aboutToShow, this, [this, okno] { wypelnijListeOkien(okno); });
}

void fmGlowny::wypelnijListeOkien(QMenu *menu)
{
    qDeleteAll(m_pozycjeOkien);
    m_pozycjeOkien.clear();
    int n = 0;
    // In the order they were opened: the tree and the alarm board first.
    for (QMdiSubWindow *ramka : m_mdi->subWindowList(QMdiArea::CreationOrder)) {
        ++n;
        QString tytul = ramka->widget() ? ramka->widget()->windowTitle() : ramka->windowTitle();
        tytul.replace(QLatin1Char('&'), QStringLiteral("&&"));
        const QString klawisz = n <= 9 ? QStringLiteral("&%1 ").arg(n) : QStringLiteral("%1 ").arg(n);
        QAction *a = menu->addAction(klawisz + tytul);
        a->setCheckable(true);
        a->setChecked(ramka->isVisible() && m_mdi->activeSubWindow() == ramka);
        connect(a, &QAction::triggered, this, [this, ramka = QPointer<QMdiSubWindow>(ramka)] {
            if (ramka)
                pokazRamke(ramka);
        });
        m_pozycjeOkien.append(a);
    }
}

void fmGlowny::pokazRamke(QMdiSubWindow *ramka)
{
    if (ramka->isMinimized())
        ramka->showNormal();
    else
        ramka->show();
    if (QWidget *okno = ramka->widget()) {
        okno->show();
        m_mdi->setActiveSubWindow(ramka);
        okno->setFocus();
    } else {
        m_mdi->setActiveSubWindow(ramka);
    }
}
