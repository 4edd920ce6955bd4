#include "fmregulatory.h"

#include "app/clsoapp.h"
#include "app/clswizual.h"
#include "model/colregulatory.h"
#include "model/listaalarmow.h"
#include "platform/tekst.h"
#include "widgets/obrazysvg.h"
#include "widgets/twipy.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace
{
constexpr int rolaKlucza = Qt::UserRole;
constexpr int rolaTagu = Qt::UserRole + 1;
constexpr int rolaObrazu = Qt::UserRole + 2;
constexpr int rolaId = Qt::UserRole + 3;

const QString tagRegulatora = QStringLiteral("R");
const QString tagGrupy = QStringLiteral("RR");
const QString tagStopnia = QStringLiteral("B");
} // namespace

fmRegulatory::fmRegulatory(const colRegulatory &regulatory, clsoApp &app, clsWizual &wizual, const ListaAlarmow &alarmy,
                           MenuDrzewa menu, QWidget *parent)
    : QWidget(parent), m_regulatory(regulatory), m_app(app), m_wizual(wizual), m_menu(menu),
      m_tree(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("fmRegulatory"));
    setWindowTitle(QStringLiteral("Regulatory"));
    setWindowIcon(ObrazySvg::ikonaDrzewa(3));
    m_tree->setObjectName(QStringLiteral("Tree"));
    m_tree->setAccessibleName(QStringLiteral("Regulatory"));
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->setIconSize(QSize(16, 16));
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tree->header()->setStretchLastSection(false);
    m_tree->viewport()->installEventFilter(this);
    auto *uklad = new QVBoxLayout(this);
    uklad->setContentsMargins(0, 0, 0, 0);
    uklad->addWidget(m_tree);

    LadujObiekty();
    // The tree opens on the controller that is current at start.
    if (QTreeWidgetItem *w = wezel(m_wizual.kluczWezla(m_app.NrAktRegulatora))) {
        const QSignalBlocker cicho(m_tree);
        m_tree->setCurrentItem(w);
    }

    connect(&m_wizual, &clsWizual::wezelObraz, this, &fmRegulatory::ustawObraz);
    connect(&m_wizual, &clsWizual::wezelKolor, this, &fmRegulatory::ustawKolor);
    // A controller with an active alarm shows red until its last one ends.
    connect(&alarmy, &ListaAlarmow::kolorWezla, this,
            [this](int nr, bool alarm) { ustawKolor(m_wizual.kluczWezla(nr), alarm ? 255 : -1); });
    // Moving through the tree with the keys selects as a click does; a
    // mouse press moves the current node too, and its click follows.
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *w) {
        if (!m_myszWcisnieta)
            kliknieto(w, nullptr);
    });
}

QSize fmRegulatory::sizeHint() const
{
    return {twipyNaPiksele(3600, this), twipyNaPiksele(5000, this)};
}

QString fmRegulatory::tag(const QTreeWidgetItem *wezel)
{
    return wezel ? wezel->data(0, rolaTagu).toString() : QString();
}

int fmRegulatory::obraz(const QTreeWidgetItem *wezel)
{
    return wezel ? wezel->data(0, rolaObrazu).toInt() : 0;
}

QTreeWidgetItem *fmRegulatory::dodaj(QTreeWidgetItem *rodzic, const QString &klucz, const QString &podpis, int obraz,
                                     const QString &tag)
{
    auto *w = rodzic ? new QTreeWidgetItem(rodzic, {podpis}) : new QTreeWidgetItem(m_tree, {podpis});
    w->setData(0, rolaKlucza, klucz);
    w->setData(0, rolaTagu, tag);
    w->setData(0, rolaObrazu, obraz);
    w->setIcon(0, ObrazySvg::ikonaDrzewa(obraz));
    m_wezly.insert(klucz, w);
    return w;
}

void fmRegulatory::LadujObiekty()
{
    m_tree->clear();
    m_wezly.clear();
    QTreeWidgetItem *korzen = dodaj(nullptr, QStringLiteral("Korzen"), QStringLiteral("System Tolvek"), 1, QString());
    QTreeWidgetItem *grupa = dodaj(korzen, QStringLiteral("Reg"), QStringLiteral("Regulatory"), 3, tagGrupy);
    for (const auto &r : m_regulatory) {
        const QString klucz = m_wizual.kluczWezla(r->Id);
        // A controller without a code is still listed, by its address.
        const QString podpis =
            r->Kod.isEmpty() ? QStringLiteral("(bez kodu) adres ") + QString::number(r->adres) : r->Kod;
        QTreeWidgetItem *w = dodaj(grupa, klucz, podpis, 2, tagRegulatora);
        w->setData(0, rolaId, r->Id);
        for (int i = 1; i <= 9; ++i) {
            QTreeWidgetItem *s =
                dodaj(w, clsWizual::kluczStopnia(klucz, i), QStringLiteral("stopień ") + Str(i), 6, tagStopnia);
            s->setData(0, rolaId, r->Id);
        }
    }
    korzen->setExpanded(true);
    grupa->setExpanded(true);
}

void fmRegulatory::ustawObraz(const QString &klucz, int obraz)
{
    QTreeWidgetItem *w = wezel(klucz);
    if (!w || fmRegulatory::obraz(w) == obraz)
        return;
    w->setData(0, rolaObrazu, obraz);
    w->setIcon(0, ObrazySvg::ikonaDrzewa(obraz));
}

void fmRegulatory::ustawKolor(const QString &klucz, int kolor)
{
    QTreeWidgetItem *w = wezel(klucz);
    if (!w)
        return;
    // 24-bit colour with red in the lowest byte; -1 gives the tree's own colour back.
    w->setForeground(0, kolor < 0 ? QBrush() : QBrush(QColor(kolor & 0xFF, (kolor >> 8) & 0xFF, (kolor >> 16) & 0xFF)));
}

void fmRegulatory::kliknieto(QTreeWidgetItem *wezel, const QPoint *menuW)
{
    if (!wezel)
        return;
    const QString t = tag(wezel);
    QMenu *menu = nullptr;
    if (t == tagRegulatora || t == tagStopnia) {
        const int id = wezel->data(0, rolaId).toInt();
        if (!m_regulatory.znajdz(id))
            return;
        // A stage is its own controller's: clicking one of another
        // controller makes that controller current too, so that the stage
        // commands never act on a controller the operator did not choose.
        if (t == tagRegulatora || m_app.NrAktRegulatora != id) {
            m_app.wybierzRegulator(id);
            m_wizual.eZmianaRegulatora(id);
        }
        if (t == tagStopnia) {
            const QString klucz = wezel->data(0, rolaKlucza).toString();
            const int n = klucz.right(1).toInt();
            m_app.NrAktBaterii = n;
            m_wizual.eZmianaBaterii(id, n);
            menu = m_menu.stopien;
        } else {
            menu = m_menu.regulator;
        }
    } else if (t == tagGrupy) {
        menu = m_menu.baza;
    }
    if (menuW && menu)
        menu->popup(*menuW);
}

bool fmRegulatory::eventFilter(QObject *obiekt, QEvent *event)
{
    // A click, with either button, is a press and a release on one node.
    if (obiekt == m_tree->viewport()) {
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
            const auto *m = static_cast<QMouseEvent *>(event);
            m_prawyPrzycisk = m->button() == Qt::RightButton;
            m_myszWcisnieta = true;
            m_wcisniety = m_tree->itemAt(m->position().toPoint());
        } else if (event->type() == QEvent::MouseButtonRelease) {
            const auto *m = static_cast<QMouseEvent *>(event);
            m_myszWcisnieta = false;
            QTreeWidgetItem *w = m_tree->itemAt(m->position().toPoint());
            if (w && w == m_wcisniety) {
                const QPoint gdzie = m->globalPosition().toPoint();
                kliknieto(w, m_prawyPrzycisk ? &gdzie : nullptr);
            }
            m_wcisniety = nullptr;
        }
    }
    return QWidget::eventFilter(obiekt, event);
}

void fmRegulatory::contextMenuEvent(QContextMenuEvent *event)
{
    // The menu key (or Shift+F10) opens the current node's menu, as a right
    // click does; a right click opens it itself.
    event->accept();
    if (event->reason() == QContextMenuEvent::Mouse)
        return;
    QTreeWidgetItem *w = m_tree->currentItem();
    if (!w)
        return;
    const QPoint gdzie = m_tree->viewport()->mapToGlobal(m_tree->visualItemRect(w).bottomLeft());
    kliknieto(w, &gdzie);
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
