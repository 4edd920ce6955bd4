#pragma once

// The station's logic (Kontekst: scheduler, controllers, alarms, the spool
// and its forwarder) in a benchmark's own process, polling tolvek-sim on the
// real clock, and what the benchmarks measure around it.
#include "app/kontekst.h"

#include <QElapsedTimer>
#include <QTimer>

#include <memory>
#include <vector>

// The longest hold-up of this thread's event loop in each phase of a run: a
// precise timer due every 10 ms, and how late it came.
class Przestoje final
{
public:
    explicit Przestoje(int faz);
    void faza(int f) { m_faza = f; }
    qint64 maks(int f) const { return m_maks.at(static_cast<size_t>(f)); }

private:
    QTimer m_probka;
    QElapsedTimer m_zegar;
    qint64 m_poprzedni = -1;
    std::vector<qint64> m_maks;
    int m_faza = 0;
};

// The station over the simulator's port, storing into the server of
// `polaczenie` (empty: tolvek.mdb in the working directory), its spool in
// the working directory; polling starts with harmonogram.Timer1(). Null with
// a message on stderr when it cannot start.
std::unique_ptr<Kontekst> uruchomStacje(const QString &port, const QString &polaczenie = {});
// Stops the polling after the tick under way and forwards what it can
// within the stop's 2 s; returns the entries that waited at the stop.
qint64 zatrzymajStacje(Kontekst &k);

// The readings of controllers 1..regulatorow in the database: from each
// one's first grid point on (a start-up reading may lie less than 25 s
// before it, and then that grid point is rightly skipped), the grid minutes
// without a row, and the sum of its stored active energies against the
// counter of its last stored reading.
struct WynikPomiarow {
    int wierszy = 0;
    int utraconych = 0;
    double najwiekszaRozbieznosc = 0; // |sum - counter| / counter, the worst controller
};
WynikPomiarow sprawdzPomiary(const ZrodloBazy &baza, int regulatorow);
