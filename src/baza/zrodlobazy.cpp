#include "zrodlobazy.h"

#include "bladbazy.h"
#include "platform/ustawienia.h"
#include "polaczenie.h"

#include <QFileInfo>

#include <libpq-fe.h>

namespace
{

// Keys of the station's own connection texts, which name a file.
bool tekstPliku(const QString &tekst)
{
    for (const QString &c : tekst.split(QLatin1Char(';'))) {
        const qsizetype rowna = c.indexOf(QLatin1Char('='));
        if (rowna < 0)
            continue;
        const QString klucz = c.left(rowna).simplified().toLower();
        if (klucz == QLatin1String("provider") || klucz == QLatin1String("data source") ||
            klucz == QLatin1String("persist security info"))
            return true;
    }
    return false;
}

QList<QPair<QString, QString>> rozbierz(const QString &polaczenie, QString *blad)
{
    char *bladPq = nullptr;
    PQconninfoOption *opcje = PQconninfoParse(polaczenie.toUtf8().constData(), &bladPq);
    QList<QPair<QString, QString>> w;
    if (!opcje) {
        if (blad)
            *blad = bladPq ? QString::fromUtf8(bladPq).trimmed() : QStringLiteral("brak pamięci");
        PQfreemem(bladPq);
        return w;
    }
    for (PQconninfoOption *o = opcje; o->keyword; ++o) {
        if (o->val)
            w.append({QString::fromUtf8(o->keyword), QString::fromUtf8(o->val)});
    }
    PQconninfoFree(opcje);
    return w;
}

} // namespace

ZrodloBazy ZrodloBazy::plik(const QString &sciezka)
{
    ZrodloBazy z;
    z.m_silnik = Silnik::SQLite;
    z.m_tekst = sciezka;
    return z;
}

ZrodloBazy ZrodloBazy::serwer(const QString &polaczenie)
{
    const QString t = polaczenie.trimmed();
    if (t.isEmpty())
        throw BladBazy(1, QStringLiteral("Pusty tekst połączenia z serwerem bazy danych."));
    QString blad;
    const QList<QPair<QString, QString>> p = rozbierz(t, &blad);
    if (p.isEmpty())
        throw BladBazy(1, QStringLiteral("Niepoprawny tekst połączenia z serwerem PostgreSQL „%1”: %2")
                              .arg(t, blad.isEmpty() ? QStringLiteral("brak parametrów") : blad));
    for (const auto &[klucz, wartosc] : p) {
        if (klucz == QLatin1String("password"))
            // The settings file and the command line are no place for a
            // secret: libpq reads it from files only the user can read.
            throw BladBazy(1, QStringLiteral("Tekst połączenia z serwerem zawiera hasło. Hasła nie wpisuje się "
                                             "w ustawieniach programu ani w wierszu poleceń: umieść je w pliku "
                                             "~/.pgpass (albo w ~/.pg_service.conf i użyj „service=NAZWA”)."));
    }
    ZrodloBazy z;
    z.m_silnik = Silnik::PostgreSQL;
    z.m_tekst = t;
    z.m_parametry = p;
    return z;
}

ZrodloBazy ZrodloBazy::zTekstuPolaczenia(const QString &tekst)
{
    if (tekstPliku(tekst)) {
        const QString plik = Polaczenie::zrodloDanych(tekst);
        if (plik.isEmpty())
            throw BladBazy(
                1, QStringLiteral("Tekst połączenia „%1” nie wskazuje pliku bazy (brak „Data Source=”).").arg(tekst));
        return ZrodloBazy::plik(plik);
    }
    return serwer(tekst);
}

ZrodloBazy ZrodloBazy::zArgumentu(const QString &tekst)
{
    if (QFileInfo::exists(tekst))
        return plik(tekst);
    if (tekstPliku(tekst))
        return zTekstuPolaczenia(tekst);
    const QString t = tekst.trimmed();
    if (t.startsWith(QLatin1String("postgresql://")) || t.startsWith(QLatin1String("postgres://")) ||
        t.contains(QLatin1Char('=')))
        return serwer(t);
    return plik(tekst);
}

QString ZrodloBazy::parametr(const QString &klucz) const
{
    for (const auto &[k, w] : m_parametry)
        if (k == klucz)
            return w;
    return {};
}

QString ZrodloBazy::opis() const
{
    if (m_silnik == Silnik::SQLite)
        return QStringLiteral("plik „%1”").arg(QFileInfo(m_tekst).absoluteFilePath());
    QStringList czesci;
    const QString usluga = parametr(QStringLiteral("service"));
    if (!usluga.isEmpty())
        czesci << QStringLiteral("usługa „%1”").arg(usluga);
    const QString host = parametr(QStringLiteral("host")).isEmpty() ? parametr(QStringLiteral("hostaddr"))
                                                                    : parametr(QStringLiteral("host"));
    const QString port = parametr(QStringLiteral("port"));
    if (!host.isEmpty())
        czesci << QStringLiteral("serwer %1").arg(port.isEmpty() ? host : host + QLatin1Char(':') + port);
    else if (usluga.isEmpty())
        czesci << QStringLiteral("serwer lokalny");
    const QString baza = parametr(QStringLiteral("dbname"));
    if (!baza.isEmpty())
        czesci << QStringLiteral("baza „%1”").arg(baza);
    const QString uzytkownik = parametr(QStringLiteral("user"));
    if (!uzytkownik.isEmpty())
        czesci << QStringLiteral("użytkownik „%1”").arg(uzytkownik);
    return QStringLiteral("PostgreSQL: ") + czesci.join(QStringLiteral(", "));
}

ZrodloBazy zrodloBazy(const Ustawienia &u)
{
    return ZrodloBazy::zTekstuPolaczenia(tekstPolaczeniaBazy(u));
}
