#include "port.h"

#include <QLoggingCategory>
#include <QSerialPort>

Q_LOGGING_CATEGORY(lcPort, "tolvek.port")

namespace
{

// The line of the controller bus: 4800 baud, 8 data bits, no parity, one
// stop bit, no flow control.
class PortQt final : public PortSzeregowy
{
public:
    PortQt()
    {
        m_port.setBaudRate(QSerialPort::Baud4800);
        m_port.setDataBits(QSerialPort::Data8);
        m_port.setParity(QSerialPort::NoParity);
        m_port.setStopBits(QSerialPort::OneStop);
        m_port.setFlowControl(QSerialPort::NoFlowControl);
        // Answers are at most 66 bytes (33 values, each possibly doubled);
        // the rest is garbage that the next request discards anyway.
        m_port.setReadBufferSize(1024);
        connect(&m_port, &QSerialPort::readyRead, this, &PortSzeregowy::daneGotowe);
        connect(&m_port, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError e) { blad(e); });
    }

    bool otworz(const QString &urzadzenie) override
    {
        if (m_port.isOpen())
            m_port.close();
        m_port.setPortName(urzadzenie);
        if (!m_port.open(QIODevice::ReadWrite)) {
            m_opis = m_port.errorString();
            m_port.clearError();
            return false;
        }
        m_opis.clear();
        return true;
    }

    QString opisBledu() const override { return m_opis; }

    void zamknij() override
    {
        if (m_port.isOpen())
            m_port.close();
    }

    bool otwarty() const override { return m_port.isOpen(); }

    qint64 ileCzeka() const override { return m_port.isOpen() ? m_port.bytesAvailable() : 0; }

    void wyczyscWejscie() override
    {
        // Drops the bytes Qt has buffered as well as those in the driver.
        if (m_port.isOpen())
            m_port.clear(QSerialPort::Input);
    }

    bool zapisz(const QByteArray &bajty) override
    {
        if (!m_port.isOpen())
            return false;
        if (m_port.write(bajty) != bajty.size())
            return false;
        // Hand the frame to the driver now rather than on the next pass of
        // the event loop; this never blocks.
        m_port.flush();
        return true;
    }

    int czytajBajt() override
    {
        char c = 0;
        if (!m_port.isOpen() || !m_port.getChar(&c))
            return -1;
        return static_cast<unsigned char>(c);
    }

private:
    void blad(QSerialPort::SerialPortError e)
    {
        switch (e) {
        case QSerialPort::ResourceError:
        case QSerialPort::ReadError:
        case QSerialPort::WriteError:
        case QSerialPort::UnknownError:
            break;
        default:
            // Open errors are answered by otworz(); NoError and time-outs
            // are not failures of the line.
            return;
        }
        if (!m_port.isOpen())
            return;
        // After a hang-up (pseudo-terminal master closed, adapter pulled) the
        // descriptor stays readable and the error repeats in a tight loop
        // until the port is closed: close it here.
        m_opis = m_port.errorString();
        // The link that owns the port logs the loss, with the device's path.
        qCDebug(lcPort) << "serial port failed, closing it:" << m_port.portName() << m_opis;
        m_port.close();
        m_port.clearError();
        Q_EMIT awaria(m_opis);
    }

    QSerialPort m_port;
    QString m_opis;
};

} // namespace

std::unique_ptr<PortSzeregowy> utworzPortQt()
{
    return std::make_unique<PortQt>();
}
