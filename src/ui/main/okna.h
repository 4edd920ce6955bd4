#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class clsKolejka;
class clsoApp;
class clsWizual;
class colRegulatory;
class Komunikaty;
class OperacjeOperatora;
class QDate;
class QMdiSubWindow;
class QWidget;
class fmAlarmyArch;
class fmGlowny;
class fmStruktura;
class fmpanel;
class frmDane;
class frmRegulatory;
class Ustawienia;
class ZapisPomiarow;
class Zegar;
class ZrodloBazy;

// The operator's windows that the main window opens: the front panel, the
// data window, the alarm archive, the controller editor and the structure
// tree, each a single instance created on first use as a child of the MDI
// area. It feeds the open panel and data window what the event hub
// announces, and frees the panel's selectors when the switch setting of the
// controller it shows went out or failed.
class OknaOperatora final : public QObject
{
    Q_OBJECT
public:
    // What the five windows use.
    struct Zaleznosci {
        const clsWizual &wizual;
        colRegulatory &regulatory;
        colRegulatory &zaklad; // every controller of the plant (the archive)
        clsoApp &app;
        clsKolejka &kolejka;
        OperacjeOperatora &operacje;
        const ZapisPomiarow &zapis;
        const ZrodloBazy &zrodlo;
        const Zegar &zegar;
        Ustawienia &ustawienia;
        Komunikaty &komunikaty;
        QString stacja;
    };
    OknaOperatora(fmGlowny &glowny, Zaleznosci z);
    ~OknaOperatora() override;

    // Shown (created when not loaded) or unloaded.
    void pokazPanel(bool pokaz);
    void pokazDane(bool pokaz);
    // mnuStruktura, mnuNarzAlarmy.
    void pokazStrukture();
    fmAlarmyArch *pokazArchiwum();
    // mnuRegulAlarmy: today's alarms of the current controller, loaded.
    void alarmyZDoby();
    // mnuBDNowyRegul, mnuRegulEdytuj.
    void nowyRegulator();
    void edytujRegulator();

    fmpanel *panel() const;
    frmDane *dane() const;
    fmAlarmyArch *archiwum() const;
    frmRegulatory *edytor() const;
    fmStruktura *struktura() const;

protected:
    // A window that closes is gone for this class at once, though Qt
    // deletes it only later: the next command makes a new one.
    bool eventFilter(QObject *obiekt, QEvent *event) override;

private:
    template <class W> W *nowe(QPointer<W> &gdzie, W *okno);
    QMdiSubWindow *pokaz(QWidget *okno);
    void zamknij(QWidget *okno);
    frmRegulatory *pokazEdytor();

    fmGlowny &m_g;
    Zaleznosci m_z;
    QPointer<fmpanel> m_panel;
    QPointer<frmDane> m_dane;
    QPointer<fmAlarmyArch> m_archiwum;
    QPointer<frmRegulatory> m_edytor;
    QPointer<fmStruktura> m_struktura;
};
