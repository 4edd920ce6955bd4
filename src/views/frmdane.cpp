#include "frmdane.h"

#include "app/clsoapp.h"
#include "comm/clskolejka.h"
#include "model/colregulatory.h"
#include "widgets/obrazysvg.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace
{

struct Wiersz {
    const char *etykieta;
    int indeksJednostki; // Label1 index of the unit, -1 for none
    const char *jednostka;
    const char *wzor;
};

// Rows top to bottom; the label index is the row's text box index.
constexpr std::array<Wiersz, 8> wiersze = {{
    {"Energia czynna:", 12, "kWh", "##########0.000"},
    {"Energia bierna indukcyjna:", 13, "kVarh", "##########0.000"},
    {"Energia bierna pojemnościowa:", 14, "kVarh", "##########0.000"},
    {"tg fi:", -1, "", "0.000"},
    {"Napięcie międzyfazowe:", 8, "V", "#######0"},
    {"Prąd całkowity:", 9, "A", "###0.00"},
    {"Prąd bierny:", 10, "A", "###0.00"},
    {"Częstotliwość:", 15, "Hz", "###0.00"},
}};

} // namespace

frmDane::frmDane(colRegulatory &regulatory, clsoApp &app, clsKolejka &kolejka, QWidget *parent)
    : QWidget(parent), m_regulatory(regulatory), m_app(app), m_kolejka(kolejka),
      m_cmdOdswiez(new QPushButton(QStringLiteral("&Odśwież"), this))
{
    setObjectName(QStringLiteral("frmDane"));
    setWindowTitle(QStringLiteral("Dane regulatora"));
    setWindowIcon(QIcon(ObrazySvg::imageList1(QStringLiteral("Dane"), 32)));
    setAttribute(Qt::WA_DeleteOnClose);

    auto *siatka = new QGridLayout;
    siatka->setColumnStretch(1, 1);
    const int szerokoscPola = fontMetrics().horizontalAdvance(QStringLiteral("00000000000,000")) + 16;
    for (std::size_t i = 0; i < wiersze.size(); ++i) {
        const Wiersz &w = wiersze.at(i);
        const int r = static_cast<int>(i);
        auto *l = new QLabel(QString::fromUtf8(w.etykieta), this);
        l->setObjectName(QStringLiteral("Label1_%1").arg(r));
        auto *t = new QLineEdit(this);
        t->setObjectName(QStringLiteral("txtDane_%1").arg(r));
        t->setReadOnly(true);
        t->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        t->setMinimumWidth(szerokoscPola);
        // The name without its colon, so that a screen reader says "tg fi".
        t->setAccessibleName(l->text().chopped(1));
        l->setBuddy(t);
        m_txtDane.at(i) = t;
        siatka->addWidget(l, r, 0);
        siatka->addWidget(t, r, 1);
        if (w.indeksJednostki >= 0) {
            auto *j = new QLabel(QString::fromUtf8(w.jednostka), this);
            j->setObjectName(QStringLiteral("Label1_%1").arg(w.indeksJednostki));
            siatka->addWidget(j, r, 2);
        }
    }

    m_cmdOdswiez->setObjectName(QStringLiteral("cmdOdswiez"));
    m_cmdOdswiez->setAccessibleName(QStringLiteral("Odśwież"));
    auto *uklad = new QVBoxLayout(this);
    uklad->addLayout(siatka);
    uklad->addWidget(m_cmdOdswiez, 0, Qt::AlignRight);
    uklad->setSizeConstraint(QLayout::SetMinimumSize);

    connect(m_cmdOdswiez, &QPushButton::clicked, this, &frmDane::odswiezTeraz);
}

frmDane::~frmDane()
{
    if (m_zaladowany)
        m_app.Loaded_Dane = false;
}

clRegulator *frmDane::biezacy() const
{
    return m_regulatory.znajdz(m_app.NrAktRegulatora);
}

void frmDane::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_zaladowany)
        return;
    m_zaladowany = true;
    m_app.Loaded_Dane = true;
    Odswiez();
    Q_EMIT zaladowany(true);
}

void frmDane::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (!m_zaladowany)
        return;
    m_zaladowany = false;
    m_app.Loaded_Dane = false;
    Q_EMIT zaladowany(false);
}

QString frmDane::formatuj(double wartosc, const QString &wzor, const QLocale &jezyk)
{
    const qsizetype kropka = wzor.indexOf(QLatin1Char('.'));
    const int miejsca = kropka < 0 ? 0 : static_cast<int>(wzor.size() - kropka - 1);
    const double skala = std::pow(10.0, miejsca);
    const double w = std::round(wartosc * skala) / skala;
    QLocale l = jezyk;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l.toString(w, 'f', miejsca);
}

void frmDane::Odswiez()
{
    clRegulator *r = biezacy();
    if (!r) {
        setWindowTitle(QStringLiteral("Dane regulatora"));
        for (QLineEdit *t : m_txtDane)
            t->clear();
        m_cmdOdswiez->setEnabled(false);
        return;
    }
    setWindowTitle(QStringLiteral("Dane regulatora '") + r->Kod + QLatin1Char('\''));
    const float bierna = r->PradBiernSr - r->PradBiernPojSr; // in single precision, as the record holds it
    const std::array<double, 8> wartosci = {r->PradCzynny, bierna,      r->PradBiernPojSr, r->TgFi,
                                            r->Napiecie,   r->PradCalk, r->PradBierny,     r->Okres};
    for (int i : {0, 1, 3, 4, 5, 6, 7, 2}) {
        const auto k = static_cast<std::size_t>(i);
        m_txtDane.at(k)->setText(formatuj(wartosci.at(k), QString::fromLatin1(wiersze.at(k).wzor)));
    }
    // A monitored controller is read on every tick anyway.
    m_cmdOdswiez->setEnabled(!r->Monitoring);
}

void frmDane::odswiezTeraz()
{
    if (!biezacy())
        return;
    m_cmdOdswiez->setEnabled(false);
    m_kolejka.Add(m_app.NrAktRegulatora, polecenia::WczytajStanRegul{});
    m_cmdOdswiez->setEnabled(true);
}
