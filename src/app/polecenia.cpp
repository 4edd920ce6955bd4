#include "polecenia.h"

#include "model/colregulatory.h"
#include "platform/zegar.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcPolecenia, "tolvek.kolejka")

namespace
{
DataCzas naDate(const QVariant &v, const Zegar &zegar)
{
    if (v.canConvert<DataCzas>())
        return v.value<DataCzas>();
    if (v.canConvert<QDateTime>() && v.toDateTime().isValid())
        return DataCzas::z(v.toDateTime());
    return zegar.teraz();
}
} // namespace

QCoro::Task<void> wykonajPolecenie(const colRegulatory &regulatory, const Zegar &zegar, clsPozKolejki poz)
{
    clRegulator *r = regulatory.znajdz(poz.NrRegul);
    if (!r) {
        qCWarning(lcPolecenia) << "command" << poz.Polecenie << "for unknown controller" << poz.NrRegul << "dropped";
        co_return;
    }
    if (!r->adresNaMagistrali()) {
        qCWarning(lcPolecenia) << "command" << poz.Polecenie << "for controller" << poz.NrRegul
                               << "whose address is off the bus dropped";
        co_return;
    }
    if (poz.Polecenie == QLatin1String("Ustaw_przel")) {
        co_await r->UstawRegulator();
    } else if (poz.Polecenie == QLatin1String("Blokuj")) {
        co_await r->BlokujRegul(poz.Parametry.toBool());
    } else if (poz.Polecenie == QLatin1String("UstawKondensator")) {
        const QVariantList p = poz.Parametry.toList();
        bool ok = p.size() >= 2;
        const int nr = ok ? p.at(0).toInt(&ok) : 0;
        if (!ok || nr < 0 || nr > 255) {
            qCWarning(lcPolecenia) << "UstawKondensator with unusable parameters dropped";
            co_return;
        }
        co_await r->UstawKondensator(nr, p.at(1).toBool());
    } else if (poz.Polecenie == QLatin1String("WczytajStanRegul")) {
        co_await r->WczytajStanRegul(naDate(poz.Parametry, zegar));
    }
}
