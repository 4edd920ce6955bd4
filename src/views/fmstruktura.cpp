#include "fmstruktura.h"

#include "baza/bladbazy.h"
#include "platform/komunikaty.h"
#include "reports/odczyt.h"
#include "widgets/obrazysvg.h"
#include "widgets/twipy.h"

#include <QHeaderView>
#include <QLoggingCategory>
#include <QPointer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <vector>

Q_LOGGING_CATEGORY(lcStruktura, "tolvek.struktura")

namespace
{

constexpr int rolaObrazu = Qt::UserRole;
const QString kluczKorzenia = QStringLiteral("Korzen");

struct Wiersz {
    QString kod, nad;
};

bool przodek(const QTreeWidgetItem *kandydat, const QTreeWidgetItem *wezel)
{
    for (const QTreeWidgetItem *w = wezel; w; w = w->parent())
        if (w == kandydat)
            return true;
    return false;
}

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
    QTreeWidgetItem *korzen = dodaj(nullptr, kluczKorzenia, 1);
    korzen->setText(0, QStringLiteral("System Tolvek"));

    Tabela t;
    const QPointer<fmStruktura> okno(this);
    try {
        t = co_await Odczyt(m_zrodlo).tabela(QStringLiteral("Hierarchia"));
    } catch (const BladBazy &e) {
        if (okno)
            m_komunikaty.pokaz(QStringLiteral("Nie można odczytać struktury obiektów: ") + e.opis(),
                               QStringLiteral("Struktura"), Ikona::Krytyczna);
        co_return;
    }
    if (!okno)
        co_return;

    // First pass: every row a node under the root, in table order.
    std::vector<Wiersz> wiersze;
    {
        for (int i = 0; i < t.liczbaWierszy(); ++i) {
            const QString kod = t.wartosc(i, QStringLiteral("kod_obiektu")).toString();
            if (kod.isEmpty() || m_wezly.contains(kod)) {
                qCWarning(lcStruktura).noquote()
                    << "Hierarchia: the object code" << (kod.isEmpty() ? QStringLiteral("(empty)") : kod)
                    << "is empty or repeats; the row is not shown";
                continue;
            }
            const bool regulator = t.wartosc(i, QStringLiteral("typ")).toString() == QLatin1String("R");
            dodaj(korzen, kod, regulator ? 3 : 2);
            wiersze.push_back({kod, t.wartosc(i, QStringLiteral("kod_obiektu_nad")).toString()});
        }
    }

    // Second pass: each node under its parent; a parent no row names is
    // made once, under the root, and found by the rows after.
    for (const Wiersz &w : wiersze) {
        QTreeWidgetItem *wezel = m_wezly.value(w.kod);
        if (w.nad.isEmpty() || w.nad == w.kod)
            continue;
        QTreeWidgetItem *rodzic = m_wezly.value(w.nad);
        if (!rodzic)
            rodzic = dodaj(korzen, w.nad, 2);
        if (rodzic == wezel->parent())
            continue;
        if (przodek(wezel, rodzic)) {
            qCWarning(lcStruktura).noquote()
                << "Hierarchia:" << w.kod << "under" << w.nad << "would close a loop; it stays under the root";
            continue;
        }
        wezel->parent()->removeChild(wezel);
        rodzic->addChild(wezel);
    }

    korzen->setExpanded(true);
    if (korzen->childCount() > 0 && !wiersze.empty())
        m_wezly.value(wiersze.front().kod)->setExpanded(true);
}
