#include "odczyt.h"

#include "baza/bladbazy.h"
#include "baza/polaczenie.h"
#include "baza/pracawtle.h"
#include "baza/rekordy.h"
#include "baza/zapytanie.h"

Tabela Odczyt::pobierzTeraz(Polaczenie &polaczenie, const QString &sql)
{
    Zapytanie z;
    z.Open(sql, polaczenie);
    return Tabela::z(z);
}

QCoro::Task<Tabela> Odczyt::pobierz(QString sql) const
{
    QStringList jedno;
    jedno.append(sql);
    QVector<Tabela> t = co_await pobierz(jedno);
    co_return t.isEmpty() ? Tabela() : std::move(t.first());
}

QCoro::Task<QVector<Tabela>> Odczyt::pobierz(QStringList sql) const
{
    return pracaWTle(
        m_zrodlo, DostepBazy::Odczyt,
        [sql](Polaczenie &cn) {
            QVector<Tabela> t;
            for (const QString &s : sql)
                t.append(Odczyt::pobierzTeraz(cn, s));
            return t;
        },
        m_czasMs);
}

QCoro::Task<Tabela> Odczyt::tabela(QString nazwa) const
{
    // Built before the co_await: GCC 12 destroys a lambda written inside a
    // co_await expression twice.
    auto zadanie = pracaWTle(
        m_zrodlo, DostepBazy::Odczyt,
        [nazwa](Polaczenie &cn) {
            Rekordy rs;
            rs.Open(nazwa, cn);
            return QVector<Tabela>{Tabela::z(rs)};
        },
        m_czasMs);
    QVector<Tabela> t = co_await zadanie;
    co_return std::move(t.first());
}
