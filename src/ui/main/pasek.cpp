// The toolbar and the status bar of the main window.
#include "db/zapispomiarow.h"
#include "diagnostyka.h"
#include "fmglowny.h"
#include "panelstanu.h"
#include "widgets/obrazysvg.h"

#include <QAction>
#include <QStatusBar>
#include <QToolBar>

namespace
{

struct Przycisk {
    const char *klucz;
    const char *podpowiedz; // the design tooltip; the load sets the final ones
    bool przelacznik;
};

// Five keyed buttons come before the three whose tooltips the load sets by
// position (6, 7, 8): the charts, the alarm window and the settings wizard.
// A separator would count as a position, so the row has none.
constexpr Przycisk przyciski[] = {
    {"Komun", "", true},
    {"Panel", "", true},
    {"Dane", "", true},
    {"Monit", "", true},
    {"RapDob", "Raport dobowy", false},
    {"Wykresy", "Wykres dobowy", false},
    {"Alarm", "", false},
    {"", "", false},
};

} // namespace

void fmGlowny::zbudujPasek()
{
    m_pasek = addToolBar(QStringLiteral("Toolbar"));
    m_pasek->setObjectName(QStringLiteral("Toolbar"));
    m_pasek->setMovable(false);
    m_pasek->setIconSize(QSize(24, 24));
    for (const Przycisk &p : przyciski) {
        const QString klucz = QString::fromLatin1(p.klucz);
        QAction *a = m_pasek->addAction(ObrazySvg::ikonaPrzycisku(klucz), QString());
        a->setObjectName(klucz.isEmpty() ? QStringLiteral("Czarodziej") : QStringLiteral("Toolbar_") + klucz);
        a->setData(klucz);
        a->setCheckable(p.przelacznik);
        a->setToolTip(QString::fromUtf8(p.podpowiedz));
        m_przyciski.insert(klucz.isEmpty() ? QStringLiteral("Czarodziej") : klucz, a);
        connect(a, &QAction::triggered, this, [this, a](bool wcisniety) {
            ToolbarAction(a->data().toString(), a->isCheckable() ? wcisniety : false);
        });
    }
    // Communication is on at start; pausing it and scanning wait for the
    // control mode.
    przycisk(QStringLiteral("Komun"))->setChecked(true);
    przycisk(QStringLiteral("Komun"))->setEnabled(false);
    przycisk(QStringLiteral("Czarodziej"))->setEnabled(false);
}

void fmGlowny::zbudujPasekStanu()
{
    QStatusBar *pasek = statusBar();
    pasek->setObjectName(QStringLiteral("StatusBar"));
    pasek->setSizeGripEnabled(true);
    static constexpr int szerokosci[6] = {0, 120, 40, 60, 110, 80};
    for (int i = 0; i < 6; ++i) {
        const int numer = i + 1;
        auto *p = new PanelStanu(numer, numer >= 2 && numer <= 5, pasek);
        if (szerokosci[i] > 0) {
            p->setMinimumWidth(szerokosci[i]);
            pasek->addPermanentWidget(p);
        } else {
            pasek->addWidget(p, 1);
        }
        m_panele.at(static_cast<std::size_t>(i)) = p;
    }
    panel(1)->ustawTekst(QStringLiteral("Stan"));
    panel(5)->ustawTekst(QStringLiteral("normalny"));

    // What waits in the spool for the database: shown while the database is
    // away, or while something has waited longer than the usual moment (a
    // reading normally leaves the spool at once: no panel that blinks at
    // every reading).
    m_opoznieniePanelu.setSingleShot(true);
    m_opoznieniePanelu.setInterval(3000);
    connect(&m_opoznieniePanelu, &QTimer::timeout, this, [this] { m_panelBazy->setVisible(true); });
    m_panelBazy = new PanelStanu(7, false, pasek);
    m_panelBazy->setObjectName(QStringLiteral("PanelBazy"));
    m_panelBazy->setAccessibleName(QStringLiteral("Zapis do bazy danych"));
    m_panelBazy->setVisible(false);
    pasek->addPermanentWidget(m_panelBazy);
}

void fmGlowny::pokazStanZapisu()
{
    const ZapisPomiarow &z = m_zapis;
    if (z.zalegle() <= 0 && z.bazaDostepna()) {
        m_opoznieniePanelu.stop();
        m_panelBazy->setVisible(false);
        return;
    }
    m_panelBazy->ustawTekst(z.zalegle() > 0 ? QStringLiteral("zaległe: %1").arg(z.zalegle())
                                            : QStringLiteral("baza niedostępna"));
    m_panelBazy->setToolTip(
        z.bazaDostepna()
            ? QStringLiteral("Dane czekające na zapis do bazy danych")
            : QStringLiteral("Baza danych jest niedostępna (%1); dane czekają w buforze stacji.").arg(z.powod()));
    if (!z.bazaDostepna() || m_panelBazy->isVisible())
        m_panelBazy->setVisible(true);
    else if (!m_opoznieniePanelu.isActive())
        m_opoznieniePanelu.start();
}

void fmGlowny::ToolbarAction(const QString &Key, bool Value)
{
    if (Key == QLatin1String("Panel"))
        PokazPanel(Value);
    else if (Key == QLatin1String("Dane"))
        PokazDane(Value);
    else if (Key == QLatin1String("Monit"))
        UstawMonitoring(Value);
    else if (Key == QLatin1String("Alarm"))
        pokazAlarmy();
    else if (Key == QLatin1String("Komun"))
        m_diagnostyka->przelaczKomunikacje(Value);
    else if (Key.isEmpty())
        m_diagnostyka->pokazSzukaj(); // the settings wizard: finding the controllers on the line
    // "RapDob" and "Wykresy" open windows that attach themselves to these buttons.
}

void fmGlowny::zaznaczPrzycisk(const QString &klucz, bool wcisniety)
{
    if (QAction *a = przycisk(klucz))
        a->setChecked(wcisniety);
    if (klucz == QLatin1String("Komun")) {
        if (QWidget *w = m_pasek->widgetForAction(przycisk(klucz)))
            w->setAccessibleName(wcisniety ? QStringLiteral("Komunikacja włączona")
                                           : QStringLiteral("Komunikacja wstrzymana"));
    }
    // The check marks of the controller menu mirror the three buttons.
    static const QHash<QString, QString> lustra = {{QStringLiteral("Panel"), QStringLiteral("mnuRegulPanel")},
                                                   {QStringLiteral("Dane"), QStringLiteral("mnureguldane")},
                                                   {QStringLiteral("Monit"), QStringLiteral("mnuregulmonit")}};
    if (QAction *m = menu(lustra.value(klucz)))
        m->setChecked(wcisniety);
}
