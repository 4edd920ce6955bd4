#include "harmonogram.h"

#include "kontekst.h"

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
    // between them: a tick never starts inside another.
    if (m_wTakcie)
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
        // Registry order; every controller of the tick sees the same Teraz.
        for (const auto &r : m_k.oRegulatory)
            co_await r->OkresowyOdczyt(m_teraz);
        co_await m_k.oKolejka.Wykonaj();
        for (const auto &r : m_k.oRegulatory) {
            if (!r->Monitoring)
                continue;
            m_k.oWizual.eMonitoring(r->Id, true);
            co_await r->WczytajStanRegul(m_teraz);
            m_k.oWizual.eMonitoring(r->Id, false);
        }
    } catch (const std::exception &e) {
        // An unexpected failure ends this tick only; the next one runs.
        qCWarning(lcHarmonogram) << "tick failed:" << e.what();
    }
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
