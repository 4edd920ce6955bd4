#include "app/kontekst.h"
#include "platform/dzienniksystemowy.h"
#include "ui/main/komunikatyokna.h"
#include "ui/main/uruchomienie.h"
#include "wierszpolecen.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    if (const auto kod = WierszPolecen::przedStartem(argc, argv))
        return *kod;
    DziennikSystemowy::wlacz();
    QApplication app(argc, argv);
    nazwijAplikacje();
    przetlumaczQt();
    if (const auto kod = WierszPolecen::poStarcie(QApplication::arguments().mid(1)))
        return *kod;

    Platforma platforma;
    platforma.zegar = std::make_unique<ZegarSystemowy>();
    platforma.ustawienia = std::make_unique<UstawieniaPlik>();
    platforma.komunikaty = std::make_unique<KomunikatyOkna>();
    platforma.dzwiek = std::make_unique<DzwiekAplay>(platforma.komunikaty.get());
    platforma.fabrykaPortow = [] { return utworzPortQt(); };
    Kontekst k(std::move(platforma));
    return Main(k);
}
