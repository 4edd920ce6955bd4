#include "fmpanel.h"

#include "app/clsoapp.h"
#include "comm/clskolejka.h"
#include "model/colregulatory.h"
#include "ramkaprzelacznikow.h"
#include "widgets/ctldioda3d.h"
#include "widgets/ctlprzel.h"
#include "widgets/obrazysvg.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{

bool bit(std::uint8_t bajt, int n)
{
    return (bajt >> n & 1) != 0;
}

// Where each bit of StanPrzel1 shows: bit 0 on selector 11 ... bit 3 on 8,
// bit 4 on selector 3 ... bit 7 on 0.
constexpr std::array<int, 8> przelacznikBitu1 = {11, 10, 9, 8, 3, 2, 1, 0};

QLabel *etykieta(const QString &tekst, const char *nazwa, QWidget *rodzic)
{
    auto *l = new QLabel(tekst, rodzic);
    l->setObjectName(QString::fromLatin1(nazwa));
    l->setAlignment(Qt::AlignCenter);
    return l;
}

} // namespace

fmpanel::fmpanel(colRegulatory &regulatory, clsoApp &app, clsKolejka &kolejka, QWidget *parent)
    : QWidget(parent), m_regulatory(regulatory), m_app(app), m_kolejka(kolejka)
{
    setObjectName(QStringLiteral("fmpanel"));
    setWindowTitle(QStringLiteral("Panel regulatora"));
    setWindowIcon(ObrazySvg::ikonaPrzycisku(QStringLiteral("Panel")));
    setAttribute(Qt::WA_DeleteOnClose);
    zbuduj();
}

fmpanel::~fmpanel()
{
    // Destroyed without a close (with its main window): no longer open all the same.
    if (m_zaladowany)
        m_app.Loaded_Panel = false;
}

void fmpanel::zbuduj()
{
    // Stage lamps in a row, stage 1 at the left, each with its number beneath.
    static const char *const etykietyStopni[9] = {"Label3", "Label4", "Label5",  "Label6", "Label7",
                                                  "Label8", "Label9", "Label10", "Label11"};
    auto *lampy = new QGridLayout;
    lampy->setHorizontalSpacing(6);
    for (int i = 0; i < 9; ++i) {
        auto *d = new ctlDioda3d(this);
        d->setObjectName(QStringLiteral("ctlDioda1_%1").arg(i));
        d->setAccessibleName(QStringLiteral("Stopień %1").arg(i + 1));
        d->setKolorLampy(QColor(40, 220, 60));
        d->setFocusPolicy(Qt::NoFocus);
        m_diody.at(static_cast<std::size_t>(i)) = d;
        lampy->addWidget(d, 0, i, Qt::AlignHCenter);
        lampy->addWidget(etykieta(QString::number(i + 1), etykietyStopni[i], this), 1, i);
    }

    m_display = new QLineEdit(QStringLiteral("999.99"), this);
    m_display->setObjectName(QStringLiteral("txtDisplay"));
    m_display->setAccessibleName(QStringLiteral("Wyświetlacz"));
    m_display->setReadOnly(true);
    m_display->setFocusPolicy(Qt::NoFocus);
    m_display->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont f(QStringLiteral("Verdana"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(font().pointSizeF() * 2);
    f.setBold(true);
    m_display->setFont(f);
    QPalette p = m_display->palette();
    p.setColor(QPalette::Base, QColor(20, 20, 20));
    p.setColor(QPalette::Text, QColor(255, 60, 40));
    m_display->setPalette(p);
    m_display->setFixedWidth(QFontMetrics(f).horizontalAdvance(QStringLiteral("8.888  ")) + 16);

    // The switching lamps: off in red, on in green.
    m_diodaWyl = new ctlDioda3d(this);
    m_diodaWyl->setObjectName(QStringLiteral("ctlDiodaWyl"));
    m_diodaWyl->setAccessibleName(QStringLiteral("wył."));
    m_diodaWyl->setKolorLampy(QColor(235, 40, 30));
    m_diodaWyl->setFocusPolicy(Qt::NoFocus);
    m_diodaZal = new ctlDioda3d(this);
    m_diodaZal->setObjectName(QStringLiteral("ctlDiodaZal"));
    m_diodaZal->setAccessibleName(QStringLiteral("zał."));
    m_diodaZal->setKolorLampy(QColor(40, 220, 60));
    m_diodaZal->setFocusPolicy(Qt::NoFocus);
    auto *przelaczanie = new QGridLayout;
    przelaczanie->setHorizontalSpacing(12);
    przelaczanie->addWidget(m_diodaWyl, 0, 0, Qt::AlignHCenter);
    przelaczanie->addWidget(m_diodaZal, 0, 1, Qt::AlignHCenter);
    przelaczanie->addWidget(etykieta(QStringLiteral("wył."), "Label2", this), 1, 0);
    przelaczanie->addWidget(etykieta(QStringLiteral("zał."), "Label1", this), 1, 1);

    auto przycisk = [this](const QString &podpis, const char *nazwa) {
        auto *b = new QPushButton(podpis, this);
        b->setObjectName(QString::fromLatin1(nazwa));
        b->setAccessibleName(podpis);
        return b;
    };
    m_cmdBlokuj = przycisk(QStringLiteral("Zablokuj"), "cmdBlokuj");
    m_cmdUstaw = przycisk(QStringLiteral("Ustaw"), "cmdUstaw");
    m_cmdZalacz = przycisk(QStringLiteral("Załącz"), "cmdZalacz");
    // Shown only in control mode; its place is kept, so the face does not shift.
    QSizePolicy ukryty = m_cmdUstaw->sizePolicy();
    ukryty.setRetainSizeWhenHidden(true);
    m_cmdUstaw->setSizePolicy(ukryty);
    // Wide enough for the longer of its two captions.
    m_cmdBlokuj->setMinimumWidth(m_cmdBlokuj->fontMetrics().horizontalAdvance(QStringLiteral("Odblokuj")) + 24);
    auto *przyciski = new QVBoxLayout;
    przyciski->addWidget(m_cmdBlokuj);
    przyciski->addWidget(m_cmdUstaw);
    przyciski->addWidget(m_cmdZalacz);

    auto *srodek = new QHBoxLayout;
    srodek->addWidget(m_display, 0, Qt::AlignVCenter);
    srodek->addSpacing(12);
    srodek->addLayout(przelaczanie);
    srodek->addStretch(1);
    srodek->addLayout(przyciski);

    // The selectors in three frames; selectors 4..7 under "R + - T".
    static const char *const nazwyLiter[4] = {"R", "+", "-", "T"};
    for (int i = 0; i < 12; ++i) {
        auto *s = new ctlPrzel(this);
        s->setObjectName(QStringLiteral("ctlPrzel1_%1").arg(i));
        if (i >= 4 && i <= 7)
            s->setAccessibleName(QStringLiteral("Przełącznik ") + QString::fromLatin1(nazwyLiter[i - 4]));
        else
            s->setAccessibleName(QStringLiteral("Przełącznik %1").arg(i + 1));
        // Only 4..7 can be set and sent; the others show the controller's setting.
        s->setEnabled(false);
        m_przel.at(static_cast<std::size_t>(i)) = s;
    }
    auto ramka = [this](const QString &podpis, const char *nazwa, bool podLiterami, int od) {
        auto *r = new RamkaPrzelacznikow(podpis, podLiterami, this);
        r->setObjectName(QString::fromLatin1(nazwa));
        const auto i = static_cast<std::size_t>(od);
        r->ustaw({m_przel.at(i), m_przel.at(i + 1), m_przel.at(i + 2), m_przel.at(i + 3)});
        return r;
    };
    auto *ramki = new QHBoxLayout;
    ramki->setSpacing(12);
    const std::array<RamkaPrzelacznikow *, 3> trzy = {ramka(QStringLiteral("nast. Q/N"), "Frame1", false, 0),
                                                      ramka(RamkaPrzelacznikow::podpisLiter(), "Frame2", true, 4),
                                                      ramka(QStringLiteral("czas//TAN."), "Frame4", false, 8)};
    // One width for the three, so that the selectors line up across them.
    int szerokosc = 0;
    for (RamkaPrzelacznikow *r : trzy)
        szerokosc = std::max(szerokosc, r->sizeHint().width());
    for (RamkaPrzelacznikow *r : trzy) {
        r->setMinimumWidth(szerokosc);
        ramki->addWidget(r);
    }
    ramki->addStretch(1);

    auto *uklad = new QVBoxLayout(this);
    uklad->addLayout(lampy);
    uklad->addSpacing(6);
    uklad->addLayout(srodek);
    uklad->addSpacing(6);
    uklad->addLayout(ramki);
    uklad->setSizeConstraint(QLayout::SetMinimumSize);

    setTabOrder(m_cmdBlokuj, m_cmdUstaw);
    setTabOrder(m_cmdUstaw, m_cmdZalacz);
    setTabOrder(m_cmdZalacz, m_przel[4]);
    for (std::size_t i = 4; i < 7; ++i)
        setTabOrder(m_przel.at(i), m_przel.at(i + 1));

    connect(m_cmdBlokuj, &QPushButton::clicked, this, &fmpanel::blokuj);
    connect(m_cmdUstaw, &QPushButton::clicked, this, &fmpanel::ustaw);
    // "Załącz" and the selectors' own events do nothing here.
}

clRegulator *fmpanel::biezacy() const
{
    return m_regulatory.znajdz(m_app.NrAktRegulatora);
}

void fmpanel::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_zaladowany)
        return;
    m_zaladowany = true;
    m_app.Loaded_Panel = true;
    UstawTrybSterowania(m_app.TrybSterowania);
    OdswiezPanel();
    m_cmdBlokuj->setFocus();
    Q_EMIT zaladowany(true);
}

void fmpanel::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (!m_zaladowany)
        return;
    m_zaladowany = false;
    m_app.Loaded_Panel = false;
    Q_EMIT zaladowany(false);
}

QString fmpanel::tekstWyswietlacza(std::uint8_t d1, std::uint8_t d2, std::uint8_t d3, std::uint8_t d4)
{
    auto cyfra = [](std::uint8_t b) -> QString {
        const int c = b >> 4;
        return c >= 10 ? QStringLiteral(" ") : QString::number(c);
    };
    return cyfra(d1) + QLatin1Char('.') + cyfra(d2) + cyfra(d3) + cyfra(d4) + QLatin1Char(' ');
}

void fmpanel::OdswiezPanel()
{
    clRegulator *r = biezacy();
    if (!r) {
        // No current controller: an empty face that offers nothing.
        setWindowTitle(QStringLiteral("Panel regulatora"));
        wyczyscZmienionePrzelaczniki();
        m_pokazany = 0;
        m_cmdBlokuj->setEnabled(false);
        UstawBlokade(false);
        return;
    }
    // A change of selectors 4..7 was meant for the controller it was made on.
    if (r->Id != m_pokazany) {
        wyczyscZmienionePrzelaczniki();
        m_pokazany = r->Id;
    }
    const clsStan &s = r->stan();

    setWindowTitle(QStringLiteral("Regulator '") + r->Kod + QLatin1Char('\''));
    // A 0 bit is a stage switched on: its lamp is lit.
    for (int k = 0; k < 8; ++k)
        ctlDioda1(k)->setZapalona(!bit(s.StanDiod1, k));
    ctlDioda1(8)->setZapalona(!bit(s.StanDiod2, 7));
    m_diodaWyl->setZapalona(!bit(s.StanDiod3, 6));
    m_diodaZal->setZapalona(!bit(s.StanDiod3, 7));

    for (int b = 0; b < 8; ++b)
        ctlPrzel1(przelacznikBitu1.at(static_cast<std::size_t>(b)))->setValue(bit(s.StanPrzel1, b));
    for (int b = 0; b < 4; ++b) {
        ctlPrzel *p = ctlPrzel1(4 + b);
        if (!p->Zmieniony())
            p->setValue(bit(s.StanPrzel2, b));
    }

    const std::array<std::uint8_t, 4> bajty = {s.StanDisplay1, s.StanDisplay2, s.StanDisplay3, s.StanDisplay4};
    const QString tekst = tekstWyswietlacza(bajty[0], bajty[1], bajty[2], bajty[3]);
    m_cyfry = {tekst.mid(0, 1), tekst.mid(2, 1), tekst.mid(3, 1), tekst.mid(4, 1)};
    m_display->setText(tekst);

    m_cmdBlokuj->setEnabled(m_app.TrybSterowania);
    UstawBlokade(r->Zablokowany);
}

void fmpanel::UstawTrybSterowania(bool sterowanie)
{
    m_cmdUstaw->setVisible(sterowanie);
    // Blocking is a control action, as in the controller menu.
    m_cmdBlokuj->setEnabled(sterowanie && biezacy());
}

void fmpanel::UstawBlokade(bool zablokowany)
{
    m_cmdBlokuj->setText(zablokowany ? QStringLiteral("Odblokuj") : QStringLiteral("Zablokuj"));
    m_cmdBlokuj->setAccessibleName(m_cmdBlokuj->text());
    m_cmdUstaw->setEnabled(zablokowany);
    m_cmdZalacz->setEnabled(zablokowany);
    for (int i = 4; i <= 7; ++i)
        ctlPrzel1(i)->setEnabled(zablokowany);
}

int fmpanel::bajtPrzelacznikow() const
{
    int bajt = 0;
    for (int i = 4; i <= 7; ++i)
        if (ctlPrzel1(i)->Value())
            bajt |= 1 << (i - 4);
    return bajt;
}

void fmpanel::wyczyscZmienionePrzelaczniki()
{
    for (int i = 4; i <= 7; ++i)
        ctlPrzel1(i)->setZmieniony(false);
}

void fmpanel::blokuj()
{
    const clRegulator *r = biezacy();
    if (!r)
        return;
    m_kolejka.Add(m_app.NrAktRegulatora, polecenia::Blokuj{!r->Zablokowany});
}

void fmpanel::ustaw()
{
    if (!biezacy())
        return;
    // The setting as the operator sees it now goes with the command; the
    // selectors keep it shown until it has been sent.
    m_kolejka.Add(m_app.NrAktRegulatora, polecenia::UstawPrzel{bajtPrzelacznikow()});
}
