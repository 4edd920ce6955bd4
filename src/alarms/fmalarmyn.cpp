#include "fmalarmyn.h"

#include "model/listaalarmow.h"
#include "widgets/obrazysvg.h"
#include "widgets/twipy.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMdiSubWindow>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace
{

// Visible columns, then the hidden ones that mirror the alarm's identity.
enum Kolumna { Czas, Regulator, Tresc, NrRegul, KodAlarmu, Komentarz, Stan, Potwierdzenie, IdAlarmu, Liczba };

constexpr int lewo = 0, gora = 5450, szerokosc = 11325, wysokosc = 1755;

QLabel *etykietaLegendy(const QString &tekst, bool aktywny, bool potwierdzony, QWidget *rodzic)
{
    auto *l = new QLabel(tekst, rodzic);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, WygladAlarmu::kolor(aktywny));
    l->setPalette(p);
    QFont f = l->font();
    f.setBold(WygladAlarmu::pogrubiony(potwierdzony));
    l->setFont(f);
    return l;
}

} // namespace

namespace WygladAlarmu
{

// Red while active; black once it ended, drawn ghosted (half-transparent
// black) so that an ended alarm recedes next to the live ones.
QColor kolor(bool aktywny)
{
    return aktywny ? QColor(255, 0, 0) : QColor(0, 0, 0, 110);
}

bool pogrubiony(bool potwierdzony)
{
    return !potwierdzony;
}

} // namespace WygladAlarmu

fmAlarmyN::fmAlarmyN(ListaAlarmow &alarmy, QWidget *parent)
    : QWidget(parent), m_alarmy(alarmy), m_lista(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("fmAlarmyN"));
    setWindowTitle(QStringLiteral("Alarmy"));
    setWindowIcon(QIcon(ObrazySvg::imageList1(QStringLiteral("blysk1"), 32)));

    m_lista->setObjectName(QStringLiteral("lstAlarmy"));
    m_lista->setAccessibleName(QStringLiteral("Alarmy"));
    m_lista->setColumnCount(Liczba);
    m_lista->setHeaderLabels({QStringLiteral("Czas"), QStringLiteral("Regulator"), QStringLiteral("Tresc alarmu")});
    m_lista->setRootIsDecorated(false);
    m_lista->setUniformRowHeights(true);
    m_lista->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lista->setAllColumnsShowFocus(true);
    m_lista->setColumnWidth(Czas, twipyNaPiksele(2200, this));
    m_lista->setColumnWidth(Regulator, twipyNaPiksele(1000, this));
    m_lista->setColumnWidth(Tresc, twipyNaPiksele(5200, this));
    for (int c = NrRegul; c < Liczba; ++c)
        m_lista->setColumnHidden(c, true);
    m_lista->header()->setStretchLastSection(false);

    auto *legenda = new QGroupBox(QStringLiteral("Legenda"), this);
    legenda->setObjectName(QStringLiteral("fraLegenda"));
    auto *ukladLegendy = new QVBoxLayout(legenda);
    ukladLegendy->setSpacing(0);
    ukladLegendy->setContentsMargins(6, 2, 6, 2);
    ukladLegendy->addWidget(etykietaLegendy(QStringLiteral("aktywny, niepotwierdzony"), true, false, legenda));
    ukladLegendy->addWidget(etykietaLegendy(QStringLiteral("aktywny, potwierdzony"), true, true, legenda));
    ukladLegendy->addWidget(etykietaLegendy(QStringLiteral("nieaktywny, niepotwierdzony"), false, false, legenda));
    ukladLegendy->addWidget(etykietaLegendy(QStringLiteral("nieaktywny, potwierdzony"), false, true, legenda));

    auto *uklad = new QHBoxLayout(this);
    uklad->setContentsMargins(0, 0, 0, 0);
    uklad->setSpacing(2);
    uklad->addWidget(m_lista, 1);
    uklad->addWidget(legenda);

    connect(&m_alarmy, &ListaAlarmow::dodano, this, &fmAlarmyN::dodano);
    connect(&m_alarmy, &ListaAlarmow::zmieniono, this, &fmAlarmyN::zmieniono);
    connect(m_lista, &QTreeWidget::itemDoubleClicked, this, &fmAlarmyN::dwuklik);

    // The board may be opened after alarms were raised.
    for (int nr = 1; nr <= m_alarmy.Count(); ++nr)
        dodano(nr);
}

void fmAlarmyN::dodano(int nr)
{
    while (m_lista->topLevelItemCount() < nr) {
        const int i = m_lista->topLevelItemCount() + 1;
        auto *w = new QTreeWidgetItem(m_lista);
        wypelnij(w, m_alarmy.wiersz(i));
    }
}

void fmAlarmyN::zmieniono(int nr)
{
    if (nr < 1 || nr > m_alarmy.Count())
        return;
    if (nr > m_lista->topLevelItemCount())
        dodano(nr);
    wypelnij(m_lista->topLevelItem(nr - 1), m_alarmy.wiersz(nr));
}

void fmAlarmyN::wypelnij(QTreeWidgetItem *wiersz, const WierszAlarmu &a)
{
    const QStringList teksty = {a.czas.format(QStringLiteral("dd/MM/yyyy hh:mm:ss")),
                                a.kodRegulatora,
                                a.tresc,
                                a.nrRegul,
                                a.kodAlarmu,
                                a.komentarz,
                                a.stan,
                                a.potwierdzenie,
                                a.idAlarmu};
    const QBrush pedzel(WygladAlarmu::kolor(a.aktywny()));
    QFont czcionka = m_lista->font();
    czcionka.setBold(WygladAlarmu::pogrubiony(a.potwierdzony()));
    for (int c = 0; c < Liczba; ++c) {
        wiersz->setText(c, teksty.at(c));
        wiersz->setForeground(c, pedzel);
        wiersz->setFont(c, czcionka);
    }
    // A long controller code is shown whole: its column widens to it.
    const int kod = QFontMetrics(czcionka).horizontalAdvance(a.kodRegulatora) + 12;
    if (m_lista->columnWidth(Regulator) < kod)
        m_lista->setColumnWidth(Regulator, kod);
}

void fmAlarmyN::dwuklik(QTreeWidgetItem *wiersz)
{
    if (!wiersz || !wiersz->isSelected())
        return;
    const int i = m_lista->indexOfTopLevelItem(wiersz);
    if (i >= 0)
        m_alarmy.Potwierdz(i + 1);
}

void fmAlarmyN::umiesc()
{
    auto *ramka = qobject_cast<QMdiSubWindow *>(parentWidget());
    QWidget *cel = ramka ? static_cast<QWidget *>(ramka) : this;
    const QSize najmniej(twipyNaPiksele(szerokosc, this), twipyNaPiksele(wysokosc, this));
    cel->setMinimumSize(najmniej);
    cel->setGeometry(twipyNaPiksele(lewo, this), twipyNaPiksele(gora, this), najmniej.width(), najmniej.height());
}

void fmAlarmyN::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_umieszczone) {
        m_umieszczone = true;
        umiesc();
    }
}

void fmAlarmyN::closeEvent(QCloseEvent *event)
{
    // The board stays loaded for the whole run; closing it only hides it.
    event->ignore();
    if (auto *ramka = qobject_cast<QMdiSubWindow *>(parentWidget()))
        ramka->hide();
    else
        hide();
}
