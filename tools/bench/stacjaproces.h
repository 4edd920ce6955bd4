#pragma once

// What the benchmarks that run the real station need: the CPU time and
// resident memory of another process, a plant of controllers read every
// minute behind tolvek-sim, and a private PostgreSQL server.
#include <QProcess>
#include <QString>

// utime + stime of a process, in seconds; -1 when it is gone.
double cpuProcesu(qint64 pid);
// The same for this process, all its threads, to the microsecond.
double cpuTegoProcesu();
// The same for a thread of this process by its name (as the thread named
// itself: QThread's object name, at most 15 characters); -1 when none.
double cpuWatku(const QByteArray &nazwa);
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

// Runs a program to its end; its exit code (-1 when it did not start or
// crashed), its standard output in *wyjscie, its errors passed through.
int uruchomProgram(const QString &program, const QStringList &argumenty, QString *wyjscie = nullptr);

// A private PostgreSQL server of scripts/serwer-pg that syncs its log at
// every commit, as a real one does; stopped (thawed first) and removed with
// the object. polaczenie is empty when it did not start.
class SerwerTrwaly final
{
public:
    SerwerTrwaly();
    ~SerwerTrwaly();
    SerwerTrwaly(const SerwerTrwaly &) = delete;
    SerwerTrwaly &operator=(const SerwerTrwaly &) = delete;
    // zamroz, odmroz, pauza, wznow (see the script); without czekaj the
    // script runs on its own, so that the caller's event loop goes on.
    bool skrypt(const QString &polecenie, bool czekaj = true);
    // The station's tables (tolvek-baza init --do) with the rows of a file
    // (kopiuj); `bin` is the build's tools folder.
    bool wypelnij(const QString &bin, const QString &plik);
    QString polaczenie;

private:
    QString m_katalog;
};
