#include "app/kontekst.h"
#include "platform/komunikatyokna.h"
#include "ui/main/uruchomienie.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tolvek"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tolvek"));

    Platforma platforma;
    platforma.zegar = std::make_unique<ZegarSystemowy>();
    platforma.ustawienia = std::make_unique<UstawieniaPlik>();
    platforma.komunikaty = std::make_unique<KomunikatyOkna>();
    platforma.dzwiek = std::make_unique<DzwiekAplay>();
    platforma.fabrykaPortow = [] { return utworzPortQt(); };
    Kontekst k(std::move(platforma));
    return Main(k);
}
