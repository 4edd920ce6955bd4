#pragma once

#include <QWidget>

#include <array>
#include <cstdint>

class clsKolejka;
class clsoApp;
class colRegulatory;
class clRegulator;
class ctlDioda3d;
class ctlPrzel;
class QLabel;
class QLineEdit;
class QPushButton;

// The front panel of the current controller (NrAktRegulatora): its nine
// stage lamps, the switching lamps, the four-digit display and its twelve
// selectors, drawn from the controller's panel state. Its buttons queue
// commands; they never talk to the line. Selectors 4 to 7 can be moved by
// the operator while the controller is blocked; a pending change stays
// through refreshes until the switch setting has been sent. The other
// selectors only show the controller's own setting.
class fmpanel final : public QWidget
{
    Q_OBJECT
public:
    fmpanel(colRegulatory &regulatory, clsoApp &app, clsKolejka &kolejka, QWidget *parent = nullptr);
    ~fmpanel() override;

    // Redraws everything from the current controller.
    void OdswiezPanel();
    // The control mode: "Ustaw" is shown, and blocking offered, only in it.
    void UstawTrybSterowania(bool sterowanie);
    // The blocking state: the button's caption, "Ustaw" and "Załącz", and
    // whether selectors 4 to 7 take the operator's changes.
    void UstawBlokade(bool zablokowany);

    // Whether the panel is open on controller NrRegulatora (as of its last
    // refresh): only then are its selectors that controller's.
    bool pokazuje(int NrRegulatora) const { return m_zaladowany && m_pokazany != 0 && m_pokazany == NrRegulatora; }
    // Selectors 4..7 as the switch byte: selector 4 is bit 0 ... 7 bit 3.
    // "Ustaw" queues it.
    int bajtPrzelacznikow() const;
    // The switch setting went out (or failed; the hub tells): the
    // controller's own state may be shown on selectors 4..7 again.
    void wyczyscZmienionePrzelaczniki();

    ctlDioda3d *ctlDioda1(int i) const { return m_diody.at(static_cast<std::size_t>(i)); }
    ctlDioda3d *ctlDiodaWyl() const { return m_diodaWyl; }
    ctlDioda3d *ctlDiodaZal() const { return m_diodaZal; }
    ctlPrzel *ctlPrzel1(int i) const { return m_przel.at(static_cast<std::size_t>(i)); }
    QLineEdit *txtDisplay() const { return m_display; }
    QPushButton *cmdBlokuj() const { return m_cmdBlokuj; }
    QPushButton *cmdUstaw() const { return m_cmdUstaw; }
    QPushButton *cmdZalacz() const { return m_cmdZalacz; }

    // The display text of the four digit bytes.
    static QString tekstWyswietlacza(std::uint8_t d1, std::uint8_t d2, std::uint8_t d3, std::uint8_t d4);

Q_SIGNALS:
    // The window was loaded (first shown) or unloaded (closed); the main
    // window keeps its "Panel" button and menu check mark in step.
    void zaladowany(bool otwarty);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    clRegulator *biezacy() const;
    void zbuduj();
    void blokuj();
    void ustaw();

    colRegulatory &m_regulatory;
    clsoApp &m_app;
    clsKolejka &m_kolejka;
    std::array<ctlDioda3d *, 9> m_diody{};
    ctlDioda3d *m_diodaWyl = nullptr;
    ctlDioda3d *m_diodaZal = nullptr;
    std::array<ctlPrzel *, 12> m_przel{};
    QLineEdit *m_display = nullptr;
    QPushButton *m_cmdBlokuj = nullptr;
    QPushButton *m_cmdUstaw = nullptr;
    QPushButton *m_cmdZalacz = nullptr;
    std::array<QString, 4> m_cyfry; // the four display digit texts
    int m_pokazany = 0;             // the controller shown at the last refresh
    bool m_zaladowany = false;
};
