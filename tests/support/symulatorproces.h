#pragma once

// The real tolvek-sim (path in TOLVEK_SIM, set by CTest) under QProcess, and
// the frames its log (--log FILE) says it received.

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QStringList>

// The frames received, in order, as "02 01 4F 06".
inline QStringList odebraneRamki(const QString &log)
{
    QStringList r;
    QFile f(log);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return r;
    // "<time> RX 02 01 4F 06"
    while (!f.atEnd()) {
        const QString linia = QString::fromUtf8(f.readLine()).trimmed();
        if (linia.section(QLatin1Char(' '), 1, 1) == QLatin1String("RX"))
            r << linia.section(QLatin1Char(' '), 2);
    }
    return r;
}

class SymulatorProces final
{
public:
    ~SymulatorProces() { zatrzymaj(); }

    // False when the program did not start or printed no PORT line. The
    // waits are generous: a loaded machine may start a sanitized build slowly.
    bool start(const QStringList &argumenty)
    {
        m_p.start(qEnvironmentVariable("TOLVEK_SIM"), argumenty);
        const QString pierwsza = linia();
        port = pierwsza.mid(5);
        return pierwsza.startsWith(QLatin1String("PORT "));
    }

    // The next line of standard output; empty after the time-out.
    QString linia(int ms = 30000)
    {
        const QDeadlineTimer termin(ms);
        while (!m_p.canReadLine() && m_p.waitForReadyRead(static_cast<int>(termin.remainingTime())))
            ;
        return m_p.canReadLine() ? QString::fromUtf8(m_p.readLine()).trimmed() : QString();
    }

    // A command on standard input; its answer is its last line ("OK" or
    // "BŁĄD: ...").
    QString polecenie(const QString &tekst)
    {
        m_p.write((tekst + QLatin1Char('\n')).toUtf8());
        for (;;) {
            const QString l = linia();
            if (l.isEmpty() || l == QLatin1String("OK") || l.startsWith(QStringLiteral("BŁĄD")))
                return l;
        }
    }

    void zatrzymaj()
    {
        if (m_p.state() == QProcess::NotRunning)
            return;
        m_p.terminate();
        if (!m_p.waitForFinished(30000))
            m_p.kill();
        m_p.waitForFinished();
    }

    QProcess &proces() { return m_p; }
    QString port;

private:
    QProcess m_p;
};
