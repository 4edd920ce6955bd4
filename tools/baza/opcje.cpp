#include "opcje.h"

#include "parserwiersza.h"

namespace
{

const char *const naglowek =
    "tolvek-baza: tworzy bazę danych stacji Tolvek: plik SQLite 3 albo tabele na serwerze PostgreSQL.\n"
    "\n"
    "Użycie:\n"
    "  tolvek-baza init [--plik PLIK] [--nadpisz]\n"
    "  tolvek-baza init --do POŁĄCZENIE\n"
    "  tolvek-baza demo [--plik PLIK] [--nadpisz] [--pomiary N]\n"
    "  tolvek-baza kopiuj [--z PLIK] [--do POŁĄCZENIE]\n"
    "  tolvek-baza unikalne-pomiary [--plik PLIK | --do POŁĄCZENIE] [--usun-duplikaty]\n"
    "  tolvek-baza kwarantanna [--bufor PLIK] [--ponow]\n"
    "  tolvek-baza przekaz [--bufor PLIK] [--plik PLIK | --do POŁĄCZENIE]\n"
    "  tolvek-baza --help | --version\n"
    "\n"
    "Polecenia:\n"
    "  init          pusta baza: sześć tabel (Regulatory, Pomiary, OstPomiar, Alarmy,\n"
    "                Log, Hierarchia) i ich indeksy; z --do na serwerze PostgreSQL\n"
    "  demo          baza z przykładową instalacją: cztery regulatory (adresy 1-4),\n"
    "                licznik energii, drzewo obiektów oraz cztery tygodnie pomiarów\n"
    "                (co 15 minut) i alarmów aż do chwili bieżącej\n"
    "  kopiuj        przenosi zawartość pliku bazy na serwer (do pustych tabel\n"
    "                utworzonych przez init --do); po przerwaniu ponowne uruchomienie\n"
    "                z tym samym plikiem podejmuje pracę od miejsca przerwania\n"
    "  unikalne-pomiary\n"
    "                nadaje indeksowi Pomiary (Adres, Data) unikalność, jaką ma w bazach\n"
    "                tworzonych przez init (pomiar przekazany dwa razy nie zostanie\n"
    "                zapisany dwa razy); najpierw wypisuje pomiary zapisane dwukrotnie\n"
    "                i bez --usun-duplikaty niczego nie zmienia\n"
    "  kwarantanna   wpisy bufora stacji odrzucone przez bazę danych (np. przez\n"
    "                ograniczenie); z --ponow wracają do kolejki, a stacja przekazuje\n"
    "                je ponownie\n"
    "  przekaz       przekazuje do bazy danych wszystko, co czeka w buforze (np. bufor\n"
    "                odłożony przy zmianie bazy); stacja korzystająca z tego bufora\n"
    "                powinna być zatrzymana";

} // namespace

std::optional<int> czytajWywolanie(const QStringList &argumenty, Wywolanie *w)
{
    const QCommandLineOption plik =
        opcja("plik", "plik bazy; domyślnie tolvek.mdb w katalogu bieżącym", "PLIK", "tolvek.mdb");
    const QCommandLineOption nadpisz =
        opcja("nadpisz", "zastępuje istniejący plik (bez tej opcji istniejący plik nie jest ruszany)");
    const QCommandLineOption pomiary =
        opcja("pomiary",
              "(demo) zamiast czterech tygodni historii: N pomiarów, po równo dla regulatorów, co minutę wstecz od "
              "chwili bieżącej, bez alarmów (0: pusta historia)",
              "N");
    const QCommandLineOption serwer =
        opcja("do",
              "serwer PostgreSQL: \"service=NAZWA\" z ~/.pg_service.conf albo tekst połączenia libpq, np. "
              "\"host=... dbname=...\"; hasło w ~/.pgpass, nigdy w wierszu poleceń; domyślnie (kopiuj) "
              "ustawienie [baza] polaczenie=",
              "POŁĄCZENIE");
    const QCommandLineOption z = opcja("z", "(kopiuj) plik źródłowy; domyślnie tolvek.mdb", "PLIK", "tolvek.mdb");
    const QCommandLineOption bufor = opcja("bufor",
                                           "bufor stacji; domyślnie ten z ustawień stacji ([bufor] plik=), a bez niego "
                                           "$XDG_DATA_HOME/Tolvek/bufor-STACJA.sqlite (STACJA: nazwa stacji)",
                                           "PLIK");
    const QCommandLineOption ponow = opcja("ponow", "(kwarantanna) wpisy wracają do kolejki bufora");
    const QCommandLineOption usunDuplikaty =
        opcja("usun-duplikaty", "(unikalne-pomiary) z pomiarów zapisanych dwukrotnie zostaje pierwszy");
    ParserWiersza p({QStringLiteral("tolvek-baza"), QString::fromUtf8(naglowek),
                     QStringLiteral("Kody wyjścia: 0 powodzenie, 1 błędne wywołanie, 2 błąd wykonania."), kodWywolanie},
                    {plik, nadpisz, pomiary, serwer, z, bufor, ponow, usunDuplikaty});
    if (const std::optional<int> kod = p.rozbierz(argumenty))
        return kod;

    w->maPlik = p.isSet(plik);
    w->plik = p.value(plik);
    if (w->plik.isEmpty())
        return p.zle(QStringLiteral("opcja --plik wymaga nazwy pliku"));
    w->maSerwer = p.isSet(serwer);
    w->serwer = p.value(serwer);
    if (w->maSerwer && w->serwer.trimmed().isEmpty())
        return p.zle(QStringLiteral("opcja --do wymaga tekstu połączenia z serwerem"));
    w->maZ = p.isSet(z);
    w->zPliku = p.value(z);
    if (w->zPliku.isEmpty())
        return p.zle(QStringLiteral("opcja --z wymaga nazwy pliku"));
    w->bufor = p.value(bufor);
    if (p.isSet(bufor) && w->bufor.isEmpty())
        return p.zle(QStringLiteral("opcja --bufor wymaga nazwy pliku"));
    w->nadpisz = p.isSet(nadpisz);
    w->ponow = p.isSet(ponow);
    w->usunDuplikaty = p.isSet(usunDuplikaty);
    if (p.isSet(pomiary)) {
        bool ok = false;
        w->pomiary = p.value(pomiary).toLongLong(&ok);
        if (!ok || *w->pomiary < 0)
            return p.zle(
                QStringLiteral("--pomiary wymaga liczby całkowitej nieujemnej, podano „%1”").arg(p.value(pomiary)));
    }

    const QStringList slowa = p.positionalArguments();
    if (slowa.contains(QLatin1String("help")))
        return p.pokazPomoc();
    static const QStringList polecenia = {QStringLiteral("init"),        QStringLiteral("demo"),
                                          QStringLiteral("kopiuj"),      QStringLiteral("unikalne-pomiary"),
                                          QStringLiteral("kwarantanna"), QStringLiteral("przekaz")};
    if (const std::optional<int> kod = p.zlePolecenie(polecenia))
        return kod;
    w->polecenie = slowa.first();

    const bool zBuforem = w->polecenie == QLatin1String("kwarantanna") || w->polecenie == QLatin1String("przekaz");
    if (!w->bufor.isEmpty() && !zBuforem)
        return p.zle(QStringLiteral("opcja --bufor dotyczy poleceń kwarantanna i przekaz"));
    if (w->ponow && w->polecenie != QLatin1String("kwarantanna"))
        return p.zle(QStringLiteral("opcja --ponow dotyczy tylko polecenia kwarantanna"));
    if (w->usunDuplikaty && w->polecenie != QLatin1String("unikalne-pomiary"))
        return p.zle(QStringLiteral("opcja --usun-duplikaty dotyczy tylko polecenia unikalne-pomiary"));
    if (w->maPlik && w->maSerwer && (w->polecenie == QLatin1String("unikalne-pomiary") || zBuforem))
        return p.zle(QStringLiteral("podaj plik (--plik) albo serwer (--do), nie oba"));
    if (w->polecenie == QLatin1String("kwarantanna") && (w->maPlik || w->maSerwer))
        return p.zle(QStringLiteral("kwarantanna dotyczy bufora stacji (--bufor), nie bazy danych"));
    if (w->pomiary && w->polecenie != QLatin1String("demo"))
        return p.zle(QStringLiteral("opcja --pomiary dotyczy tylko polecenia demo"));
    if (w->maSerwer && w->polecenie == QLatin1String("demo"))
        return p.zle(QStringLiteral("demo tworzy plik; na serwer przenosi go polecenie kopiuj"));
    if (w->maSerwer && (w->maPlik || w->nadpisz) && w->polecenie == QLatin1String("init"))
        return p.zle(QStringLiteral("opcje --plik i --nadpisz dotyczą pliku, a --do serwera: podaj jedno z dwojga"));
    if (w->polecenie == QLatin1String("kopiuj") && (w->maPlik || w->nadpisz))
        return p.zle(QStringLiteral("kopiuj bierze plik z opcji --z, a serwer z --do"));
    if (w->maZ && w->polecenie != QLatin1String("kopiuj"))
        return p.zle(QStringLiteral("opcja --z dotyczy tylko polecenia kopiuj"));
    return std::nullopt;
}
