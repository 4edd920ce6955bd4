#pragma once

// What the benchmarks that run the real station need: the CPU time and
// resident memory of another process, and a plant of controllers read every
// minute behind tolvek-sim.
#include <QProcess>
#include <QString>

// utime + stime of a process, in seconds; -1 when it is gone.
double cpuProcesu(qint64 pid);
// Resident memory in kB; -1 when the process is gone.
long rssProcesu(qint64 pid);

// In the current directory: tolvek.mdb made by tolvek-baza with `regulatorow`
// controllers at addresses 1.., read every minute; tolvek-sim serving them
// with the station's settings under `katalog`/config; then (uruchom) the
// station itself (offscreen). `bin` is the build's tools folder. False with a
// message on stderr when something did not start.
struct StacjaNaSymulatorze {
    QProcess sim;
    QProcess stacja;
    QString port; // the simulator's device
    bool przygotuj(const QString &bin, const QString &katalog, int regulatorow);
    bool uruchom(const QString &bin, const QString &katalog, int regulatorow);
    void zatrzymaj();
};
