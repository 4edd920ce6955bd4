#pragma once

#include "alarms/fmalarmyn.h"
#include "views/fmregulatory.h"

#include <QCoro/QCoroTask>
#include <QPointer>

#include <functional>
#include <memory>

class Kontekst;
class QEventLoop;
class fmGlowny;
class frmSplash;

// The start-up of the station: from a created context to a running
// scheduler, with the windows in the order the operator sees them.
class Uruchomienie final
{
public:
    explicit Uruchomienie(Kontekst &k);
    ~Uruchomienie();
    Uruchomienie(const Uruchomienie &) = delete;
    Uruchomienie &operator=(const Uruchomienie &) = delete;

    // Splash, database and registry, the main window, the port loop, the
    // rest of the main window's load, the controller tree and the alarm
    // window, then Timer1.
    // False when the database could not be opened: the operator has been
    // told why, and no main window appeared.
    bool start();

    fmGlowny *glowny() const { return m_glowny.get(); }
    fmRegulatory *oknoRegulatorow() const { return m_regulatory; }
    fmAlarmyN *oknoAlarmow() const { return m_alarmy; }

    // The orderly shutdown, after a confirmed close or when the system stops
    // the process (then without asking): timers off, a wait on the line
    // woken and ended, port and recordsets closed, the last Log row, the
    // connection closed, then poZatrzymaniu. During the start-up it breaks
    // the start off instead (start() then returns false).
    void zatrzymaj();
    bool zatrzymywana() const { return m_zatrzymywana; }
    // Leaves the event loop; Main makes it end QApplication::exec().
    std::function<void()> poZatrzymaniu;

    static constexpr int pierwszaPrzerwaMs = 1000;
    static constexpr int najdluzszaPrzerwaMs = 30000;

private:
    QCoro::Task<void> zatrzymajPoKolei();
    // The port loop with the options as the operator's choice; false when
    // stopped meanwhile.
    bool petlaPortu();
    // The registry from the database, or from the spool's copy while it is
    // away; false when stopped meanwhile. Throws BladBazy.
    bool wczytajBaze();
    // A pause of the start-up that a stop ends; false when it did.
    bool czekaj(int ms);
    QEventLoop *m_petla = nullptr;
    bool m_dziala = false;
    bool m_zatrzymywana = false;
    Kontekst &m_k;
    std::unique_ptr<frmSplash> m_splash;
    std::unique_ptr<fmGlowny> m_glowny;
    QPointer<fmRegulatory> m_regulatory;
    QPointer<fmAlarmyN> m_alarmy;
};

// The application's name, for the settings paths. No display name is set:
// the window system would append it to every title, and each window and
// message shows exactly its own title.
void nazwijAplikacje();

// Qt's own dialogs (choosing a file, printing, the print preview) in Polish,
// like the rest of the station: Qt's translation "qtbase" for Polish from
// Qt's translations folder (Debian: qt6-translations-l10n). Without it they
// stay in English and a line says so in the log.
void przetlumaczQt();

// The entry of the station: start-up, then the event loop. Returns the
// process's exit code (1 when the database could not be opened).
int Main(Kontekst &k);
