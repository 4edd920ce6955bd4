#include "fmregulatory.h"

#include "alarms/listaalarmow.h"
#include "app/clsoapp.h"
#include "model/colregulatory.h"
#include "views/clswizual.h"

#include <QCloseEvent>
#include <QMdiSubWindow>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace
{
constexpr int rolaKlucza = Qt::UserRole;
constexpr int rolaId = Qt::UserRole + 1;
} // namespace

fmRegulatory::fmRegulatory(const colRegulatory &regulatory, clsoApp &app, clsWizual &wizual, const ListaAlarmow &alarmy,
                           QWidget *parent)
    : QWidget(parent), m_regulatory(regulatory), m_app(app), m_wizual(wizual), m_tree(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("fmRegulatory"));
    setWindowTitle(QStringLiteral("Regulatory"));
    m_tree->setObjectName(QStringLiteral("Tree"));
    m_tree->setHeaderLabels({QStringLiteral("Kod"), QStringLiteral("Adres")});
    m_tree->setRootIsDecorated(false);
    auto *uklad = new QVBoxLayout(this);
    uklad->setContentsMargins(0, 0, 0, 0);
    uklad->addWidget(m_tree);
    resize(260, 340);

    LadujObiekty();

    connect(&m_wizual, &clsWizual::wezelKolor, this, &fmRegulatory::ustawKolor);
    // Images of the nodes (blocked, stage states) belong to the full tree.
    connect(&alarmy, &ListaAlarmow::kolorWezla, this,
            [this](const QString &kod, bool alarm) { ustawKolor(kod, alarm ? 255 : -1); });
    connect(m_tree, &QTreeWidget::itemClicked, this, &fmRegulatory::wybrano);
}

void fmRegulatory::LadujObiekty()
{
    m_tree->clear();
    for (const auto &r : m_regulatory) {
        auto *w = new QTreeWidgetItem(m_tree, {r->Kod, QString::number(r->adres)});
        w->setData(0, rolaKlucza, r->Kod);
        w->setData(0, rolaId, r->Id);
    }
}

QTreeWidgetItem *fmRegulatory::wezel(const QString &klucz) const
{
    if (klucz.isEmpty())
        return nullptr;
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *w = m_tree->topLevelItem(i);
        if (w->data(0, rolaKlucza).toString() == klucz)
            return w;
    }
    return nullptr;
}

void fmRegulatory::ustawKolor(const QString &klucz, int kolor)
{
    QTreeWidgetItem *w = wezel(klucz);
    if (!w)
        return;
    // 24-bit colour with red in the lowest byte; -1 gives the tree's own colour back.
    const QBrush pedzel =
        kolor < 0 ? QBrush() : QBrush(QColor(kolor & 0xFF, (kolor >> 8) & 0xFF, (kolor >> 16) & 0xFF));
    for (int c = 0; c < m_tree->columnCount(); ++c)
        w->setForeground(c, pedzel);
}

void fmRegulatory::wybrano(QTreeWidgetItem *wezel)
{
    if (!wezel)
        return;
    const int id = wezel->data(0, rolaId).toInt();
    if (!m_regulatory.znajdz(id))
        return;
    m_app.NrAktRegulatora = id;
    m_wizual.eZmianaRegulatora(id);
}

void fmRegulatory::closeEvent(QCloseEvent *event)
{
    // The hub and the alarm board address the tree for the whole run.
    event->ignore();
    if (auto *ramka = qobject_cast<QMdiSubWindow *>(parentWidget()))
        ramka->hide();
    else
        hide();
}
