// The server side of Polaczenie: opening a PostgreSQL session through Qt's
// QPSQL driver from a libpq connection string.

#include "bladbazy.h"
#include "polaczenie.h"
#include "sqlpomoc.h"

#include <QLoggingCategory>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QTimeZone>

#include <algorithm>
#include <libpq-fe.h>
#include <vector>

Q_LOGGING_CATEGORY(lcBazaSerwer, "tolvek.baza.serwer")

namespace
{

// A value in libpq's key='value' syntax.
QString wCudzyslowie(QString w)
{
    w.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    w.replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + w + QLatin1Char('\'');
}

// The server's notices (a table dropped with its dependants, a warning)
// go to the station's log, not straight to stderr as libpq would put them.
void powiadomienie(void *, const char *tekst)
{
    const QString t = QString::fromUtf8(tekst).trimmed();
    if (t.startsWith(QLatin1String("WARNING")))
        qCWarning(lcBazaSerwer).noquote() << t;
    else
        qCDebug(lcBazaSerwer).noquote() << t;
}

void wykonajSesji(QSqlDatabase &db, const QString &sql)
{
    QSqlQuery q(db);
    if (!q.exec(sql))
        throw sqlpomoc::blad(q.lastError(), sql);
}

} // namespace

void Polaczenie::otworzSerwer(const ZrodloBazy &zrodlo, Tryb tryb)
{
    Close();
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
        throw BladBazy(1, QStringLiteral("Brak sterownika bazy danych PostgreSQL (QPSQL) potrzebnego do połączenia "
                                         "z %1: zainstaluj pakiet libqt6sql6-psql.")
                              .arg(zrodlo.opis()));
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_nazwa);
    // The driver takes host, database, user and port through its setters
    // (and quotes them itself); every other key goes into the options,
    // where it would split a value at a ";".
    QStringList opcje;
    bool maCzasOczekiwania = false;
    bool maNazweProgramu = false;
    try {
        for (const auto &[klucz, wartosc] : zrodlo.parametry()) {
            bool liczbowy = false;
            const int numer = wartosc.toInt(&liczbowy);
            if (klucz == QLatin1String("host")) {
                m_db.setHostName(wartosc);
            } else if (klucz == QLatin1String("dbname")) {
                m_db.setDatabaseName(wartosc);
            } else if (klucz == QLatin1String("user")) {
                m_db.setUserName(wartosc);
            } else if (klucz == QLatin1String("port") && liczbowy) {
                m_db.setPort(numer);
            } else {
                if (wartosc.contains(QLatin1Char(';')))
                    throw BladBazy(1, QStringLiteral("Parametr „%1” połączenia z serwerem zawiera średnik, którego "
                                                     "sterownik nie przekazuje; przenieś go do ~/.pg_service.conf.")
                                          .arg(klucz));
                maCzasOczekiwania |= klucz == QLatin1String("connect_timeout");
                maNazweProgramu |= klucz == QLatin1String("application_name");
                opcje << klucz + QLatin1Char('=') + wCudzyslowie(wartosc);
            }
        }
        // A server that does not answer must not hold the start-up for the
        // system's two-minute TCP time-out.
        if (!maCzasOczekiwania)
            opcje << QStringLiteral("connect_timeout=10");
        if (!maNazweProgramu)
            opcje << QStringLiteral("application_name=tolvek");
        // Over TCP, a network that drops packets without a reset is noticed
        // within about half a minute instead of the system's quarter of an
        // hour (both are ignored on a Unix socket).
        for (const char *domyslna :
             {"keepalives_idle=10", "keepalives_interval=5", "keepalives_count=3", "tcp_user_timeout=30000"}) {
            const QString d = QString::fromLatin1(domyslna);
            if (!zrodlo.parametr(d.section(QLatin1Char('='), 0, 0)).isNull())
                continue;
            opcje << d;
        }
        m_db.setConnectOptions(opcje.join(QLatin1Char(';')));
        if (!m_db.open()) {
            const QSqlError e = m_db.lastError();
            const QString opis = (e.databaseText().isEmpty() ? e.driverText() : e.databaseText()).trimmed();
            throw BladBazy(1, QStringLiteral("Nie można połączyć się z bazą danych (%1):\n%2\n\n"
                                             "Sprawdź, czy serwer działa i jest osiągalny z tego komputera, czy baza "
                                             "i użytkownik istnieją i czy hasło jest w pliku ~/.pgpass lub "
                                             "~/.pg_service.conf (połączenie: ustawienie [baza] polaczenie=).")
                                  .arg(zrodlo.opis(), opis));
        }
        const QVariant uchwyt = m_db.driver()->handle();
        if (uchwyt.isValid() && qstrcmp(uchwyt.typeName(), "pg_conn*") == 0) {
            PGconn *pg = *static_cast<PGconn *const *>(uchwyt.constData());
            PQsetNoticeProcessor(pg, &powiadomienie, nullptr);
            m_przerywacz->ustaw(PQsocket(pg), nullptr);
        }
        // Naive local date-times: the server's own clock values (the Log's
        // time stamp) are the station's wall-clock time.
        const QByteArray strefa = QTimeZone::systemTimeZoneId();
        static const QRegularExpression nazwaStrefy(QStringLiteral("^[A-Za-z0-9_/+-]+$"));
        if (nazwaStrefy.match(QString::fromLatin1(strefa)).hasMatch()) {
            try {
                wykonajSesji(m_db, QStringLiteral("SET TIME ZONE '%1'").arg(QString::fromLatin1(strefa)));
            } catch (const BladBazy &b) {
                qCWarning(lcBazaSerwer) << "server does not know time zone" << strefa << b.opis();
            }
        }
        // Another session's lock holds a statement up no longer than a file's
        // busy time-out would.
        wykonajSesji(m_db, QStringLiteral("SET lock_timeout = %1").arg(m_czasOczekiwaniaMs));
        if (tryb == Tryb::Odczyt)
            wykonajSesji(m_db, QStringLiteral("SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY"));
    } catch (...) {
        Close();
        throw;
    }
    m_zrodlo = zrodlo;
}

bool Polaczenie::polaczenieZerwane() const
{
    if (m_zrodlo.silnik() != Silnik::PostgreSQL || !m_db.isValid())
        return false;
    // The driver marks a session the server ended as closed itself.
    if (!m_db.isOpen())
        return true;
    const QVariant uchwyt = m_db.driver()->handle();
    if (!uchwyt.isValid() || qstrcmp(uchwyt.typeName(), "pg_conn*") != 0)
        return false;
    PGconn *pg = *static_cast<PGconn *const *>(uchwyt.constData());
    return !pg || PQstatus(pg) == CONNECTION_BAD;
}

namespace
{
// libpq's keywords and values of a place, with our own connection time-out.
struct ParametryLibpq {
    std::vector<QByteArray> klucze, wartosci;
    std::vector<const char *> k, w;
    ParametryLibpq(const ZrodloBazy &zrodlo, int sekundy)
    {
        for (const auto &[klucz, wartosc] : zrodlo.parametry()) {
            if (klucz == QLatin1String("connect_timeout"))
                continue;
            klucze.push_back(klucz.toUtf8());
            wartosci.push_back(wartosc.toUtf8());
        }
        klucze.push_back("connect_timeout");
        wartosci.push_back(QByteArray::number(std::max(2, sekundy)));
        for (std::size_t i = 0; i < klucze.size(); ++i) {
            k.push_back(klucze[i].constData());
            w.push_back(wartosci[i].constData());
        }
        k.push_back(nullptr);
        w.push_back(nullptr);
    }
};
} // namespace

bool Polaczenie::serwerPrzyjmuje(const ZrodloBazy &zrodlo, int sekundy)
{
    ParametryLibpq p(zrodlo, sekundy);
    return PQpingParams(p.k.data(), p.w.data(), 0) == PQPING_OK;
}
