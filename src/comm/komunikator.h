#pragma once

#include "clcomm.h"
#include "protokol/dane.h"

#include <QCoro/QCoroTask>
#include <QObject>
#include <QString>

// The dispatcher (oKomunikator): the only way any code sends a command.
// Around every command it reports the line state (1 before, then 0 on
// success or 2 on failure) and tells the scheduler that the line is in use,
// so that the polling timer stays stopped until the last command has ended.
class Komunikator final : public QObject
{
    Q_OBJECT
public:
    explicit Komunikator(clComm &comm, QObject *parent = nullptr);

    bool TCP = false;

    QCoro::Task<bool> WykonajRozkaz(int nrRegulatora, QString rozkaz, DaneRozkazu *dane = nullptr, int parametr = 0);
    // A read from a bus address, whoever has it (a scan). Only commands that
    // send reads are taken: a scan never writes to a controller (throws
    // std::invalid_argument for any other). Reports no line state: the
    // polling is paused while a scan runs.
    QCoro::Task<bool> CzytajNaAdres(int adres, QString rozkaz, DaneRozkazu *dane, OpcjeWymiany opcje);

    // The model refused the block this controller just sent: counted, and
    // marked in the line monitor.
    void blokOdrzucony(int nrRegulatora) { m_comm.zglosOdrzucenie(nrRegulatora); }
    StatystykaKomunikacji &statystyka() { return m_comm.statystyka(); }

Q_SIGNALS:
    void stanLinii(int status);
    // The first command began (none ran before), and the last one ended;
    // commands started while another waits for its answer nest inside.
    void wymianaRozpoczeta();
    void wymianyZakonczone();

private:
    class Wstrzymanie;
    clComm &m_comm;
    int m_wToku = 0; // commands running, the nested ones included
};
