#include "diagnostyka.h"

#include "admin/fmszukaj.h"
#include "app/clsoapp.h"
#include "app/linia.h"
#include "app/start.h"
#include "comm/clcomm.h"
#include "fmglowny.h"
#include "platform/komunikaty.h"
#include "platform/ustawienia.h"
#include "views/fmpodglad.h"
#include "views/fmstatystyka.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <algorithm>

OknaDiagnostyczne::OknaDiagnostyczne(fmGlowny &glowny, Zaleznosci z) : QObject(&glowny), m_g(glowny), m_z(std::move(z))
{
}

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
    LiniaStacji &linia = m_z.linia;
    // A scan holds the line: the button keeps its state until it ends.
    if (linia.skanTrwa() || !m_z.app.TrybSterowania) {
        m_g.zaznaczPrzycisk(QStringLiteral("Komun"), !linia.wstrzymana());
        return;
    }
    if (!wlacz) {
        linia.wstrzymaj();
        return;
    }
    // The parts outlive this window keeper, which may go meanwhile.
    [](LiniaStacji &l, Komunikaty &komunikaty) -> QCoro::Task<void> {
        QString opis;
        if (!co_await l.wznow(&opis))
            komunikaty.pokaz(Start::komunikatBleduPortu(opis), QStringLiteral("Tolvek"), Ikona::Krytyczna);
    }(linia, m_z.komunikaty);
}

fmSzukaj *OknaDiagnostyczne::pokazSzukaj()
{
    if (!m_szukaj) {
        fmSzukaj::Zaleznosci z{.komunikator = m_z.komunikator,
                               .zegar = m_z.zegar,
                               .linia = m_z.linia,
                               .ustawienia = m_z.ustawienia,
                               .zaklad = m_z.zaklad,
                               .komunikaty = m_z.komunikaty,
                               .fabrykaPortow = {},
                               .polaczenieBazy = tekstPolaczeniaBazy(m_z.ustawienia),
                               .stacja = m_z.stacja,
                               .portStacji = sciezkaPortu(m_z.ustawienia, m_z.app.nr_portu)};
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
        m_podglad = new fmPodglad(m_z.comm, m_z.regulatory, m_z.komunikaty);
    umiesc(m_g.pokazOkno(m_podglad), QSize(1000, 440));
    m_podglad->setFocus();
    return m_podglad;
}

fmStatystyka *OknaDiagnostyczne::pokazStatystyke(int nrRegulatora)
{
    if (!m_statystyka)
        m_statystyka = new fmStatystyka(m_z.comm.statystyka(), m_z.zegar, m_z.regulatory, m_z.komunikaty);
    umiesc(m_g.pokazOkno(m_statystyka), QSize(1340, 300));
    if (nrRegulatora > 0)
        m_statystyka->wybierz(nrRegulatora);
    m_statystyka->setFocus();
    return m_statystyka;
}
