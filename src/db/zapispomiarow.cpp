#include "zapispomiarow.h"

#include "platform/bladbazy.h"
#include "platform/komunikaty.h"
#include "platform/polaczenie.h"
#include "platform/rekordy.h"
#include "platform/sqlpomoc.h"
#include "platform/tekst.h"
#include "platform/zegar.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSqlDatabase>
#include <QSqlError>

#include <algorithm>

Q_LOGGING_CATEGORY(lcZapis, "tolvek.zapis")

namespace
{
QString tytul()
{
    return QStringLiteral("Tolvek");
}
} // namespace

ZapisPomiarow::ZapisPomiarow(Polaczenie &cnBaza, Rekordy &rsPomiary, Rekordy &rsOstPomiar, Rekordy &rsRegulatory,
                             const Zegar &zegar, Komunikaty &komunikaty, QObject *parent)
    : QObject(parent), m_cn(cnBaza), m_rsPomiary(rsPomiary), m_rsOstPomiar(rsOstPomiar), m_rsRegulatory(rsRegulatory),
      m_zegar(zegar), m_komunikaty(komunikaty)
{
    m_ponowienie.setSingleShot(true);
    connect(&m_ponowienie, &QTimer::timeout, this, &ZapisPomiarow::oproznij);
    m_straz.setInterval(sprawdzaniePlikuMs);
    connect(&m_straz, &QTimer::timeout, this, &ZapisPomiarow::sprawdzPlik);
    connect(&m_powrot, &PowrotSerwera::odpowiada, this, &ZapisPomiarow::powrotSerwera);
}

void ZapisPomiarow::czuwaj()
{
    m_straz.start();
}

bool ZapisPomiarow::zapisz(const WpisPomiaru &wpis)
{
    if (m_naAdres.value(wpis.adres) >= limitNaRegulator) {
        const auto najstarszy = std::find_if(m_kolejka.begin(), m_kolejka.end(),
                                             [&wpis](const Zalegly &z) { return z.wpis.adres == wpis.adres; });
        qCWarning(lcZapis).noquote() << "the readings of address" << wpis.adres << "waiting to be stored reached"
                                     << limitNaRegulator << "- the oldest, of" << najstarszy->wpis.data.tekstBazy()
                                     << ", is dropped and its interval's energy is not stored";
        m_kolejka.erase(najstarszy);
        --m_naAdres[wpis.adres];
    }
    m_kolejka.push_back({wpis, ++m_numer});
    ++m_naAdres[wpis.adres];
    const std::uint64_t numer = m_numer;
    oproznij();
    return m_kolejka.empty() || m_kolejka.front().numer > numer;
}

void ZapisPomiarow::oproznij()
{
    m_oproznianieZaplanowane = false;
    if (m_kolejka.empty() || m_zegar.msMonotoniczne() < m_nastepnaProbaMs)
        return;
    // A session ended by an alarm or log write, or by a reader, is seen here.
    if (!m_serwerUtracony && m_cn.polaczenieZerwane()) {
        utrataSerwera(QStringLiteral("połączenie zostało zerwane"));
        return;
    }
    // Never into a file nobody will see again.
    if (!m_plikUtracony && m_cn.otwarte() && m_cn.plikPrzeniesiony())
        utratePliku();
    if (m_plikUtracony || m_serwerUtracony || !m_cn.otwarte() || !zapiszPorcje())
        return;
    // A long backlog goes in batches, with the event loop in between.
    if (!m_kolejka.empty() && !m_oproznianieZaplanowane) {
        m_oproznianieZaplanowane = true;
        QTimer::singleShot(0, this, &ZapisPomiarow::oproznij);
    }
}

bool ZapisPomiarow::zapiszPorcje()
{
    const std::size_t ile = std::min<std::size_t>(porcja, m_kolejka.size());
    QSqlDatabase &db = m_cn.db();
    try {
        // A database locked by another program fails at the first write,
        // after the short busy (lock) time-out.
        if (!db.transaction())
            throw sqlpomoc::blad(db.lastError(), QStringLiteral("BEGIN"));
        for (std::size_t i = 0; i < ile; ++i)
            zapiszWpis(m_kolejka[i].wpis);
        if (!db.commit())
            throw sqlpomoc::blad(db.lastError(), QStringLiteral("COMMIT"));
    } catch (const BladBazy &e) {
        db.rollback();
        niepowodzenie(e);
        return false;
    }
    for (std::size_t i = 0; i < ile; ++i) {
        const int adres = m_kolejka.front().wpis.adres;
        if (--m_naAdres[adres] <= 0)
            m_naAdres.remove(adres);
        m_kolejka.pop_front();
    }
    if (m_awaria) {
        m_awaria = false;
        m_ostatniBlad.clear();
        qCInfo(lcZapis).noquote() << "the database takes writes again:" << ile << "waiting readings stored,"
                                  << m_kolejka.size() << "to follow";
    }
    return true;
}

void ZapisPomiarow::zapiszWpis(const WpisPomiaru &w)
{
    Rekordy &rs = m_rsPomiary;
    rs.AddNew();
    rs.ustaw(QStringLiteral("Adres"), w.adres);
    rs.ustaw(QStringLiteral("EnCzynna"), w.enCzynna);
    rs.ustaw(QStringLiteral("EnBiernaPoj"), w.enBiernaPoj);
    rs.ustaw(QStringLiteral("EnBiernaCalk"), w.enBiernaCalk);
    rs.ustaw(QStringLiteral("Napiecie"), w.napiecie);
    rs.ustaw(QStringLiteral("PradBierny"), w.pradBierny);
    rs.ustaw(QStringLiteral("PradCalk"), w.pradCalk);
    rs.ustaw(QStringLiteral("Czestotliwosc"), w.czestotliwosc);
    rs.ustaw(QStringLiteral("Data"), w.data.tekstBazy());
    rs.Update();

    // From the first row, wherever another controller left the cursor.
    Rekordy &ost = m_rsOstPomiar;
    ost.MoveFirst();
    ost.Find(QStringLiteral("Adres=") + Str(w.adres));
    if (ost.EOF_()) {
        ost.AddNew();
        ost.ustaw(QStringLiteral("Adres"), w.adres);
    }
    ost.ustaw(QStringLiteral("PopPradCzynny"), w.pradCzynny);
    ost.ustaw(QStringLiteral("PopPradBiernSr"), w.pradBiernSr);
    ost.ustaw(QStringLiteral("PopPradBiernPojSr"), w.pradBiernPojSr);
    ost.ustaw(QStringLiteral("PopTimerU"), w.timerU);
    ost.ustaw(QStringLiteral("Czas"), w.data.tekstBazy());
    ost.Update();
}

void ZapisPomiarow::niepowodzenie(const BladBazy &e)
{
    m_nastepnaProbaMs = m_zegar.msMonotoniczne() + ponowienieMs;
    m_ponowienie.start(ponowienieMs);
    const QString blad = Str(e.numer()) + QLatin1Char(' ') + e.opis();
    if (m_cn.polaczenieZerwane()) {
        m_awaria = true;
        m_ostatniBlad = blad;
        utrataSerwera(e.opis());
        return;
    }
    if (!m_awaria) {
        m_awaria = true;
        qCWarning(lcZapis).noquote() << QStringLiteral("storing a reading failed (%1):").arg(blad) << m_kolejka.size()
                                     << "readings wait in memory and are tried again every" << ponowienieMs / 1000
                                     << "s";
        m_komunikaty.pokaz(QStringLiteral("Błąd zapisu do bazy danych nr ") + Str(e.numer()) + QLatin1Char('\r') +
                               QLatin1Char('\'') + e.opis() + QLatin1Char('\''),
                           tytul(), Ikona::Brak);
    } else if (blad != m_ostatniBlad) {
        qCWarning(lcZapis).noquote() << QStringLiteral("storing still fails, now (%1);").arg(blad) << m_kolejka.size()
                                     << "readings wait";
    }
    m_ostatniBlad = blad;
}

void ZapisPomiarow::sprawdzPlik()
{
    if (m_plikUtracony)
        szukajPliku();
    else if (m_cn.otwarte() && m_cn.plikPrzeniesiony())
        utratePliku();
    else if (!m_serwerUtracony && m_cn.polaczenieZerwane())
        utrataSerwera(QStringLiteral("połączenie zostało zerwane"));
}

void ZapisPomiarow::utratePliku()
{
    m_sciezka = m_cn.plik();
    m_plikUtracony = true;
    m_podpisPliku.clear();
    m_ostatniaPrzeszkoda.clear();
    qCWarning(lcZapis).noquote() << "the database file" << m_sciezka
                                 << "was deleted or moved away while open: nothing more is written into it; readings"
                                    " wait in memory until a database file is back at that path";
    zamknijKursory();
    m_komunikaty.pokaz(QStringLiteral("Plik bazy danych „%1” został usunięty lub przeniesiony. Odczyty są "
                                      "przechowywane w pamięci i zostaną zapisane, gdy plik bazy wróci na swoje "
                                      "miejsce.")
                           .arg(m_sciezka),
                       tytul(), Ikona::Krytyczna);
}

void ZapisPomiarow::szukajPliku()
{
    const QFileInfo plik(m_sciezka);
    if (!plik.isFile()) {
        m_podpisPliku.clear();
        return;
    }
    // A file still being copied into place changes between two looks: it is
    // taken only once it has stayed the same for one.
    const QString podpis =
        QString::number(plik.size()) + QLatin1Char('/') + QString::number(plik.lastModified().toMSecsSinceEpoch());
    if (podpis != m_podpisPliku) {
        m_podpisPliku = podpis;
        return;
    }
    try {
        m_cn.otworzPlik(m_sciezka, false);
        m_rsRegulatory.Open(QStringLiteral("Regulatory"), m_cn);
        m_rsPomiary.Open(QStringLiteral("Pomiary"), m_cn);
        m_rsOstPomiar.Open(QStringLiteral("OstPomiar"), m_cn);
    } catch (const BladBazy &e) {
        zamknijKursory();
        if (e.opis() != m_ostatniaPrzeszkoda)
            qCWarning(lcZapis).noquote() << "a file is back at" << m_sciezka
                                         << "but it is not the station's database yet:" << e.opis();
        m_ostatniaPrzeszkoda = e.opis();
        return;
    }
    m_plikUtracony = false;
    qCInfo(lcZapis).noquote() << "the database file" << m_sciezka << "is back;" << m_kolejka.size()
                              << "waiting readings go into it";
    m_komunikaty.pokaz(QStringLiteral("Plik bazy danych „%1” jest znów dostępny. Odczyty przechowywane w pamięci są "
                                      "do niego zapisywane.")
                           .arg(m_sciezka),
                       tytul(), Ikona::Informacja);
    m_nastepnaProbaMs = 0;
    oproznij();
}

void ZapisPomiarow::zamknijKursory()
{
    m_rsPomiary.Close();
    m_rsOstPomiar.Close();
    m_rsRegulatory.Close();
    m_cn.Close();
}

void ZapisPomiarow::utrataSerwera(const QString &powod)
{
    m_serwer = m_cn.zrodlo();
    m_serwerUtracony = true;
    qCWarning(lcZapis).noquote() << "the connection to the database server" << m_serwer.opis() << "is lost:" << powod
                                 << "-" << m_kolejka.size() << "readings wait in memory; reconnecting by itself";
    zamknijKursory();
    m_komunikaty.pokaz(QStringLiteral("Utracono połączenie z serwerem bazy danych (%1). Odczyty są przechowywane w "
                                      "pamięci i zostaną zapisane po jego odzyskaniu; stacja łączy się ponownie "
                                      "sama.\r'%2'")
                           .arg(m_serwer.opis(), powod),
                       tytul(), Ikona::Krytyczna);
    m_powrot.czekaj(m_serwer);
}

void ZapisPomiarow::powrotSerwera()
{
    try {
        m_cn.otworz(m_serwer);
        m_rsRegulatory.Open(QStringLiteral("Regulatory"), m_cn);
        m_rsPomiary.Open(QStringLiteral("Pomiary"), m_cn);
        m_rsOstPomiar.Open(QStringLiteral("OstPomiar"), m_cn);
    } catch (const BladBazy &e) {
        // Answered a moment ago, gone again (or not the station's database
        // yet): keep looking.
        zamknijKursory();
        qCWarning(lcZapis).noquote() << "the database server answers but the station cannot open its database:"
                                     << e.opis();
        m_powrot.czekaj(m_serwer);
        return;
    }
    m_serwerUtracony = false;
    qCInfo(lcZapis).noquote() << "the connection to the database server" << m_serwer.opis() << "is back;"
                              << m_kolejka.size() << "waiting readings go into it";
    m_komunikaty.pokaz(QStringLiteral("Połączenie z serwerem bazy danych (%1) zostało przywrócone. Odczyty "
                                      "przechowywane w pamięci są do niego zapisywane.")
                           .arg(m_serwer.opis()),
                       tytul(), Ikona::Informacja);
    m_nastepnaProbaMs = 0;
    oproznij();
}

void ZapisPomiarow::zakoncz()
{
    m_straz.stop();
    m_powrot.zatrzymaj();
    m_nastepnaProbaMs = 0;
    if (!m_plikUtracony && m_cn.otwarte() && m_cn.plikPrzeniesiony())
        utratePliku();
    while (!m_kolejka.empty() && !m_plikUtracony && m_cn.otwarte() && zapiszPorcje()) {
    }
    m_ponowienie.stop();
    if (!m_kolejka.empty())
        qCWarning(lcZapis).noquote()
            << m_kolejka.size()
            << "readings could not be stored before the stop and are dropped; OstPomiar keeps the counters of the "
               "last stored one, so the first reading stored after the next start covers their energy";
}
