#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

// One line of the simulator's frame log (--log FILE).
struct WpisLogu {
    QDateTime czas;
    QString rodzaj; // RX, TX, ?? or --
    QString tresc;
};

inline QList<WpisLogu> czytajLog(const QString &plik)
{
    QFile f(plik);
    QList<WpisLogu> w;
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return w;
    static const QRegularExpression re(QStringLiteral("^(\\S+) (RX|TX|\\?\\?|--) (.*)$"));
    while (!f.atEnd()) {
        const auto m = re.match(QString::fromUtf8(f.readLine()).trimmed());
        if (m.hasMatch())
            w.append({QDateTime::fromString(m.captured(1), Qt::ISODateWithMs), m.captured(2), m.captured(3)});
    }
    return w;
}

// The frames the simulator received, in order, as "02 01 4F 06".
inline QStringList odebraneRamki(const QString &plik)
{
    QStringList r;
    for (const WpisLogu &w : czytajLog(plik))
        if (w.rodzaj == QLatin1String("RX"))
            r << w.tresc;
    return r;
}

// The real tolvek-sim (path in TOLVEK_SIM) under QProcess.
class SymulatorProces final
{
public:
    ~SymulatorProces() { zatrzymaj(); }

    // False when the program (TOLVEK_SIM, set by ctest) did not start or
    // printed no PORT line.
    bool start(const QStringList &argumenty)
    {
        if (qEnvironmentVariableIsEmpty("TOLVEK_SIM")) {
            qWarning("TOLVEK_SIM is not set: run the test through ctest");
            return false;
        }
        m_p.setProgram(QString::fromLocal8Bit(qgetenv("TOLVEK_SIM")));
        m_p.setArguments(argumenty);
        m_p.start();
        if (!m_p.waitForStarted(5000))
            return false;
        const QString pierwsza = linia(5000);
        if (!pierwsza.startsWith(QLatin1String("PORT ")))
            return false;
        port = pierwsza.mid(5);
        return true;
    }

    // The next line of standard output, or an empty text after the time-out.
    QString linia(int ms = 2000)
    {
        QElapsedTimer t;
        t.start();
        while (!m_p.canReadLine()) {
            const int zostalo = ms - int(t.elapsed());
            if (zostalo <= 0 || !m_p.waitForReadyRead(zostalo))
                break;
        }
        if (!m_p.canReadLine())
            return {};
        return QString::fromUtf8(m_p.readLine()).trimmed();
    }

    // Sends a command on standard input; its lines up to and including the
    // closing "OK" / "BŁĄD: ...".
    QStringList polecenie(const QString &tekst)
    {
        m_p.write((tekst + QLatin1Char('\n')).toUtf8());
        m_p.waitForBytesWritten(1000);
        QStringList w;
        for (;;) {
            const QString l = linia();
            if (l.isEmpty())
                return w;
            w << l;
            if (l == QLatin1String("OK") || l.startsWith(QStringLiteral("BŁĄD")))
                return w;
        }
    }

    void zatrzymaj()
    {
        if (m_p.state() == QProcess::NotRunning)
            return;
        m_p.terminate();
        if (!m_p.waitForFinished(5000)) {
            m_p.kill();
            m_p.waitForFinished(2000);
        }
    }

    QProcess &proces() { return m_p; }
    QString port;

private:
    QProcess m_p;
};

// The station's end of the line, with plain POSIX calls.
class LiniaTestowa final
{
public:
    ~LiniaTestowa() { zamknij(); }

    bool otworz(const QString &sciezka)
    {
        m_fd = ::open(sciezka.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (m_fd < 0)
            return false;
        termios t{};
        tcgetattr(m_fd, &t);
        cfmakeraw(&t);
        cfsetispeed(&t, B4800);
        cfsetospeed(&t, B4800);
        tcsetattr(m_fd, TCSANOW, &t);
        return true;
    }
    // Takes over an open descriptor (the master side of a pseudo-terminal
    // that stands in for a serial device).
    void przejmij(int fd)
    {
        zamknij();
        m_fd = fd;
    }
    void zamknij()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }

    void pisz(const QByteArray &b) { [[maybe_unused]] const ssize_t n = ::write(m_fd, b.constData(), b.size()); }

    // Raw bytes until `wartosci` answer values have come (a 0x02 and its
    // partner count as one) or the time-out passes.
    QByteArray czytaj(int wartosci, int ms = 1000)
    {
        QByteArray b;
        QElapsedTimer t;
        t.start();
        while (zwin(b).size() < wartosci || czekaNaPare(b)) {
            const int zostalo = ms - int(t.elapsed());
            if (zostalo <= 0)
                break;
            pollfd p{m_fd, POLLIN, 0};
            if (::poll(&p, 1, zostalo) <= 0)
                break;
            char c[256];
            const ssize_t n = ::read(m_fd, c, sizeof c);
            if (n > 0)
                b.append(c, n);
        }
        return b;
    }
    // Everything that arrives within ms.
    QByteArray wszystko(int ms) { return czytaj(1 << 20, ms); }

    QByteArray wymiana(const QByteArray &ramka, int wartosci, int ms = 1000)
    {
        tcflush(m_fd, TCIFLUSH);
        pisz(ramka);
        return czytaj(wartosci, ms);
    }

    // The station's reading: a 0x02 takes the next byte with it and is 2.
    static QByteArray zwin(const QByteArray &b)
    {
        QByteArray w;
        for (qsizetype i = 0; i < b.size(); ++i) {
            w.append(b.at(i));
            if (b.at(i) == '\x02')
                ++i;
        }
        return w;
    }

private:
    // The last byte is a 0x02 still waiting for its partner.
    static bool czekaNaPare(const QByteArray &b)
    {
        qsizetype i = 0;
        while (i < b.size()) {
            if (b.at(i) == '\x02' && i + 1 == b.size())
                return true;
            i += b.at(i) == '\x02' ? 2 : 1;
        }
        return false;
    }
    int m_fd = -1;
};
