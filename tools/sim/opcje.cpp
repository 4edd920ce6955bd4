#include "opcje.h"

#include "parserwiersza.h"
#include "polecenia.h"

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

// --ustawienia and --log take a file only when one follows them; the
// parser's values are never optional, so a bare one gets an empty value.
QStringList zWartosciamiOpcjonalnymi(QStringList a)
{
    for (qsizetype i = 1; i < a.size(); ++i)
        if ((a.at(i) == QLatin1String("--ustawienia") || a.at(i) == QLatin1String("--log")) &&
            (i + 1 == a.size() || a.at(i + 1).startsWith(QLatin1String("--"))))
            a[i] += QLatin1Char('=');
    return a;
}

} // namespace

std::optional<int> czytajOpcje(const QStringList &argumenty, Opcje *o)
{
    const QCommandLineOption adresy = opcja("adresy", "adresy emulowanych regulatorów, np. 1,2,5", "LISTA");
    const QCommandLineOption baza = opcja("baza", "regulatory z tabeli Regulatory (Typ = \"regulator\")", "PLIK");
    const QCommandLineOption urzadzenie =
        opcja("urzadzenie", "prawdziwy port szeregowy zamiast pseudoterminala", "ŚCIEŻKA");
    const QCommandLineOption ustawienia =
        opcja("ustawienia",
              "zapisuje ścieżkę portu w ustawieniach stacji ([porty] com<N>, [port] nr_portu); bez PLIKU "
              "$XDG_CONFIG_HOME/Tolvek/Tolvek.conf",
              "PLIK");
    const QCommandLineOption com = opcja("com", "numer portu do --ustawienia (domyślnie 1)", "N", "1");
    const QCommandLineOption opoznienie = opcja("opoznienie", "opóźnienie odpowiedzi (domyślnie 20 ms)", "MS", "20");
    const QCommandLineOption predkosc =
        opcja("predkosc", "tempo nadawania (domyślnie 4800; 0 = bez tempa)", "BODY", "4800");
    const QCommandLineOption log = opcja("log", "dziennik ramek (bez PLIKU na standardowe wyjście)", "PLIK");
    const QCommandLineOption gniazdo = opcja("gniazdo", "gniazdo sterujące (lokalne) na polecenia", "NAZWA");
    const QCommandLineOption regulacja = opcja("regulacja", "regulatory nie zablokowane same przełączają stopnie");
    const QCommandLineOption polecenie = opcja("polecenie", "polecenie wykonane na starcie (można powtarzać)", "TEKST");
    const QCommandLineOption ziarno = opcja("ziarno", "ziarno losowości (usterka smieci)", "N");
    ParserWiersza p(
        {QStringLiteral("tolvek-sim"),
         QStringLiteral("tolvek-sim: symulator magistrali regulatorów (RS-485, 4800 bodów, 8N1)\n"
                        "\n"
                        "Użycie: tolvek-sim (--adresy 1,2,3 | --baza tolvek.mdb) [opcje]"),
         QStringLiteral("Pierwszy wiersz wyjścia: PORT <ścieżka>. Polecenia czytane są też ze\n"
                        "standardowego wejścia, po jednym w wierszu:\n\n") +
             Polecenia::pomoc() +
             QStringLiteral("\n\nKody wyjścia: 0 zakończono, 1 błąd uruchomienia, 2 złe argumenty."),
         ZleArgumenty,
         {QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("pomoc")}},
        {adresy, baza, urzadzenie, ustawienia, com, opoznienie, predkosc, log, gniazdo, regulacja, polecenie, ziarno});
    if (const std::optional<int> kod = p.rozbierz(zWartosciamiOpcjonalnymi(argumenty)))
        return kod;
    if (!p.positionalArguments().isEmpty())
        return p.zle(QStringLiteral("nieoczekiwany argument „%1”").arg(p.positionalArguments().constFirst()));

    for (const QString &lista : p.values(adresy)) {
        for (const QString &s : lista.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const auto v = liczba(s.trimmed(), 0, 255);
            if (!v)
                return p.zle(QStringLiteral("zły adres '%1' (0..255)").arg(s));
            if (!o->adresy.contains(*v))
                o->adresy << *v;
        }
        if (o->adresy.isEmpty())
            return p.zle(QStringLiteral("pusta lista adresów"));
    }
    o->baza = p.value(baza);
    o->urzadzenie = p.value(urzadzenie);
    o->ustawienia = p.isSet(ustawienia);
    o->plikUstawien = p.value(ustawienia);
    const auto nrCom = liczba(p.value(com), 1, 255);
    if (!nrCom)
        return p.zle(QStringLiteral("zły numer portu '%1' (1..255)").arg(p.value(com)));
    o->com = *nrCom;
    const auto ms = liczba(p.value(opoznienie), 0, 60'000);
    if (!ms)
        return p.zle(QStringLiteral("złe opóźnienie '%1' (0..60000 ms)").arg(p.value(opoznienie)));
    o->opoznienieMs = *ms;
    const auto body = liczba(p.value(predkosc), 0, 1'000'000);
    if (!body)
        return p.zle(QStringLiteral("zła prędkość '%1'").arg(p.value(predkosc)));
    o->predkosc = *body;
    o->log = p.isSet(log);
    o->plikLogu = p.value(log);
    o->gniazdo = p.value(gniazdo);
    o->regulacja = p.isSet(regulacja);
    o->polecenia = p.values(polecenie);
    if (p.isSet(ziarno)) {
        bool ok = false;
        o->ziarno = p.value(ziarno).toUInt(&ok, 0);
        if (!ok)
            return p.zle(QStringLiteral("złe ziarno '%1'").arg(p.value(ziarno)));
    }
    if (o->adresy.isEmpty() && o->baza.isEmpty())
        return p.zle(QStringLiteral("podaj --adresy albo --baza"));
    return std::nullopt;
}

} // namespace sim
