#include "sterowanie.h"

#include "dziennik.h"
#include "polecenia.h"

#include <QCoreApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace sim
{

Sterowanie::Sterowanie(Polecenia &polecenia, QObject *parent) : QObject(parent), m_polecenia(polecenia) {}

Sterowanie::~Sterowanie() = default;

void Sterowanie::czytajStdin()
{
    m_stdin = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
    connect(m_stdin, &QSocketNotifier::activated, this, &Sterowanie::zStdin);
}

void Sterowanie::zStdin()
{
    char b[1024];
    const ssize_t n = ::read(STDIN_FILENO, b, sizeof b);
    if (n <= 0) {
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            return;
        // End of input: the simulator goes on serving the line.
        m_stdin->setEnabled(false);
        return;
    }
    m_bufor.append(b, n);
    qsizetype nl;
    while ((nl = m_bufor.indexOf('\n')) >= 0) {
        const QString linia = QString::fromUtf8(m_bufor.left(nl));
        m_bufor.remove(0, nl + 1);
        for (const QString &w : m_polecenia.wykonaj(linia))
            wypisz(w);
    }
}

bool Sterowanie::sluchaj(const QString &nazwa, QString *blad)
{
    m_serwer = new QLocalServer(this);
    QLocalServer::removeServer(nazwa);
    if (!m_serwer->listen(nazwa)) {
        *blad = QStringLiteral("gniazdo %1: %2").arg(nazwa, m_serwer->errorString());
        return false;
    }
    connect(m_serwer, &QLocalServer::newConnection, this, &Sterowanie::nowyKlient);
    return true;
}

void Sterowanie::nowyKlient()
{
    while (QLocalSocket *k = m_serwer->nextPendingConnection()) {
        connect(k, &QLocalSocket::disconnected, k, &QObject::deleteLater);
        connect(k, &QLocalSocket::readyRead, this, [this, k] {
            while (k->canReadLine()) {
                const QString linia = QString::fromUtf8(k->readLine());
                for (const QString &w : m_polecenia.wykonaj(linia))
                    k->write((w + QLatin1Char('\n')).toUtf8());
            }
        });
    }
}

namespace
{
int g_potok[2] = {-1, -1};

void naSygnal(int)
{
    const char c = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_potok[1], &c, 1);
}
} // namespace

bool przechwycSygnaly(QObject *kontekst, QString *blad)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_potok) != 0) {
        *blad = QStringLiteral("socketpair: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    auto *n = new QSocketNotifier(g_potok[0], QSocketNotifier::Read, kontekst);
    QObject::connect(n, &QSocketNotifier::activated, kontekst, [] {
        char c;
        [[maybe_unused]] const ssize_t r = ::read(g_potok[0], &c, 1);
        QCoreApplication::quit();
    });
    struct sigaction sa {
    };
    sa.sa_handler = naSygnal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
    // A reader of our standard output that went away must not kill us.
    std::signal(SIGPIPE, SIG_IGN);
    return true;
}

} // namespace sim
