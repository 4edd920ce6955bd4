#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

// SIGTERM and SIGINT: the system is stopping the process, so the orderly
// shutdown runs without asking. The handler only writes a byte to a socket
// pair; the work is done on the event loop when the notifier sees it.
class ZatrzymanieSygnalem final : public QObject
{
    Q_OBJECT
public:
    explicit ZatrzymanieSygnalem(std::function<void()> zatrzymaj, QObject *parent = nullptr);
    ~ZatrzymanieSygnalem() override;

private:
    void odebrano();
    std::function<void()> m_zatrzymaj;
    QSocketNotifier *m_notifier = nullptr;
};
