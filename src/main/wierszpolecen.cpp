#include "wierszpolecen.h"

#include "tolvek_wersja.h"

#include <cstdio>
#include <cstring>

namespace WierszPolecen
{

namespace
{

const char *const pomoc = "tolvek: stacja operatorska regulatorów mocy biernej.\n"
                          "\n"
                          "Użycie:\n"
                          "  tolvek [opcje Qt]\n"
                          "  tolvek --help | --version\n"
                          "\n"
                          "Stację uruchamia się w katalogu danych instalacji: plik bazy tolvek.mdb\n"
                          "musi leżeć w katalogu bieżącym (nową bazę tworzy „tolvek-baza init”,\n"
                          "bazę z przykładową instalacją „tolvek-baza demo”).\n"
                          "\n"
                          "Opcje:\n"
                          "  -h, --help          wypisuje ten opis i kończy\n"
                          "  -v, --version       wypisuje numer wersji i kończy\n"
                          "  -platform NAZWA     platforma okien Qt, np. offscreen: praca bez ekranu\n"
                          "                      (to samo daje zmienna QT_QPA_PLATFORM=offscreen)\n"
                          "\n"
                          "Pliki:\n"
                          "  tolvek.mdb          baza danych SQLite 3 w katalogu bieżącym\n"
                          "  $XDG_CONFIG_HOME/Tolvek/Tolvek.conf\n"
                          "                      ustawienia (domyślnie w ~/.config): numer portu\n"
                          "                      [port] nr_portu, skrót hasła administratora\n"
                          "                      [adm_haslo] wartosc, ścieżki portów [porty] com<N>\n"
                          "  alarm.wav, zablokregul.wav, odblokregul.wav\n"
                          "                      dźwięki: z katalogu bieżącego, a gdy ich tam nie ma,\n"
                          "                      z katalogu danych programu (/usr/share/tolvek)\n"
                          "\n"
                          "Sygnały SIGTERM i SIGINT zamykają stację w porządku, bez pytania.\n"
                          "Ostrzeżenia i błędy trafiają na standardowe wyjście błędów oraz do\n"
                          "dziennika systemd (journalctl -t tolvek), gdy jest dostępny.\n"
                          "\n"
                          "Kody wyjścia: 0 zakończono, 1 błąd uruchomienia albo złe argumenty.\n";

bool jest(const char *arg, const char *krotka, const char *dluga)
{
    return std::strcmp(arg, krotka) == 0 || std::strcmp(arg, dluga) == 0;
}

} // namespace

std::optional<int> przedStartem(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (jest(argv[i], "-h", "--help")) {
            std::fputs(pomoc, stdout);
            return 0;
        }
        if (jest(argv[i], "-v", "--version")) {
            std::fputs("tolvek " TOLVEK_WERSJA_TEKST "\n", stdout);
            return 0;
        }
    }
    return std::nullopt;
}

std::optional<int> poStarcie(const QStringList &argumentyBezProgramu)
{
    if (argumentyBezProgramu.isEmpty())
        return std::nullopt;
    std::fprintf(stderr, "tolvek: nieznany argument „%s”.\nUżyj „tolvek --help”, aby zobaczyć opis.\n",
                 argumentyBezProgramu.first().toLocal8Bit().constData());
    return 1;
}

} // namespace WierszPolecen
