#include "oknowykresu.h"

#include "baza/bladbazy.h"
#include "model/colregulatory.h"
#include "platform/komunikaty.h"
#include "platform/zegar.h"
#include "reports/csv.h"
#include "wykresqt.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QFileDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QResizeEvent>
#include <QTimer>

namespace
{

// Positions given in twips (1/1440 inch), at the screen's real resolution.
int twipy(int t, const QWidget *w)
{
    return qRound(t * w->logicalDpiY() / 1440.0);
}

// The draw button's picture: a small line chart.
QIcon ikonaWykresu()
{
    QPixmap p(24, 24);
    p.fill(Qt::transparent);
    QPainter m(&p);
    m.setRenderHint(QPainter::Antialiasing);
    m.setPen(QPen(Qt::black, 1.5));
    m.drawLine(3, 3, 3, 21);
    m.drawLine(3, 21, 21, 21);
    m.setPen(QPen(QColor(0, 70, 170), 2));
    const QPointF punkty[] = {{4, 17}, {9, 11}, {13, 14}, {20, 5}};
    m.drawPolyline(punkty, 4);
    return QIcon(p);
}

QPushButton *przycisk(const char *nazwa, const QString &tekst, const QString &podpowiedz, QWidget *rodzic)
{
    auto *b = new QPushButton(tekst, rodzic);
    b->setObjectName(QString::fromLatin1(nazwa));
    b->setToolTip(podpowiedz);
    b->setAccessibleName(podpowiedz);
    b->setAutoDefault(false);
    return b;
}

// Tab leaves the picker, as it leaves every other control; the arrow keys
// move between day, month and year.
class WyborDaty final : public QDateEdit
{
public:
    using QDateEdit::QDateEdit;

protected:
    bool focusNextPrevChild(bool next) override { return QWidget::focusNextPrevChild(next); }
};

} // namespace

QDateEdit *nowyWyborDaty(const char *nazwa, const QString &podpowiedz, QWidget *parent)
{
    auto *d = new WyborDaty(parent);
    d->setObjectName(QString::fromLatin1(nazwa));
    d->setCalendarPopup(true);
    d->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    d->setToolTip(podpowiedz);
    d->setAccessibleName(podpowiedz);
    return d;
}

OknoWykresu::OknoWykresu(const Zaleznosci &z, const QString &tytul, QWidget *parent)
    : QWidget(parent), m_z(z), m_odczyt(z.zrodlo), Wykres(new QChartView(new QChart, this)), fmTools(new QFrame(this)),
      cmbRegul(new QComboBox(fmTools)), cmbWyswietl(new QComboBox(fmTools)),
      Label1(new QLabel(QStringLiteral("Siatka:"), fmTools)), cmbSiatka(new QComboBox(fmTools)),
      chkLegenda(new QCheckBox(QStringLiteral("legenda"), fmTools)),
      btnLewo(przycisk("btnLewo", QStringLiteral("<"), {}, fmTools)),
      btnPrawo(przycisk("btnPrawo", QStringLiteral(">"), {}, fmTools)),
      btnWykresl(przycisk("btnWykresl", {}, {}, fmTools)),
      btnPng(przycisk("btnPng", QStringLiteral("PNG…"), QStringLiteral("zapisz wykres jako obraz PNG"), fmTools)),
      btnCsv(przycisk("btnCsv", QStringLiteral("CSV…"), QStringLiteral("zapisz dane wykresu jako plik CSV"), fmTools))
{
    setWindowTitle(tytul);
    setAttribute(Qt::WA_DeleteOnClose);
    Wykres->setObjectName(QStringLiteral("Wykres"));
    Wykres->setAccessibleName(QStringLiteral("wykres"));
    Wykres->setRenderHint(QPainter::Antialiasing);
    Wykres->setFocusPolicy(Qt::NoFocus);
    // The view owns the chart; WykresQt drives it.
    m_wykres = new WykresQt(Wykres->chart(), this);
    fmTools->setObjectName(QStringLiteral("fmTools"));

    cmbRegul->setObjectName(QStringLiteral("cmbRegul"));
    cmbRegul->setToolTip(QStringLiteral("kod regulatora"));
    cmbRegul->setAccessibleName(QStringLiteral("kod regulatora"));
    cmbRegul->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    for (const auto &r : m_z.regulatory)
        cmbRegul->addItem(r->Kod, r->adres);
    // A narrow window never cuts a code short: it cannot get that narrow.
    cmbRegul->setMinimumWidth(cmbRegul->sizeHint().width());
    if (cmbRegul->count() > 0)
        cmbRegul->setCurrentIndex(m_z.nrAktRegulatora - 1); // out of range: nothing selected
    cmbWyswietl->setObjectName(QStringLiteral("cmbWyswietl"));
    cmbWyswietl->setToolTip(QStringLiteral("wyświetlana wielkość"));
    cmbWyswietl->setAccessibleName(QStringLiteral("wyświetlana wielkość"));
    Label1->setObjectName(QStringLiteral("Label1"));
    cmbSiatka->setObjectName(QStringLiteral("cmbSiatka"));
    cmbSiatka->setToolTip(QStringLiteral("wyświetlanie siatki"));
    cmbSiatka->setAccessibleName(QStringLiteral("wyświetlanie siatki"));
    cmbSiatka->addItems({QStringLiteral("XY"), QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("brak")});
    cmbSiatka->setCurrentIndex(-1);
    Label1->setBuddy(cmbSiatka);
    chkLegenda->setObjectName(QStringLiteral("chkLegenda"));
    chkLegenda->setToolTip(QStringLiteral("wyświetlanie legendy"));
    chkLegenda->setAccessibleName(QStringLiteral("wyświetlanie legendy"));
    chkLegenda->setChecked(true);
    btnWykresl->setIcon(ikonaWykresu());
    btnWykresl->setIconSize(QSize(20, 20));
    btnPng->setEnabled(false);
    btnCsv->setEnabled(false);

    Wykres->chart()->legend()->setVisible(true);
    connect(chkLegenda, &QCheckBox::stateChanged, this,
            [this](int stan) { Wykres->chart()->legend()->setVisible(stan != Qt::Unchecked); });
    connect(cmbSiatka, &QComboBox::currentTextChanged, this, &OknoWykresu::zastosujSiatke);
    connect(btnWykresl, &QPushButton::clicked, this, &OknoWykresu::btnWykresl_Click);
    connect(btnPng, &QPushButton::clicked, this, [this] { zapiszZPytaniem(true); });
    connect(btnCsv, &QPushButton::clicked, this, [this] { zapiszZPytaniem(false); });
}

QSize OknoWykresu::sizeHint() const
{
    return {std::max(900, fmTools->sizeHint().width()), 540};
}

QSize OknoWykresu::minimumSizeHint() const
{
    return {fmTools->minimumSizeHint().width(), 240};
}

void OknoWykresu::zbudujNarzedzia(const QList<QWidget *> &daty, const QStringList &rodzaje)
{
    cmbWyswietl->addItems(rodzaje);
    cmbWyswietl->setCurrentIndex(0);
    auto *l = new QHBoxLayout(fmTools);
    l->setContentsMargins(4, 2, 4, 2);
    QList<QWidget *> kolejnosc{cmbRegul};
    kolejnosc += daty;
    kolejnosc += {cmbWyswietl, Label1, cmbSiatka, chkLegenda, btnLewo, btnPrawo, btnWykresl, btnPng, btnCsv};
    for (QWidget *w : kolejnosc)
        l->addWidget(w);
    l->addStretch(1);
    // The focus runs left to right, as the controls stand.
    QWidget *poprzedni = nullptr;
    for (QWidget *w : kolejnosc) {
        if (w->focusPolicy() == Qt::NoFocus)
            continue;
        if (poprzedni)
            setTabOrder(poprzedni, w);
        poprzedni = w;
    }
    for (QPushButton *b : {btnLewo, btnPrawo})
        b->setFixedWidth(b->fontMetrics().horizontalAdvance(QStringLiteral("<")) + 24);
    setFocusProxy(cmbRegul);
}

void OknoWykresu::dodajPodpowiedzi(const QString &lewo, const QString &prawo, const QString &wykresl)
{
    const QList<QPair<QPushButton *, QString>> p = {{btnLewo, lewo}, {btnPrawo, prawo}, {btnWykresl, wykresl}};
    for (const auto &[b, t] : p) {
        b->setToolTip(t);
        b->setAccessibleName(t);
    }
}

void OknoWykresu::zastosujSiatke(const QString &wpis)
{
    const bool x = wpis == QLatin1String("XY") || wpis == QLatin1String("X");
    const bool y = wpis == QLatin1String("XY") || wpis == QLatin1String("Y");
    m_wykres->ustawSiatke(x, y);
}

void OknoWykresu::ustawRegulator(int nrRegulatora)
{
    if (nrRegulatora >= 1 && nrRegulatora <= cmbRegul->count())
        cmbRegul->setCurrentIndex(nrRegulatora - 1);
}

QDate OknoWykresu::dzis() const
{
    return m_z.zegar.teraz().data();
}

void OknoWykresu::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    // The chart fills the window less 500 twips at the bottom; the frame's
    // top stands 550 twips above the bottom edge (taller if its controls
    // need it, so that nothing is clipped).
    const int w = width();
    const int h = height();
    const int ramka = std::max(twipy(550, this), fmTools->sizeHint().height());
    Wykres->setGeometry(0, 0, w, std::max(0, h - ramka + twipy(50, this)));
    fmTools->setGeometry(0, h - ramka, w, ramka);
    fmTools->raise();
}

void OknoWykresu::showEvent(QShowEvent *e)
{
    QWidget::showEvent(e);
    if (m_pokazane)
        return;
    m_pokazane = true;
    // The first focus is the controller list, once the frame that shows the
    // window has made it active.
    QTimer::singleShot(0, cmbRegul, [this] { cmbRegul->setFocus(Qt::ActiveWindowFocusReason); });
}

void OknoWykresu::btnWykresl_Click()
{
    rysuj(); // runs on by itself; its frame is freed when it finishes
}

QCoro::Task<void> OknoWykresu::rysuj()
{
    if (m_rysowanie)
        co_return;
    if (cmbRegul->currentIndex() < 0) {
        m_z.komunikaty.informuj(QStringLiteral("Wybierz regulator z listy „kod regulatora”."), windowTitle(),
                                Ikona::Wykrzyknik);
        Q_EMIT narysowano();
        co_return;
    }
    m_rysowanie = true;
    for (QPushButton *b : {btnWykresl, btnLewo, btnPrawo})
        b->setEnabled(false);
    const Zlecenie z = zlecenie(cmbRegul->currentData().toInt(), cmbRegul->currentText());
    QPointer<OknoWykresu> ja(this);
    QVector<Tabela> wyniki;
    QString blad;
    try {
        wyniki = co_await m_odczyt.pobierz(z.sql);
    } catch (const BladBazy &b) {
        blad = b.opis();
    }
    if (!ja)
        co_return; // the window was closed while its rows were read
    if (blad.isNull()) {
        // One repaint for the whole chart, once its rows are all in.
        Wykres->setUpdatesEnabled(false);
        m_dane = z.zbuduj(wyniki);
        m_wykres->pokaz(m_dane);
        Wykres->setUpdatesEnabled(true);
    }
    for (QPushButton *b : {btnWykresl, btnLewo, btnPrawo})
        b->setEnabled(true);
    btnPng->setEnabled(true);
    btnCsv->setEnabled(m_dane.liczbaWierszy() > 0);
    m_rysowanie = false;
    if (!blad.isNull())
        m_z.komunikaty.informuj(blad, windowTitle(), Ikona::Krytyczna);
    if (ja)
        Q_EMIT narysowano();
}

bool OknoWykresu::zapiszPng(const QString &plik) const
{
    return Wykres->grab().save(plik, "PNG");
}

bool OknoWykresu::zapiszCsv(const QString &plik) const
{
    return zapiszTekst(plik, csvWykresu(m_dane));
}

void OknoWykresu::zapiszZPytaniem(bool png)
{
    const QString plik =
        png ? QFileDialog::getSaveFileName(this, QStringLiteral("Zapisz wykres jako obraz"),
                                           QStringLiteral("wykres.png"), QStringLiteral("Obraz PNG (*.png)"))
            : QFileDialog::getSaveFileName(this, QStringLiteral("Zapisz dane wykresu"), QStringLiteral("wykres.csv"),
                                           QStringLiteral("Plik CSV (*.csv)"));
    if (plik.isEmpty())
        return;
    if (!(png ? zapiszPng(plik) : zapiszCsv(plik)))
        m_z.komunikaty.informuj(QStringLiteral("Nie można zapisać pliku „%1”.").arg(plik), windowTitle(),
                                Ikona::Krytyczna);
}
