#pragma once

#include "admin/fmszukaj.h"
#include "views/fmpodglad.h"
#include "views/fmstatystyka.h"

#include <QObject>
#include <QPointer>

class Kontekst;
class fmGlowny;

// The commissioning and line diagnostics of the main window: the "Komun"
// pause, the scan dialog (settings-wizard button, "&Narzędzia"), the line
// monitor and the per-controller statistics, each a single instance.
class OknaDiagnostyczne final : public QObject
{
    Q_OBJECT
public:
    OknaDiagnostyczne(fmGlowny &glowny, Kontekst &k);

    // "Komun" pressed (true) or released (false).
    void przelaczKomunikacje(bool wlacz);
    fmSzukaj *pokazSzukaj();
    fmPodglad *pokazPodglad();
    // nrRegulatora > 0: that controller's row becomes current.
    fmStatystyka *pokazStatystyke(int nrRegulatora = 0);

    fmSzukaj *szukaj() const { return m_szukaj; }
    fmPodglad *podglad() const { return m_podglad; }
    fmStatystyka *statystyka() const { return m_statystyka; }

private:
    fmGlowny &m_g;
    Kontekst &m_k;
    QPointer<fmSzukaj> m_szukaj;
    QPointer<fmPodglad> m_podglad;
    QPointer<fmStatystyka> m_statystyka;
};
