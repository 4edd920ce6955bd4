#pragma once

#include "baza/polaczenie.h"
#include "baza/zrodlobazy.h"
#include "bufor.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>

// Forwards the spool to the plant's database, a batch at a time, on the
// thread that owns it (the station's forwarder thread; tests and tools call
// it directly). An entry leaves the spool only after the database committed
// it; entries the database refuses for their content go to quarantine and
// the rest go on. A database that is away (a server stopped or unreachable,
// a file locked, read-only, full, deleted or moved) leaves everything in the
// spool: the caller tries again later.
// How much the spool may hold: readings beyond this many, or entries beyond
// this many bytes, drop the oldest readings (never an alarm or a Log row).
struct GraniceBufora {
    std::int64_t pomiarow = 0;
    std::int64_t bajtow = 0;
};

class Przekazywanie final
{
public:
    enum class Wynik {
        Pusto,       // nothing waits
        Przekazano,  // a batch went into the database
        Niedostepna, // the database is away: see powod()
    };

    // Entries up to sprawdzDo (by default what the spool held when it was
    // opened here) are looked for in the database before they are written.
    Przekazywanie(const QString &sciezkaBufora, ZrodloBazy zrodlo, std::int64_t sprawdzDo = -1);
    ~Przekazywanie();

    Wynik krok(int porcja = 500);
    bool bazaOtwarta() const { return m_cn.otwarte(); }
    const QString &powod() const { return m_powod; }
    BuforZapisu &bufor() { return m_bufor; }
    // Closes the database (the watch found it moved, or the station stops).
    void zamknijBaze(const QString &powod);
    // The watch between batches: a file deleted or moved away, or a server
    // session ended, closes the connection (true when it did).
    bool sprawdzBaze();
    // Keeps the spool inside its bound: the oldest readings beyond it are
    // dropped (logged, with their time span in *od and *doCzasu); returns
    // how full it is, in per cent of the bound.
    int pilnujGranic(const GraniceBufora &granice, int *usuniete = nullptr, QString *od = nullptr,
                     QString *doCzasu = nullptr);
    // How many entries left the spool (forwarded, set aside, dropped by the
    // bound) since the last call.
    std::int64_t wezUsuniete() { return std::exchange(m_usuniete, 0); }
    // For a watcher on another thread: ends a statement that hangs.
    std::shared_ptr<Przerywacz> przerywacz() const { return m_cn.przerywacz(); }

    // Told as it happens, on the forwarder's thread.
    std::function<void(const WpisBufora &, const QString &powod)> naKwarantanne;
    std::function<void(std::int64_t nrAlarmu, std::int64_t id)> naIdAlarmu;
    // Between the database's commit and the spool's removal (tests stop there
    // as a crash would).
    std::function<void()> poZatwierdzeniu;

    // How long a statement waits for another program's lock.
    static constexpr int czasOczekiwaniaMs = 1000;

private:
    bool otworzBaze();
    Wynik przekazPojedynczo(const QVector<WpisBufora> &wpisy);
    void przekazane(const QVector<WpisBufora> &wpisy, const QHash<std::int64_t, std::int64_t> &idAlarmow);

    BuforZapisu m_bufor;
    ZrodloBazy m_zrodlo;
    Polaczenie m_cn;
    QString m_powod;
    std::int64_t m_usuniete = 0;
    bool m_plikUtracony = false;
    // Entries up to this one may have reached the database before: those of
    // an earlier run, and those of any pass that did not end cleanly.
    std::int64_t m_sprawdzDo = 0;
    QString m_podpisPliku; // a file back at its path is taken once it stays unchanged for one look
};
