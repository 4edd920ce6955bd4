#include "diagnostyka.h"

#include "admin/fmszukaj.h"
#include "app/kontekst.h"
#include "app/start.h"
#include "fmglowny.h"
#include "views/fmpodglad.h"
#include "views/fmstatystyka.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <algorithm>

OknaDiagnostyczne::OknaDiagnostyczne(fmGlowny &glowny, Kontekst &k) : QObject(&glowny), m_g(glowny), m_k(k) {}

namespace
{
// A wide window opens whole inside the frame's area (on 1366x768 too).
void umiesc(QMdiSubWindow *ramka, QSize rozmiar)
{
    const QRect obszar = ramka->mdiArea()->viewport()->rect();
    ramka->resize(rozmiar.boundedTo(obszar.size()));
    QRect g = ramka->geometry();
    if (!obszar.contains(g)) {
        g.moveRight(std::min(g.right(), obszar.right()));
        g.moveBottom(std::min(g.bottom(), obszar.bottom()));
        g.moveLeft(std::max(g.left(), obszar.left()));
        g.moveTop(std::max(g.top(), obszar.top()));
        ramka->move(g.topLeft());
    }
}
} // namespace

void OknaDiagnostyczne::przelaczKomunikacje(bool wlacz)
{
    LiniaStacji &linia = m_k.linia;
    // A scan holds the line: the button keeps its state until it ends.
    if (linia.skanTrwa() || !m_k.oApp.TrybSterowania) {
        m_g.zaznaczPrzycisk(QStringLiteral("Komun"), !linia.wstrzymana());
        return;
    }
    if (!wlacz) {
        linia.wstrzymaj();
        return;
    }
    [](OknaDiagnostyczne *ja) -> QCoro::Task<void> {
        QString opis;
        Kontekst &k = ja->m_k;
        if (!co_await k.linia.wznow(&opis))
            k.komunikaty().pokaz(Start::komunikatBleduPortu(opis), QStringLiteral("Tolvek"), Ikona::Krytyczna);
    }(this);
}

fmSzukaj *OknaDiagnostyczne::pokazSzukaj()
{
    if (!m_szukaj) {
        fmSzukaj::Zaleznosci z{.komunikator = m_k.oKomunikator,
                               .zegar = m_k.zegar(),
                               .linia = m_k.linia,
                               .ustawienia = m_k.ustawienia(),
                               .zaklad = m_k.oRegulatoryZakladu,
                               .komunikaty = m_k.komunikaty(),
                               .fabrykaPortow = {},
                               .polaczenieBazy = tekstPolaczeniaBazy(m_k.ustawienia()),
                               .stacja = m_k.stacja,
                               .portStacji = sciezkaPortu(m_k.ustawienia(), m_k.oApp.nr_portu)};
        m_szukaj = new fmSzukaj(std::move(z), &m_g);
        m_szukaj->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_szukaj->show();
    m_szukaj->raise();
    m_szukaj->activateWindow();
    return m_szukaj;
}

fmPodglad *OknaDiagnostyczne::pokazPodglad()
{
    if (!m_podglad)
        m_podglad = new fmPodglad(m_k.oComm, m_k.oRegulatory, m_k.komunikaty());
    umiesc(m_g.pokazOkno(m_podglad), QSize(1000, 440));
    m_podglad->setFocus();
    return m_podglad;
}

fmStatystyka *OknaDiagnostyczne::pokazStatystyke(int nrRegulatora)
{
    if (!m_statystyka)
        m_statystyka = new fmStatystyka(m_k.oComm.statystyka(), m_k.zegar(), m_k.oRegulatory, m_k.komunikaty());
    umiesc(m_g.pokazOkno(m_statystyka), QSize(1340, 300));
    if (nrRegulatora > 0)
        m_statystyka->wybierz(nrRegulatora);
    m_statystyka->setFocus();
    return m_statystyka;
}
