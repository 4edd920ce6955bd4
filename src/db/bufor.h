#pragma once

#include "baza/polaczenie.h"
#include "baza/tabela.h"
#include "wpispomiaru.h"

#include <QHash>
#include <QString>
#include <QVariantMap>
#include <QVector>

#include <cstdint>
#include <functional>
#include <optional>

// What an entry of the spool becomes in the plant's database.
enum class RodzajWpisu : int {
    Pomiar = 1,       // a Pomiary row and the OstPomiar update of its address
    Alarm = 2,        // a new Alarmy row
    ZmianaAlarmu = 3, // Data_potw, Data_dezakt or Operator of an alarm row
    Log = 4,          // a Log row
};

// One entry waiting to be forwarded. dane holds the row's columns by their
// names in the plant's tables (a reading also the OstPomiar counters);
// "nrAlarmu" ties an alarm row and its later changes together.
struct WpisBufora {
    std::int64_t nr = 0; // order of arrival
    RodzajWpisu rodzaj = RodzajWpisu::Pomiar;
    QVariantMap dane;
};

struct WpisKwarantanny {
    WpisBufora wpis;
    QString powod;
    QString kiedy; // "yyyy-MM-dd HH:mm:ss"
};

// The counters of the last reading spooled for an address: what the
// OstPomiar row of the plant's database holds once that reading is there.
struct OstatniPomiar {
    DataCzas czas;
    double pradCzynny = 0, pradBiernSr = 0, pradBiernPojSr = 0;
    std::int64_t timerU = 0;
};

// The station's durable spool: an SQLite file of its own (WAL,
// synchronous=FULL), outside the plant's database. Everything the station
// writes to that database is committed here first, in order, and leaves
// only after the database has committed it, so a database that is away,
// locked, frozen or full costs nothing, and neither does a killed process or
// a power cut. Its tables:
//   wpisy        the queue, in order of arrival
//   kwarantanna  entries the database refused for their content
//   alarmy       the spool's alarm numbers and the Id_alarmu each got
//   ostpomiar    the counters of the last reading spooled per address
//   kopia        what the station needs to start without its database
//   stan         which database the spool forwards to
// One object per thread: the window thread writes through one, the
// forwarder reads and removes through its own; the engine keeps them apart.
// Every failure throws BladBazy.
class BuforZapisu final
{
public:
    BuforZapisu() = default;
    BuforZapisu(const BuforZapisu &) = delete;
    BuforZapisu &operator=(const BuforZapisu &) = delete;

    // Creates the folder and the file when they are not there.
    void otworz(const QString &sciezka);
    void zamknij();
    bool otwarty() const { return m_cn.otwarte(); }
    const QString &sciezka() const { return m_sciezka; }
    // The last entry the file held when it was opened: entries up to it may
    // have reached the database from an earlier run whose end was not seen.
    std::int64_t ostatniPrzedOtwarciem() const { return m_ostatniPrzedOtwarciem; }

    // Called after every entry the station adds (the forwarder is woken).
    std::function<void()> poDodaniu;

    // The station's writes: each is one transaction, on disk when it returns.
    void dodajPomiar(const WpisPomiaru &w);
    // Returns the alarm's number in the spool, its identity until the
    // database gives the row its Id_alarmu.
    std::int64_t dodajAlarm(const QVariantMap &wiersz);
    void dodajZmianeAlarmu(std::int64_t nrAlarmu, const QVariantMap &zmiany);
    void dodajLog(const QVariantMap &wiersz);

    // The forwarder's side.
    QVector<WpisBufora> najstarsze(int ile);
    // The database committed them: out of the queue, with the Id_alarmu of
    // the alarm rows written (by the spool's alarm number), in one commit.
    void usun(const QVector<std::int64_t> &numery, const QHash<std::int64_t, std::int64_t> &idAlarmow);
    // The database refused it for its content: set aside, with the reason.
    void odloz(const WpisBufora &wpis, const QString &powod);
    std::optional<std::int64_t> idAlarmu(std::int64_t nrAlarmu);
    // Whether that Id_alarmu already belongs to another of the spool's alarms.
    bool idAlarmuZajete(std::int64_t id, std::int64_t procz);
    std::int64_t liczbaWpisow();
    std::int64_t liczbaPomiarow();
    // The bytes the entries take in the file (its free pages not counted).
    std::int64_t bajtyWpisow();
    // Drops the oldest readings (never an alarm or log row); the time span
    // of the dropped ones in *od and *doCzasu.
    int usunNajstarszePomiary(int ile, QString *od, QString *doCzasu);

    // The quarantine, for the tools.
    QVector<WpisKwarantanny> kwarantanna();
    // Back into the queue, in their original order, after the last entry.
    int przywrocKwarantanne();

    // Which database the entries are for (a file's absolute path, or a
    // server's connection string); empty in a new spool.
    QString zrodlo();
    // The spool now serves that database: a copy and counters kept for
    // another one are forgotten.
    void nowaBaza(const QString &zrodlo);
    // What the station needs to start without its database, taken at a
    // successful start; readable only for the database it came from.
    void zapiszKopie(const Tabela &regulatory, const Tabela &ostPomiar);
    std::optional<QPair<Tabela, Tabela>> kopia();
    QHash<int, OstatniPomiar> ostatniePomiary();

private:
    void wykonaj(const QString &sql, const QVariantList &wartosci = {});
    std::int64_t dodaj(RodzajWpisu rodzaj, const QVariantMap &dane);
    void dodano();
    class Transakcja;

    Polaczenie m_cn;
    QString m_sciezka;
    std::int64_t m_ostatniPrzedOtwarciem = 0;
};
