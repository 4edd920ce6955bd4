// tolvek-skan: finds the controllers on a line through the station's own
// link and dispatcher, prints one line per controller that answered.
#include "blokada.h"
#include "comm/clcomm.h"
#include "comm/komunikator.h"
#include "comm/skaner.h"
#include "parserwiersza.h"
#include "platform/komunikaty.h"
#include "platform/zegar.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QTextStream>

#include <cstdio>

namespace
{

// Messages of the link (an unknown command cannot happen here) go to stderr.
class KomunikatyKonsoli final : public Komunikaty
{
public:
    void pokaz(const QString &tekst, const QString &tytul, Ikona) override
    {
        QTextStream(stderr) << tytul << ": " << tekst << '\n';
    }
    Odpowiedz pytaj(const QString &tekst, const QString &tytul, Ikona i) override
    {
        pokaz(tekst, tytul, i);
        return Odpowiedz::Anuluj;
    }
    void informuj(const QString &tekst, const QString &tytul, Ikona i) override { pokaz(tekst, tytul, i); }
};

constexpr int kodGotowe = 0;
constexpr int kodPort = 1;
constexpr int kodWywolanie = 2;

QString hex(int v)
{
    return v < 0 ? QStringLiteral("--") : QStringLiteral("%1").arg(v, 2, 16, QLatin1Char('0')).toUpper();
}

QCoro::Task<void> skanuj(Komunikator &k, const Zegar &zegar, int od, int doAdresu, bool cicho, int &kod)
{
    SkanerMagistrali skaner(k, zegar);
    QTextStream bledy(stderr);
    QTextStream wyjscie(stdout);
    if (!cicho) {
        QObject::connect(&skaner, &SkanerMagistrali::postep,
                         [&bledy](int adres, int zrobione, int wszystkie, qint64 ms) {
                             bledy << QStringLiteral("\radres %1 (%2/%3), pozostało około %4 s   ")
                                          .arg(adres, 3)
                                          .arg(zrobione)
                                          .arg(wszystkie)
                                          .arg((ms + 999) / 1000);
                             bledy.flush();
                         });
    }
    QObject::connect(&skaner, &SkanerMagistrali::znaleziony, [&wyjscie](const WynikSkanu &w) {
        wyjscie << w.adres << ';' << hex(w.blokada) << ';' << hex(w.stopnie1) << ';' << hex(w.stopnie2) << '\n';
        wyjscie.flush();
    });
    const QList<WynikSkanu> wyniki = co_await skaner.skanuj(od, doAdresu);
    int ile = 0;
    for (const WynikSkanu &w : wyniki)
        ile += w.odpowiada ? 1 : 0;
    if (!cicho)
        bledy << QStringLiteral("\rodpowiedziało %1 z %2 adresów%3\n")
                     .arg(ile)
                     .arg(wyniki.size())
                     .arg(skaner.przerwany() ? QStringLiteral(" (przerwano)") : QString());
    kod = kodGotowe;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QCommandLineOption port = opcja("port", "urządzenie portu szeregowego, np. /dev/ttyUSB0", "ŚCIEŻKA");
    const QCommandLineOption adresy =
        opcja("adresy", "zakres adresów OD-DO (0..255) albo jeden adres; domyślnie 1-32", "OD-DO", "1-32");
    const QCommandLineOption cicho = opcja("cicho", "bez postępu na standardowym wyjściu błędów");
    ParserWiersza p(
        {QStringLiteral("tolvek-skan"),
         QStringLiteral("tolvek-skan: szuka regulatorów na linii RS-485 (4800 bodów, 8N1): pyta każdy adres zakresu\n"
                        "o bajt blokady (tylko odczyty, nic nie zapisuje) i wypisuje jeden wiersz na regulator,\n"
                        "który odpowiedział:\n"
                        "  ADRES;BLOKADA;STOPNIE1-8;STOPIEŃ9\n"
                        "adres dziesiętnie, bajty szesnastkowo (bit 5 blokady = zablokowany, bit 0 = stopień\n"
                        "załączony). Postęp idzie na standardowe wyjście błędów.\n"
                        "\n"
                        "Użycie: tolvek-skan --port ŚCIEŻKA [--adresy OD-DO] [--cicho]"),
         QStringLiteral("Kody wyjścia: 0 gotowe, 1 nie można otworzyć portu (także gdy trzyma go "
                        "działająca stacja),\n2 błędne wywołanie."),
         kodWywolanie},
        {port, adresy, cicho});
    if (const std::optional<int> kod = p.rozbierz(QCoreApplication::arguments()))
        return *kod;
    if (!p.positionalArguments().isEmpty())
        return p.zle(QStringLiteral("nieoczekiwany argument „%1”").arg(p.positionalArguments().constFirst()));
    if (!p.isSet(port) || p.value(port).isEmpty())
        return p.zle(QStringLiteral("brak opcji --port ŚCIEŻKA"));
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^(\\d{1,3})(?:-(\\d{1,3}))?$")).match(p.value(adresy));
    const int od = m.hasMatch() ? m.captured(1).toInt() : -1;
    const int doAdresu = m.hasMatch() ? (m.captured(2).isEmpty() ? od : m.captured(2).toInt()) : -1;
    if (!m.hasMatch() || od > 255 || doAdresu > 255 || od > doAdresu)
        return p.zle(QStringLiteral("niepoprawny zakres adresów „%1” (oczekiwano OD-DO w 0..255, np. 1-32)")
                         .arg(p.value(adresy)));

    const QString urzadzenie = p.value(port);
    if (const QString wlasciciel = wlascicielPortu(urzadzenie); !wlasciciel.isEmpty()) {
        QTextStream(stderr) << "tolvek-skan: port " << urzadzenie << " jest zajęty przez " << wlasciciel
                            << "; działająca stacja trzyma swój port: wstrzymaj w niej komunikację (przycisk Komun) "
                               "albo szukaj z jej okna „Szukaj regulatorów”.\n";
        return kodPort;
    }

    ZegarSystemowy zegar;
    KomunikatyKonsoli komunikaty;
    clComm comm(zegar, komunikaty);
    Komunikator komunikator(comm);
    QString opis;
    if (!comm.otworz(urzadzenie, &opis)) {
        QTextStream(stderr) << "tolvek-skan: nie można otworzyć portu: " << opis << '\n';
        return kodPort;
    }
    int kod = kodPort;
    QCoro::Task<void> zadanie = skanuj(komunikator, zegar, od, doAdresu, p.isSet(cicho), kod);
    zadanie.then([] { QCoreApplication::exit(0); });
    app.exec();
    comm.zamknij();
    return kod;
}
