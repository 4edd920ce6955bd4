#pragma once

#include "dane.h"

#include <QCoro/QCoroTask>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class clComm;

// The dispatcher (oKomunikator): the only way any code sends a command.
// Around every command it stops the polling timer and reports the line
// state (1 before, then 0 on success or 2 on failure).
class Komunikator final : public QObject
{
    Q_OBJECT
public:
    explicit Komunikator(clComm &comm, QObject *parent = nullptr);
    void ustawTimer1(QTimer *timer1) { m_timer1 = timer1; }

    bool TCP = false;

    QCoro::Task<bool> WykonajRozkaz(int nrRegulatora, QString rozkaz, DaneRozkazu *dane = nullptr, int parametr = 0);

Q_SIGNALS:
    void eKomunikacja(int status);

private:
    class Wstrzymanie;
    clComm &m_comm;
    QPointer<QTimer> m_timer1;
    int m_wToku = 0; // commands running, the nested ones included
};
