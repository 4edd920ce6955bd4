#include "przekazywanie.h"

#include "baza/bladbazy.h"
#include "zapisdobazy.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QScopeGuard>

#include <algorithm>

Q_LOGGING_CATEGORY(lcPrzekazywanie, "tolvek.zapis")

Przekazywanie::Przekazywanie(const QString &sciezkaBufora, ZrodloBazy zrodlo, std::int64_t sprawdzDo)
    : m_zrodlo(std::move(zrodlo))
{
    m_bufor.otworz(sciezkaBufora);
    m_sprawdzDo = sprawdzDo >= 0 ? sprawdzDo : m_bufor.ostatniPrzedOtwarciem();
    m_cn.ustawCzasOczekiwania(czasOczekiwaniaMs);
}

Przekazywanie::~Przekazywanie() = default;

void Przekazywanie::zamknijBaze(const QString &powod)
{
    // What the driver says of a connection cut off under it ("server closed
    // the connection unexpectedly", "interrupted") would send the operator
    // looking at the wrong thing.
    const bool przerwano = m_cn.przerywacz()->wezPrzerwano();
    m_cn.Close();
    m_powod = przerwano ? QStringLiteral("baza danych nie odpowiadała zbyt długo; połączenie przerwano i baza jest "
                                         "szukana ponownie")
                        : powod;
}

bool Przekazywanie::sprawdzBaze()
{
    if (!m_cn.otwarte())
        return false;
    if (m_cn.plikPrzeniesiony()) {
        m_plikUtracony = true;
        m_podpisPliku.clear();
        zamknijBaze(QStringLiteral("plik bazy danych „%1” został usunięty lub przeniesiony").arg(m_zrodlo.tekst()));
        return true;
    }
    if (m_cn.polaczenieZerwane()) {
        zamknijBaze(QStringLiteral("połączenie z serwerem zostało zerwane"));
        return true;
    }
    return false;
}

bool Przekazywanie::otworzBaze()
{
    if (m_zrodlo.silnik() == Silnik::SQLite && m_plikUtracony) {
        // A file still being copied into place changes between two looks:
        // it is taken only once it has stayed the same for one.
        const QFileInfo plik(m_zrodlo.tekst());
        const QString podpis = plik.isFile() ? QString::number(plik.size()) + QLatin1Char('/') +
                                                   QString::number(plik.lastModified().toMSecsSinceEpoch())
                                             : QString();
        const bool stoi = !podpis.isEmpty() && podpis == m_podpisPliku;
        m_podpisPliku = podpis;
        if (!stoi) {
            m_powod = QStringLiteral("plik bazy danych „%1” nie wrócił jeszcze na swoje miejsce").arg(m_zrodlo.tekst());
            return false;
        }
    }
    try {
        m_cn.otworz(m_zrodlo);
        // The tables it writes, so that a file that is not the station's
        // database yet is not written into.
        for (const char *t : {"Pomiary", "OstPomiar", "Alarmy", "Log"})
            m_cn.opisTabeli(QLatin1String(t));
    } catch (const BladBazy &e) {
        m_cn.Close();
        m_powod = e.opis();
        return false;
    }
    m_plikUtracony = false;
    m_powod.clear();
    return true;
}

Przekazywanie::Wynik Przekazywanie::krok(int porcja)
{
    if (!m_cn.otwarte() && !otworzBaze())
        return Wynik::Niedostepna;
    // Never into a file nobody will see again.
    if (sprawdzBaze())
        return Wynik::Niedostepna;
    const QVector<WpisBufora> wpisy = m_bufor.najstarsze(porcja);
    if (wpisy.isEmpty())
        return Wynik::Pusto;
    ZapisDoBazy zapis(m_cn, m_bufor, m_sprawdzDo);
    // Until the spool has let them go, these may be in the database already
    // (a commit whose answer was lost, a removal that failed).
    auto niepewne = qScopeGuard([&] { m_sprawdzDo = std::max(m_sprawdzDo, wpisy.last().nr); });
    QHash<std::int64_t, std::int64_t> idAlarmow;
    try {
        zapis.zapisz(wpisy, &idAlarmow);
    } catch (const BladBazy &e) {
        if (ZapisDoBazy::odmowaWpisu(e) && !m_cn.polaczenieZerwane()) {
            m_sprawdzDo = std::max(m_sprawdzDo, wpisy.last().nr);
            return przekazPojedynczo(wpisy);
        }
        qCInfo(lcPrzekazywanie).noquote() << "the database does not take the spooled entries:" << e.numer() << e.opis();
        zamknijBaze(e.opis());
        return Wynik::Niedostepna;
    }
    przekazane(wpisy, idAlarmow);
    niepewne.dismiss();
    return Wynik::Przekazano;
}

void Przekazywanie::przekazane(const QVector<WpisBufora> &wpisy, const QHash<std::int64_t, std::int64_t> &idAlarmow)
{
    if (poZatwierdzeniu)
        poZatwierdzeniu();
    QVector<std::int64_t> numery;
    numery.reserve(wpisy.size());
    for (const WpisBufora &w : wpisy)
        numery.append(w.nr);
    m_bufor.usun(numery, idAlarmow);
    m_usuniete += numery.size();
    if (naIdAlarmu)
        for (auto it = idAlarmow.cbegin(); it != idAlarmow.cend(); ++it)
            naIdAlarmu(it.key(), it.value());
}

// A batch the database refused for the content of one of its entries: each
// entry alone, the refused ones into quarantine, until the database is away.
Przekazywanie::Wynik Przekazywanie::przekazPojedynczo(const QVector<WpisBufora> &wpisy)
{
    ZapisDoBazy zapis(m_cn, m_bufor, m_sprawdzDo);
    for (const WpisBufora &w : wpisy) {
        QHash<std::int64_t, std::int64_t> idAlarmow;
        try {
            zapis.zapisz({w}, &idAlarmow);
        } catch (const BladBazy &e) {
            if (!ZapisDoBazy::odmowaWpisu(e) || m_cn.polaczenieZerwane()) {
                zamknijBaze(e.opis());
                return Wynik::Niedostepna;
            }
            const QString powod = QString::number(e.numer()) + QLatin1Char(' ') + e.opis();
            qCWarning(lcPrzekazywanie).noquote()
                << "the database refuses spooled entry" << w.nr << "(kind" << static_cast<int>(w.rodzaj)
                << "):" << powod << "- it is set aside in the spool's quarantine";
            m_bufor.odloz(w, powod);
            ++m_usuniete;
            if (naKwarantanne)
                naKwarantanne(w, powod);
            continue;
        }
        przekazane({w}, idAlarmow);
    }
    return Wynik::Przekazano;
}

int Przekazywanie::pilnujGranic(const GraniceBufora &granice, int *usuniete, QString *od, QString *doCzasu)
{
    try {
        const std::int64_t pomiarow = m_bufor.liczbaPomiarow();
        if (pomiarow == 0)
            return 0;
        // A reading's share of the bytes: what the entries take now.
        const std::int64_t wpisow = std::max<std::int64_t>(1, m_bufor.liczbaWpisow());
        const std::int64_t naWpis = std::max<std::int64_t>(64, m_bufor.bajtyWpisow() / wpisow);
        const std::int64_t granica = std::max<std::int64_t>(1, std::min(granice.pomiarow, granice.bajtow / naWpis));
        if (pomiarow > granica) {
            QString pierwszy, ostatni;
            const int ile = m_bufor.usunNajstarszePomiary(static_cast<int>(pomiarow - granica), &pierwszy, &ostatni);
            m_usuniete += ile;
            qCWarning(lcPrzekazywanie).noquote()
                << "the spool holds" << pomiarow << "readings, beyond its bound of" << granica << "- the" << ile
                << "oldest, from" << pierwszy << "to" << ostatni << ", are dropped and their energy is not stored";
            if (usuniete)
                *usuniete = ile;
            if (od)
                *od = pierwszy;
            if (doCzasu)
                *doCzasu = ostatni;
        }
        return static_cast<int>(std::min<std::int64_t>(100, pomiarow * 100 / granica));
    } catch (const BladBazy &e) {
        qCWarning(lcPrzekazywanie).noquote() << "the spool's bound cannot be checked:" << e.opis();
        return 0;
    }
}
