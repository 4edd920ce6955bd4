#include "pracawtle.h"

#include "bladbazy.h"
#include "polaczenie.h"

#include <QCoro/QCoroSignal>
#include <QFutureWatcher>
#include <QPromise>
#include <QThread>

#include <mutex>
#include <optional>

// Shared by the work and the wait: work given up on has its connection cut
// off, and work that connects after that does not begin.
struct PracaWTle::Stan {
    std::mutex blokada;
    std::shared_ptr<Przerywacz> przerywacz;
    bool porzucona = false;
    QVector<Tabela> wynik;
    std::optional<BladBazy> blad;
    int czasMs = 0;
    QString opisBazy;
    // Finished when the work has ended, however it ended.
    QPromise<void> koniec;
};

bool PracaWTle::polaczono(const Polaczenie &cn)
{
    const std::lock_guard<std::mutex> l(m_stan->blokada);
    m_stan->przerywacz = cn.przerywacz();
    return !m_stan->porzucona;
}

namespace
{

// Only the shared state goes into the coroutine: what the work is made of
// stays with its thread.
QCoro::Task<QVector<Tabela>> czekaj(std::shared_ptr<PracaWTle::Stan> stan)
{
    QFutureWatcher<void> obserwator;
    obserwator.setFuture(stan->koniec.future());
    const auto koniec =
        co_await qCoro(&obserwator, &QFutureWatcher<void>::finished, std::chrono::milliseconds(stan->czasMs));
    if (!koniec && !obserwator.isFinished()) {
        const std::lock_guard<std::mutex> l(stan->blokada);
        stan->porzucona = true;
        if (stan->przerywacz)
            stan->przerywacz->przerwij();
        throw BladBazy(1, QStringLiteral("Baza danych (%1) nie odpowiedziała w ciągu %2 s; działanie przerwano. "
                                         "Proszę spróbować ponownie później.")
                              .arg(stan->opisBazy)
                              .arg(stan->czasMs / 1000));
    }
    if (stan->blad)
        throw *stan->blad;
    co_return std::move(stan->wynik);
}

} // namespace

QCoro::Task<QVector<Tabela>> wTle(std::function<QVector<Tabela>(PracaWTle &)> praca, int czasMs, QString opisBazy)
{
    const auto stan = std::make_shared<PracaWTle::Stan>();
    stan->czasMs = czasMs;
    stan->opisBazy = std::move(opisBazy);
    stan->koniec.start();
    QThread *watek = QThread::create([praca = std::move(praca), stan] {
        PracaWTle p(stan);
        try {
            stan->wynik = praca(p);
        } catch (const BladBazy &b) {
            stan->blad = b;
        } catch (const std::exception &e) {
            stan->blad = BladBazy(1, QString::fromUtf8(e.what()));
        }
        stan->koniec.finish();
    });
    // The thread object goes when its work ends, even work given up on.
    QObject::connect(watek, &QThread::finished, watek, &QObject::deleteLater);
    watek->start();
    return czekaj(stan);
}

QCoro::Task<QVector<Tabela>> pracaWTle(const ZrodloBazy &zrodlo, DostepBazy dostep,
                                       std::function<QVector<Tabela>(Polaczenie &)> praca, int czasMs)
{
    if (zrodlo.pusty())
        throw BladBazy(1, QStringLiteral("Nie wskazano bazy danych."));
    return wTle(
        [zrodlo, dostep, praca = std::move(praca)](PracaWTle &p) {
            Polaczenie cn;
            if (dostep == DostepBazy::Odczyt)
                cn.otworzDoOdczytu(zrodlo);
            else
                cn.otworz(zrodlo);
            return p.polaczono(cn) ? praca(cn) : QVector<Tabela>();
        },
        czasMs, zrodlo.opis());
}
