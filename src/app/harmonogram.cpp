#include "harmonogram.h"

#include "kontekst.h"

#include <QCoro/QCoroSignal>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcHarmonogram, "tolvek.harmonogram")

Harmonogram::Harmonogram(Kontekst &k, QObject *parent) : QObject(parent), m_k(k)
{
    // A coarse timer may fire 5 % late; at 100 ms that is a reading in twenty.
    m_timer1.setTimerType(Qt::PreciseTimer);
    m_timer1.setInterval(100);
    m_timer2.setInterval(1000);
    m_timer3.setInterval(3000);
    connect(&m_timer1, &QTimer::timeout, this, &Harmonogram::naTimer1);
    connect(&m_timer2, &QTimer::timeout, this, &Harmonogram::naTimer2);
    connect(&m_timer3, &QTimer::timeout, this, &Harmonogram::naTimer3);
}

void Harmonogram::naTimer1()
{
    takt(); // runs on by itself; its frame is freed when it finishes
}

QCoro::Task<void> Harmonogram::takt()
{
    // Exchanges stop Timer1, but a handler could still let a timeout through
    // between them: a tick never starts inside another, nor after the stop.
    if (m_wTakcie || m_zatrzymany)
        co_return;
    m_wTakcie = true;
    struct Koniec {
        Harmonogram *h;
        ~Koniec()
        {
            h->m_wTakcie = false;
            Q_EMIT h->taktZakonczony();
        }
    } koniec{this};

    m_teraz = m_k.teraz();
    const QString zegar = m_teraz.format(QStringLiteral("HH:mm:ss"));
    if (zegar != m_zegar) {
        m_zegar = zegar;
        Q_EMIT this->zegar(zegar);
    }

    try {
        co_await przebieg();
    } catch (const PrzerwanieLinii &) {
        // The station is stopping: the rest of the tick is dropped.
    }
}

QCoro::Task<void> Harmonogram::przebieg()
{
    // Registry order; every controller of the tick sees the same Teraz. One
    // controller's failure ends only its own part of the tick.
    for (const auto &r : m_k.oRegulatory) {
        if (!r->adresNaMagistrali())
            continue;
        try {
            co_await r->OkresowyOdczyt(m_teraz);
            m_bledy.remove(r->Id);
        } catch (const PrzerwanieLinii &) {
            throw;
        } catch (const std::exception &e) {
            zglosBlad(*r, e);
        }
    }
    co_await m_k.oKolejka.Wykonaj();
    for (const auto &r : m_k.oRegulatory) {
        if (!r->Monitoring || !r->adresNaMagistrali())
            continue;
        struct Monitorowanie {
            clsWizual &w;
            int id;
            ~Monitorowanie() { w.eMonitoring(id, false); }
        } monitorowanie{m_k.oWizual, r->Id};
        m_k.oWizual.eMonitoring(r->Id, true);
        try {
            co_await r->WczytajStanRegul(m_teraz);
        } catch (const PrzerwanieLinii &) {
            throw;
        } catch (const std::exception &e) {
            zglosBlad(*r, e);
        }
    }
}

void Harmonogram::zatrzymaj()
{
    m_zatrzymany = true;
    m_timer1.stop();
    m_timer2.stop();
    m_timer3.stop();
}

QCoro::Task<void> Harmonogram::koniecTaktu()
{
    if (m_wTakcie)
        co_await qCoro(this, &Harmonogram::taktZakonczony);
}

void Harmonogram::zglosBlad(const clRegulator &r, const std::exception &e)
{
    const QString opis = QString::fromUtf8(e.what());
    // A failing controller stays due and fails again every tick: the log
    // hears of each new failure, the operator once per controller.
    if (m_bledy.value(r.Id) == opis)
        return;
    m_bledy.insert(r.Id, opis);
    qCWarning(lcHarmonogram).noquote() << "controller" << r.Id << r.Kod << "failed in a tick:" << opis;
    if (m_powiadomiono.contains(r.Id))
        return;
    m_powiadomiono.insert(r.Id);
    m_k.komunikaty().pokaz(QStringLiteral("Błąd obsługi regulatora '") + r.Kod + QStringLiteral("':") +
                               QLatin1Char('\r') + opis,
                           QStringLiteral("Tolvek"), Ikona::Krytyczna);
}

void Harmonogram::naTimer2()
{
    if (m_k.oApp.IloscAktywnychAlarmow <= 0)
        return;
    m_k.oWizual.mrugnij();
}

void Harmonogram::naTimer3()
{
    if (m_k.oApp.IloscAktywnychAlarmow > 0)
        m_k.oWizual.GrajDzwiek(QStringLiteral("alarm.wav"));
}
