#include "lacze.h"

#include "terminal.h"

#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace sim
{

Lacze::Lacze(std::unique_ptr<Terminal> terminal, int predkosc, QObject *parent)
    : QObject(parent), m_terminal(std::move(terminal))
{
    // Ten bits per byte: start bit, eight data bits, stop bit.
    m_nsNaBajt = predkosc > 0 ? 10LL * 1'000'000'000LL / predkosc : 0;
    m_zegar.start();
    m_notyfikator = new QSocketNotifier(m_terminal->fd(), QSocketNotifier::Read, this);
    connect(m_notyfikator, &QSocketNotifier::activated, this, &Lacze::czytaj);
    m_timer = new QTimer(this);
    m_timer->setSingleShot(true);
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &Lacze::pompuj);
}

Lacze::~Lacze() = default;

QString Lacze::sciezka() const
{
    return m_terminal->sciezka();
}

void Lacze::czytaj()
{
    char bufor[512];
    const ssize_t n = ::read(m_terminal->fd(), bufor, sizeof bufor);
    if (n > 0) {
        const qint64 t = teraz();
        qint64 koniec = t;
        if (!m_terminal->prawdziweLacze()) {
            // A pseudo-terminal hands over a whole write at once; a cable
            // would still be shifting the bytes in.
            m_odbiorWolnyOd = std::max(m_odbiorWolnyOd, t) + n * m_nsNaBajt;
            koniec = m_odbiorWolnyOd;
        }
        Q_EMIT odebrano(QByteArray(bufor, n), koniec);
        return;
    }
    if (n == 0 || errno == EAGAIN || errno == EINTR)
        return;
    if (errno == EIO) {
        // No process holds the slave side (cannot happen while we hold it,
        // but a device that vanished reads the same way).
        m_notyfikator->setEnabled(false);
        Q_EMIT awaria(QStringLiteral("linia zamknięta (EIO)"));
        return;
    }
    m_notyfikator->setEnabled(false);
    Q_EMIT awaria(QStringLiteral("odczyt: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));
}

void Lacze::wyslij(const QByteArray &bajty, qint64 odNs)
{
    if (bajty.isEmpty())
        return;
    Wpis w;
    w.bajty = bajty;
    w.startNs = std::max(odNs, m_nadawanieWolneOd);
    m_nadawanieWolneOd = w.startNs + bajty.size() * m_nsNaBajt;
    m_kolejka.push_back(std::move(w));
    pompuj();
}

void Lacze::porzucNadawanie()
{
    m_kolejka.clear();
    m_timer->stop();
    m_nadawanieWolneOd = teraz();
}

void Lacze::pompuj()
{
    const qint64 t = teraz();
    QByteArray porcja;
    QList<QByteArray> gotowe;
    while (!m_kolejka.empty()) {
        Wpis &w = m_kolejka.front();
        // A byte is handed over once its stop bit has passed.
        while (w.wyslane < w.bajty.size() && w.startNs + (w.wyslane + 1) * m_nsNaBajt <= t)
            porcja.append(w.bajty.at(w.wyslane++));
        if (w.wyslane < w.bajty.size())
            break;
        gotowe.append(w.bajty);
        m_kolejka.pop_front();
    }
    if (!porcja.isEmpty())
        zapiszNaLinie(porcja);
    for (const QByteArray &b : std::as_const(gotowe))
        Q_EMIT wyslano(b);
    zaplanuj();
}

void Lacze::zaplanuj()
{
    if (m_kolejka.empty()) {
        m_timer->stop();
        return;
    }
    const Wpis &w = m_kolejka.front();
    const qint64 termin = w.startNs + (w.wyslane + 1) * m_nsNaBajt;
    // Whole milliseconds only: rounding up would make every answer late by
    // up to a millisecond a byte; waking early just re-arms at zero.
    const qint64 ms = std::max<qint64>(0, (termin - teraz()) / 1'000'000);
    m_timer->start(static_cast<int>(ms));
}

void Lacze::zapiszNaLinie(const QByteArray &bajty)
{
    qsizetype zapisane = 0;
    while (zapisane < bajty.size()) {
        const ssize_t n = ::write(m_terminal->fd(), bajty.constData() + zapisane, bajty.size() - zapisane);
        if (n > 0) {
            zapisane += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        // Nobody reads the line and its buffer is full: on a cable the bytes
        // would simply be lost, and so they are here.
        return;
    }
}

} // namespace sim
