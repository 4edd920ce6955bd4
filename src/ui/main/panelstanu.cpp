#include "panelstanu.h"

#include "app/clswizual.h"
#include "widgets/obrazysvg.h"

#include <QHBoxLayout>
#include <QLabel>

PanelStanu::PanelStanu(int numer, bool zObrazem, QWidget *parent)
    : QFrame(parent), m_numer(numer), m_obraz(new QLabel(this)), m_tekst(new QLabel(this))
{
    setObjectName(QStringLiteral("Panel%1").arg(numer));
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    auto *uklad = new QHBoxLayout(this);
    uklad->setContentsMargins(3, 0, 3, 0);
    uklad->setSpacing(3);
    m_obraz->setFixedSize(16, 16);
    m_obraz->setVisible(zObrazem);
    uklad->addWidget(m_obraz);
    uklad->addWidget(m_tekst, 1);
}

void PanelStanu::ustawTekst(const QString &tekst)
{
    if (m_tekst->text() != tekst)
        m_tekst->setText(tekst);
}

QString PanelStanu::tekst() const
{
    return m_tekst->text();
}

void PanelStanu::ustawObraz(const QString &nazwa)
{
    if (nazwa == m_nazwaObrazu)
        return;
    m_nazwaObrazu = nazwa;
    m_obraz->setPixmap(obrazPanelu(nazwa, m_obraz->width(), devicePixelRatioF()));
}

QPixmap PanelStanu::obrazPanelu(const QString &nazwa, int rozmiar, qreal skala)
{
    if (nazwa.isEmpty())
        return {};
    // The control mode's key is ImageList2's; the indicators are ImageList1's.
    if (nazwa == clsWizual::obrazTrybu())
        return ObrazySvg::obraz(QStringLiteral("tryb"), rozmiar, skala);
    if (nazwa == clsWizual::obrazBezczynny() || nazwa == clsWizual::obrazAktywny())
        return ObrazySvg::obraz(QStringLiteral("stan") + nazwa, rozmiar, skala);
    return ObrazySvg::obraz(nazwa, rozmiar, skala);
}
