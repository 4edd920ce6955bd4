#pragma once

#include "admin/fmszukaj.h"
#include "views/fmpodglad.h"
#include "views/fmstatystyka.h"

#include <QObject>
#include <QPointer>
#include <QString>

class clComm;
class clsoApp;
class colRegulatory;
class fmGlowny;
class Komunikator;
class Komunikaty;
class LiniaStacji;
class Ustawienia;
class Zegar;

// The commissioning and line diagnostics of the main window: the "Komun"
// pause, the scan dialog (settings-wizard button, "&Narzędzia"), the line
// monitor and the per-controller statistics, each a single instance.
class OknaDiagnostyczne final : public QObject
{
    Q_OBJECT
public:
    // What the pause, the scan, the monitor and the statistics use.
    struct Zaleznosci {
        LiniaStacji &linia;
        clComm &comm;
        Komunikator &komunikator;
        const colRegulatory &regulatory;
        const colRegulatory &zaklad; // every controller of the plant (the scan)
        const clsoApp &app;
        const Zegar &zegar;
        Ustawienia &ustawienia;
        Komunikaty &komunikaty;
        QString stacja;
    };
    OknaDiagnostyczne(fmGlowny &glowny, Zaleznosci z);

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
    Zaleznosci m_z;
    QPointer<fmSzukaj> m_szukaj;
    QPointer<fmPodglad> m_podglad;
    QPointer<fmStatystyka> m_statystyka;
};
