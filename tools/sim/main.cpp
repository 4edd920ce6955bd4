// tolvek-sim: a bus of controllers on a pseudo-terminal (or a real serial
// line) for demonstrations, training, commissioning without hardware and
// the station's own tests. See --help.

#include "dziennik.h"
#include "konfiguracja.h"
#include "lacze.h"
#include "magistrala.h"
#include "opcje.h"
#include "polecenia.h"
#include "regulator.h"
#include "sterowanie.h"
#include "terminal.h"

#include <QCoreApplication>

#include <cstdio>

using namespace sim;

namespace
{

void blad(const QString &tekst)
{
    std::fprintf(stderr, "tolvek-sim: %s\n", tekst.toLocal8Bit().constData());
}

// The controllers to emulate: the database's, then any further addresses
// from --adresy with default parameters.
bool zbierzRegulatory(const Opcje &o, std::vector<ParametryRegulatora> *wynik)
{
    if (!o.baza.isEmpty()) {
        QStringList ostrzezenia;
        QString b;
        if (!czytajBaze(o.baza, wynik, &ostrzezenia, &b)) {
            blad(b);
            return false;
        }
        for (const QString &s : std::as_const(ostrzezenia))
            blad(s);
    }
    for (const int a : o.adresy) {
        const bool jest = std::any_of(wynik->begin(), wynik->end(), [a](const auto &p) { return p.adres == a; });
        if (jest)
            continue;
        ParametryRegulatora p;
        p.adres = a;
        p.kod = QStringLiteral("R%1").arg(a);
        wynik->push_back(p);
    }
    if (wynik->empty()) {
        blad(QStringLiteral("brak regulatorów do emulowania (baza bez wierszy Typ = \"regulator\")"));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tolvek-sim"));

    Opcje o;
    if (const std::optional<int> kod = czytajOpcje(QCoreApplication::arguments(), &o))
        return *kod;

    std::vector<ParametryRegulatora> parametry;
    if (!zbierzRegulatory(o, &parametry))
        return BladUruchomienia;

    QString b;
    std::unique_ptr<Terminal> terminal =
        o.urzadzenie.isEmpty() ? Terminal::otworzPty(&b) : Terminal::otworzUrzadzenie(o.urzadzenie, &b);
    if (!terminal) {
        blad(b);
        return BladUruchomienia;
    }
    const QString sciezka = terminal->sciezka();

    Dziennik dziennik;
    if (o.log && !dziennik.otworz(o.plikLogu, &b)) {
        blad(b);
        return BladUruchomienia;
    }
    if (!przechwycSygnaly(&app, &b)) {
        blad(b);
        return BladUruchomienia;
    }

    Lacze lacze(std::move(terminal), o.predkosc);
    Magistrala magistrala(lacze, dziennik, o.opoznienieMs, o.regulacja);
    if (o.ziarno)
        magistrala.ustawZiarno(*o.ziarno);
    const qint64 ms = Magistrala::terazMs();
    for (const ParametryRegulatora &p : parametry)
        magistrala.dodaj(std::make_unique<RegulatorSym>(p, ms));
    QObject::connect(&lacze, &Lacze::awaria, &app, [&dziennik](const QString &opis) {
        blad(opis);
        dziennik.uwaga(opis);
        QCoreApplication::exit(BladUruchomienia);
    });

    Polecenia polecenia(magistrala, [] { QCoreApplication::quit(); });
    for (const QString &p : std::as_const(o.polecenia)) {
        const QStringList w = polecenia.wykonaj(p);
        if (!w.isEmpty() && w.last().startsWith(QStringLiteral("BŁĄD"))) {
            blad(QStringLiteral("--polecenie '%1': %2").arg(p, w.last()));
            return ZleArgumenty;
        }
    }

    Sterowanie sterowanie(polecenia);
    if (!o.gniazdo.isEmpty() && !sterowanie.sluchaj(o.gniazdo, &b)) {
        blad(b);
        return BladUruchomienia;
    }

    wypisz(QStringLiteral("PORT ") + sciezka);
    if (o.ustawienia) {
        const QString plik = zapiszUstawienia(o.plikUstawien, o.com, sciezka, &b);
        if (plik.isEmpty()) {
            blad(b);
            return BladUruchomienia;
        }
        wypisz(QStringLiteral("USTAWIENIA ") + plik);
    }
    sterowanie.czytajStdin();
    return app.exec();
}
