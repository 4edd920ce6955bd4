#include "frmsplash.h"

#include "widgets/obrazysvg.h"

#include <QDialogButtonBox>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#ifndef TOLVEK_WERSJA
#define TOLVEK_WERSJA "0.0.0"
#endif

frmSplash::frmSplash(Rodzaj rodzaj, QWidget *parent) : QDialog(parent), m_postep(new QLabel(this))
{
    setObjectName(QStringLiteral("frmSplash"));
    const bool start = rodzaj == Rodzaj::Start;
    if (start)
        setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    setWindowTitle(start ? QStringLiteral("Tolvek") : QStringLiteral("O programie"));

    auto *uklad = new QVBoxLayout(this);
    uklad->setContentsMargins(24, 20, 24, 16);

    auto *znak = new QLabel(this);
    znak->setPixmap(ObrazySvg::ikonaAplikacji().pixmap(48, 48));
    znak->setAlignment(Qt::AlignCenter);
    uklad->addWidget(znak);

    auto *tytul = new QLabel(QStringLiteral("Tolvek"), this);
    tytul->setObjectName(QStringLiteral("lblProductName"));
    QFont duza = tytul->font();
    duza.setPointSize(duza.pointSize() * 2 + 4);
    duza.setBold(true);
    tytul->setFont(duza);
    tytul->setAlignment(Qt::AlignCenter);
    uklad->addWidget(tytul);

    auto *opis = new QLabel(QStringLiteral("Stacja operatorska regulatorów mocy biernej"), this);
    opis->setAlignment(Qt::AlignCenter);
    uklad->addWidget(opis);

    auto *wersjaEt = new QLabel(QStringLiteral("Wersja ") + wersja(), this);
    wersjaEt->setObjectName(QStringLiteral("lblVersion"));
    wersjaEt->setAlignment(Qt::AlignCenter);
    uklad->addWidget(wersjaEt);

    m_postep->setObjectName(QStringLiteral("lblProgress"));
    m_postep->setAlignment(Qt::AlignCenter);
    m_postep->setMinimumWidth(360);
    m_postep->setVisible(start);
    uklad->addSpacing(8);
    uklad->addWidget(m_postep);

    if (!start) {
        auto *przyciski = new QDialogButtonBox(QDialogButtonBox::Ok, this);
        connect(przyciski, &QDialogButtonBox::accepted, this, &QDialog::accept);
        uklad->addWidget(przyciski);
    } else {
        setStyleSheet(QStringLiteral("frmSplash { border: 2px solid #303848; }"));
        m_postep->setWordWrap(true);
        m_zakoncz = new QPushButton(QStringLiteral("&Zakończ"), this);
        m_zakoncz->setObjectName(QStringLiteral("btnZakoncz"));
        m_zakoncz->setAccessibleName(QStringLiteral("Zakończ uruchamianie"));
        m_zakoncz->setVisible(false);
        connect(m_zakoncz, &QPushButton::clicked, this, &frmSplash::przerwano);
        uklad->addWidget(m_zakoncz, 0, Qt::AlignCenter);
    }
}

void frmSplash::czekajNaBaze(const QString &tekst)
{
    ustawPostep(tekst);
    m_zakoncz->setVisible(true);
    m_zakoncz->setFocus();
    adjustSize();
}

void frmSplash::ustawPostep(const QString &tekst)
{
    if (m_zakoncz)
        m_zakoncz->setVisible(false);
    m_postep->setText(tekst);
    m_postep->repaint();
    repaint();
}

QString frmSplash::wersja()
{
    return QStringLiteral(TOLVEK_WERSJA);
}
