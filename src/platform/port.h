#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

// The serial-port seam: the only operations the station uses on the line.
// 4800 baud, 8 data bits; one byte is taken per read.
class PortSzeregowy : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~PortSzeregowy() override = default;

    // Opens the device; on failure returns false and opisBledu() holds the
    // serial layer's own description of the failure.
    virtual bool otworz(const QString &urzadzenie) = 0;
    virtual QString opisBledu() const = 0;
    virtual void zamknij() = 0;
    virtual bool otwarty() const = 0;
    // Count of received bytes not yet taken.
    virtual qint64 ileCzeka() const = 0;
    // Discards all waiting input (driver and our buffer).
    virtual void wyczyscWejscie() = 0;
    // Writes every byte in order; returns false when the line refused it.
    virtual bool zapisz(const QByteArray &bajty) = 0;
    // Removes and returns the next received byte, or -1 when none waits.
    virtual int czytajBajt() = 0;

Q_SIGNALS:
    // New bytes arrived (used only to wake a waiting reader).
    void daneGotowe();
    // The line failed (device gone, hang-up); the port has closed itself.
    void awaria(const QString &opis);
};

using FabrykaPortow = std::function<std::unique_ptr<PortSzeregowy>()>;

// QSerialPort at 4800 baud, 8N1, no flow control.
std::unique_ptr<PortSzeregowy> utworzPortQt();
