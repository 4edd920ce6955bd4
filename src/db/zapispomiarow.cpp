#include "zapispomiarow.h"

#include "baza/bladbazy.h"
#include "bufor.h"
#include "platform/komunikaty.h"
#include "platform/tekst.h"
#include "przekaznik.h"

#include <QLoggingCategory>

#include <algorithm>

Q_LOGGING_CATEGORY(lcZapis, "tolvek.zapis")

namespace
{
QString tytul()
{
    return QStringLiteral("Tolvek");
}
} // namespace

ZapisPomiarow::ZapisPomiarow(BuforZapisu &bufor, Komunikaty &komunikaty, QObject *parent)
    : QObject(parent), m_bufor(bufor), m_komunikaty(komunikaty)
{
}

void ZapisPomiarow::ustawPrzekaznik(Przekaznik &przekaznik)
{
    connect(&przekaznik, &Przekaznik::stan, this, &ZapisPomiarow::naStan);
    connect(&przekaznik, &Przekaznik::odlozono, this, &ZapisPomiarow::naOdlozenie);
    connect(&przekaznik, &Przekaznik::zapelnienie, this, &ZapisPomiarow::naZapelnienie);
}

bool ZapisPomiarow::zapisz(const WpisPomiaru &wpis)
{
    try {
        m_bufor.dodajPomiar(wpis);
    } catch (const BladBazy &e) {
        if (!m_bladBufora) {
            qCWarning(lcZapis).noquote() << "a reading cannot enter the spool" << m_bufor.sciezka() << ":" << e.numer()
                                         << e.opis() << "- its energy goes into the next reading the spool takes";
            m_komunikaty.pokaz(QStringLiteral("Błąd zapisu do bazy danych nr ") + Str(e.numer()) + QLatin1Char('\r') +
                                   QLatin1Char('\'') + e.opis() + QLatin1Char('\''),
                               tytul(), Ikona::Brak);
        }
        m_bladBufora = true;
        return false;
    }
    if (m_bladBufora)
        qCInfo(lcZapis) << "the spool takes readings again";
    m_bladBufora = false;
    return true;
}

void ZapisPomiarow::dodano()
{
    ++m_zalegle;
    Q_EMIT stanZmieniony();
}

void ZapisPomiarow::bezBazyOdStartu(const QString &powod)
{
    m_dostepna = false;
    m_zaleglosciPoAwarii = true;
    m_powod = powod;
    Q_EMIT stanZmieniony();
}

void ZapisPomiarow::policzZalegle()
{
    try {
        m_zalegle = m_bufor.liczbaWpisow();
    } catch (const BladBazy &) {
        m_zalegle = 0;
    }
    Q_EMIT stanZmieniony();
}

void ZapisPomiarow::naStan(qint64 usuniete, bool dostepna, const QString &powod)
{
    m_zalegle = std::max<std::int64_t>(0, m_zalegle - usuniete);
    if (!dostepna && m_dostepna) {
        m_zaleglosciPoAwarii = true;
        m_komunikaty.pokaz(QStringLiteral("Baza danych jest niedostępna:\r'%1'\r\rStacja pracuje dalej: odczyty, "
                                          "alarmy i wpisy dziennika czekają w buforze stacji i zostaną zapisane do "
                                          "bazy, gdy będzie znów dostępna. Stacja łączy się z bazą ponownie sama.")
                               .arg(powod),
                           tytul(), Ikona::Krytyczna);
    }
    if (dostepna && m_zaleglosciPoAwarii && m_zalegle == 0) {
        m_zaleglosciPoAwarii = false;
        qCInfo(lcZapis) << "everything that waited in the spool is in the database";
        m_komunikaty.pokaz(QStringLiteral("Baza danych jest znów dostępna. Wszystkie dane, które czekały w buforze "
                                          "stacji, zostały do niej zapisane."),
                           tytul(), Ikona::Informacja);
    }
    m_dostepna = dostepna;
    m_powod = dostepna ? QString() : powod;
    Q_EMIT stanZmieniony();
}

void ZapisPomiarow::naOdlozenie(const QString &opis)
{
    // Each one is logged by the forwarder; the operator hears of the first.
    if (m_odlozenieZgloszone)
        return;
    m_odlozenieZgloszone = true;
    m_komunikaty.pokaz(QStringLiteral("Baza danych odrzuciła wpis z bufora stacji:\r'%1'\r\rWpis odłożono do "
                                      "kwarantanny bufora, pozostałe dane są zapisywane dalej. Listę odłożonych wpisów "
                                      "pokazuje polecenie „tolvek-baza kwarantanna”, które po usunięciu przyczyny "
                                      "przekazuje je ponownie.")
                           .arg(opis),
                       tytul(), Ikona::Wykrzyknik);
}

void ZapisPomiarow::naZapelnienie(int procent)
{
    qCWarning(lcZapis) << "the spool is" << procent << "% full; beyond its bound the oldest readings are dropped";
    m_komunikaty.pokaz(QStringLiteral("Bufor stacji (%1) jest zapełniony w %2%: baza danych od dawna nie przyjmuje "
                                      "danych. Po przekroczeniu granicy bufora najstarsze odczyty będą usuwane "
                                      "(alarmy i wpisy dziennika nigdy).")
                           .arg(m_bufor.sciezka())
                           .arg(procent),
                       tytul(), Ikona::Wykrzyknik);
}
