#pragma once

#include "baza/zrodlobazy.h"
#include "przekazywanie.h"

#include <QCoro/QCoroTask>
#include <QObject>
#include <QString>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

class Przerywacz;
class PracownikPrzekazywania;

// The forwarder: a thread of its own with its own connections to the spool
// and to the plant's database, which forwards the spool (Przekazywanie)
// whenever something new arrives, and while the database is away looks for
// it again 1 s after the loss, then after 2, 4, 8, 16 and every 30 s. The
// window thread never waits for it: it only learns, through the signals,
// what waits and whether the database is there. A statement that hangs
// longer than najdluzszaInstrukcjaMs (a frozen server, a network that drops
// packets) is cut off and the database taken for away.
class Przekaznik final : public QObject
{
    Q_OBJECT
public:
    // sprawdzDo: the last entry that may have reached the database before
    // (see Przekazywanie); by default what the spool held when it was opened.
    Przekaznik(QString sciezkaBufora, ZrodloBazy zrodlo, GraniceBufora granice, std::int64_t sprawdzDo = -1,
               QObject *parent = nullptr);
    ~Przekaznik() override;

    void start();
    // Something new is in the spool.
    void obudz();
    // The station stops: one more attempt when the database is away, what
    // can be forwarded within czasMs, then the thread ends (a statement still
    // under way is cut off); the rest stays in the spool for the next start.
    QCoro::Task<void> zakoncz(int czasMs);
    // Ends the thread now, cutting off what it does.
    void zatrzymaj();
    bool dziala() const { return m_watek.isRunning(); }
    // How long a statement may take before it is cut off (before start).
    void ustawNajdluzszaInstrukcje(int ms);

    static constexpr int pierwszaPrzerwaMs = 1000;
    static constexpr int najdluzszaPrzerwaMs = 30000;
    static constexpr int strazMs = 10000;
    static constexpr int najdluzszaInstrukcjaMs = 30000;
    static constexpr int porcja = 500;

Q_SIGNALS:
    // After every pass: how many entries left the spool since the last report
    // (forwarded, set aside or dropped), and whether the database takes them
    // (powod says why not). The waiting ones are counted by whoever adds
    // them: a count taken on this thread would race with the additions.
    void stan(qint64 usuniete, bool dostepna, const QString &powod);
    void idAlarmu(qint64 nrAlarmu, qint64 id);
    // An entry the database refused, set aside.
    void odlozono(const QString &opis);
    // The bound: the oldest readings dropped.
    void obcieto(int ile, const QString &od, const QString &doCzasu);
    // How full the spool is, in per cent of its bound, when it passes 80 %.
    void zapelnienie(int procent);
    // After zakoncz asked: everything is forwarded, or the database is away.
    void przekazanoPrzedKoncem();

private:
    void pilnuj();

    QThread m_watek;
    PracownikPrzekazywania *m_pracownik = nullptr; // lives in m_watek
    QTimer m_straznik;
    int m_najdluzszaInstrukcjaMs = najdluzszaInstrukcjaMs;
    std::int64_t m_przerwanyOd = 0; // the pass already cut off
    std::shared_ptr<std::atomic<std::int64_t>> m_zajetyOd;
    std::shared_ptr<std::atomic<bool>> m_koniec;
};
