#include "fmstruktura.h"

#include "baza/bladbazy.h"
#include "model/struktura.h"
#include "platform/komunikaty.h"
#include "widgets/obrazysvg.h"
#include "widgets/twipy.h"

#include <QHeaderView>
#include <QPointer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <vector>

namespace
{
constexpr int rolaObrazu = Qt::UserRole;
} // namespace

fmStruktura::fmStruktura(const ZrodloBazy &zrodlo, Komunikaty &komunikaty, QWidget *parent)
    : QWidget(parent), m_zrodlo(zrodlo), m_komunikaty(komunikaty), m_tree(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("fmStruktura"));
    setWindowTitle(QStringLiteral("Struktura"));
    setWindowIcon(ObrazySvg::ikonaDrzewa(1));
    setAttribute(Qt::WA_DeleteOnClose);
    m_tree->setObjectName(QStringLiteral("Tree"));
    m_tree->setAccessibleName(QStringLiteral("Struktura"));
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->setIconSize(QSize(16, 16));
    m_tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tree->header()->setStretchLastSection(false);
    auto *uklad = new QVBoxLayout(this);
    uklad->setContentsMargins(0, 0, 0, 0);
    uklad->addWidget(m_tree);
}

QSize fmStruktura::sizeHint() const
{
    return {twipyNaPiksele(4200, this), twipyNaPiksele(5200, this)};
}

int fmStruktura::obraz(const QTreeWidgetItem *wezel)
{
    return wezel ? wezel->data(0, rolaObrazu).toInt() : 0;
}

QTreeWidgetItem *fmStruktura::dodaj(QTreeWidgetItem *rodzic, const QString &klucz, int obraz)
{
    auto *w = rodzic ? new QTreeWidgetItem(rodzic, {klucz}) : new QTreeWidgetItem(m_tree, {klucz});
    w->setData(0, rolaObrazu, obraz);
    w->setIcon(0, ObrazySvg::ikonaDrzewa(obraz));
    m_wezly.insert(klucz, w);
    return w;
}

QCoro::Task<void> fmStruktura::LadujObiekty()
{
    m_tree->clear();
    m_wezly.clear();
    QTreeWidgetItem *korzen = dodaj(nullptr, StrukturaObiektow::kluczKorzenia, 1);
    korzen->setText(0, QStringLiteral("System Tolvek"));

    StrukturaObiektow s;
    const QPointer<fmStruktura> okno(this);
    try {
        s = co_await wczytajStrukture(m_zrodlo);
    } catch (const BladBazy &e) {
        if (okno)
            m_komunikaty.pokaz(QStringLiteral("Nie można odczytać struktury obiektów: ") + e.opis(),
                               QStringLiteral("Struktura"), Ikona::Krytyczna);
        co_return;
    }
    if (!okno)
        co_return;

    std::vector<QTreeWidgetItem *> wezly;
    wezly.reserve(static_cast<std::size_t>(s.obiekty.size()));
    for (const StrukturaObiektow::Obiekt &o : std::as_const(s.obiekty)) {
        QTreeWidgetItem *rodzic = o.rodzic < 0 ? korzen : wezly.at(static_cast<std::size_t>(o.rodzic));
        wezly.push_back(dodaj(rodzic, o.kod, o.regulator ? 3 : 2));
    }
    korzen->setExpanded(true);
    if (s.pierwszy >= 0)
        wezly.at(static_cast<std::size_t>(s.pierwszy))->setExpanded(true);
}
