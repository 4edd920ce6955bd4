#pragma once

#include "db/powrotserwera.h"
#include "platform/datacz.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QVariant>

#include <cstdint>
#include <deque>

class BladBazy;
class Komunikaty;
class Polaczenie;
class Rekordy;
class Zegar;

// One reading to store: its Pomiary row and the counters OstPomiar keeps
// for the controller's next interval.
struct WpisPomiaru {
    int adres = 0;
    DataCzas data; // Pomiary.Data and OstPomiar.Czas: the start of the reading
    float enCzynna = 0;
    QVariant enBiernaPoj; // a single, or the integer 1
    float enBiernaCalk = 0;
    float napiecie = 0, pradBierny = 0, pradCalk = 0, czestotliwosc = 0;
    float pradCzynny = 0, pradBiernSr = 0, pradBiernPojSr = 0;
    std::int32_t timerU = 0;
};

// The writer of readings (Pomiary and OstPomiar through the station's two
// long-lived cursors) and the watch over the database file.
//
// A reading's row and its OstPomiar update are one transaction: the stored
// counters always belong to the last stored row, so whatever is lost, the
// next row stored covers the energy since. A reading the database does not
// take (locked by another program, read-only, full, the file gone) waits in
// memory, in order, and is stored when the database takes writes again; a
// failing attempt waits at most the connection's short busy time-out, and
// the next comes ponowienieMs later, never once per reading.
//
// The file is looked at every sprawdzaniePlikuMs and before every write.
// One deleted or moved away is never written again: its connection closes,
// readings wait, and when a database file is back at the path and has stayed
// unchanged for one look, it is opened with the cursors and what waits is
// stored into it.
//
// A database server that goes away (stopped, restarted, the network cut)
// ends the session: the connection and the cursors close, readings wait as
// above, the operator is told once, and the station reconnects by itself
// (PowrotSerwera looks off the window thread) and says so; what waits is
// then stored.
class ZapisPomiarow final : public QObject
{
    Q_OBJECT
public:
    ZapisPomiarow(Polaczenie &cnBaza, Rekordy &rsPomiary, Rekordy &rsOstPomiar, Rekordy &rsRegulatory,
                  const Zegar &zegar, Komunikaty &komunikaty, QObject *parent = nullptr);

    // True when the reading is in the database now, false when it waits.
    bool zapisz(const WpisPomiaru &wpis);
    int zalegle() const { return static_cast<int>(m_kolejka.size()); }
    bool plikUtracony() const { return m_plikUtracony; }
    bool serwerUtracony() const { return m_serwerUtracony; }

    // The database is open: the file is watched from now on.
    void czuwaj();
    // One look at the file (the watch's timer calls it).
    void sprawdzPlik();
    // Stores what waits, one batch now and the rest after the event loop has
    // run; nothing while a failed attempt's pause lasts.
    void oproznij();
    // The station stops: one last attempt; what is left is logged and lost
    // from memory, while OstPomiar still holds the counters of the last
    // stored reading, so the next storing after a restart covers its energy.
    void zakoncz();

    // A day of one-minute readings per controller: a lock or a missing file
    // that lasts a night, found by the morning shift, costs no reading, at
    // about 120 bytes a reading (170 kB a controller at the bound).
    static constexpr int limitNaRegulator = 1440;
    static constexpr int porcja = 100;
    static constexpr int ponowienieMs = 5000;
    static constexpr int sprawdzaniePlikuMs = 10000;

private:
    struct Zalegly {
        WpisPomiaru wpis;
        std::uint64_t numer;
    };
    bool zapiszPorcje();
    void zapiszWpis(const WpisPomiaru &w);
    void niepowodzenie(const BladBazy &e);
    void utratePliku();
    void szukajPliku();
    void utrataSerwera(const QString &powod);
    void powrotSerwera();
    void zamknijKursory();

    Polaczenie &m_cn;
    Rekordy &m_rsPomiary;
    Rekordy &m_rsOstPomiar;
    Rekordy &m_rsRegulatory;
    const Zegar &m_zegar;
    Komunikaty &m_komunikaty;
    QTimer m_ponowienie;
    QTimer m_straz;

    std::deque<Zalegly> m_kolejka;
    QHash<int, int> m_naAdres;
    std::uint64_t m_numer = 0;
    std::int64_t m_nastepnaProbaMs = 0;
    bool m_awaria = false;
    QString m_ostatniBlad;
    bool m_oproznianieZaplanowane = false;

    bool m_plikUtracony = false;
    QString m_sciezka;
    QString m_podpisPliku; // size and time of change at the last look
    QString m_ostatniaPrzeszkoda;

    bool m_serwerUtracony = false;
    ZrodloBazy m_serwer;
    PowrotSerwera m_powrot;
};
