#pragma once

#include "platform/datacz.h"

#include <QCoro/QCoroTask>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

#include <exception>

class clRegulator;
class clsKolejka;
class clsWizual;
class colRegulatory;
class Komunikaty;
class ListaAlarmow;
class OdczytRegulatora;
class Zegar;

// The polling scheduler: Timer1 (100 ms) drives the periodic readings, the
// queued commands and the monitoring; Timer2 (1 s) blinks the alarm
// picture; Timer3 (3 s) repeats the alarm sound. A Timer1 tick never
// starts while another is still running. The scheduler starts and stops its
// own timers: Timer1 around the dispatcher's exchanges (wstrzymaj, wznow),
// Timer2 and Timer3 on the alarm list's announcement of its counts.
class Harmonogram final : public QObject
{
    Q_OBJECT
public:
    Harmonogram(colRegulatory &regulatory, OdczytRegulatora &odczyt, clsKolejka &kolejka, clsWizual &wizual,
                const ListaAlarmow &alarmy, const Zegar &zegar, Komunikaty &komunikaty, QObject *parent = nullptr);

    QTimer &Timer1() { return m_timer1; }
    QTimer &Timer2() { return m_timer2; }
    QTimer &Timer3() { return m_timer3; }

    DataCzas Teraz() const { return m_teraz; }
    bool wTakcie() const { return m_wTakcie; }
    // Runs one tick to its end (tests await it directly).
    QCoro::Task<void> takt();

    // The station is stopping: the three timers stop for good and no tick
    // starts any more. koniecTaktu() ends when a running tick has ended.
    void zatrzymaj();
    bool zatrzymany() const { return m_zatrzymany; }
    QCoro::Task<void> koniecTaktu();

    // The line is in use: no tick starts until it is free again, and then
    // the interval starts afresh (not after the stop).
    void wstrzymaj();
    void wznow();
    // The operator paused the line ("Komun", a scan): no tick starts, the
    // exchanges' end does not restart Timer1. Resuming starts it again and
    // the next tick reads every controller at once (those not due by their
    // grid by a state reading, which stores nothing), then each on its grid.
    void wstrzymajKomunikacje();
    void wznowKomunikacje();
    bool komunikacjaWstrzymana() const { return m_komunikacjaWstrzymana; }
    // Timer2 and Timer3 run while unacknowledged alarms exist.
    void naZmianeLiczbAlarmow();

Q_SIGNALS:
    void zegarZmieniony(const QString &hhmmss);
    void taktZakonczony();

private:
    void naTimer1();
    void naTimer2();
    void naTimer3();
    QCoro::Task<void> przebieg();
    void zglosBlad(const clRegulator &r, const std::exception &e);

    colRegulatory &m_regulatory;
    OdczytRegulatora &m_odczyt;
    clsKolejka &m_kolejka;
    clsWizual &m_wizual;
    const ListaAlarmow &m_alarmy;
    const Zegar &m_zegarSystemu;
    Komunikaty &m_komunikaty;
    QTimer m_timer1;
    QTimer m_timer2;
    QTimer m_timer3;
    DataCzas m_teraz;
    QString m_zegar;
    bool m_wTakcie = false;
    bool m_zatrzymany = false;
    bool m_komunikacjaWstrzymana = false;
    bool m_czytajWszystkie = false;
    QHash<int, QString> m_bledy; // the last failure of each controller, until it succeeds
    QSet<int> m_powiadomiono;    // controllers the operator was told about
};
