#include "terminal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace sim
{

namespace
{

QString bladSystemu(const char *co)
{
    return QStringLiteral("%1: %2").arg(QString::fromUtf8(co), QString::fromLocal8Bit(std::strerror(errno)));
}

bool ustawSurowy(int fd, speed_t predkosc, QString *blad)
{
    termios t{};
    if (tcgetattr(fd, &t) != 0) {
        *blad = bladSystemu("tcgetattr");
        return false;
    }
    // Raw: no echo, no line editing, no translation of CR/LF, 8 bits.
    cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cflag &= ~(CSTOPB | PARENB | CRTSCTS);
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    if (predkosc != B0) {
        cfsetispeed(&t, predkosc);
        cfsetospeed(&t, predkosc);
    }
    if (tcsetattr(fd, TCSANOW, &t) != 0) {
        *blad = bladSystemu("tcsetattr");
        return false;
    }
    return true;
}

} // namespace

Terminal::Terminal(int fd, int fdSlave, QString sciezka, bool urzadzenie)
    : m_fd(fd), m_fdSlave(fdSlave), m_sciezka(std::move(sciezka)), m_urzadzenie(urzadzenie)
{
}

Terminal::~Terminal()
{
    if (m_fdSlave >= 0)
        ::close(m_fdSlave);
    if (m_fd >= 0)
        ::close(m_fd);
}

std::unique_ptr<Terminal> Terminal::otworzPty(QString *blad)
{
    const int fd = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        *blad = bladSystemu("posix_openpt");
        return nullptr;
    }
    if (grantpt(fd) != 0 || unlockpt(fd) != 0) {
        *blad = bladSystemu("grantpt/unlockpt");
        ::close(fd);
        return nullptr;
    }
    const char *nazwa = ptsname(fd);
    if (!nazwa) {
        *blad = bladSystemu("ptsname");
        ::close(fd);
        return nullptr;
    }
    const QString sciezka = QString::fromLocal8Bit(nazwa);
    const int slave = ::open(nazwa, O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (slave < 0) {
        *blad = bladSystemu("open slave");
        ::close(fd);
        return nullptr;
    }
    // The line discipline lives on the slave side; the station's own open
    // will set its parameters again, but until then nothing may be echoed.
    if (!ustawSurowy(slave, B0, blad) || !ustawSurowy(fd, B0, blad)) {
        ::close(slave);
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<Terminal>(new Terminal(fd, slave, sciezka, false));
}

std::unique_ptr<Terminal> Terminal::otworzUrzadzenie(const QString &sciezka, QString *blad)
{
    const QByteArray s = sciezka.toLocal8Bit();
    const int fd = ::open(s.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        *blad = bladSystemu(s.constData());
        return nullptr;
    }
    if (!ustawSurowy(fd, B4800, blad)) {
        ::close(fd);
        return nullptr;
    }
    tcflush(fd, TCIOFLUSH);
    return std::unique_ptr<Terminal>(new Terminal(fd, -1, sciezka, true));
}

} // namespace sim
