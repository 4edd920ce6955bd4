#pragma once

#include <QCoro/QCoroTask>

class clRegulator;
class clsKolejka;
class clsoApp;
class colRegulatory;
class ZapisPomiarow;
class ZrodloBazy;

// What the operator's commands on the current controller (oApp's
// NrAktRegulatora) do beyond their windows: the windows ask and tell, these
// act. Nothing here talks to the line: commands for a controller enter the
// queue and run on a later tick.
class OperacjeOperatora final
{
public:
    OperacjeOperatora(clsoApp &app, colRegulatory &regulatory, clsKolejka &kolejka, const ZrodloBazy &zrodlo,
                      const ZapisPomiarow &zapis);

    // The current controller; null when the registry has none.
    clRegulator *biezacy() const;

    enum class Stopien { Zakolejkowano, BrakRegulatora, NieWybrano };
    // Queues the switching of the stage selected in a tree to the opposite
    // of its state now ("UstawKondensator").
    Stopien przelaczStopien();
    // Queues "Blokuj" with the opposite of the controller's Zablokowany.
    bool przelaczBlokade();
    // Continuous monitoring of the current controller on or off.
    bool ustawMonitoring(bool wlaczony);
    // Deletes the current controller's row of Regulatory (the first with its
    // address) over a connection of its own, off the window thread; the
    // registry keeps it until the next start. False without a current
    // controller; throws BladBazy when the row cannot be deleted, also when
    // the database is away (nothing is tried then).
    QCoro::Task<bool> usunRegulator();
    // How long the deletion may wait for the database.
    static constexpr int czasUsuwaniaMs = 30000;

private:
    clsoApp &m_app;
    colRegulatory &m_regulatory;
    clsKolejka &m_kolejka;
    const ZrodloBazy &m_zrodlo;
    const ZapisPomiarow &m_zapis;
};
