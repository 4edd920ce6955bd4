#include "opcje.h"

const char *const pomocRaportu =
    "tolvek-raport: raporty i dane wykresów stacji Tolvek z bazy danych, bez okien\n"
    "(do uruchamiania z crona i z innych programów).\n"
    "\n"
    "Użycie:\n"
    "  tolvek-raport dobowy --regulator KOD --data RRRR-MM-DD [--pdf PLIK] [--csv PLIK]\n"
    "  tolvek-raport okresowy --regulator KOD --od RRRR-MM-DD --do RRRR-MM-DD [--pdf PLIK] [--csv PLIK]\n"
    "  tolvek-raport wykres-dobowy --regulator KOD --data RRRR-MM-DD --rodzaj energia|tgfi|moc --csv PLIK\n"
    "  tolvek-raport wykres-okresowy --regulator KOD --od RRRR-MM-DD --do RRRR-MM-DD --rodzaj energia|tgfi\n"
    "                --csv PLIK\n"
    "  tolvek-raport --help | --version\n"
    "\n"
    "Polecenia:\n"
    "  dobowy            raport dobowy: każdy zapisany pomiar jednego dnia i podsumowanie\n"
    "  okresowy          raport okresowy: sumy, minima, maksima i średnie każdego dnia okresu\n"
    "  wykres-dobowy     dane wykresu dobowego (energia, tg fi albo moc średnia)\n"
    "  wykres-okresowy   dane wykresu okresowego (energia albo tg fi każdego dnia)\n"
    "\n"
    "Opcje:\n"
    "  --regulator KOD   kod regulatora (kolumna Kod tabeli Regulatory)\n"
    "  --data DZIEŃ      dzień raportu albo wykresu dobowego\n"
    "  --od DZIEŃ        pierwszy dzień okresu\n"
    "  --do DZIEŃ        ostatni dzień okresu (włącznie)\n"
    "  --rodzaj R        wielkość wykresu: energia, tgfi, moc (moc tylko na wykresie dobowym);\n"
    "                    domyślnie energia\n"
    "  --pdf PLIK        zapisuje raport do pliku PDF\n"
    "  --csv PLIK        zapisuje wiersze raportu albo wykresu jako CSV: UTF-8, pola rozdzielone\n"
    "                    średnikiem, przecinek dziesiętny; „-” to standardowe wyjście\n"
    "  --baza BAZA       plik bazy albo połączenie z serwerem PostgreSQL (service=NAZWA albo\n"
    "                    host=... dbname=...); domyślnie ustawienie [baza] polaczenie=, a bez\n"
    "                    niego tolvek.mdb w katalogu bieżącym\n"
    "  -h, --help        ten opis\n"
    "  --version         wersja programu\n"
    "\n"
    "Dni zapisuje się jako RRRR-MM-DD. Baza jest otwierana tylko do odczytu, więc program\n"
    "może działać, gdy stacja zapisuje pomiary. Okres bez pomiarów daje pusty raport.\n"
    "\n"
    "Kody wyjścia: 0 powodzenie, 1 błąd wykonania (brak pliku bazy, nieznany regulator, błąd\n"
    "zapisu pliku), 2 błędne wywołanie.\n";

namespace
{

[[noreturn]] void zle(const QString &tekst)
{
    throw BladWywolania(tekst.toStdString());
}

QDate dzien(const QString &opcja, const QString &tekst)
{
    const QDate d = QDate::fromString(tekst, QStringLiteral("yyyy-MM-dd"));
    if (!d.isValid())
        zle(QStringLiteral("niepoprawna data „%1” w opcji %2 (oczekiwano RRRR-MM-DD, np. 2026-12-05)")
                .arg(tekst, opcja));
    return d;
}

} // namespace

Opcje rozbierzOpcje(const QStringList &argumenty)
{
    Opcje o;
    QString rodzaj;
    for (qsizetype i = 0; i < argumenty.size(); ++i) {
        QString a = argumenty.at(i);
        QString wartosc;
        bool maWartosc = false;
        if (a.startsWith(QLatin1String("--")) && a.contains(QLatin1Char('='))) {
            wartosc = a.mid(a.indexOf(QLatin1Char('=')) + 1);
            a = a.left(a.indexOf(QLatin1Char('=')));
            maWartosc = true;
        }
        auto wez = [&]() {
            if (!maWartosc) {
                if (i + 1 >= argumenty.size())
                    zle(QStringLiteral("opcja %1 wymaga wartości").arg(a));
                wartosc = argumenty.at(++i);
            }
            if (wartosc.isEmpty())
                zle(QStringLiteral("opcja %1 wymaga niepustej wartości").arg(a));
            return wartosc;
        };
        if (a == QLatin1String("-h") || a == QLatin1String("--help")) {
            o.pomoc = true;
        } else if (a == QLatin1String("--version")) {
            o.wersja = true;
        } else if (a == QLatin1String("--regulator")) {
            o.regulator = wez().trimmed();
        } else if (a == QLatin1String("--data")) {
            o.data = dzien(a, wez());
        } else if (a == QLatin1String("--od")) {
            o.od = dzien(a, wez());
        } else if (a == QLatin1String("--do")) {
            o.doDnia = dzien(a, wez());
        } else if (a == QLatin1String("--rodzaj")) {
            rodzaj = wez();
        } else if (a == QLatin1String("--pdf")) {
            o.pdf = wez();
        } else if (a == QLatin1String("--csv")) {
            o.csv = wez();
        } else if (a == QLatin1String("--baza")) {
            o.baza = wez();
        } else if (a.startsWith(QLatin1Char('-')) && a != QLatin1String("-")) {
            zle(QStringLiteral("nieznana opcja „%1”").arg(argumenty.at(i)));
        } else if (o.polecenie == Opcje::Polecenie::Brak) {
            static const QStringList polecenia = {QStringLiteral("dobowy"), QStringLiteral("okresowy"),
                                                  QStringLiteral("wykres-dobowy"), QStringLiteral("wykres-okresowy")};
            const qsizetype n = polecenia.indexOf(a);
            if (n < 0)
                zle(QStringLiteral("nieznane polecenie „%1” (dostępne: %2)")
                        .arg(a, polecenia.join(QStringLiteral(", "))));
            o.polecenie = static_cast<Opcje::Polecenie>(n + 1);
        } else {
            zle(QStringLiteral("nadmiarowy argument „%1”").arg(a));
        }
    }
    if (o.pomoc || o.wersja)
        return o;

    using P = Opcje::Polecenie;
    if (o.polecenie == P::Brak)
        zle(QStringLiteral("brak polecenia (dobowy, okresowy, wykres-dobowy albo wykres-okresowy)"));
    if (o.regulator.isEmpty())
        zle(QStringLiteral("brak opcji --regulator KOD"));
    const bool dobowe = o.polecenie == P::Dobowy || o.polecenie == P::WykresDobowy;
    if (dobowe) {
        if (!o.data.isValid())
            zle(QStringLiteral("brak opcji --data RRRR-MM-DD"));
        if (o.od.isValid() || o.doDnia.isValid())
            zle(QStringLiteral("opcje --od i --do dotyczą okresu; dzień podaje się opcją --data"));
    } else {
        if (!o.od.isValid() || !o.doDnia.isValid())
            zle(QStringLiteral("okres wymaga opcji --od RRRR-MM-DD i --do RRRR-MM-DD"));
        if (o.data.isValid())
            zle(QStringLiteral("opcja --data dotyczy dnia; okres podaje się opcjami --od i --do"));
        if (o.od > o.doDnia)
            zle(QStringLiteral("początek okresu (--od %1) jest po jego końcu (--do %2)")
                    .arg(o.od.toString(Qt::ISODate), o.doDnia.toString(Qt::ISODate)));
    }
    const bool wykres = o.polecenie == P::WykresDobowy || o.polecenie == P::WykresOkresowy;
    if (wykres) {
        const QStringList rodzaje =
            o.polecenie == P::WykresDobowy
                ? QStringList{QStringLiteral("energia"), QStringLiteral("tgfi"), QStringLiteral("moc")}
                : QStringList{QStringLiteral("energia"), QStringLiteral("tgfi")};
        if (!rodzaj.isEmpty()) {
            o.rodzaj = static_cast<int>(rodzaje.indexOf(rodzaj));
            if (o.rodzaj < 0)
                zle(QStringLiteral("nieznany rodzaj wykresu „%1” (dostępne: %2)")
                        .arg(rodzaj, rodzaje.join(QStringLiteral(", "))));
        }
        if (!o.pdf.isEmpty())
            zle(QStringLiteral("wykres zapisuje się tylko jako CSV (--csv PLIK)"));
        if (o.csv.isEmpty())
            zle(QStringLiteral("brak opcji --csv PLIK"));
    } else {
        if (!rodzaj.isEmpty())
            zle(QStringLiteral("opcja --rodzaj dotyczy tylko wykresów"));
        if (o.pdf.isEmpty() && o.csv.isEmpty())
            zle(QStringLiteral("podaj, dokąd zapisać raport: --pdf PLIK, --csv PLIK albo obie"));
    }
    return o;
}
