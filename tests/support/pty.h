#pragma once

// The controller's end of a serial line: the master side of a
// pseudo-terminal, whose slave stands in for the device the station (or the
// simulator) opens.

#include <QByteArray>
#include <QString>

#include <cstdlib>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

class Pty final
{
public:
    Pty()
    {
        m_master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0)
            return;
        sciezka = QString::fromLocal8Bit(ptsname(m_master));
        // Our own handle on the slave keeps the device alive while the other
        // side closes and reopens it.
        m_slave = ::open(ptsname(m_master), O_RDWR | O_NOCTTY);
        // Raw bytes both ways: no echo, no line editing, no CR/LF mapping.
        termios t{};
        tcgetattr(m_slave, &t);
        cfmakeraw(&t);
        tcsetattr(m_slave, TCSANOW, &t);
    }
    ~Pty() { rozlacz(); }
    Pty(const Pty &) = delete;
    Pty &operator=(const Pty &) = delete;

    // Dropping both ends hangs the line up.
    void rozlacz()
    {
        zamknij(m_slave);
        zamknij(m_master);
    }
    bool wyslij(const QByteArray &b) { return ::write(m_master, b.constData(), b.size()) == b.size(); }
    // What has arrived so far (nothing waits).
    QByteArray odbierz()
    {
        char bufor[256];
        const auto n = ::read(m_master, bufor, sizeof bufor);
        return n > 0 ? QByteArray(bufor, n) : QByteArray();
    }
    // The line settings the device side was given.
    termios ustawienia() const
    {
        termios t{};
        tcgetattr(m_slave, &t);
        return t;
    }

    QString sciezka;

private:
    static void zamknij(int &fd)
    {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
    int m_master = -1;
    int m_slave = -1;
};
