#include "okna.h"

#include "admin/frmregulatory.h"
#include "alarms/fmalarmyarch.h"
#include "app/clsoapp.h"
#include "app/clswizual.h"
#include "app/operacje.h"
#include "db/clsregulatory.h"
#include "db/zapispomiarow.h"
#include "fmglowny.h"
#include "model/clregulator.h"
#include "platform/komunikaty.h"
#include "platform/ustawienia.h"
#include "platform/zegar.h"
#include "views/fmpanel.h"
#include "views/fmstruktura.h"
#include "views/frmdane.h"

#include <QMdiArea>
#include <QMdiSubWindow>

OknaOperatora::OknaOperatora(fmGlowny &glowny, Zaleznosci z) : QObject(&glowny), m_g(glowny), m_z(std::move(z))
{
    const clsWizual &w = m_z.wizual;
    // The hub tells only while a window is open; one closed meanwhile is
    // simply not there any more.
    connect(&w, &clsWizual::panelDoOdswiezenia, this, [this] {
        if (m_panel)
            m_panel->OdswiezPanel();
    });
    connect(&w, &clsWizual::trybPanelu, this, [this](bool sterowanie) {
        if (m_panel)
            m_panel->UstawTrybSterowania(sterowanie);
    });
    connect(&w, &clsWizual::blokadaPanelu, this, [this](int, bool zablokowany) {
        if (m_panel)
            m_panel->UstawBlokade(zablokowany);
    });
    connect(&w, &clsWizual::daneDoOdswiezenia, this, [this] {
        if (m_dane)
            m_dane->Odswiez();
    });

    // A switch setting sent (or failed) frees the selectors of a panel
    // that still shows its controller.
    connect(&w, &clsWizual::przelacznikiUstawione, this, [this](int nr) {
        if (m_panel && m_panel->pokazuje(nr))
            m_panel->wyczyscZmienionePrzelaczniki();
    });
}

OknaOperatora::~OknaOperatora() = default;

fmpanel *OknaOperatora::panel() const
{
    return m_panel;
}

frmDane *OknaOperatora::dane() const
{
    return m_dane;
}

fmAlarmyArch *OknaOperatora::archiwum() const
{
    return m_archiwum;
}

frmRegulatory *OknaOperatora::edytor() const
{
    return m_edytor;
}

fmStruktura *OknaOperatora::struktura() const
{
    return m_struktura;
}

template <class W> W *OknaOperatora::nowe(QPointer<W> &gdzie, W *okno)
{
    gdzie = okno;
    okno->installEventFilter(this);
    return okno;
}

bool OknaOperatora::eventFilter(QObject *obiekt, QEvent *event)
{
    // None of these windows refuses to close.
    if (event->type() == QEvent::Close) {
        auto zapomnij = [obiekt](auto &okno) {
            if (okno == obiekt)
                okno = nullptr;
        };
        zapomnij(m_panel);
        zapomnij(m_dane);
        zapomnij(m_archiwum);
        zapomnij(m_edytor);
        zapomnij(m_struktura);
    }
    return QObject::eventFilter(obiekt, event);
}

QMdiSubWindow *OknaOperatora::pokaz(QWidget *okno)
{
    QMdiSubWindow *ramka = m_g.pokazOkno(okno);
    if (ramka->isMinimized())
        ramka->showNormal();
    m_g.mdi()->setActiveSubWindow(ramka);
    return ramka;
}

void OknaOperatora::zamknij(QWidget *okno)
{
    if (!okno)
        return;
    if (auto *ramka = qobject_cast<QMdiSubWindow *>(okno->parentWidget()))
        ramka->close();
    else
        okno->close();
}

void OknaOperatora::pokazPanel(bool pokazac)
{
    if (!pokazac) {
        zamknij(m_panel);
        return;
    }
    if (!m_panel) {
        nowe(m_panel, new fmpanel(m_z.regulatory, m_z.app, m_z.kolejka));
        connect(m_panel, &fmpanel::zaladowany, &m_g,
                [this](bool otwarty) { m_g.zaznaczPrzycisk(QStringLiteral("Panel"), otwarty); });
    }
    pokaz(m_panel);
}

void OknaOperatora::pokazDane(bool pokazac)
{
    if (!pokazac) {
        zamknij(m_dane);
        return;
    }
    if (!m_dane) {
        nowe(m_dane, new frmDane(m_z.regulatory, m_z.app, m_z.kolejka));
        connect(m_dane, &frmDane::zaladowany, &m_g,
                [this](bool otwarty) { m_g.zaznaczPrzycisk(QStringLiteral("Dane"), otwarty); });
    }
    pokaz(m_dane);
}

void OknaOperatora::pokazStrukture()
{
    // Built when it opens; one already open is brought to the front as it is.
    if (!m_struktura) {
        nowe(m_struktura, new fmStruktura(m_z.zrodlo, m_z.komunikaty));
        m_struktura->LadujObiekty();
    }
    pokaz(m_struktura);
}

fmAlarmyArch *OknaOperatora::pokazArchiwum()
{
    if (!m_archiwum)
        nowe(m_archiwum, new fmAlarmyArch(m_z.zaklad, m_z.app, m_z.zrodlo, m_z.zegar, m_z.komunikaty));
    pokaz(m_archiwum);
    return m_archiwum;
}

void OknaOperatora::alarmyZDoby()
{
    // The command names the current controller's day, whatever an archive
    // already open showed before.
    fmAlarmyArch *a = pokazArchiwum();
    a->wybierz(m_z.app.NrAktRegulatora, m_z.zegar.teraz().data());
    a->WczytajAlarmy();
}

frmRegulatory *OknaOperatora::pokazEdytor()
{
    const ZapisPomiarow &zapis = m_z.zapis;
    if (!m_edytor && !zapis.bazaDostepna()) {
        // The editor reads and writes the database itself: not while it is away.
        m_z.komunikaty.informuj(QStringLiteral("Baza danych jest niedostępna (%1): rejestru regulatorów nie można "
                                               "teraz zmieniać. Stacja pracuje dalej na kopii rejestru i łączy się "
                                               "z bazą sama.")
                                    .arg(zapis.powod()),
                                QStringLiteral("Regulator"), Ikona::Wykrzyknik);
        return nullptr;
    }
    if (!m_edytor) {
        auto *edytor = new frmRegulatory(m_z.komunikaty, tekstPolaczeniaBazy(m_z.ustawienia));
        if (edytor->dane())
            edytor->dane()->ustawStacje(m_z.stacja);
        edytor->bazaNiedostepna = [&zapis] { return zapis.bazaDostepna() ? QString() : zapis.powod(); };
        nowe(m_edytor, edytor);
    }
    pokaz(m_edytor);
    return m_edytor;
}

void OknaOperatora::nowyRegulator()
{
    if (frmRegulatory *e = pokazEdytor())
        e->NowyRekord();
}

void OknaOperatora::edytujRegulator()
{
    const clRegulator *r = m_z.operacje.biezacy();
    if (!r)
        return;
    const int adres = r->adres;
    if (frmRegulatory *e = pokazEdytor())
        e->EdytujRekord(adres);
}
