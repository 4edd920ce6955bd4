#pragma once

#include <QCoro/QCoroTask>
#include <QObject>
#include <QString>

#include <functional>

class Harmonogram;
class Komunikaty;
class clComm;
class clsBD;

// The station's hold on its line: the operator pauses it ("Komun") so that
// another program or a service laptop can use the adapter, and a scan
// borrows it for another device. Paused, the scheduler sends nothing and
// the port is closed; resumed, the port of the settings opens again and
// every controller is read at once. Each pause and resume leaves a Log row.
class LiniaStacji final : public QObject
{
    Q_OBJECT
public:
    // otworzPort opens the settings' port, false with the reason.
    LiniaStacji(Harmonogram &harmonogram, clComm &comm, clsBD &bd, Komunikaty &komunikaty,
                std::function<bool(QString *opisBledu)> otworzPort, QObject *parent = nullptr);

    bool wstrzymana() const { return m_wstrzymana; }
    bool skanTrwa() const { return m_skan; }

    // The tick in flight finishes, then the port closes.
    QCoro::Task<void> wstrzymaj();
    // False, staying paused, when the port does not open (opisBledu says why).
    QCoro::Task<bool> wznow(QString *opisBledu);

    // A scan: the polling pauses (unless the operator paused it already) and
    // the link opens the device to scan; false with the reason when it does
    // not open. zakonczSkan closes it and resumes what the scan paused.
    QCoro::Task<bool> rozpocznijSkan(const QString &urzadzenie, QString *opisBledu);
    QCoro::Task<bool> zakonczSkan(QString *opisBledu);

Q_SIGNALS:
    void stanZmieniony(bool wstrzymana);

private:
    void zapiszLog(const QString &operacja);

    Harmonogram &m_harmonogram;
    clComm &m_comm;
    clsBD &m_bd;
    Komunikaty &m_komunikaty;
    std::function<bool(QString *)> m_otworzPort;
    bool m_wstrzymana = false;
    bool m_skan = false;
    bool m_skanWstrzymal = false;
};
