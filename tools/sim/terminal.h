#pragma once

#include <QString>

#include <memory>

namespace sim
{

// The simulator's end of the line: the master side of a pseudo-terminal, or
// a real serial device. Owns its file descriptors.
class Terminal final
{
public:
    ~Terminal();
    Terminal(const Terminal &) = delete;
    Terminal &operator=(const Terminal &) = delete;

    // A new pseudo-terminal in raw mode. The slave side stays open here too:
    // without it the master reads EIO whenever the station closes its port,
    // and bytes sent meanwhile would be lost with an error.
    static std::unique_ptr<Terminal> otworzPty(QString *blad);
    // A serial device at 4800 baud, 8N1, no flow control, raw.
    static std::unique_ptr<Terminal> otworzUrzadzenie(const QString &sciezka, QString *blad);

    int fd() const { return m_fd; }
    // The path the station opens.
    QString sciezka() const { return m_sciezka; }
    // True for a real serial line: the UART paces incoming bytes itself.
    bool prawdziweLacze() const { return m_urzadzenie; }

private:
    Terminal(int fd, int fdSlave, QString sciezka, bool urzadzenie);
    int m_fd = -1;
    int m_fdSlave = -1;
    QString m_sciezka;
    bool m_urzadzenie = false;
};

} // namespace sim
