#include "fmalarmyarch.h"

#include "app/clsoapp.h"
#include "baza/bladbazy.h"
#include "model/colregulatory.h"
#include "platform/komunikaty.h"
#include "platform/zegar.h"
#include "reports/odczyt.h"
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
#include <QSaveFile>
#include <QToolButton>
#include <QTreeWidget>

namespace
{

const QString tytul = QStringLiteral("Archiwum alarmów");
const QString wzorDaty = QStringLiteral("dd/MM/yy hh:mm:ss");

QString tekstDaty(const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return {};
    bool ok = false;
    const DataCzas d = DataCzas::zTekstu(v.toString(), &ok);
    return ok ? d.format(wzorDaty) : v.toString();
}

QString poleCsv(const QString &s)
{
    if (!s.contains(QLatin1Char(';')) && !s.contains(QLatin1Char('"')) && !s.contains(QLatin1Char('\n')) &&
        !s.contains(QLatin1Char('\r')))
        return s;
    QString w = s;
    w.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + w + QLatin1Char('"');
}

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
    m_lista->setHeaderLabels({QStringLiteral("Data powstania"), QStringLiteral("Kod regulatora"),
                              QStringLiteral("Tresc alarmu"), QStringLiteral("Data potwierdzenia"),
                              QStringLiteral("Data dezaktywacji"), QStringLiteral("Stacja")});
    // Where the alarm was raised: shown when the listed alarms carry it
    // (written by a station into a database that has the column).
    m_lista->setColumnHidden(kolumnaStacji, true);
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
    m_lista->setColumnWidth(kolumnaStacji, fm.horizontalAdvance(QStringLiteral("Stacja_hala_00")) + 16);
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

QString fmAlarmyArch::zapytanie(const QString &kod, const QDate &dzien)
{
    // Month, day, two-digit year; the dialect reads the year around this
    // one. The list shows the day in time order, which a server keeps only
    // when told (an acknowledged alarm's row moves).
    const QString wzor = QStringLiteral("MM/dd/yy");
    QString k = kod;
    k.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QStringLiteral("Select * from Alarmy where Kod_regul = '") + k + QStringLiteral("' and Data >= #") +
           dzien.toString(wzor) + QStringLiteral("# and Data < #") + dzien.addDays(1).toString(wzor) +
           QStringLiteral("# ORDER BY Data");
}

QCoro::Task<void> fmAlarmyArch::WczytajAlarmy()
{
    m_lista->clear();
    const QPointer<fmAlarmyArch> okno(this);
    for (QWidget *w :
         {static_cast<QWidget *>(m_cmdOdswiez), static_cast<QWidget *>(m_btnLewo), static_cast<QWidget *>(m_btnPrawo)})
        w->setEnabled(false);
    Tabela t;
    QString blad;
    try {
        t = co_await Odczyt(m_zrodlo).pobierz(zapytanie(m_cmbRegul->currentText(), m_dtData->date()));
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
    QList<QTreeWidgetItem *> wiersze;
    const bool maKolumne = t.kolumna(QStringLiteral("Stacja")) >= 0;
    bool zeStacja = false;
    for (int i = 0; i < t.liczbaWierszy(); ++i) {
        const QString stacja = maKolumne ? t.wartosc(i, QStringLiteral("Stacja")).toString() : QString();
        zeStacja |= !stacja.isEmpty();
        auto *w = new QTreeWidgetItem(QStringList{
            tekstDaty(t.wartosc(i, QStringLiteral("Data"))), t.wartosc(i, QStringLiteral("kod_regul")).toString(),
            t.wartosc(i, QStringLiteral("tresc")).toString(), tekstDaty(t.wartosc(i, QStringLiteral("data_potw"))),
            tekstDaty(t.wartosc(i, QStringLiteral("Data_dezakt"))), stacja});
        w->setToolTip(2, w->text(2));
        wiersze << w;
    }
    m_lista->setColumnHidden(kolumnaStacji, !zeStacja);
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
    auto wiersz = [](const QStringList &pola) -> QString {
        QStringList w;
        for (const QString &p : pola)
            w << poleCsv(p);
        return w.join(QLatin1Char(';')) + QStringLiteral("\r\n");
    };
    QList<int> kolumny;
    for (int c = 0; c < m_lista->columnCount(); ++c) {
        if (!m_lista->isColumnHidden(c))
            kolumny << c;
    }
    QStringList naglowek;
    for (int c : std::as_const(kolumny))
        naglowek << m_lista->headerItem()->text(c);
    QString tekst = QChar(0xFEFF) + wiersz(naglowek);
    for (int i = 0; i < m_lista->topLevelItemCount(); ++i) {
        QStringList pola;
        for (int c : std::as_const(kolumny))
            pola << m_lista->topLevelItem(i)->text(c);
        tekst += wiersz(pola);
    }
    // Written whole or not at all: a failed save leaves an older file intact.
    QSaveFile f(plik);
    if (f.open(QIODevice::WriteOnly)) {
        f.write(tekst.toUtf8());
        if (f.commit())
            return true;
    }
    m_komunikaty.informuj(QStringLiteral("Nie można zapisać pliku „") + plik + QStringLiteral("”: ") + f.errorString(),
                          tytul, Ikona::Krytyczna);
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
