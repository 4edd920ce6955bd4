#pragma once

class clRegulator;
class clsKolejka;
class clsoApp;
class colRegulatory;
class Rekordy;

// What the operator's commands on the current controller (oApp's
// NrAktRegulatora) do beyond their windows: the windows ask and tell, these
// act. Nothing here talks to the line: commands for a controller enter the
// queue and run on a later tick.
class OperacjeOperatora final
{
public:
    OperacjeOperatora(clsoApp &app, colRegulatory &regulatory, clsKolejka &kolejka, Rekordy &rsRegulatory);

    // The current controller; null when the registry has none.
    clRegulator *biezacy() const;

    enum class Stopien { Zakolejkowano, BrakRegulatora, NieWybrano };
    // Queues the switching of the stage selected in a tree to the opposite
    // of its state now ("UstawKondensator" with {stage index, switch on, empty}).
    Stopien przelaczStopien();
    // Queues "Blokuj" with the opposite of the controller's Zablokowany.
    bool przelaczBlokade();
    // Continuous monitoring of the current controller on or off.
    bool ustawMonitoring(bool wlaczony);
    // Deletes the current controller's row of Regulatory through the shared
    // cursor; the registry keeps it until the next start. False without a
    // current controller; throws BladBazy when the row cannot be deleted.
    bool usunRegulator();

private:
    clsoApp &m_app;
    colRegulatory &m_regulatory;
    clsKolejka &m_kolejka;
    Rekordy &m_rsRegulatory;
};
