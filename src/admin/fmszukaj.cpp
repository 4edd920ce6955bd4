#include "fmszukaj.h"

#include "app/linia.h"
#include "baza/bladbazy.h"
#include "comm/clcomm.h"
#include "comm/komunikator.h"
#include "db/clsregulatory.h"
#include "model/colregulatory.h"
#include "platform/komunikaty.h"
#include "platform/ustawienia.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace
{
const QString tytul = QStringLiteral("Szukaj regulatorów");

enum Kolumna { kAdres, kOdpowiada, kBlokada, kStopnie, kKod, liczbaKolumn };

QString hex(int v)
{
    return v < 0 ? QStringLiteral("?") : QStringLiteral("%1").arg(v, 2, 16, QLatin1Char('0')).toUpper();
}

// Stages that are on: a 0 bit of 0x90 (stages 1..8) and bit 7 of 0xA0 (stage 9).
QString stopnie(const WynikSkanu &w)
{
    if (w.stopnie1 < 0 || w.stopnie2 < 0)
        return w.odpowiada ? QStringLiteral("nie odczytano") : QString();
    QStringList zal;
    for (int i = 0; i < 8; ++i)
        if ((w.stopnie1 & (1 << i)) == 0)
            zal << QString::number(i + 1);
    if ((w.stopnie2 & 0x80) == 0)
        zal << QStringLiteral("9");
    return (zal.isEmpty() ? QStringLiteral("wszystkie wyłączone")
                          : QStringLiteral("załączone ") + zal.join(QLatin1Char(','))) +
           QStringLiteral(" (%1 %2)").arg(hex(w.stopnie1), hex(w.stopnie2));
}

QString czasTekst(qint64 ms)
{
    const qint64 s = (ms + 999) / 1000;
    return s >= 60 ? QStringLiteral("%1 min %2 s").arg(s / 60).arg(s % 60) : QStringLiteral("%1 s").arg(s);
}
} // namespace

fmSzukaj::fmSzukaj(Zaleznosci z, QWidget *parent) : QDialog(parent), m_z(std::move(z))
{
    setObjectName(QStringLiteral("fmSzukaj"));
    setWindowTitle(tytul);
    zbuduj();
    wypelnijPorty();
    ustawPrzyciski();
    resize(760, 520);
}

fmSzukaj::~fmSzukaj()
{
    if (m_skaner)
        m_skaner->przerwij();
}

void fmSzukaj::zbuduj()
{
    auto *uklad = new QVBoxLayout(this);
    auto *siatka = new QGridLayout;
    uklad->addLayout(siatka);

    m_port = new QComboBox(this);
    m_port->setObjectName(QStringLiteral("cboPort"));
    m_port->setEditable(true);
    m_port->setAccessibleName(QStringLiteral("Port szeregowy"));
    m_port->setMinimumContentsLength(30);
    auto *etPort = new QLabel(QStringLiteral("&Port:"), this);
    etPort->setBuddy(m_port);
    m_sprawdz = new QPushButton(QStringLiteral("Spr&awdź"), this);
    m_sprawdz->setObjectName(QStringLiteral("cmdSprawdz"));
    m_sprawdz->setAccessibleName(QStringLiteral("Sprawdź port"));
    m_opisPortu = new QLabel(this);
    m_opisPortu->setObjectName(QStringLiteral("lblPort"));
    m_opisPortu->setWordWrap(true);
    m_opisPortu->setAccessibleName(QStringLiteral("Stan portu"));
    siatka->addWidget(etPort, 0, 0);
    siatka->addWidget(m_port, 0, 1, 1, 3);
    siatka->addWidget(m_sprawdz, 0, 4);
    siatka->addWidget(m_opisPortu, 1, 1, 1, 4);

    m_od = new QSpinBox(this);
    m_od->setObjectName(QStringLiteral("txtOd"));
    m_od->setRange(0, 255);
    m_od->setValue(1);
    m_od->setAccessibleName(QStringLiteral("Pierwszy adres"));
    m_do = new QSpinBox(this);
    m_do->setObjectName(QStringLiteral("txtDo"));
    m_do->setRange(0, 255);
    m_do->setValue(32);
    m_do->setAccessibleName(QStringLiteral("Ostatni adres"));
    auto *etOd = new QLabel(QStringLiteral("Adresy &od:"), this);
    etOd->setBuddy(m_od);
    auto *etDo = new QLabel(QStringLiteral("&do:"), this);
    etDo->setBuddy(m_do);
    m_szukaj = new QPushButton(QStringLiteral("&Szukaj"), this);
    m_szukaj->setObjectName(QStringLiteral("cmdSzukaj"));
    m_szukaj->setAccessibleName(QStringLiteral("Szukaj"));
    m_przerwij = new QPushButton(QStringLiteral("P&rzerwij"), this);
    m_przerwij->setObjectName(QStringLiteral("cmdPrzerwij"));
    m_przerwij->setAccessibleName(QStringLiteral("Przerwij"));
    auto *zakres = new QHBoxLayout;
    zakres->addWidget(m_od);
    zakres->addWidget(etDo);
    zakres->addWidget(m_do);
    zakres->addStretch(1);
    zakres->addWidget(m_szukaj);
    zakres->addWidget(m_przerwij);
    siatka->addWidget(etOd, 2, 0);
    siatka->addLayout(zakres, 2, 1, 1, 4);
    siatka->setColumnStretch(1, 1);

    m_postep = new QProgressBar(this);
    m_postep->setObjectName(QStringLiteral("pbPostep"));
    m_postep->setAccessibleName(QStringLiteral("Postęp szukania"));
    m_postep->setValue(0);
    m_stan = new QLabel(QStringLiteral("Szukanie wstrzymuje odpytywanie regulatorów stacji na swój czas."), this);
    m_stan->setObjectName(QStringLiteral("lblStan"));
    m_stan->setAccessibleName(QStringLiteral("Stan szukania"));
    uklad->addWidget(m_postep);
    uklad->addWidget(m_stan);

    m_tabela = new QTableWidget(0, liczbaKolumn, this);
    m_tabela->setObjectName(QStringLiteral("tblWyniki"));
    m_tabela->setAccessibleName(QStringLiteral("Wyniki szukania"));
    m_tabela->setHorizontalHeaderLabels({QStringLiteral("Adres"), QStringLiteral("Odpowiada"),
                                         QStringLiteral("Blokada"), QStringLiteral("Stopnie"),
                                         QStringLiteral("Regulator w bazie")});
    m_tabela->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tabela->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tabela->verticalHeader()->hide();
    m_tabela->horizontalHeader()->setStretchLastSection(true);
    m_tabela->setWordWrap(false);
    auto *etWyniki = new QLabel(QStringLiteral("&Wyniki:"), this);
    etWyniki->setBuddy(m_tabela);
    uklad->addWidget(etWyniki);
    uklad->addWidget(m_tabela, 1);

    m_dodaj = new QPushButton(QStringLiteral("Dodaj do &bazy"), this);
    m_dodaj->setObjectName(QStringLiteral("cmdDodaj"));
    m_dodaj->setAccessibleName(QStringLiteral("Dodaj do bazy"));
    m_zapiszPort = new QPushButton(QStringLiteral("&Zapisz port"), this);
    m_zapiszPort->setObjectName(QStringLiteral("cmdZapiszPort"));
    m_zapiszPort->setAccessibleName(QStringLiteral("Zapisz port"));
    auto *zamknij = new QPushButton(QStringLiteral("Za&mknij"), this);
    zamknij->setObjectName(QStringLiteral("cmdZamknij"));
    zamknij->setAccessibleName(QStringLiteral("Zamknij"));
    auto *przyciski = new QHBoxLayout;
    przyciski->addWidget(m_dodaj);
    przyciski->addWidget(m_zapiszPort);
    przyciski->addStretch(1);
    przyciski->addWidget(zamknij);
    uklad->addLayout(przyciski);

    connect(m_sprawdz, &QPushButton::clicked, this, &fmSzukaj::sprawdz);
    connect(m_szukaj, &QPushButton::clicked, this, [this] { szukaj(); });
    connect(m_przerwij, &QPushButton::clicked, this, [this] {
        if (m_skaner)
            m_skaner->przerwij();
    });
    connect(m_dodaj, &QPushButton::clicked, this, &fmSzukaj::dodajDoBazy);
    connect(m_zapiszPort, &QPushButton::clicked, this, &fmSzukaj::zapiszPort);
    connect(zamknij, &QPushButton::clicked, this, &QDialog::close);
    connect(m_tabela, &QTableWidget::itemSelectionChanged, this, &fmSzukaj::ustawPrzyciski);
    connect(m_port, &QComboBox::currentIndexChanged, m_opisPortu, &QLabel::clear);

    setTabOrder(m_port, m_sprawdz);
    setTabOrder(m_sprawdz, m_od);
    setTabOrder(m_od, m_do);
    setTabOrder(m_do, m_szukaj);
    setTabOrder(m_szukaj, m_przerwij);
    setTabOrder(m_przerwij, m_tabela);
    setTabOrder(m_tabela, m_dodaj);
    setTabOrder(m_dodaj, m_zapiszPort);
    setTabOrder(m_zapiszPort, zamknij);
    m_szukaj->setDefault(true);
    m_port->setFocus();
}

void fmSzukaj::wypelnijPorty()
{
    // The machine's ports with what tells two identical adapters apart,
    // then the devices the settings name.
    QStringList juz;
    for (const QSerialPortInfo &p : QSerialPortInfo::availablePorts()) {
        const QString sciezka = p.systemLocation();
        QStringList opis;
        for (const QString &s : {p.description(), p.manufacturer()})
            if (!s.isEmpty())
                opis << s;
        if (!p.serialNumber().isEmpty())
            opis << QStringLiteral("nr seryjny ") + p.serialNumber();
        const QString tekst =
            opis.isEmpty() ? sciezka : sciezka + QStringLiteral(" — ") + opis.join(QStringLiteral(", "));
        m_port->addItem(tekst, sciezka);
        m_port->setItemData(m_port->count() - 1, tekst, Qt::ToolTipRole);
        juz << sciezka;
    }
    for (int n = 0; n <= 255; ++n) {
        const QString s = m_z.ustawienia.czytaj(QStringLiteral("porty"), QStringLiteral("com%1").arg(n), QString());
        if (s.isEmpty() || juz.contains(s))
            continue;
        const QString tekst = s + QStringLiteral(" — [porty] com%1").arg(n);
        m_port->addItem(tekst, s);
        m_port->setItemData(m_port->count() - 1, tekst, Qt::ToolTipRole);
        juz << s;
    }
    if (!m_z.portStacji.isEmpty())
        ustawPort(m_z.portStacji);
}

QString fmSzukaj::port() const
{
    const int i = m_port->currentIndex();
    if (i >= 0 && m_port->itemText(i) == m_port->currentText())
        return m_port->itemData(i).toString();
    return m_port->currentText().trimmed();
}

void fmSzukaj::ustawPort(const QString &urzadzenie)
{
    const int i = m_port->findData(urzadzenie);
    if (i >= 0) {
        m_port->setCurrentIndex(i);
        return;
    }
    m_port->addItem(urzadzenie, urzadzenie);
    m_port->setCurrentIndex(m_port->count() - 1);
}

void fmSzukaj::ustawZakres(int od, int doAdresu)
{
    m_od->setValue(od);
    m_do->setValue(doAdresu);
}

void fmSzukaj::ustawPrzyciski()
{
    m_szukaj->setEnabled(!m_trwa);
    m_przerwij->setEnabled(m_trwa);
    m_sprawdz->setEnabled(!m_trwa);
    m_port->setEnabled(!m_trwa);
    m_od->setEnabled(!m_trwa);
    m_do->setEnabled(!m_trwa);
    m_zapiszPort->setEnabled(!m_trwa);
    bool nowe = false;
    for (const QTableWidgetItem *it : m_tabela->selectedItems())
        if (it->column() == kKod && it->data(Qt::UserRole).toBool())
            nowe = true;
    m_dodaj->setEnabled(!m_trwa && nowe);
}

void fmSzukaj::sprawdz()
{
    const QString urzadzenie = port();
    if (urzadzenie.isEmpty()) {
        m_opisPortu->setText(QStringLiteral("Proszę wybrać port."));
        return;
    }
    if (!m_z.linia.wstrzymana() && urzadzenie == m_z.portStacji) {
        m_opisPortu->setText(urzadzenie + QStringLiteral(": otwarty, stacja odpytuje na nim regulatory."));
        return;
    }
    // Opened and closed at once: nothing is written to the line.
    std::unique_ptr<PortSzeregowy> p = m_z.fabrykaPortow ? m_z.fabrykaPortow() : utworzPortQt();
    if (p->otworz(urzadzenie)) {
        p->zamknij();
        m_opisPortu->setText(urzadzenie + QStringLiteral(": otwiera się (4800 bodów, 8N1)."));
    } else {
        m_opisPortu->setText(urzadzenie + QStringLiteral(": nie można otworzyć: ") + p->opisBledu());
    }
}

void fmSzukaj::naPostep(int adres, int zrobione, int wszystkie, qint64 pozostaloMs)
{
    m_postep->setRange(0, std::max(1, wszystkie));
    m_postep->setValue(zrobione);
    if (zrobione >= wszystkie)
        return;
    m_stan->setText(QStringLiteral("Adres %1 (%2 z %3), pozostało około %4")
                        .arg(adres)
                        .arg(zrobione + 1)
                        .arg(wszystkie)
                        .arg(czasTekst(pozostaloMs)));
}

QCoro::Task<void> fmSzukaj::szukaj()
{
    if (m_trwa)
        co_return;
    const QString urzadzenie = port();
    const int od = std::min(m_od->value(), m_do->value());
    const int doAdresu = std::max(m_od->value(), m_do->value());
    if (urzadzenie.isEmpty()) {
        m_stan->setText(QStringLiteral("Proszę wybrać port."));
        co_return;
    }
    m_trwa = true;
    ustawPrzyciski();
    m_tabela->setRowCount(0);
    m_stan->setText(QStringLiteral("Wstrzymywanie odpytywania..."));
    QPointer<fmSzukaj> ja(this);
    QString opis;
    if (!co_await m_z.linia.rozpocznijSkan(urzadzenie, &opis)) {
        if (!ja)
            co_return;
        m_trwa = false;
        ustawPrzyciski();
        m_stan->setText(QStringLiteral("Nie można otworzyć portu: ") + opis);
        co_return;
    }
    if (!ja) {
        co_await m_z.linia.zakonczSkan(nullptr);
        co_return;
    }
    m_skaner = std::make_unique<SkanerMagistrali>(m_z.komunikator, m_z.zegar);
    connect(m_skaner.get(), &SkanerMagistrali::postep, this, &fmSzukaj::naPostep);
    SkanerMagistrali *skaner = m_skaner.get();
    QList<WynikSkanu> wyniki;
    try {
        wyniki = co_await skaner->skanuj(od, doAdresu);
    } catch (const PrzerwanieLinii &) {
        co_return; // the station is stopping; it closes the line itself
    }
    const bool przerwany = skaner->przerwany();
    QString bladWznowienia;
    const bool wznowiono = co_await m_z.linia.zakonczSkan(&bladWznowienia);
    if (!ja)
        co_return;
    m_skaner.reset();
    m_trwa = false;
    pokazWyniki(wyniki, od, doAdresu);
    int znalezione = 0;
    for (const WynikSkanu &w : wyniki)
        znalezione += w.odpowiada ? 1 : 0;
    QString tekst = QStringLiteral("%1: odpowiedziało %2 z %3 adresów%4.")
                        .arg(urzadzenie)
                        .arg(znalezione)
                        .arg(wyniki.size())
                        .arg(przerwany ? QStringLiteral(" (przerwano)") : QString());
    if (!wznowiono)
        tekst += QStringLiteral(" Komunikacja stacji pozostaje wstrzymana: ") + bladWznowienia;
    m_stan->setText(tekst);
    ustawPrzyciski();
    if (m_zamknijPoSkanie)
        close();
}

void fmSzukaj::pokazWyniki(const QList<WynikSkanu> &wyniki, int od, int doAdresu)
{
    m_tabela->setRowCount(0);
    QHash<int, QString> kody;
    for (const auto &r : m_z.zaklad)
        if (!kody.contains(r->adres))
            kody.insert(r->adres, r->Kod);
    auto dodaj = [this](int adres, const QString &odpowiada, const QString &blokada, const QString &stopnieTekst,
                        const QString &kod, bool nowy) {
        const int w = m_tabela->rowCount();
        m_tabela->insertRow(w);
        auto *a = new QTableWidgetItem;
        a->setData(Qt::DisplayRole, adres);
        m_tabela->setItem(w, kAdres, a);
        m_tabela->setItem(w, kOdpowiada, new QTableWidgetItem(odpowiada));
        m_tabela->setItem(w, kBlokada, new QTableWidgetItem(blokada));
        m_tabela->setItem(w, kStopnie, new QTableWidgetItem(stopnieTekst));
        auto *k = new QTableWidgetItem(kod);
        k->setData(Qt::UserRole, nowy);
        m_tabela->setItem(w, kKod, k);
    };
    QSet<int> odpowiedzialy;
    for (const WynikSkanu &w : wyniki) {
        if (!w.odpowiada)
            continue;
        odpowiedzialy.insert(w.adres);
        const QString blokada = (w.zablokowany() ? QStringLiteral("zablokowany (") : QStringLiteral("odblokowany (")) +
                                hex(w.blokada) + QLatin1Char(')');
        const bool nowy = !kody.contains(w.adres);
        dodaj(w.adres, QStringLiteral("tak"), blokada, stopnie(w),
              nowy ? QStringLiteral("(nowy)") : kody.value(w.adres), nowy);
    }
    // The registry's controllers that did not answer, so a missing one shows.
    for (const auto &r : m_z.zaklad) {
        if (odpowiedzialy.contains(r->adres))
            continue;
        const bool sprawdzony = r->adres >= od && r->adres <= doAdresu;
        dodaj(r->adres, sprawdzony ? QStringLiteral("nie") : QStringLiteral("poza zakresem"), QString(), QString(),
              r->Kod, false);
    }
    m_tabela->sortItems(kAdres);
    for (int k = kAdres; k < kKod; ++k)
        m_tabela->resizeColumnToContents(k);
}

void fmSzukaj::dodajDoBazy()
{
    QList<int> wiersze;
    for (const QTableWidgetItem *it : m_tabela->selectedItems())
        if (it->column() == kKod && it->data(Qt::UserRole).toBool())
            wiersze << it->row();
    if (wiersze.isEmpty())
        return;
    int dodane = 0;
    try {
        clsRegulatory rs(m_z.polaczenieBazy);
        rs.ustawStacje(m_z.stacja);
        for (int w : wiersze) {
            const int adres = m_tabela->item(w, kAdres)->data(Qt::DisplayRole).toInt();
            const QString kod = QStringLiteral("R%1").arg(adres);
            rs.AddNew();
            rs.ustawPole(QStringLiteral("Adres"), adres);
            rs.ustawPole(QStringLiteral("Kod"), kod);
            rs.ustawPole(QStringLiteral("Typ"), QStringLiteral("regulator"));
            try {
                rs.Update();
            } catch (const BladBazy &) {
                rs.Cancel();
                throw;
            }
            QTableWidgetItem *k = m_tabela->item(w, kKod);
            k->setText(kod);
            k->setData(Qt::UserRole, false);
            ++dodane;
        }
    } catch (const BladBazy &e) {
        m_z.komunikaty.informuj(QStringLiteral("Nie dodano regulatora: ") + e.opis(), tytul, Ikona::Krytyczna);
    }
    ustawPrzyciski();
    if (dodane > 0)
        m_z.komunikaty.informuj(QStringLiteral("Dodano regulatorów: %1.").arg(dodane) + QLatin1Char('\r') +
                                    QStringLiteral("Nowe ustawienia zostaną uwzględnione po ponownym uruchomieniu "
                                                   "programu Tolvek."),
                                tytul, Ikona::Informacja);
}

void fmSzukaj::zapiszPort()
{
    const QString urzadzenie = port();
    if (urzadzenie.isEmpty())
        return;
    Ustawienia &u = m_z.ustawienia;
    // A device the settings already name keeps its number; another one
    // takes the number the station uses now.
    int numer = -1;
    for (int n = 0; n <= 255 && numer < 0; ++n)
        if (u.czytaj(QStringLiteral("porty"), QStringLiteral("com%1").arg(n), QString()) == urzadzenie)
            numer = n;
    if (numer < 0) {
        bool ok = false;
        numer = u.czytaj(QStringLiteral("port"), QStringLiteral("nr_portu"), QStringLiteral("1")).toInt(&ok);
        if (!ok || numer < 0 || numer > 255)
            numer = 1;
        u.zapisz(QStringLiteral("porty"), QStringLiteral("com%1").arg(numer), urzadzenie);
    }
    u.zapisz(QStringLiteral("port"), QStringLiteral("nr_portu"), QString::number(numer));
    m_z.portStacji = urzadzenie;
    m_opisPortu->setText(QStringLiteral("Zapisano: port %1 = %2; stacja otworzy go po wznowieniu komunikacji albo "
                                        "ponownym uruchomieniu.")
                             .arg(numer)
                             .arg(urzadzenie));
}

void fmSzukaj::closeEvent(QCloseEvent *event)
{
    if (m_trwa) {
        // The line is handed back first; the window closes when it has been.
        m_zamknijPoSkanie = true;
        if (m_skaner)
            m_skaner->przerwij();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}
