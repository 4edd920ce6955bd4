#include "przekaznik.h"

#include "baza/bladbazy.h"
#include "przekazywanie.h"

#include <QCoro/QCoroTimer>
#include <QElapsedTimer>
#include <QLoggingCategory>

#include <algorithm>
#include <chrono>

Q_LOGGING_CATEGORY(lcPrzekaznik, "tolvek.zapis")

namespace
{
std::int64_t msTeraz()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
} // namespace

// Everything on the forwarder's thread: the spool and database connections
// are made, used and closed there.
class PracownikPrzekazywania final : public QObject
{
public:
    PracownikPrzekazywania(Przekaznik &przekaznik, QString sciezka, ZrodloBazy zrodlo, GraniceBufora granice,
                           std::int64_t sprawdzDo, std::shared_ptr<std::atomic<std::int64_t>> zajetyOd,
                           std::shared_ptr<std::atomic<bool>> koniec)
        : m_p(przekaznik), m_sciezka(std::move(sciezka)), m_zrodlo(std::move(zrodlo)), m_granice(granice),
          m_sprawdzDo(sprawdzDo), m_zajetyOd(std::move(zajetyOd)), m_koniec(std::move(koniec))
    {
    }

    // In the thread, first.
    void uruchom()
    {
        m_ponowienie = new QTimer(this);
        m_ponowienie->setSingleShot(true);
        connect(m_ponowienie, &QTimer::timeout, this, [this] { cykl(); });
        auto *straz = new QTimer(this);
        straz->setInterval(Przekaznik::strazMs);
        connect(straz, &QTimer::timeout, this, [this] { pilnuj(); });
        straz->start();
        try {
            m_przekazywanie = std::make_unique<Przekazywanie>(m_sciezka, m_zrodlo, m_sprawdzDo);
        } catch (const BladBazy &e) {
            qCCritical(lcPrzekaznik).noquote() << "the forwarder cannot open the spool" << m_sciezka << ":" << e.opis();
            powiedz(&Przekaznik::stan, qint64(0), false, e.opis());
            return;
        }
        m_przekazywanie->naKwarantanne = [this](const WpisBufora &, const QString &powod) {
            powiedz(&Przekaznik::odlozono, powod);
        };
        m_przekazywanie->naIdAlarmu = [this](std::int64_t nr, std::int64_t id) {
            powiedz(&Przekaznik::idAlarmu, qint64(nr), qint64(id));
        };
        pilnujGranic();
        cykl();
    }

    // New entries: forwarded at once unless the database is away and its
    // next look has not come yet.
    void obudz()
    {
        if (!m_ponowienie || m_ponowienie->isActive() || m_cyklZaplanowany)
            return;
        cykl();
    }

    // The station stops: one more look even while waiting to look again.
    void ostatniaProba()
    {
        m_konczy = true;
        m_ponowienie->stop();
        m_przerwaMs = 0;
        cykl();
    }

    void koniec()
    {
        m_ponowienie->stop();
        if (m_przekazywanie)
            m_przekazywanie->zamknijBaze(QStringLiteral("stacja kończy pracę"));
        m_przekazywanie.reset();
    }

    // The forwarder's signals are emitted on its own (the window) thread:
    // their receivers there are then called directly, never from a queue
    // that could outlive a disconnection.
    template <typename Sygnal, typename... Argumenty> void powiedz(Sygnal sygnal, Argumenty... a)
    {
        QMetaObject::invokeMethod(
            &m_p, [p = &m_p, sygnal, a...] { (p->*sygnal)(a...); }, Qt::QueuedConnection);
    }

    std::shared_ptr<Przerywacz> przerywacz()
    {
        const std::lock_guard<std::mutex> l(m_blokada);
        return m_przerywacz;
    }

private:
    void cykl()
    {
        m_cyklZaplanowany = false;
        if (!m_przekazywanie || *m_koniec)
            return;
        {
            const std::lock_guard<std::mutex> l(m_blokada);
            m_przerywacz = m_przekazywanie->przerywacz();
        }
        *m_zajetyOd = msTeraz();
        Przekazywanie::Wynik w = Przekazywanie::Wynik::Niedostepna;
        try {
            w = m_przekazywanie->krok(Przekaznik::porcja);
        } catch (const BladBazy &e) {
            // The spool itself (busy with the window's write, its disk): the
            // database is not to blame, so nobody is told it is away; the
            // pass is tried again in a while, checking what it sends.
            *m_zajetyOd = 0;
            if (e.opis() != m_bladBufora)
                qCWarning(lcPrzekaznik).noquote() << "forwarding held up by the spool:" << e.opis();
            m_bladBufora = e.opis();
            m_ponowienie->start(Przekaznik::pierwszaPrzerwaMs);
            return;
        }
        m_bladBufora.clear();
        *m_zajetyOd = 0;
        const bool dostepna = w != Przekazywanie::Wynik::Niedostepna;
        if (dostepna && !m_dostepna)
            qCInfo(lcPrzekaznik) << "the database takes the spooled entries again";
        else if (!dostepna && m_przekazywanie->powod() != m_powod)
            qCInfo(lcPrzekaznik).noquote() << "the database is away:" << m_przekazywanie->powod();
        m_dostepna = dostepna;
        m_powod = m_przekazywanie->powod();
        powiedz(&Przekaznik::stan, m_przekazywanie->wezUsuniete(), dostepna, m_powod);
        if (w == Przekazywanie::Wynik::Przekazano) {
            m_przerwaMs = 0;
            // The next batch after the thread's queue has been served (a
            // stop, a new entry).
            m_cyklZaplanowany = true;
            QMetaObject::invokeMethod(
                this, [this] { cykl(); }, Qt::QueuedConnection);
            return;
        }
        if (w == Przekazywanie::Wynik::Niedostepna) {
            m_przerwaMs = m_przerwaMs == 0 ? Przekaznik::pierwszaPrzerwaMs
                                           : std::min(m_przerwaMs * 2, Przekaznik::najdluzszaPrzerwaMs);
            m_ponowienie->start(m_przerwaMs);
        } else {
            m_przerwaMs = 0;
        }
        if (m_konczy)
            powiedz(&Przekaznik::przekazanoPrzedKoncem);
    }

    void pilnuj()
    {
        if (!m_przekazywanie)
            return;
        if (m_przekazywanie->sprawdzBaze()) {
            qCWarning(lcPrzekaznik).noquote() << "the database is away:" << m_przekazywanie->powod();
            m_dostepna = false;
            m_powod = m_przekazywanie->powod();
            powiedz(&Przekaznik::stan, m_przekazywanie->wezUsuniete(), false, m_powod);
            if (!m_ponowienie->isActive())
                m_ponowienie->start(m_przerwaMs = Przekaznik::pierwszaPrzerwaMs);
        }
        pilnujGranic();
    }

    // Readings beyond the bound drop the oldest; the operator hears at 80 %.
    void pilnujGranic()
    {
        int usuniete = 0;
        QString od, doCzasu;
        const int procent = m_przekazywanie->pilnujGranic(m_granice, &usuniete, &od, &doCzasu);
        if (usuniete > 0) {
            powiedz(&Przekaznik::obcieto, usuniete, od, doCzasu);
            powiedz(&Przekaznik::stan, m_przekazywanie->wezUsuniete(), m_dostepna, m_powod);
        }
        if (procent >= 80 && m_zapelnienie < 80)
            powiedz(&Przekaznik::zapelnienie, procent);
        if (procent >= 80 || procent < 70)
            m_zapelnienie = procent;
    }

    Przekaznik &m_p;
    QString m_sciezka;
    ZrodloBazy m_zrodlo;
    GraniceBufora m_granice;
    std::int64_t m_sprawdzDo;
    std::shared_ptr<std::atomic<std::int64_t>> m_zajetyOd;
    std::shared_ptr<std::atomic<bool>> m_koniec;
    std::unique_ptr<Przekazywanie> m_przekazywanie;
    QTimer *m_ponowienie = nullptr;
    int m_przerwaMs = 0;
    bool m_dostepna = true;
    bool m_cyklZaplanowany = false;
    bool m_konczy = false;
    QString m_powod;
    QString m_bladBufora;
    int m_zapelnienie = 0;
    std::mutex m_blokada;
    std::shared_ptr<Przerywacz> m_przerywacz;
};

Przekaznik::Przekaznik(QString sciezkaBufora, ZrodloBazy zrodlo, GraniceBufora granice, std::int64_t sprawdzDo,
                       QObject *parent)
    : QObject(parent), m_zajetyOd(std::make_shared<std::atomic<std::int64_t>>(0)),
      m_koniec(std::make_shared<std::atomic<bool>>(false))
{
    m_watek.setObjectName(QStringLiteral("przekaznik"));
    m_pracownik = new PracownikPrzekazywania(*this, std::move(sciezkaBufora), std::move(zrodlo), granice, sprawdzDo,
                                             m_zajetyOd, m_koniec);
    m_pracownik->moveToThread(&m_watek);
    connect(&m_watek, &QThread::finished, m_pracownik, &QObject::deleteLater);
    ustawNajdluzszaInstrukcje(najdluzszaInstrukcjaMs);
    connect(&m_straznik, &QTimer::timeout, this, &Przekaznik::pilnuj);
}

Przekaznik::~Przekaznik()
{
    zatrzymaj();
    // A worker whose thread never ran; one whose thread ran went with it.
    delete m_pracownik;
}

void Przekaznik::zatrzymaj()
{
    if (!m_watek.isRunning())
        return;
    m_straznik.stop();
    *m_koniec = true;
    if (auto p = m_pracownik->przerywacz())
        p->przerwij();
    QMetaObject::invokeMethod(
        m_pracownik, [p = m_pracownik] { p->koniec(); }, Qt::QueuedConnection);
    m_watek.quit();
    m_watek.wait();
    m_pracownik = nullptr; // deleted in its thread as the thread finished
}

void Przekaznik::ustawNajdluzszaInstrukcje(int ms)
{
    m_najdluzszaInstrukcjaMs = ms;
    m_straznik.setInterval(std::max(250, ms / 4));
}

void Przekaznik::start()
{
    m_watek.start();
    QMetaObject::invokeMethod(
        m_pracownik, [p = m_pracownik] { p->uruchom(); }, Qt::QueuedConnection);
    m_straznik.start();
}

void Przekaznik::obudz()
{
    if (m_watek.isRunning())
        QMetaObject::invokeMethod(
            m_pracownik, [p = m_pracownik] { p->obudz(); }, Qt::QueuedConnection);
}

void Przekaznik::pilnuj()
{
    const std::int64_t od = *m_zajetyOd;
    if (!m_watek.isRunning())
        return;
    if (od == 0 || od == m_przerwanyOd || msTeraz() - od < m_najdluzszaInstrukcjaMs)
        return;
    m_przerwanyOd = od;
    if (auto p = m_pracownik->przerywacz()) {
        qCWarning(lcPrzekaznik) << "the database has not answered for" << (msTeraz() - od) / 1000
                                << "s: the statement is cut off and the database is looked for again";
        p->przerwij();
    }
}

QCoro::Task<void> Przekaznik::zakoncz(int czasMs)
{
    if (!m_watek.isRunning())
        co_return;
    QMetaObject::invokeMethod(
        m_pracownik, [p = m_pracownik] { p->ostatniaProba(); }, Qt::QueuedConnection);
    // The signal brings the one timeout forward (a signal awaited by itself
    // would be delivered from a queue after the wait it ended).
    QTimer koniec;
    koniec.setSingleShot(true);
    const QMetaObject::Connection przekazano =
        connect(this, &Przekaznik::przekazanoPrzedKoncem, &koniec, [&koniec] { koniec.start(0); });
    koniec.start(czasMs);
    co_await koniec;
    disconnect(przekazano);
    zatrzymaj();
}
