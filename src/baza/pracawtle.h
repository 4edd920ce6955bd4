#pragma once

#include "tabela.h"
#include "zrodlobazy.h"

#include <QCoro/QCoroTask>
#include <QVector>

#include <functional>
#include <memory>

class Polaczenie;

// Database work that the window thread must not wait for: it runs on a
// thread of its own over a connection of its own, and only its result comes
// back. A database that has not answered within czasMs (a frozen server, a
// network that drops packets) has the work cut off and a BladBazy that says
// so is thrown; so is every failure of the work.

// What the work tells the one that waits for it.
class PracaWTle final
{
public:
    struct Stan;
    explicit PracaWTle(std::shared_ptr<Stan> stan) : m_stan(std::move(stan)) {}
    // The work's connection, to cut off when the wait gives up; false when
    // it has given up already (the work then ends at once).
    bool polaczono(const Polaczenie &cn);

private:
    std::shared_ptr<Stan> m_stan;
};

// Runs praca on its thread at once; opisBazy names the database in the
// time-out's message.
QCoro::Task<QVector<Tabela>> wTle(std::function<QVector<Tabela>(PracaWTle &)> praca, int czasMs, QString opisBazy);

// The usual case: a connection to zrodlo (read-only unless asked), then
// praca over it.
enum class DostepBazy { Odczyt, Zapis };
QCoro::Task<QVector<Tabela>> pracaWTle(const ZrodloBazy &zrodlo, DostepBazy dostep,
                                       std::function<QVector<Tabela>(Polaczenie &)> praca, int czasMs);
