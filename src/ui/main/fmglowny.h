#pragma once

#include "diagnostyka.h"
#include "okna.h"
#include "wykresyraporty.h"

#include <QCoro/QCoroTask>
#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <array>

class clsoApp;
class clsWizual;
class Dzwiek;
class Harmonogram;
class Komunikaty;
class LiniaStacji;
class OperacjeOperatora;
class PanelStanu;
class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class frmOptions;
class Ustawienia;
class ZapisPomiarow;

// The main window: the frame of every child window, the menu bar and the
// toolbar through which the operator reaches every function, and the status
// bar that the event hub keeps up to date.
class fmGlowny final : public QMainWindow
{
    Q_OBJECT
public:
    // What the window and its commands use, and what it hands on to the
    // windows it keeps.
    struct Zaleznosci {
        clsoApp &app; // the login, the control mode, the current controller
        const clsWizual &wizual;
        const Harmonogram &harmonogram; // the status bar's clock
        const ZapisPomiarow &zapis;     // the status bar's storing panel
        const LiniaStacji &linia;       // the pause button's state
        OperacjeOperatora &operacje;
        Ustawienia &ustawienia; // the options
        Komunikaty &komunikaty;
        Dzwiek &dzwiek;
        OknaOperatora::Zaleznosci okna;
        OknaDiagnostyczne::Zaleznosci diagnostyka;
        ZaleznosciWykresow wykresy;
    };
    explicit fmGlowny(Zaleznosci z, QWidget *parent = nullptr);
    ~fmGlowny() override;

    // The window's part of the load, once a port is open: the status bar
    // and toolbar tooltips, and once the window is up, whether the alarms
    // can sound. Runs once, before the window is first shown.
    void zaladuj();

    // Shows a child window without blocking; returns its frame.
    QMdiSubWindow *pokazOkno(QWidget *okno);
    QMdiArea *mdi() const { return m_mdi; }

    // Toolbar button with that key; Value is its pressed state after the click.
    void ToolbarAction(const QString &Key, bool Value);
    void PokazPanel(bool Value);
    void PokazDane(bool Value);
    void UstawMonitoring(bool Value);

    // Menu items by name (mnuPlik, mnuKoniec, ...), toolbar buttons by key.
    QAction *menu(const QString &nazwa) const { return m_menu.value(nazwa); }
    QAction *przycisk(const QString &klucz) const { return m_przyciski.value(klucz); }
    // "&Regulator", "&Baza danych" and "&Stopień": also the trees' context menus.
    QMenu *menuRegulatora() const { return m_popmnuRegul; }
    QMenu *menuBazy() const { return m_mnuBaza; }
    QMenu *menuStopnia() const { return m_mnuRegulBat; }
    PanelStanu *panel(int numer) const { return m_panele.at(static_cast<std::size_t>(numer - 1)); }
    PanelStanu *panelBazy() const { return m_panelBazy; }

    // The active alarm window, for the "Alarm" button; it is created by the
    // start-up after the main window.
    void ustawOknoAlarmow(QWidget *okno) { m_oknoAlarmow = okno; }
    // The operator's windows: panel, data window, archive, editor, structure.
    OknaOperatora *okna() const { return m_okna; }
    // The line's pause, scan, monitor and statistics.
    OknaDiagnostyczne *diagnostyka() const { return m_diagnostyka; }
    // A toolbar button's pressed state and the check mark of the controller
    // menu item that mirrors it ("Panel", "Dane", "Monit").
    void zaznaczPrzycisk(const QString &klucz, bool wcisniety);

Q_SIGNALS:
    // The operator confirmed the close: the station is to be shut down.
    void zamknieciePotwierdzone();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // Building, in menu.cpp, pasek.cpp.
    void zbudujMenu();
    QMenu *dodajMenu(QMenu *rodzic, const QString &nazwa, const QString &podpis);
    QAction *dodajPozycje(QMenu *rodzic, const QString &nazwa, const QString &podpis);
    // "&Okno", in menuokna.cpp.
    void zbudujMenuOkna();
    void wypelnijListeOkien(QMenu *menu);
    // Shows a child window's frame, hidden or minimised, and makes it active.
    void pokazRamke(QMdiSubWindow *ramka);
    void zbudujPasek();
    void zbudujPasekStanu();
    // The spool's panel after the storing's state changed.
    void pokazStanZapisu();
    void polaczWizual();
    // Also creates the windows' keepers with their parts.
    void polaczPolecenia(const Zaleznosci &z);

    void ustawPodpowiedzi();

    // Commands, in polecenia.cpp.
    void zamknijProgram();
    void zalaczStopien();
    void zablokujRegulator();
    QCoro::Task<void> usunRegulator();
    void pokazOpcje();
    void pokazOProgramie();
    void pokazAlarmy();
    void przelaczSterowanie();

    clsoApp &m_app;
    const clsWizual &m_wizual;
    const Harmonogram &m_harmonogram;
    const ZapisPomiarow &m_zapis;
    const LiniaStacji &m_linia;
    OperacjeOperatora &m_operacje;
    Ustawienia &m_ustawienia;
    Komunikaty &m_komunikaty;
    Dzwiek &m_dzwiek;
    QMdiArea *m_mdi;
    QToolBar *m_pasek = nullptr;
    QMenu *m_popmnuRegul = nullptr;
    QMenu *m_mnuBaza = nullptr;
    QMenu *m_mnuRegulBat = nullptr;
    QHash<QString, QAction *> m_menu;
    QHash<QString, QAction *> m_przyciski;
    QList<QAction *> m_pozycjeOkien; // the window list of "&Okno"
    std::array<PanelStanu *, 6> m_panele{};
    PanelStanu *m_panelBazy = nullptr;
    QTimer m_opoznieniePanelu;
    QPointer<QWidget> m_oknoAlarmow;
    QPointer<frmOptions> m_opcje;
    OknaOperatora *m_okna = nullptr;
    OknaDiagnostyczne *m_diagnostyka = nullptr;
    bool m_zamykanie = false;
};
