#pragma once

#include "db/danestartowe.h"

#include <QCoro/QCoroTask>
#include <QString>

#include <functional>

class Kontekst;

// The window-free steps of start-up and shutdown; the window layer runs
// them in the order of Main and of the main window's load and unload.
namespace Start
{
// Where the database is (the settings' connection text) and the spool,
// opened; a spool that holds entries for another database is set aside
// whole in a file of its own and a new one begun (the operator is told).
// Throws BladBazy with a message for the operator: an unusable connection
// string, a spool that cannot be opened anywhere.
void przygotujBaze(Kontekst &k);
inline const QString polaczenieTekst =
    QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=tolvek.mdb;Persist Security Info=False");

// Steps 5-7 as far as the database goes: the Regulatory and OstPomiar rows,
// read on a worker thread (a server that does not answer holds nothing up).
QCoro::Task<OdczytStartowy> czytajBaze(Kontekst &k);
constexpr int czasOdczytuStartowegoMs = 30000;
// Whether the spool has a copy of them from an earlier start.
bool maKopie(Kontekst &k);
// Step 7-8 from what was read: the copy kept for a start without the
// database, the registry loaded (the spool's own counters in force),
// controller 1 current, the forwarder started.
void wczytaj(Kontekst &k, const DaneStartowe &dane);
// The same from the spool's copy when the database is away; the operator
// is told once, without waiting.
void wczytajZKopii(Kontekst &k, const QString &powod);

// All of the above for a program without windows (benchmarks): the
// database's rows, or the copy while it is away; throws BladBazy when the
// station cannot start, also when the database is away and there is no copy.
void otworzBazeIWczytaj(Kontekst &k);

// One pass of the port loop: reads the settings, opens the port they name.
// Returns false with the serial layer's error description.
bool otworzPort(Kontekst &k, QString *opisBledu);
QString komunikatBleduPortu(const QString &opisBledu);
// The port loop: the station never runs without its line. A port that does
// not open is reported (komunikatBleduPortu, waiting for the operator's
// OK), wybierzPort lets the operator choose another (the options, modal),
// and the settings are read again. True once a port is open; false when
// przerwany says the start was stopped meanwhile, the only other way on.
bool petlaPortu(Kontekst &k, const std::function<void()> &wybierzPort, const std::function<bool()> &przerwany);

// The "Start aplikacji" row; failures are reported, not thrown.
void zapiszStart(Kontekst &k);
// The first steps of the unload: the timers stop for good and a wait on
// the line wakes and ends, so a tick suspended on an answer unwinds (await
// harmonogram.koniecTaktu() before zamknij).
void zatrzymajPrace(Kontekst &k);
// The rest of the unload: port closed, the "Zatrzymanie aplikacji" row into
// the spool, what the forwarder can pass on within czasPrzekazaniaMs, the
// spool closed. Never throws.
QCoro::Task<void> zamknij(Kontekst &k);
constexpr int czasPrzekazaniaMs = 2000;
} // namespace Start
