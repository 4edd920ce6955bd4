#pragma once

#include "obserwator.h"
#include "platform/port.h"
#include "protokol/dane.h"
#include "statystyka.h"

#include <QCoro/QCoroTask>
#include <QObject>
#include <QString>

#include <array>
#include <exception>
#include <functional>
#include <memory>

class Zegar;
class Komunikaty;

// Thrown out of a wait for answer bytes when the station stops: the
// exchange, the operation and the tick around it end at once, without
// counting as a failure of the controller.
class PrzerwanieLinii final : public std::exception
{
public:
    const char *what() const noexcept override { return "the line was stopped"; }
};

// How one command by address is run: a scan asks every address once, with
// an answer time-out shorter than polling's.
struct OpcjeWymiany {
    int proby = 4;
    // The wait for each answer value; 0 is polling's (more than 2 whole
    // seconds of the link's own waiting).
    int czasOdpowiedziMs = 0;
};

// The serial link (oComm) and, as its private part, the command engine.
// Waiting for answer bytes suspends the calling coroutine and returns to
// the event loop: timers, clicks and redraws run meanwhile, nothing spins,
// and a modal dialog opened meanwhile does not hold the exchange up.
class clComm final : public QObject
{
    Q_OBJECT
public:
    clComm(const Zegar &zegar, Komunikaty &komunikaty, QObject *parent = nullptr);
    ~clComm() override;

    // The line. The link owns its port object; tests hand in a fake.
    void ustawPort(std::unique_ptr<PortSzeregowy> port);
    PortSzeregowy *port() const { return m_port.get(); }
    // Opens the device; false on failure, with a description that names the
    // device ("/dev/ttyUSB0: ...").
    bool otworz(const QString &urzadzenie, QString *opisBledu);
    // The line can carry a frame now: the port is open, or it closed after a
    // failure and its next reopening attempt is due.
    bool liniaGotowa() const;
    void zamknij();
    // The device opened last; empty when the line is closed.
    const QString &urzadzenie() const { return m_urzadzenie; }
    // The station is stopping: a wait in progress wakes and throws
    // PrzerwanieLinii, so does every later one, and no frame goes out.
    void przerwij();
    bool przerwany() const { return m_przerwany; }

    // Resolves a controller number (Id) to its bus address; throws
    // std::out_of_range for a number the registry does not hold.
    void ustawAdresy(std::function<int(int nrRegulatora)> adres) { m_adres = std::move(adres); }

    bool Zajety = false;
    quint8 Port = 0;
    QString Stan;

    // Discards waiting input, then writes the bytes. False when the line
    // refused them (no port, or the port is closed and cannot be reopened):
    // a frame that never left is not reported as sent.
    bool WyslijStr(const QByteArray &lan);
    // True when at least one byte waits; false after more than 2 whole
    // seconds of the link's own waiting (time spent in other handlers does
    // not count).
    QCoro::Task<bool> JestWBuforze();
    // The next value 0..255 (a 0x02 takes the following byte with it and
    // reads as 2), or -1 when no byte came in time.
    QCoro::Task<int> CzytajBajt();
    QCoro::Task<bool> CzytajDaneN(int &dane);
    QCoro::Task<bool> CzytajDane32(DaneRozkazu &dane);

    // The engine; only Komunikator calls it. rozkaz is compared without
    // regard to case. Throws std::out_of_range for an unknown controller
    // number or a location above 0xFF (the busy flag is cleared all the same).
    QCoro::Task<bool> WyslijRozkaz(int nrRegulatora, QString rozkaz, DaneRozkazu *dane, int parametr);
    // The same to a bus address that no controller of the registry needs to
    // have (a scan); no parameter byte. Throws std::out_of_range for an
    // address outside 0..255.
    QCoro::Task<bool> WyslijRozkazNaAdres(int adres, QString rozkaz, DaneRozkazu *dane, OpcjeWymiany opcje);

    // Every controller's traffic since the start or the last reset.
    StatystykaKomunikacji &statystyka() { return m_statystyka; }
    const StatystykaKomunikacji &statystyka() const { return m_statystyka; }
    // The line monitor while its window is open; nullptr otherwise.
    void ustawObserwatora(ObserwatorLinii *o) { m_obserwator = o; }
    ObserwatorLinii *obserwator() const { return m_obserwator; }
    // Tells the statistics and the watcher that the model refused the last
    // block of this controller (the dispatcher's blokOdrzucony).
    void zglosOdrzucenie(int nrRegulatora);

Q_SIGNALS:
    void zwolniony(); // the busy flag was cleared
    void przerwano(); // przerwij() was called

private:
    class Zajecie;
    int adresRegulatora(int nrRegulatora) const;
    QCoro::Task<bool> wykonaj(int nrRegulatora, int adres, QString rozkaz, DaneRozkazu *dane, int parametr,
                              OpcjeWymiany opcje);
    // The read of one answer begins, and how it ended (values or none).
    void poczatekOdpowiedzi();
    void koniecOdpowiedzi(bool jest, std::span<const int> wartosci);
    // A port that closed itself after a failure (adapter pulled, line hung
    // up) is reopened before a write, so the station recovers without a
    // restart once the device is back. The attempts back off (1 s, doubling
    // up to 30 s): opening a serial device creates, syncs and removes a lock
    // file, wear that a flash disk should not take ten times a second for
    // hours. Between attempts a frame is refused at once.
    void przywrocPort();
    void poAwarii(const QString &opis);

    const Zegar &m_zegar;
    Komunikaty &m_komunikaty;
    std::unique_ptr<PortSzeregowy> m_port;
    std::function<int(int)> m_adres;
    QString m_urzadzenie; // the device last opened; empty after zamknij()
    bool m_przerwany = false;
    // The device is gone: the monotonic time of the next reopening attempt,
    // the back-off after the last failed one, and the failed attempts.
    bool m_liniaUtracona = false;
    std::int64_t m_nastepnaProbaMs = 0;
    std::int64_t m_odstepMs = 0;
    int m_nieudaneProby = 0;

    // The exchange in progress, for the statistics and the watcher.
    struct Biezaca {
        int nr = -1;
        int adres = -1;
        const char *rozkaz = "";
        int lokacja = -1;
        int proba = 1;
    };
    Biezaca m_biezaca;
    std::int64_t m_czasOdpowiedziMs = 0;
    std::int64_t m_msZapisu = -1; // the last request frame, until its answer's first value
    std::int64_t m_opoznienieMs = -1;
    std::array<char, 80> m_surowe{}; // the raw bytes of the answer being read
    int m_ileSurowych = 0;
    StatystykaKomunikacji m_statystyka;
    ObserwatorLinii *m_obserwator = nullptr;

public:
    static constexpr std::int64_t pierwszyOdstepMs = 1000;
    static constexpr std::int64_t najdluzszyOdstepMs = 30000;
};
