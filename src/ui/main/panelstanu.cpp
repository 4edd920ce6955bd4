#include "panelstanu.h"

#include "obrazy.h"

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
    const QPixmap p = nazwa.isEmpty() ? QPixmap() : Obrazy::obrazPanelu(nazwa);
    m_obraz->setPixmap(p);
}
