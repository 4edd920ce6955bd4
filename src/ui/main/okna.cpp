#include "okna.h"

#include "admin/frmregulatory.h"
#include "alarms/fmalarmyarch.h"
#include "app/kontekst.h"
#include "db/clsregulatory.h"
#include "fmglowny.h"
#include "views/fmpanel.h"
#include "views/fmstruktura.h"
#include "views/frmdane.h"

#include <QMdiArea>
#include <QMdiSubWindow>

OknaOperatora::OknaOperatora(fmGlowny &glowny, Kontekst &k) : QObject(&glowny), m_g(glowny), m_k(k)
{
    clsWizual &w = k.oWizual;
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

    // The switch setting sends selectors 4..7 of the panel only when the
    // panel shows the controller the setting was queued for.
    k.przelaczniki.bajtPrzelacznikow = [this](int nr) -> std::optional<int> {
        if (m_panel && m_panel->pokazuje(nr))
            return m_panel->bajtPrzelacznikow();
        return std::nullopt;
    };
    k.przelaczniki.wyczyscZmienionePrzelaczniki = [this](int nr) {
        if (m_panel && m_panel->pokazuje(nr))
            m_panel->wyczyscZmienionePrzelaczniki();
    };
}

OknaOperatora::~OknaOperatora()
{
    m_k.przelaczniki = {};
}

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
        nowe(m_panel, new fmpanel(m_k.oRegulatory, m_k.oApp, m_k.oKolejka));
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
        nowe(m_dane, new frmDane(m_k.oRegulatory, m_k.oApp, m_k.oKolejka, m_k.zegar()));
        connect(m_dane, &frmDane::zaladowany, &m_g,
                [this](bool otwarty) { m_g.zaznaczPrzycisk(QStringLiteral("Dane"), otwarty); });
    }
    pokaz(m_dane);
}

void OknaOperatora::pokazStrukture()
{
    // Built when it opens; one already open is brought to the front as it is.
    if (!m_struktura) {
        nowe(m_struktura, new fmStruktura(m_k.zrodloBazy, m_k.komunikaty()));
        m_struktura->LadujObiekty();
    }
    pokaz(m_struktura);
}

fmAlarmyArch *OknaOperatora::pokazArchiwum()
{
    if (!m_archiwum)
        nowe(m_archiwum,
             new fmAlarmyArch(m_k.oRegulatoryZakladu, m_k.oApp, m_k.zrodloBazy, m_k.zegar(), m_k.komunikaty()));
    pokaz(m_archiwum);
    return m_archiwum;
}

void OknaOperatora::alarmyZDoby()
{
    // The command names the current controller's day, whatever an archive
    // already open showed before.
    fmAlarmyArch *a = pokazArchiwum();
    a->wybierz(m_k.oApp.NrAktRegulatora, m_k.teraz().data());
    a->WczytajAlarmy();
}

frmRegulatory *OknaOperatora::pokazEdytor()
{
    const ZapisPomiarow &zapis = m_k.zapisPomiarow;
    if (!m_edytor && !zapis.bazaDostepna()) {
        // The editor reads and writes the database itself: not while it is away.
        m_k.komunikaty().informuj(QStringLiteral("Baza danych jest niedostępna (%1): rejestru regulatorów nie można "
                                                 "teraz zmieniać. Stacja pracuje dalej na kopii rejestru i łączy się "
                                                 "z bazą sama.")
                                      .arg(zapis.powod()),
                                  QStringLiteral("Regulator"), Ikona::Wykrzyknik);
        return nullptr;
    }
    if (!m_edytor) {
        auto *edytor = new frmRegulatory(m_k.komunikaty(), tekstPolaczeniaBazy(m_k.ustawienia()));
        if (edytor->dane())
            edytor->dane()->ustawStacje(m_k.stacja);
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
    const clRegulator *r = m_k.operacje.biezacy();
    if (!r)
        return;
    const int adres = r->adres;
    if (frmRegulatory *e = pokazEdytor())
        e->EdytujRekord(adres);
}
