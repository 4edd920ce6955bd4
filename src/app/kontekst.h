#pragma once

#include "baza/zrodlobazy.h"
#include "clsoapp.h"
#include "clswizual.h"
#include "comm/clcomm.h"
#include "comm/clskolejka.h"
#include "comm/komunikator.h"
#include "db/bufor.h"
#include "db/clsbd.h"
#include "db/przekaznik.h"
#include "db/zapispomiarow.h"
#include "harmonogram.h"
#include "linia.h"
#include "model/alarmy.h"
#include "model/colregulatory.h"
#include "model/listaalarmow.h"
#include "model/ocena.h"
#include "model/odczyt.h"
#include "model/sterowanie.h"
#include "model/zapis.h"
#include "operacje.h"
#include "platform/dzwiek.h"
#include "platform/komunikaty.h"
#include "platform/port.h"
#include "platform/ustawienia.h"
#include "platform/zegar.h"
#include "protokol/clsfunkcje.h"

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

// The composition root: every process-wide object of the station, created
// in the order of the start-up and destroyed in reverse, each given what it
// uses through its constructor and wired to the others here. Main, the
// start-up and the windows it builds use it; no part of the logic receives it.
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
    // The forwarder over the open spool, wired to the storing and the alarm list.
    void uruchomPrzekaznik(GraniceBufora granice);

private:
    Platforma m_platforma;

public:
    clsoApp oApp;
    clComm oComm;
    Komunikator oKomunikator;
    clsWizual oWizual;
    // This station's name (Regulatory.Stacja, Alarmy.Stacja, Log.Stacja).
    const QString stacja;
    colRegulatory oRegulatory;
    // Every controller of the plant, this station's first (same positions
    // as oRegulatory), then the other stations': the read-only windows
    // (charts, reports, alarm archive) list these. Nothing ever polls or
    // controls them.
    colRegulatory oRegulatoryZakladu;
    clsFunkcje oFunkcje;
    clsKolejka oKolejka;
    // Where the plant's database is: [baza] polaczenie=, else tolvek.mdb in
    // the working directory. The start-up sets it. The station's own
    // connection to it (cnBaza, the cursors of Pomiary and OstPomiar) lives
    // on the forwarder's thread; the windows read it on worker threads.
    ZrodloBazy zrodloBazy;
    // The station's spool: everything written to the database goes through
    // it (the window thread's connection; the forwarder has its own).
    BuforZapisu bufor;
    clsBD oBD;
    ZapisPomiarow zapisPomiarow;
    // Started by the start-up once the spool is open.
    std::unique_ptr<Przekaznik> przekaznik;
    ListaAlarmow listaAlarmow;
    // The services that work on the controllers' records.
    AlarmyRegulatora alarmyRegulatorow{listaAlarmow, oWizual, zegar()};
    OcenaBloku ocenaBloku{oKomunikator, zegar()};
    ZapisRegulatora zapisRegulatorow{zapisPomiarow, oWizual, zegar()};
    OdczytRegulatora odczyt{oKomunikator, oWizual, zegar(), alarmyRegulatorow, ocenaBloku, zapisRegulatorow};
    SterowanieRegulatora sterowanie{oKomunikator, oWizual, oBD, komunikaty(), zegar(), odczyt};
    Harmonogram harmonogram;
    OperacjeOperatora operacje;
    // The operator's pause of the line and the scans' hold on it.
    LiniaStacji linia;
};
