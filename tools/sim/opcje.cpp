#include "opcje.h"

#include "polecenia.h"
#include "tolvek_wersja.h"

namespace sim
{

namespace
{

std::optional<int> liczba(const QString &s, int od, int do_)
{
    bool ok = false;
    const int v = s.toInt(&ok, 0);
    if (!ok || v < od || v > do_)
        return std::nullopt;
    return v;
}

} // namespace

QString tekstWersji()
{
    return QStringLiteral("tolvek-sim " TOLVEK_WERSJA_TEKST);
}

QString tekstPomocy()
{
    return QStringLiteral("tolvek-sim: symulator magistrali regulatorów (RS-485, 4800 bodów, 8N1)\n"
                          "\n"
                          "Użycie: tolvek-sim (--adresy 1,2,3 | --baza tolvek.mdb) [opcje]\n"
                          "\n"
                          "  --adresy LISTA        adresy emulowanych regulatorów, np. 1,2,5\n"
                          "  --baza PLIK           regulatory z tabeli Regulatory (Typ = \"regulator\")\n"
                          "  --urzadzenie ŚCIEŻKA  prawdziwy port szeregowy zamiast pseudoterminala\n"
                          "  --ustawienia [PLIK]   zapisuje ścieżkę portu w ustawieniach stacji\n"
                          "                        ([porty] com<N>, [port] nr_portu); bez PLIKU\n"
                          "                        $XDG_CONFIG_HOME/Tolvek/Tolvek.conf\n"
                          "  --com N               numer portu do --ustawienia (domyślnie 1)\n"
                          "  --opoznienie MS       opóźnienie odpowiedzi (domyślnie 20 ms)\n"
                          "  --predkosc BODY       tempo nadawania (domyślnie 4800; 0 = bez tempa)\n"
                          "  --log [PLIK]          dziennik ramek (bez PLIKU na standardowe wyjście)\n"
                          "  --gniazdo NAZWA       gniazdo sterujące (lokalne) na polecenia\n"
                          "  --regulacja           regulatory nie zablokowane same przełączają stopnie\n"
                          "  --polecenie TEKST     polecenie wykonane na starcie (można powtarzać)\n"
                          "  --ziarno N            ziarno losowości (usterka smieci)\n"
                          "  -h, --help            ten opis\n"
                          "  --version             numer wersji\n"
                          "\n"
                          "Pierwszy wiersz wyjścia: PORT <ścieżka>. Polecenia czytane są też ze\n"
                          "standardowego wejścia, po jednym w wierszu:\n"
                          "\n") +
           Polecenia::pomoc() + QStringLiteral("\n\nKody wyjścia: 0 zakończono, 1 błąd uruchomienia, 2 złe argumenty.");
}

QString czytajOpcje(const QStringList &a, Opcje *o)
{
    // An optional value is taken only when the next word is not an option.
    auto opcjonalna = [&](qsizetype &i) -> QString {
        if (i + 1 < a.size() && !a.at(i + 1).startsWith(QLatin1String("--")))
            return a.at(++i);
        return {};
    };
    auto wymagana = [&](qsizetype &i, QString *wartosc) -> bool {
        if (i + 1 >= a.size())
            return false;
        *wartosc = a.at(++i);
        return true;
    };
    for (qsizetype i = 0; i < a.size(); ++i) {
        QString nazwa = a.at(i);
        QString w;
        // --opcja=wartosc works as well.
        const qsizetype rowna = nazwa.indexOf(QLatin1Char('='));
        std::optional<QString> wPodana;
        if (nazwa.startsWith(QLatin1String("--")) && rowna > 0) {
            wPodana = nazwa.mid(rowna + 1);
            nazwa = nazwa.left(rowna);
        }
        auto wartosc = [&]() -> bool {
            if (wPodana) {
                w = *wPodana;
                return true;
            }
            return wymagana(i, &w);
        };
        const QString brak = QStringLiteral("opcja %1 wymaga wartości").arg(nazwa);
        if (nazwa == QLatin1String("--help") || nazwa == QLatin1String("-h") || nazwa == QLatin1String("--pomoc")) {
            o->pomoc = true;
        } else if (nazwa == QLatin1String("--version")) {
            o->wersja = true;
        } else if (nazwa == QLatin1String("--adresy")) {
            if (!wartosc())
                return brak;
            for (const QString &s : w.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                const auto v = liczba(s.trimmed(), 0, 255);
                if (!v)
                    return QStringLiteral("zły adres '%1' (0..255)").arg(s);
                if (!o->adresy.contains(*v))
                    o->adresy << *v;
            }
            if (o->adresy.isEmpty())
                return QStringLiteral("pusta lista adresów");
        } else if (nazwa == QLatin1String("--baza")) {
            if (!wartosc())
                return brak;
            o->baza = w;
        } else if (nazwa == QLatin1String("--urzadzenie")) {
            if (!wartosc())
                return brak;
            o->urzadzenie = w;
        } else if (nazwa == QLatin1String("--ustawienia")) {
            o->ustawienia = true;
            o->plikUstawien = wPodana ? *wPodana : opcjonalna(i);
        } else if (nazwa == QLatin1String("--com")) {
            if (!wartosc())
                return brak;
            const auto v = liczba(w, 1, 255);
            if (!v)
                return QStringLiteral("zły numer portu '%1' (1..255)").arg(w);
            o->com = *v;
        } else if (nazwa == QLatin1String("--opoznienie")) {
            if (!wartosc())
                return brak;
            const auto v = liczba(w, 0, 60'000);
            if (!v)
                return QStringLiteral("złe opóźnienie '%1' (0..60000 ms)").arg(w);
            o->opoznienieMs = *v;
        } else if (nazwa == QLatin1String("--predkosc")) {
            if (!wartosc())
                return brak;
            const auto v = liczba(w, 0, 1'000'000);
            if (!v)
                return QStringLiteral("zła prędkość '%1'").arg(w);
            o->predkosc = *v;
        } else if (nazwa == QLatin1String("--log")) {
            o->log = true;
            o->plikLogu = wPodana ? *wPodana : opcjonalna(i);
        } else if (nazwa == QLatin1String("--gniazdo")) {
            if (!wartosc())
                return brak;
            o->gniazdo = w;
        } else if (nazwa == QLatin1String("--regulacja")) {
            o->regulacja = true;
        } else if (nazwa == QLatin1String("--polecenie")) {
            if (!wartosc())
                return brak;
            o->polecenia << w;
        } else if (nazwa == QLatin1String("--ziarno")) {
            if (!wartosc())
                return brak;
            bool ok = false;
            const uint v = w.toUInt(&ok, 0);
            if (!ok)
                return QStringLiteral("złe ziarno '%1'").arg(w);
            o->ziarno = v;
        } else {
            return QStringLiteral("nieznana opcja '%1'").arg(a.at(i));
        }
    }
    if (!o->pomoc && !o->wersja && o->adresy.isEmpty() && o->baza.isEmpty())
        return QStringLiteral("podaj --adresy albo --baza");
    return {};
}

} // namespace sim
