#include "dialograportu.h"

#include "model/colregulatory.h"
#include "oknowykresu.h"
#include "platform/zegar.h"
#include "raporty.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

DialogRaportu::DialogRaportu(const colRegulatory &regulatory, int nrAktRegulatora, const Zegar &zegar, Raporty &raporty,
                             const QString &tytul, QWidget *parent)
    : QDialog(parent), cmbRegul(new QComboBox(this)), Command1(new QPushButton(QStringLiteral("&Ok"), this)),
      Command2(new QPushButton(QStringLiteral("&Zamknij"), this)), m_raporty(raporty), m_zegar(zegar),
      m_siatka(new QGridLayout(this))
{
    setWindowTitle(tytul);
    setAttribute(Qt::WA_DeleteOnClose);
    cmbRegul->setObjectName(QStringLiteral("cmbRegul"));
    cmbRegul->setAccessibleName(QStringLiteral("Kod regulatora"));
    // The item data is the controller's Id: its 1-based place in the registry.
    int id = 0;
    for (const auto &r : regulatory)
        cmbRegul->addItem(r->Kod, ++id);
    if (cmbRegul->count() > 0)
        cmbRegul->setCurrentIndex(nrAktRegulatora - 1); // out of range: nothing selected
    // Wide enough for a long code and for the caption in the title bar.
    cmbRegul->setMinimumWidth(std::max(cmbRegul->sizeHint().width(), fontMetrics().averageCharWidth() * 28));
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setAccessibleName(QStringLiteral("Ok"));
    Command1->setDefault(true);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setAccessibleName(QStringLiteral("Zamknij"));
    Command2->setAutoDefault(false);

    auto *podpis = new QLabel(QStringLiteral("Kod regulatora:"), this);
    podpis->setBuddy(cmbRegul);
    m_siatka->addWidget(podpis, 0, 0);
    m_siatka->addWidget(cmbRegul, 0, 1);
    connect(Command1, &QPushButton::clicked, this, [this] { ok(); });
    connect(Command2, &QPushButton::clicked, this, &QDialog::close);
}

void DialogRaportu::dodajDaty(const QString &podpis, const QList<QWidget *> &pola)
{
    auto *etykieta = new QLabel(podpis, this);
    etykieta->setBuddy(pola.first());
    m_siatka->addWidget(etykieta, 1, 0);
    auto *wiersz = new QHBoxLayout;
    for (QWidget *p : pola)
        wiersz->addWidget(p);
    wiersz->addStretch(1);
    m_siatka->addLayout(wiersz, 1, 1);
    auto *przyciski = new QHBoxLayout;
    przyciski->addStretch(1);
    przyciski->addWidget(Command1);
    przyciski->addWidget(Command2);
    m_siatka->addLayout(przyciski, 2, 0, 1, 2);
    m_siatka->setSizeConstraint(QLayout::SetFixedSize);

    QWidget *poprzedni = cmbRegul;
    QList<QWidget *> kolejnosc = pola;
    kolejnosc << Command1 << Command2;
    for (QWidget *w : kolejnosc) {
        if (w->focusPolicy() == Qt::NoFocus)
            continue;
        setTabOrder(poprzedni, w);
        poprzedni = w;
    }
    cmbRegul->setFocus();
}

QDate DialogRaportu::dzis() const
{
    return m_zegar.teraz().data();
}

QCoro::Task<void> DialogRaportu::ok()
{
    // One report at a time from a dialog; the next once its preview is closed.
    Command1->setEnabled(false);
    QPointer<DialogRaportu> ja(this);
    co_await raport(cmbRegul->currentIndex() < 0 ? 0 : cmbRegul->currentData().toInt());
    if (!ja)
        co_return;
    Command1->setEnabled(true);
    Q_EMIT zakonczono();
}

fmRapDob::fmRapDob(const colRegulatory &regulatory, int nrAktRegulatora, const Zegar &zegar, Raporty &raporty,
                   QWidget *parent)
    : DialogRaportu(regulatory, nrAktRegulatora, zegar, raporty, QStringLiteral("Raport dobowy"), parent),
      dtData(nowyWyborDaty("dtData", QStringLiteral("Data raportu"), this))
{
    setObjectName(QStringLiteral("fmRapDob"));
    dodajDaty(QStringLiteral("Data raportu:"), {dtData});
    dtData->setDate(dzis());
}

QCoro::Task<void> fmRapDob::raport(int nrRegulatora)
{
    co_await m_raporty.PokazRaportDobowy(dtData->date(), nrRegulatora);
}

fmRapOkres::fmRapOkres(const colRegulatory &regulatory, int nrAktRegulatora, const Zegar &zegar, Raporty &raporty,
                       QWidget *parent)
    : DialogRaportu(regulatory, nrAktRegulatora, zegar, raporty, QStringLiteral("Raport okresowy"), parent),
      dtData(nowyWyborDaty("dtData", QStringLiteral("Początek okresu"), this)),
      dtDataDo(nowyWyborDaty("dtDataDo", QStringLiteral("Koniec okresu"), this))
{
    setObjectName(QStringLiteral("fmRapOkres"));
    auto *kreska = new QLabel(QStringLiteral("-"), this);
    dodajDaty(QStringLiteral("Okres:"), {dtData, kreska, dtDataDo});
    // The month that holds yesterday: opened on the 1st, the whole previous
    // month up to today.
    const QDate d = dzis();
    dtData->setDate(d.addDays(-d.addDays(-1).day()));
    dtDataDo->setDate(d);
}

QCoro::Task<void> fmRapOkres::raport(int nrRegulatora)
{
    co_await m_raporty.PokazRaportOkresowy(dtData->date(), dtDataDo->date(), nrRegulatora);
}
