#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QLocalServer;
class QSocketNotifier;

namespace sim
{

class Polecenia;

// Where commands come from while the simulator runs: standard input (one
// command per line, answers on standard output) and, when asked for, a local
// control socket (answers go back to the client that asked).
class Sterowanie final : public QObject
{
    Q_OBJECT
public:
    Sterowanie(Polecenia &polecenia, QObject *parent = nullptr);
    ~Sterowanie() override;

    void czytajStdin();
    bool sluchaj(const QString &nazwa, QString *blad);

private:
    void zStdin();
    void nowyKlient();

    Polecenia &m_polecenia;
    QSocketNotifier *m_stdin = nullptr;
    QByteArray m_bufor;
    QLocalServer *m_serwer = nullptr;
};

// SIGTERM and SIGINT end the event loop through a self-pipe, so shutdown
// runs the ordinary destructors.
bool przechwycSygnaly(QObject *kontekst, QString *blad);

} // namespace sim
