#include "fmalarmyarch.h"

#include "app/clsoapp.h"
#include "baza/bladbazy.h"
#include "model/colregulatory.h"
#include "platform/komunikaty.h"
#include "platform/zegar.h"
#include "reports/csv.h"
#include "widgets/obrazysvg.h"
#include "widgets/twipy.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>

namespace
{
const QString tytul = QStringLiteral("Archiwum alarmów");
} // namespace

fmAlarmyArch::fmAlarmyArch(colRegulatory &regulatory, clsoApp &app, const ZrodloBazy &zrodlo, const Zegar &zegar,
                           Komunikaty &komunikaty, QWidget *parent)
    : QWidget(parent), m_regulatory(regulatory), m_app(app), m_zrodlo(zrodlo), m_zegar(zegar), m_komunikaty(komunikaty)
{
    setObjectName(QStringLiteral("fmAlarmyArch"));
    setWindowTitle(tytul);
    setWindowIcon(QIcon(ObrazySvg::imageList1(QStringLiteral("blysk1"), 32)));
    zbuduj();

    // Load: the controllers in registry order, each with its address, the
    // current one selected; today's date; the list stays empty until asked.
    for (const auto &r : m_regulatory)
        m_cmbRegul->addItem(r->Kod, r->adres);
    wybierz(m_app.NrAktRegulatora, m_zegar.teraz().data());
}

QSize fmAlarmyArch::sizeHint() const
{
    // The window's width of the design; a height for about fifteen rows.
    return {twipyNaPiksele(10600, this), twipyNaPiksele(6000, this)};
}

void fmAlarmyArch::zbuduj()
{
    m_lista = new QTreeWidget(this);
    m_lista->setObjectName(QStringLiteral("lstAlarmy"));
    m_lista->setAccessibleName(tytul);
    m_lista->setHeaderLabels(ArchiwumAlarmow::naglowek());
    m_lista->setColumnHidden(ArchiwumAlarmow::kolumnaStacji, true);
    m_lista->setRootIsDecorated(false);
    m_lista->setUniformRowHeights(true);
    m_lista->setAllColumnsShowFocus(true);
    // Each column as wide as its header or a date; the alarm text takes
    // what is left of the window and shows itself whole in a tooltip.
    const QFontMetrics fm(m_lista->header()->font());
    const int data = fm.horizontalAdvance(QStringLiteral("00/00/00 00:00:00"));
    for (int c : {0, 1, 3, 4})
        m_lista->setColumnWidth(c, std::max(data, fm.horizontalAdvance(m_lista->headerItem()->text(c))) + 16);
    // A station's name is short (a host name); the alarm text keeps the room.
    m_lista->setColumnWidth(ArchiwumAlarmow::kolumnaStacji,
                            fm.horizontalAdvance(QStringLiteral("Stacja_hala_00")) + 16);
    m_lista->header()->setStretchLastSection(false);
    m_lista->header()->setSectionResizeMode(2, QHeaderView::Stretch);

    m_fmTools = new QFrame(this);
    m_fmTools->setObjectName(QStringLiteral("fmTools"));
    m_cmbRegul = new QComboBox(m_fmTools);
    m_cmbRegul->setObjectName(QStringLiteral("cmbRegul"));
    m_cmbRegul->setAccessibleName(QStringLiteral("Regulator"));
    m_cmbRegul->setToolTip(QStringLiteral("Regulator"));
    m_cmbRegul->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_cmbRegul->setMinimumContentsLength(10);
    m_dtData = new QDateEdit(m_fmTools);
    m_dtData->setObjectName(QStringLiteral("dtData"));
    m_dtData->setAccessibleName(QStringLiteral("Data"));
    m_dtData->setToolTip(QStringLiteral("Data"));
    m_dtData->setCalendarPopup(true);
    m_dtData->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    auto strzalka = [this](Qt::ArrowType kierunek, const char *nazwa, const QString &opis) {
        auto *b = new QToolButton(m_fmTools);
        b->setObjectName(QString::fromLatin1(nazwa));
        b->setArrowType(kierunek);
        b->setToolTip(opis);
        b->setAccessibleName(opis);
        b->setFocusPolicy(Qt::StrongFocus);
        return b;
    };
    m_btnLewo = strzalka(Qt::LeftArrow, "btnLewo", QStringLiteral("Poprzedni dzień"));
    m_btnPrawo = strzalka(Qt::RightArrow, "btnPrawo", QStringLiteral("Następny dzień"));
    m_cmdOdswiez = new QPushButton(QStringLiteral("&Odśwież"), m_fmTools);
    m_cmdOdswiez->setObjectName(QStringLiteral("cmdOdswiez"));
    m_cmdOdswiez->setAccessibleName(QStringLiteral("Odśwież"));
    m_cmdZapisz = new QPushButton(QStringLiteral("&Zapisz jako CSV…"), m_fmTools);
    m_cmdZapisz->setObjectName(QStringLiteral("cmdZapisz"));
    m_cmdZapisz->setAccessibleName(QStringLiteral("Zapisz jako CSV"));

    auto *narzedzia = new QHBoxLayout(m_fmTools);
    narzedzia->setContentsMargins(4, 2, 4, 2);
    narzedzia->addWidget(m_cmbRegul);
    narzedzia->addWidget(m_dtData);
    narzedzia->addWidget(m_btnLewo);
    narzedzia->addWidget(m_btnPrawo);
    narzedzia->addWidget(m_cmdOdswiez);
    narzedzia->addStretch(1);
    narzedzia->addWidget(m_cmdZapisz);

    setTabOrder(m_cmbRegul, m_dtData);
    setTabOrder(m_dtData, m_btnLewo);
    setTabOrder(m_btnLewo, m_btnPrawo);
    setTabOrder(m_btnPrawo, m_cmdOdswiez);
    setTabOrder(m_cmdOdswiez, m_cmdZapisz);
    setTabOrder(m_cmdZapisz, m_lista);

    connect(m_cmdOdswiez, &QPushButton::clicked, this, [this] { WczytajAlarmy(); });
    connect(m_btnLewo, &QToolButton::clicked, this, [this] { przesunDzien(-1); });
    connect(m_btnPrawo, &QToolButton::clicked, this, [this] { przesunDzien(1); });
    connect(m_cmdZapisz, &QPushButton::clicked, this, &fmAlarmyArch::zapiszJako);
}

void fmAlarmyArch::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_pokazane) {
        m_pokazane = true;
        m_cmbRegul->setFocus();
    }
}

void fmAlarmyArch::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // The tool frame at the bottom, 550 twips high (more if its controls
    // need it), the list above it over the whole width.
    const int h = height();
    const int narzedzia = std::max(twipyNaPiksele(550, this), m_fmTools->sizeHint().height());
    m_lista->setGeometry(0, 0, width(), std::max(0, h - narzedzia));
    m_fmTools->setGeometry(0, std::max(0, h - narzedzia), width(), narzedzia);
}

QCoro::Task<void> fmAlarmyArch::WczytajAlarmy()
{
    m_lista->clear();
    m_dane.wiersze.clear();
    const QPointer<fmAlarmyArch> okno(this);
    for (QWidget *w :
         {static_cast<QWidget *>(m_cmdOdswiez), static_cast<QWidget *>(m_btnLewo), static_cast<QWidget *>(m_btnPrawo)})
        w->setEnabled(false);
    ArchiwumAlarmow dane;
    QString blad;
    try {
        dane = co_await wczytajArchiwumAlarmow(m_zrodlo, m_cmbRegul->currentText(), m_dtData->date());
    } catch (const BladBazy &e) {
        blad = e.opis();
    }
    if (!okno)
        co_return;
    for (QWidget *w :
         {static_cast<QWidget *>(m_cmdOdswiez), static_cast<QWidget *>(m_btnLewo), static_cast<QWidget *>(m_btnPrawo)})
        w->setEnabled(true);
    if (!blad.isNull()) {
        m_komunikaty.pokaz(QStringLiteral("Nie można odczytać archiwum alarmów: ") + blad, tytul, Ikona::Krytyczna);
        co_return;
    }
    m_dane = std::move(dane);
    QList<QTreeWidgetItem *> wiersze;
    for (const QStringList &pola : std::as_const(m_dane.wiersze)) {
        auto *w = new QTreeWidgetItem(pola);
        w->setToolTip(2, w->text(2));
        wiersze << w;
    }
    m_lista->setColumnHidden(ArchiwumAlarmow::kolumnaStacji, !m_dane.zeStacja);
    m_lista->addTopLevelItems(wiersze);
    m_lista->viewport()->update();
}

void fmAlarmyArch::wybierz(int NrRegulatora, const QDate &dzien)
{
    if (NrRegulatora >= 1 && NrRegulatora <= m_cmbRegul->count())
        m_cmbRegul->setCurrentIndex(NrRegulatora - 1);
    m_dtData->setDate(dzien);
}

void fmAlarmyArch::przesunDzien(int dni)
{
    m_dtData->setDate(m_dtData->date().addDays(dni));
    WczytajAlarmy();
}

bool fmAlarmyArch::ZapiszCsv(const QString &plik)
{
    QString blad;
    if (zapiszTekst(plik, m_dane.csv(), &blad))
        return true;
    m_komunikaty.informuj(QStringLiteral("Nie można zapisać pliku „") + plik + QStringLiteral("”: ") + blad, tytul,
                          Ikona::Krytyczna);
    return false;
}

void fmAlarmyArch::zapiszJako()
{
    QString kod = m_cmbRegul->currentText();
    kod.replace(QLatin1Char('/'), QLatin1Char('_')).replace(QLatin1Char('\\'), QLatin1Char('_'));
    const QString nazwa = QStringLiteral("alarmy_") + kod + QLatin1Char('_') +
                          m_dtData->date().toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".csv");
    const QString plik =
        QFileDialog::getSaveFileName(this, tytul, nazwa, QStringLiteral("Pliki CSV (*.csv);;Wszystkie pliki (*)"));
    if (!plik.isEmpty())
        ZapiszCsv(plik);
}
