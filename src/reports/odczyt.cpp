#include "odczyt.h"

#include "platform/bladbazy.h"
#include "platform/polaczenie.h"
#include "platform/zapytanie.h"

#include <QCoro/QCoroFuture>
#include <QtConcurrent/QtConcurrentRun>

#include <optional>

namespace
{

struct Wynik {
    QVector<Tabela> tabele;
    std::optional<BladBazy> blad;
};

Wynik czytaj(const ZrodloBazy &zrodlo, const QStringList &sql)
{
    Wynik w;
    try {
        Polaczenie cn;
        cn.otworzDoOdczytu(zrodlo);
        for (const QString &s : sql)
            w.tabele.append(Odczyt::pobierzTeraz(cn, s));
    } catch (const BladBazy &b) {
        w.blad = b;
    } catch (const std::exception &e) {
        w.blad = BladBazy(1, QString::fromUtf8(e.what()));
    }
    return w;
}

} // namespace

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
    if (!m_polaczenie.otwarte())
        throw BladBazy(1, QStringLiteral("Połączenie z bazą danych jest zamknięte."));
    const ZrodloBazy zrodlo = m_polaczenie.zrodlo();
    Wynik w = co_await QtConcurrent::run(&czytaj, zrodlo, sql);
    if (w.blad)
        throw *w.blad;
    co_return std::move(w.tabele);
}
