#pragma once

#include "baza/tabela.h"
#include "baza/zrodlobazy.h"

#include <QCoro/QCoroTask>
#include <QString>

class Polaczenie;

// The reads of the windows (charts, reports, the alarm archive, the
// structure). A year of readings can take a while to gather, longer still
// when the file is not in the system's cache, and the station polls its
// controllers on the same thread as its windows: so these queries run on a
// worker thread, over a read-only connection of their own to the same file
// or server, and only the finished rows come back. A server that has not
// answered within the time-out (frozen, or a network that drops packets)
// has its read cut off with a message. Failures come back as BladBazy.
class Odczyt final
{
public:
    // Over that database (which must outlive the read), on a worker thread.
    explicit Odczyt(const ZrodloBazy &zrodlo) : m_zrodlo(zrodlo) {}

    QCoro::Task<Tabela> pobierz(QString sql) const;
    // Several queries over one connection, in order.
    QCoro::Task<QVector<Tabela>> pobierz(QStringList sql) const;
    // Every row of a table in the order of its key.
    QCoro::Task<Tabela> tabela(QString nazwa) const;

    // On the calling thread, over a connection the caller opened (tools).
    static Tabela pobierzTeraz(Polaczenie &polaczenie, const QString &sql);

    static constexpr int domyslnyCzasMs = 60000;
    void ustawCzasOczekiwania(int ms) { m_czasMs = ms; }

private:
    const ZrodloBazy &m_zrodlo;
    int m_czasMs = domyslnyCzasMs;
};
