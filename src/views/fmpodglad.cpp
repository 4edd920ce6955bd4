#include "fmpodglad.h"

#include "comm/clcomm.h"
#include "model/colregulatory.h"
#include "platform/komunikaty.h"
#include "reports/csv.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace
{
const QString tytul = QStringLiteral("Podgląd linii");

class ModelPodgladu final : public QAbstractTableModel
{
public:
    ModelPodgladu(const std::vector<WpisLinii> &wpisy, QObject *parent) : QAbstractTableModel(parent), m_w(wpisy) {}
    void przeladuj()
    {
        beginResetModel();
        endResetModel();
    }
    int rowCount(const QModelIndex &p) const override { return p.isValid() ? 0 : static_cast<int>(m_w.size()); }
    int columnCount(const QModelIndex &p) const override { return p.isValid() ? 0 : 7; }
    QVariant headerData(int s, Qt::Orientation o, int rola) const override
    {
        static const char *const naglowki[] = {"Czas", "", "Adres", "Rozkaz", "Bajty", "Wartości", "Uwagi"};
        if (o != Qt::Horizontal || rola != Qt::DisplayRole || s < 0 || s >= 7)
            return {};
        return s == 1 ? QStringLiteral("Kierunek") : QString::fromUtf8(naglowki[s]);
    }
    QVariant data(const QModelIndex &i, int rola) const override
    {
        const WpisLinii &w = m_w[static_cast<std::size_t>(i.row())];
        if (rola == Qt::BackgroundRole) {
            if (w.odrzucony)
                return QColor(255, 210, 150);
            if (w.rodzaj == ZdarzenieLinii::Rodzaj::BrakOdpowiedzi || !w.wyslano)
                return QColor(255, 190, 190);
            if (w.proba > 1)
                return QColor(255, 245, 170);
            return {};
        }
        if (rola != Qt::DisplayRole)
            return {};
        switch (i.column()) {
        case 0:
            return podglad::czas(w);
        case 1:
            return podglad::kierunek(w);
        case 2:
            return w.adres;
        case 3:
            return QString::fromLatin1(w.rozkaz);
        case 4:
            return podglad::bajty(w);
        case 5:
            return podglad::wartosci(w);
        default:
            return podglad::uwagi(w);
        }
    }

private:
    const std::vector<WpisLinii> &m_w;
};
} // namespace

fmPodglad::fmPodglad(clComm &comm, const colRegulatory &regulatory, Komunikaty &komunikaty, QWidget *parent)
    : QWidget(parent), m_comm(comm), m_komunikaty(komunikaty)
{
    setObjectName(QStringLiteral("fmPodglad"));
    setWindowTitle(tytul);
    setAttribute(Qt::WA_DeleteOnClose);
    zbuduj(regulatory);
    m_comm.ustawObserwatora(&m_zapis);
    m_timer = new QTimer(this);
    m_timer->setInterval(250);
    connect(m_timer, &QTimer::timeout, this, &fmPodglad::odswiez);
    m_timer->start();
    resize(900, 420);
}

fmPodglad::~fmPodglad()
{
    if (m_comm.obserwator() == &m_zapis)
        m_comm.ustawObserwatora(nullptr);
}

void fmPodglad::zbuduj(const colRegulatory &regulatory)
{
    auto *uklad = new QVBoxLayout(this);
    auto *gora = new QHBoxLayout;
    uklad->addLayout(gora);
    m_regulator = new QComboBox(this);
    m_regulator->setObjectName(QStringLiteral("cboRegulator"));
    m_regulator->setAccessibleName(QStringLiteral("Regulator"));
    m_regulator->addItem(QStringLiteral("wszystkie"), -1);
    for (const auto &r : regulatory)
        m_regulator->addItem(QStringLiteral("%1 (adres %2)").arg(r->Kod).arg(r->adres), r->adres);
    auto *et = new QLabel(QStringLiteral("&Regulator:"), this);
    et->setBuddy(m_regulator);
    m_wstrzymaj = new QPushButton(QStringLiteral("&Wstrzymaj"), this);
    m_wstrzymaj->setObjectName(QStringLiteral("cmdWstrzymaj"));
    m_wstrzymaj->setCheckable(true);
    m_wstrzymaj->setAccessibleName(QStringLiteral("Wstrzymaj podgląd"));
    auto *wyczysc = new QPushButton(QStringLiteral("Wy&czyść"), this);
    wyczysc->setObjectName(QStringLiteral("cmdWyczysc"));
    wyczysc->setAccessibleName(QStringLiteral("Wyczyść"));
    auto *zapisz = new QPushButton(QStringLiteral("&Zapisz…"), this);
    zapisz->setObjectName(QStringLiteral("cmdZapisz"));
    zapisz->setAccessibleName(QStringLiteral("Zapisz do pliku"));
    m_stan = new QLabel(this);
    m_stan->setObjectName(QStringLiteral("lblStan"));
    m_stan->setAccessibleName(QStringLiteral("Liczba wierszy"));
    gora->addWidget(et);
    gora->addWidget(m_regulator);
    gora->addWidget(m_wstrzymaj);
    gora->addWidget(wyczysc);
    gora->addWidget(zapisz);
    gora->addStretch(1);
    gora->addWidget(m_stan);

    m_model = new ModelPodgladu(m_pokazane, this);
    m_tabela = new QTableView(this);
    m_tabela->setObjectName(QStringLiteral("tblRamki"));
    m_tabela->setAccessibleName(QStringLiteral("Ramki na linii"));
    m_tabela->setModel(m_model);
    m_tabela->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tabela->verticalHeader()->hide();
    m_tabela->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    m_tabela->horizontalHeader()->setStretchLastSection(true);
    m_tabela->setWordWrap(false);
    // Wide enough for what each column holds: the time to the millisecond,
    // the longest command name, a frame or the start of an answer.
    const QFontMetrics fm = m_tabela->fontMetrics();
    const char *const wzory[] = {"00:00:00.000",
                                 "Kierunek",
                                 "Adres",
                                 "CZYTAJ_DIODY",
                                 "02 01 4F 06 0D 68 CF AD FF DE",
                                 "licznik 224972717, pojemn. -2166478, bierny"};
    for (int k = 0; k < 6; ++k)
        m_tabela->setColumnWidth(k, fm.horizontalAdvance(QString::fromLatin1(wzory[k])) + 16);
    uklad->addWidget(m_tabela, 1);

    connect(m_regulator, &QComboBox::currentIndexChanged, this,
            [this] { ustawFiltr(m_regulator->currentData().toInt()); });
    connect(m_wstrzymaj, &QPushButton::toggled, this, [this](bool w) {
        m_wstrzymaj->setText(w ? QStringLiteral("&Wznów") : QStringLiteral("&Wstrzymaj"));
        if (!w)
            odswiez();
    });
    connect(wyczysc, &QPushButton::clicked, this, [this] {
        m_zapis.wyczysc();
        odswiez();
    });
    connect(zapisz, &QPushButton::clicked, this, &fmPodglad::zapiszJako);
    setTabOrder(m_regulator, m_wstrzymaj);
    setTabOrder(m_wstrzymaj, wyczysc);
    setTabOrder(wyczysc, zapisz);
    setTabOrder(zapisz, m_tabela);
    setFocusProxy(m_tabela);
}

void fmPodglad::ustawFiltr(int adres)
{
    m_filtr = adres;
    m_widziane = ~std::uint64_t{0};
    odswiez();
}

void fmPodglad::odswiez()
{
    if (m_wstrzymaj->isChecked() || m_zapis.zmiany() == m_widziane)
        return;
    m_widziane = m_zapis.zmiany();
    QScrollBar *pasek = m_tabela->verticalScrollBar();
    const bool naDole = pasek->value() >= pasek->maximum();
    m_pokazane.clear();
    for (const WpisLinii &w : m_zapis.wpisy())
        if (m_filtr < 0 || w.adres == m_filtr)
            m_pokazane.push_back(w);
    static_cast<ModelPodgladu *>(m_model)->przeladuj();
    m_stan->setText(QStringLiteral("wierszy: %1").arg(m_pokazane.size()));
    if (naDole)
        m_tabela->scrollToBottom();
}

bool fmPodglad::zapisz(const QString &plik)
{
    QString tekst = QStringLiteral("Czas\tKierunek\tAdres\tRozkaz\tBajty\tWartości\tUwagi\n");
    for (const WpisLinii &w : m_pokazane)
        tekst += podglad::wiersz(w) + QLatin1Char('\n');
    return zapiszTekst(plik, tekst);
}

void fmPodglad::zapiszJako()
{
    const QString plik =
        QFileDialog::getSaveFileName(this, QStringLiteral("Zapisz podgląd linii"), QStringLiteral("linia.txt"),
                                     QStringLiteral("Pliki tekstowe (*.txt);;Wszystkie pliki (*)"));
    if (plik.isEmpty())
        return;
    if (!zapisz(plik))
        m_komunikaty.pokaz(QStringLiteral("Nie można zapisać pliku ") + plik, tytul, Ikona::Krytyczna);
}
