#pragma once

#include <QString>

class Kontekst;

// The window-free steps of start-up and shutdown; the window layer runs
// them in the order of Main and of the main window's load and unload.
namespace Start
{
// Steps 5-8: opens cnBaza from the settings' connection text, the three shared
// recordsets, loads the registry and makes controller 1 current. Throws
// BladBazy with a message for the operator.
void otworzBazeIWczytaj(Kontekst &k);
inline const QString polaczenieTekst =
    QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=tolvek.mdb;Persist Security Info=False");

// One pass of the port loop: reads the settings, opens the port they name.
// Returns false with the serial layer's error description.
bool otworzPort(Kontekst &k, QString *opisBledu);
QString komunikatBleduPortu(const QString &opisBledu);

// The "Start aplikacji" row; failures are reported, not thrown.
void zapiszStart(Kontekst &k);
// The first steps of the unload: the timers stop for good and a wait on
// the line wakes and ends, so a tick suspended on an answer unwinds (await
// harmonogram.koniecTaktu() before zamknij).
void zatrzymajPrace(Kontekst &k);
// The rest of the unload: port closed, recordsets closed, the
// "Zatrzymanie aplikacji" row, connection closed. Never throws.
void zamknij(Kontekst &k);
} // namespace Start
