#include "fmstatystyka.h"

#include "comm/statystyka.h"
#include "model/colregulatory.h"
#include "platform/komunikaty.h"
#include "platform/zegar.h"
#include "reports/csv.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace
{
const QString tytul = QStringLiteral("Statystyka komunikacji");
constexpr int rolaSortowania = Qt::UserRole + 1;
constexpr int rolaNumeru = Qt::UserRole + 2;
} // namespace

fmStatystyka::fmStatystyka(StatystykaKomunikacji &statystyka, const Zegar &zegar, const colRegulatory &regulatory,
                           Komunikaty &komunikaty, QWidget *parent)
    : QWidget(parent), m_statystyka(statystyka), m_zegar(zegar), m_regulatory(regulatory), m_komunikaty(komunikaty),
      m_model(new QStandardItemModel(0, liczbaKolumn, this)), m_sortowanie(new QSortFilterProxyModel(this)),
      m_tabela(new QTableView(this))
{
    setObjectName(QStringLiteral("fmStatystyka"));
    setWindowTitle(tytul);
    setAttribute(Qt::WA_DeleteOnClose);
    m_model->setHorizontalHeaderLabels(
        {QStringLiteral("Regulator"), QStringLiteral("Adres"), QStringLiteral("Zapytania"),
         QStringLiteral("Odpowiedzi"), QStringLiteral("Bez\nodpowiedzi"), QStringLiteral("Powtórzenia"),
         QStringLiteral("Odrzucone\nbloki"), QStringLiteral("Nieudane\nodczyty"), QStringLiteral("Ostatnia\nodpowiedź"),
         QStringLiteral("Mediana\n[ms]"), QStringLiteral("Najdłuższa\n[ms]"), QStringLiteral("Udział\nlinii [%]")});
    for (const auto &r : m_regulatory) {
        QList<QStandardItem *> wiersz;
        for (int k = 0; k < liczbaKolumn; ++k) {
            auto *it = new QStandardItem;
            it->setEditable(false);
            it->setData(r->Id, rolaNumeru);
            if (k >= kAdres && k != kOstatnia)
                it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            wiersz << it;
        }
        wiersz[kKod]->setText(r->Kod);
        wiersz[kKod]->setData(r->Kod, rolaSortowania);
        wiersz[kAdres]->setText(QString::number(r->adres));
        wiersz[kAdres]->setData(r->adres, rolaSortowania);
        m_model->appendRow(wiersz);
    }
    m_sortowanie->setSourceModel(m_model);
    m_sortowanie->setSortRole(rolaSortowania);
    m_tabela->setObjectName(QStringLiteral("tblStatystyka"));
    m_tabela->setAccessibleName(QStringLiteral("Statystyka regulatorów"));
    m_tabela->setModel(m_sortowanie);
    m_tabela->setSortingEnabled(true);
    m_tabela->sortByColumn(kAdres, Qt::AscendingOrder);
    m_tabela->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tabela->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tabela->verticalHeader()->hide();
    m_tabela->verticalHeader()->setDefaultSectionSize(m_tabela->fontMetrics().height() + 6);

    auto *zeruj = new QPushButton(QStringLiteral("&Zeruj"), this);
    zeruj->setObjectName(QStringLiteral("cmdZeruj"));
    zeruj->setAccessibleName(QStringLiteral("Zeruj liczniki"));
    auto *csv = new QPushButton(QStringLiteral("&CSV…"), this);
    csv->setObjectName(QStringLiteral("cmdCsv"));
    csv->setAccessibleName(QStringLiteral("Zapisz jako CSV"));
    auto *et = new QLabel(QStringLiteral("&Regulatory (od uruchomienia albo wyzerowania; kliknij nagłówek, by "
                                         "sortować):"),
                          this);
    et->setBuddy(m_tabela);
    auto *uklad = new QVBoxLayout(this);
    uklad->addWidget(et);
    uklad->addWidget(m_tabela, 1);
    auto *dol = new QHBoxLayout;
    dol->addWidget(zeruj);
    dol->addWidget(csv);
    dol->addStretch(1);
    uklad->addLayout(dol);
    setTabOrder(m_tabela, zeruj);
    setTabOrder(zeruj, csv);
    setFocusProxy(m_tabela);

    connect(zeruj, &QPushButton::clicked, this, &fmStatystyka::zeruj);
    connect(csv, &QPushButton::clicked, this, [this] {
        const QString plik = QFileDialog::getSaveFileName(this, QStringLiteral("Zapisz statystykę komunikacji"),
                                                          QStringLiteral("statystyka.csv"),
                                                          QStringLiteral("Pliki CSV (*.csv);;Wszystkie pliki (*)"));
        if (!plik.isEmpty() && !zapiszCsv(plik))
            m_komunikaty.pokaz(QStringLiteral("Nie można zapisać pliku ") + plik, tytul, Ikona::Krytyczna);
    });
    auto *timer = new QTimer(this);
    timer->setInterval(1000);
    connect(timer, &QTimer::timeout, this, &fmStatystyka::odswiez);
    timer->start();
    odswiez();
    m_tabela->resizeColumnsToContents();
    resize(1000, 320);
}

void fmStatystyka::odswiez()
{
    const std::int64_t teraz = m_zegar.msMonotoniczne();
    auto ustaw = [this](int w, int k, const QString &tekst, const QVariant &sort) {
        QStandardItem *it = m_model->item(w, k);
        if (it->text() != tekst)
            it->setText(tekst);
        if (it->data(rolaSortowania) != sort)
            it->setData(sort, rolaSortowania);
    };
    auto liczba = [&ustaw](int w, int k, std::int64_t v) { ustaw(w, k, QString::number(v), QVariant::fromValue(v)); };
    for (int w = 0; w < m_model->rowCount(); ++w) {
        const int nr = m_model->item(w, kKod)->data(rolaNumeru).toInt();
        const StatystykaKomunikacji::Wiersz s = m_statystyka.wiersz(nr, teraz);
        liczba(w, kZapytania, s.zapytania);
        liczba(w, kOdpowiedzi, s.odpowiedzi);
        liczba(w, kBezOdpowiedzi, s.bezOdpowiedzi);
        liczba(w, kPowtorzenia, s.powtorzenia);
        liczba(w, kOdrzucone, s.odrzucone);
        liczba(w, kNieudane, s.nieudaneOdczyty);
        ustaw(w, kOstatnia, s.ostatniaOdpowiedz.nigdy() ? QString() : s.ostatniaOdpowiedz.tekstBazy(),
              QVariant::fromValue(s.ostatniaOdpowiedz.ms()));
        ustaw(w, kMediana, s.medianaMs < 0 ? QString() : QString::number(s.medianaMs),
              QVariant::fromValue(s.medianaMs));
        ustaw(w, kNajdluzsza, s.najdluzszaMs < 0 ? QString() : QString::number(s.najdluzszaMs),
              QVariant::fromValue(s.najdluzszaMs));
        ustaw(w, kUdzial, QLocale(QLocale::Polish).toString(s.udzialLinii * 100, 'f', 1), s.udzialLinii);
    }
}

void fmStatystyka::wybierz(int nrRegulatora)
{
    for (int w = 0; w < m_sortowanie->rowCount(); ++w) {
        const QModelIndex i = m_sortowanie->index(w, kKod);
        if (i.data(rolaNumeru).toInt() == nrRegulatora) {
            m_tabela->setCurrentIndex(i);
            m_tabela->scrollTo(i);
            return;
        }
    }
}

void fmStatystyka::zeruj()
{
    m_statystyka.zeruj(m_zegar.msMonotoniczne());
    odswiez();
}

QString fmStatystyka::wartosc(int nrRegulatora, int kolumna) const
{
    for (int w = 0; w < m_model->rowCount(); ++w)
        if (m_model->item(w, kKod)->data(rolaNumeru).toInt() == nrRegulatora)
            return m_model->item(w, kolumna)->text();
    return {};
}

bool fmStatystyka::zapiszCsv(const QString &plik) const
{
    QStringList naglowek;
    for (int k = 0; k < liczbaKolumn; ++k)
        naglowek << m_model->headerData(k, Qt::Horizontal).toString().replace(QLatin1Char('\n'), QLatin1Char(' '));
    QString tekst = wierszCsv(naglowek);
    for (int w = 0; w < m_sortowanie->rowCount(); ++w) {
        QStringList pola;
        for (int k = 0; k < liczbaKolumn; ++k)
            pola << m_sortowanie->index(w, k).data().toString();
        tekst += wierszCsv(pola);
    }
    return zapiszTekst(plik, tekst);
}
