#include "sygnaly.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace
{

int g_gniazda[2] = {-1, -1};

extern "C" void naSygnal(int)
{
    const char b = 1;
    // Nothing else is safe here; a full pipe already carries the request.
    [[maybe_unused]] const ssize_t n = ::write(g_gniazda[0], &b, 1);
}

void ustawObsluge(int sygnal, void (*obsluga)(int))
{
    struct sigaction sa = {};
    sa.sa_handler = obsluga;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    ::sigaction(sygnal, &sa, nullptr);
}

} // namespace

ZatrzymanieSygnalem::ZatrzymanieSygnalem(std::function<void()> zatrzymaj, QObject *parent)
    : QObject(parent), m_zatrzymaj(std::move(zatrzymaj))
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_gniazda) != 0)
        return;
    m_notifier = new QSocketNotifier(g_gniazda[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &ZatrzymanieSygnalem::odebrano);
    ustawObsluge(SIGTERM, &naSygnal);
    ustawObsluge(SIGINT, &naSygnal);
}

ZatrzymanieSygnalem::~ZatrzymanieSygnalem()
{
    ustawObsluge(SIGTERM, SIG_DFL);
    ustawObsluge(SIGINT, SIG_DFL);
    delete m_notifier;
    for (int &g : g_gniazda) {
        if (g >= 0)
            ::close(g);
        g = -1;
    }
}

void ZatrzymanieSygnalem::odebrano()
{
    char b[16];
    while (::read(g_gniazda[1], b, sizeof b) > 0) {
    }
    m_notifier->setEnabled(false);
    if (m_zatrzymaj)
        m_zatrzymaj();
}
