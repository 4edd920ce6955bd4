#include "polecenia.h"

#include "model/colregulatory.h"
#include "model/odczyt.h"
#include "model/sterowanie.h"
#include "platform/zegar.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcPolecenia, "tolvek.kolejka")

namespace
{
template <class... F> struct Przeciazone : F... {
    using F::operator()...;
};

// The operations' results are not looked at: a failed command is not repeated.
template <class T> QCoro::Task<void> bezWyniku(QCoro::Task<T> zadanie)
{
    co_await zadanie;
}
} // namespace

QCoro::Task<void> wykonajPolecenie(const colRegulatory &regulatory, OdczytRegulatora &odczyt,
                                   SterowanieRegulatora &sterowanie, const Zegar &zegar, clsPozKolejki poz)
{
    const QString nazwa = nazwaPolecenia(poz.polecenie);
    clRegulator *r = regulatory.znajdz(poz.NrRegul);
    if (!r) {
        qCWarning(lcPolecenia) << "command" << nazwa << "for unknown controller" << poz.NrRegul << "dropped";
        co_return;
    }
    if (!r->adresNaMagistrali()) {
        qCWarning(lcPolecenia) << "command" << nazwa << "for controller" << poz.NrRegul
                               << "whose address is off the bus dropped";
        co_return;
    }
    // Built before the co_await: GCC 12 destroys a lambda written inside a
    // co_await expression twice.
    QCoro::Task<void> zadanie = std::visit(
        Przeciazone{
            [&](const polecenia::UstawPrzel &p) { return bezWyniku(sterowanie.UstawRegulator(*r, p.bajt)); },
            [&](const polecenia::Blokuj &p) { return bezWyniku(sterowanie.BlokujRegul(*r, p.Blokada)); },
            [&](const polecenia::UstawKondensator &p) {
                return bezWyniku(sterowanie.UstawKondensator(*r, p.NrDiody, p.Wlacz));
            },
            [&](const polecenia::WczytajStanRegul &) { return bezWyniku(odczyt.WczytajStanRegul(*r, zegar.teraz())); },
        },
        poz.polecenie);
    co_await zadanie;
}
