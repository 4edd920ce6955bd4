#include "clsbd.h"

#include "bufor.h"
#include "platform/tekst.h"
#include "platform/zegar.h"

#include <QVariantMap>

namespace
{
void dodajNiepuste(QVariantMap &wiersz, const QString &kolumna, const QString &wartosc)
{
    if (!wartosc.isEmpty())
        wiersz.insert(kolumna, wartosc);
}
} // namespace

std::int64_t clsBD::ZapiszAlarm(DataCzas Data, const QString &typ, const QString &Tresc, const QString &Kod_regulatora,
                                const QString &Operator)
{
    QVariantMap wiersz{
        {QStringLiteral("Data"), Data.tekstBazy()}, {QStringLiteral("Tresc"), Tresc}, {QStringLiteral("Typ"), typ}};
    dodajNiepuste(wiersz, QStringLiteral("Kod_Regul"), Kod_regulatora);
    dodajNiepuste(wiersz, QStringLiteral("Operator"), Operator);
    dodajNiepuste(wiersz, QStringLiteral("Stacja"), m_stacja);
    return m_bufor.dodajAlarm(wiersz);
}

bool clsBD::ModyfikujAlarm(std::int64_t nrAlarmu, std::optional<DataCzas> data_potw,
                           std::optional<DataCzas> data_dezakt, const QString &Operator)
{
    QVariantMap zmiany;
    if (data_potw)
        zmiany.insert(QStringLiteral("Data_potw"), data_potw->tekstBazy());
    if (data_dezakt)
        zmiany.insert(QStringLiteral("Data_dezakt"), data_dezakt->tekstBazy());
    dodajNiepuste(zmiany, QStringLiteral("Operator"), Operator);
    m_bufor.dodajZmianeAlarmu(nrAlarmu, zmiany);
    return false;
}

bool clsBD::ZapiszDoLoga(const QString &Operacja, const QString &Status, const QString &typ,
                         const QString &Kod_regulatora)
{
    QVariantMap wiersz{{QStringLiteral("Operacja"), Operacja},
                       {QStringLiteral("Status"), Status},
                       {QStringLiteral("Typ"), typ},
                       {QStringLiteral("Czas"), m_zegar.teraz().tekstBazy()}};
    dodajNiepuste(wiersz, QStringLiteral("Kod_Regul"), Kod_regulatora);
    dodajNiepuste(wiersz, QStringLiteral("Stacja"), m_stacja);
    m_bufor.dodajLog(wiersz);
    return false;
}

QString clsBD::bladDziennika(int numer, const QString &opis)
{
    return QStringLiteral("Błąd zapisu do dziennika nr ") + Str(numer) + QLatin1Char('\r') + QLatin1Char('\'') + opis +
           QLatin1Char('\'');
}
