#include "harmonogram.h"

#include "clswizual.h"
#include "comm/clcomm.h"
#include "comm/clskolejka.h"
#include "model/colregulatory.h"
#include "model/listaalarmow.h"
#include "model/odczyt.h"
#include "platform/komunikaty.h"
#include "platform/zegar.h"

#include <QCoro/QCoroSignal>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcHarmonogram, "tolvek.harmonogram")

Harmonogram::Harmonogram(colRegulatory &regulatory, OdczytRegulatora &odczyt, clsKolejka &kolejka, clsWizual &wizual,
                         const ListaAlarmow &alarmy, const Zegar &zegar, Komunikaty &komunikaty, QObject *parent)
    : QObject(parent), m_regulatory(regulatory), m_odczyt(odczyt), m_kolejka(kolejka), m_wizual(wizual),
      m_alarmy(alarmy), m_zegarSystemu(zegar), m_komunikaty(komunikaty)
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
    if (m_wTakcie || m_zatrzymany || m_komunikacjaWstrzymana)
        co_return;
    m_wTakcie = true;
    struct Koniec {
        Harmonogram *h;
        ~Koniec()
        {
            h->m_wTakcie = false;
            Q_EMIT h->taktZakonczony();
        }
    } poTakcie{this};

    m_teraz = m_zegarSystemu.teraz();
    const QString zegar = m_teraz.format(QStringLiteral("HH:mm:ss"));
    if (zegar != m_zegar) {
        m_zegar = zegar;
        Q_EMIT zegarZmieniony(zegar);
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
    for (const auto &r : m_regulatory) {
        if (!r->adresNaMagistrali())
            continue;
        try {
            co_await m_odczyt.OkresowyOdczyt(*r, m_teraz);
            m_bledy.remove(r->Id);
        } catch (const PrzerwanieLinii &) {
            throw;
        } catch (const std::exception &e) {
            zglosBlad(*r, e);
        }
    }
    if (m_czytajWszystkie) {
        // After a pause: the controllers that the loop above did not read.
        m_czytajWszystkie = false;
        for (const auto &r : m_regulatory) {
            if (!r->adresNaMagistrali() || r->OstatniOdczyt == m_teraz)
                continue;
            try {
                co_await m_odczyt.WczytajStanRegul(*r, m_teraz);
            } catch (const PrzerwanieLinii &) {
                throw;
            } catch (const std::exception &e) {
                zglosBlad(*r, e);
            }
        }
    }
    co_await m_kolejka.Wykonaj();
    for (const auto &r : m_regulatory) {
        if (!r->Monitoring || !r->adresNaMagistrali())
            continue;
        struct Monitorowanie {
            clsWizual &w;
            int id;
            ~Monitorowanie() { w.eMonitoring(id, false); }
        } monitorowanie{m_wizual, r->Id};
        m_wizual.eMonitoring(r->Id, true);
        try {
            co_await m_odczyt.WczytajStanRegul(*r, m_teraz);
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
    m_komunikaty.pokaz(QStringLiteral("Błąd obsługi regulatora '") + r.Kod + QStringLiteral("':") + QLatin1Char('\r') +
                           opis,
                       QStringLiteral("Tolvek"), Ikona::Krytyczna);
}

void Harmonogram::wstrzymaj()
{
    m_timer1.stop();
}

void Harmonogram::wznow()
{
    if (!m_zatrzymany && !m_komunikacjaWstrzymana)
        m_timer1.start();
}

void Harmonogram::wstrzymajKomunikacje()
{
    m_komunikacjaWstrzymana = true;
    m_timer1.stop();
}

void Harmonogram::wznowKomunikacje()
{
    m_komunikacjaWstrzymana = false;
    m_czytajWszystkie = true;
    if (!m_zatrzymany)
        m_timer1.start();
}

void Harmonogram::naZmianeLiczbAlarmow()
{
    if (m_zatrzymany)
        return;
    if (m_alarmy.IloscNiePotwAlarmow() >= 1) {
        // Re-enabling would restart the intervals: leave running timers be.
        if (!m_timer2.isActive())
            m_timer2.start();
        if (!m_timer3.isActive())
            m_timer3.start();
    } else {
        m_timer2.stop();
        m_timer3.stop();
    }
}

void Harmonogram::naTimer2()
{
    if (m_alarmy.IloscAktywnychAlarmow() <= 0)
        return;
    m_wizual.mrugnij();
}

void Harmonogram::naTimer3()
{
    if (m_alarmy.IloscAktywnychAlarmow() > 0)
        m_wizual.GrajDzwiek(QStringLiteral("alarm.wav"));
}
