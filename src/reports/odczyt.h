#pragma once

#include "tabela.h"

#include <QCoro/QCoroTask>
#include <QString>

class Polaczenie;

// The reads of the charts and reports. A year of readings can take a while
// to gather, longer still when the file is not in the system's cache, and
// the station polls its controllers on the same thread as its windows: so
// the station runs these queries on a worker thread, over a read-only
// connection of its own to the same file or server, and only the finished
// rows come back. Failures come back as BladBazy.
class Odczyt final
{
public:
    // Over the database of that connection, on a worker thread.
    explicit Odczyt(const Polaczenie &polaczenie) : m_polaczenie(polaczenie) {}

    QCoro::Task<Tabela> pobierz(QString sql) const;
    // Several queries over one connection, in order.
    QCoro::Task<QVector<Tabela>> pobierz(QStringList sql) const;

    // On the calling thread, over a connection the caller opened (tools).
    static Tabela pobierzTeraz(Polaczenie &polaczenie, const QString &sql);

private:
    const Polaczenie &m_polaczenie;
};
