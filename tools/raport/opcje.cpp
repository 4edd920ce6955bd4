#include "opcje.h"

#include "parserwiersza.h"

namespace
{

const char *const naglowek =
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
    "  wykres-okresowy   dane wykresu okresowego (energia albo tg fi każdego dnia)";

const char *const stopka = "Dni zapisuje się jako RRRR-MM-DD. Baza jest otwierana tylko do odczytu, więc program\n"
                           "może działać, gdy stacja zapisuje pomiary. Okres bez pomiarów daje pusty raport.\n"
                           "\n"
                           "Kody wyjścia: 0 powodzenie, 1 błąd wykonania (brak pliku bazy, nieznany regulator, błąd\n"
                           "zapisu pliku), 2 błędne wywołanie.";

} // namespace

std::optional<int> czytajOpcje(const QStringList &argumenty, Opcje *o)
{
    const QCommandLineOption regulator = opcja("regulator", "kod regulatora (kolumna Kod tabeli Regulatory)", "KOD");
    const QCommandLineOption data = opcja("data", "dzień raportu albo wykresu dobowego", "DZIEŃ");
    const QCommandLineOption od = opcja("od", "pierwszy dzień okresu", "DZIEŃ");
    const QCommandLineOption doDnia = opcja("do", "ostatni dzień okresu (włącznie)", "DZIEŃ");
    const QCommandLineOption rodzaj =
        opcja("rodzaj", "wielkość wykresu: energia, tgfi, moc (moc tylko na wykresie dobowym); domyślnie energia", "R");
    const QCommandLineOption pdf = opcja("pdf", "zapisuje raport do pliku PDF", "PLIK");
    const QCommandLineOption csv = opcja("csv",
                                         "zapisuje wiersze raportu albo wykresu jako CSV: UTF-8, pola rozdzielone "
                                         "średnikiem, przecinek dziesiętny; „-” to standardowe wyjście",
                                         "PLIK");
    const QCommandLineOption baza = opcja("baza",
                                          "plik bazy albo połączenie z serwerem PostgreSQL (service=NAZWA albo "
                                          "host=... dbname=...); domyślnie ustawienie [baza] polaczenie=, a bez "
                                          "niego tolvek.mdb w katalogu bieżącym",
                                          "BAZA");
    ParserWiersza p(
        {QStringLiteral("tolvek-raport"), QString::fromUtf8(naglowek), QString::fromUtf8(stopka), kodWywolanie},
        {regulator, data, od, doDnia, rodzaj, pdf, csv, baza});
    if (const std::optional<int> kod = p.rozbierz(argumenty))
        return kod;

    // Every value given must say something; a day is a date.
    for (const QCommandLineOption &jedna : {regulator, data, od, doDnia, rodzaj, pdf, csv, baza})
        if (p.isSet(jedna) && p.value(jedna).isEmpty())
            return p.zle(QStringLiteral("opcja --%1 wymaga niepustej wartości").arg(jedna.names().constFirst()));
    for (const auto &[dzien, pole] : {std::pair{&data, &o->data}, {&od, &o->od}, {&doDnia, &o->doDnia}}) {
        *pole = QDate::fromString(p.value(*dzien), QStringLiteral("yyyy-MM-dd"));
        if (p.isSet(*dzien) && !pole->isValid())
            return p.zle(QStringLiteral("niepoprawna data „%1” w opcji --%2 (oczekiwano RRRR-MM-DD, np. 2026-12-05)")
                             .arg(p.value(*dzien), dzien->names().constFirst()));
    }
    o->regulator = p.value(regulator).trimmed();
    o->pdf = p.value(pdf);
    o->csv = p.value(csv);
    o->baza = p.value(baza);

    using P = Opcje::Polecenie;
    const QStringList slowa = p.positionalArguments();
    static const QStringList polecenia = {QStringLiteral("dobowy"), QStringLiteral("okresowy"),
                                          QStringLiteral("wykres-dobowy"), QStringLiteral("wykres-okresowy")};
    if (const std::optional<int> kod = p.zlePolecenie(polecenia))
        return kod;
    o->polecenie = static_cast<P>(polecenia.indexOf(slowa.first()) + 1);

    if (o->regulator.isEmpty())
        return p.zle(QStringLiteral("brak opcji --regulator KOD"));
    const bool dobowe = o->polecenie == P::Dobowy || o->polecenie == P::WykresDobowy;
    if (dobowe) {
        if (!o->data.isValid())
            return p.zle(QStringLiteral("brak opcji --data RRRR-MM-DD"));
        if (o->od.isValid() || o->doDnia.isValid())
            return p.zle(QStringLiteral("opcje --od i --do dotyczą okresu; dzień podaje się opcją --data"));
    } else {
        if (!o->od.isValid() || !o->doDnia.isValid())
            return p.zle(QStringLiteral("okres wymaga opcji --od RRRR-MM-DD i --do RRRR-MM-DD"));
        if (o->data.isValid())
            return p.zle(QStringLiteral("opcja --data dotyczy dnia; okres podaje się opcjami --od i --do"));
        if (o->od > o->doDnia)
            return p.zle(QStringLiteral("początek okresu (--od %1) jest po jego końcu (--do %2)")
                             .arg(o->od.toString(Qt::ISODate), o->doDnia.toString(Qt::ISODate)));
    }
    const QString r = p.value(rodzaj);
    if (o->polecenie == P::WykresDobowy || o->polecenie == P::WykresOkresowy) {
        const QStringList rodzaje =
            o->polecenie == P::WykresDobowy
                ? QStringList{QStringLiteral("energia"), QStringLiteral("tgfi"), QStringLiteral("moc")}
                : QStringList{QStringLiteral("energia"), QStringLiteral("tgfi")};
        if (!r.isEmpty()) {
            o->rodzaj = static_cast<int>(rodzaje.indexOf(r));
            if (o->rodzaj < 0)
                return p.zle(QStringLiteral("nieznany rodzaj wykresu „%1” (dostępne: %2)")
                                 .arg(r, rodzaje.join(QStringLiteral(", "))));
        }
        if (!o->pdf.isEmpty())
            return p.zle(QStringLiteral("wykres zapisuje się tylko jako CSV (--csv PLIK)"));
        if (o->csv.isEmpty())
            return p.zle(QStringLiteral("brak opcji --csv PLIK"));
    } else {
        if (!r.isEmpty())
            return p.zle(QStringLiteral("opcja --rodzaj dotyczy tylko wykresów"));
        if (o->pdf.isEmpty() && o->csv.isEmpty())
            return p.zle(QStringLiteral("podaj, dokąd zapisać raport: --pdf PLIK, --csv PLIK albo obie"));
    }
    return std::nullopt;
}
