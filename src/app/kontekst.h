#pragma once

#include "alarms/listaalarmow.h"
#include "app/clsoapp.h"
#include "app/harmonogram.h"
#include "comm/clcomm.h"
#include "comm/clsfunkcje.h"
#include "comm/clskolejka.h"
#include "comm/komunikator.h"
#include "db/clsbd.h"
#include "model/colregulatory.h"
#include "platform/dzwiek.h"
#include "platform/komunikaty.h"
#include "platform/polaczenie.h"
#include "platform/port.h"
#include "platform/rekordy.h"
#include "platform/ustawienia.h"
#include "platform/zegar.h"
#include "views/clswizual.h"

#include <array>
#include <functional>
#include <memory>

// The seams to the outside world. Main fills them with the real ones;
// each test fills them with its own.
struct Platforma {
    std::unique_ptr<Zegar> zegar;
    std::unique_ptr<Ustawienia> ustawienia;
    std::unique_ptr<Komunikaty> komunikaty;
    std::unique_ptr<Dzwiek> dzwiek;
    FabrykaPortow fabrykaPortow;
};

// Every process-wide object of the station, created in the order of the
// start-up and destroyed in reverse. Main creates one; each test builds a
// fresh one.
class Kontekst final
{
public:
    explicit Kontekst(Platforma platforma);
    ~Kontekst();
    Kontekst(const Kontekst &) = delete;
    Kontekst &operator=(const Kontekst &) = delete;

    const Zegar &zegar() const { return *m_platforma.zegar; }
    Ustawienia &ustawienia() { return *m_platforma.ustawienia; }
    Komunikaty &komunikaty() { return *m_platforma.komunikaty; }
    Dzwiek &dzwiek() { return *m_platforma.dzwiek; }
    DataCzas teraz() const { return m_platforma.zegar->teraz(); }

private:
    Platforma m_platforma;

public:
    clsoApp oApp;
    clComm oComm;
    Komunikator oKomunikator;
    clsWizual oWizual;
    colRegulatory oRegulatory;
    clsFunkcje oFunkcje;
    clsKolejka oKolejka;
    Polaczenie cnBaza;
    clsBD oBD;
    Rekordy rsRegulatory;
    Rekordy rsPomiary;
    Rekordy rsOstPomiar;
    ListaAlarmow alarmy;
    Harmonogram harmonogram;

    // The front panel's four control switches (indices 4..7 of ctlPrzel1)
    // as the switch byte, and the clearing of their Zmieniony flags. The
    // panel window sets these; without a panel the byte is 0.
    std::function<int()> bajtPrzelacznikow;
    std::function<void()> wyczyscZmienionePrzelaczniki;
};
