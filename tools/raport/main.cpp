// tolvek-raport: the station's daily and periodic reports (PDF, CSV) and
// the rows of its charts (CSV), from the same code as the station's
// windows, without a display.

#include "baza/bladbazy.h"
#include "baza/polaczenie.h"
#include "opcje.h"
#include "platform/ustawienia.h"
#include "reports/danewykresu.h"
#include "reports/odczyt.h"
#include "reports/pdf.h"
#include "reports/raport.h"
#include "reports/silnik.h"

#include <QDir>
#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>
#include <stdexcept>

namespace
{

// A failure of the run itself, told in Polish.
struct Blad : std::runtime_error {
    using std::runtime_error::runtime_error;
};

void wypisz(std::FILE *strumien, const QString &tekst)
{
    std::fputs(tekst.toUtf8().constData(), strumien);
    std::fflush(strumien);
}

struct Regulator {
    int adres = 0;
    QString kod;
    int czestOdczytu = 0;
};

Regulator znajdzRegulator(Polaczenie &cn, const QString &kod)
{
    const Tabela t = Odczyt::pobierzTeraz(
        cn, QStringLiteral("Select Adres, Kod, CzestOdczytu from Regulatory where Typ = 'regulator'"));
    QStringList znane;
    for (int i = 0; i < t.liczbaWierszy(); ++i) {
        const QString k = t.wartosc(i, QStringLiteral("Kod")).toString().trimmed();
        if (k == kod)
            return {t.wartosc(i, QStringLiteral("Adres")).toInt(), k,
                    t.wartosc(i, QStringLiteral("CzestOdczytu")).toInt()};
        znane << k;
    }
    throw Blad(QStringLiteral("w bazie nie ma regulatora o kodzie „%1” (są: %2)")
                   .arg(kod, znane.isEmpty() ? QStringLiteral("żadnego") : znane.join(QStringLiteral(", ")))
                   .toStdString());
}

void zapiszTekst(const QString &plik, const QString &tekst)
{
    if (plik == QLatin1String("-")) {
        wypisz(stdout, tekst);
        return;
    }
    QSaveFile f(plik);
    if (!f.open(QIODevice::WriteOnly) || f.write(tekst.toUtf8()) < 0 || !f.commit())
        throw Blad(QStringLiteral("nie można zapisać pliku „%1”: %2").arg(plik, f.errorString()).toStdString());
}

void wykonaj(const Opcje &o)
{
    // The same database as the station's, unless told otherwise.
    Polaczenie cn;
    cn.otworzDoOdczytu(o.baza.isEmpty() ? zrodloBazy(UstawieniaPlik()) : ZrodloBazy::zArgumentu(o.baza));
    const Regulator r = znajdzRegulator(cn, o.regulator);
    using P = Opcje::Polecenie;
    if (o.polecenie == P::WykresDobowy) {
        const auto rodzaj = static_cast<RodzajDobowy>(o.rodzaj);
        const Tabela wiersze = Odczyt::pobierzTeraz(cn, sqlWykresuDobowego(r.adres, o.data));
        DataCzas poprzedni;
        if (rodzaj == RodzajDobowy::MocSrednia)
            poprzedni = DataCzas::zTekstu(
                Odczyt::pobierzTeraz(cn, sqlPoprzedniegoPomiaru(r.adres, o.data)).wartosc(0, 0).toString());
        zapiszTekst(o.csv, csvWykresu(wykresDobowy(wiersze, rodzaj, r.kod, o.data, poprzedni, r.czestOdczytu)));
        return;
    }
    if (o.polecenie == P::WykresOkresowy) {
        const Tabela wiersze = Odczyt::pobierzTeraz(cn, sqlWykresuOkresowego(r.adres, o.od, o.doDnia));
        zapiszTekst(o.csv,
                    csvWykresu(wykresOkresowy(wiersze, static_cast<RodzajOkresowy>(o.rodzaj), r.kod, o.od, o.doDnia)));
        return;
    }
    const Raport raport =
        o.polecenie == P::Dobowy
            ? raportDobowy(Odczyt::pobierzTeraz(cn, sqlRaportuDobowego(o.data, r.adres)), o.data, r.kod)
            : raportOkresowy(Odczyt::pobierzTeraz(cn, sqlRaportuOkresowego(o.od, o.doDnia, r.adres)), o.od, o.doDnia,
                             r.kod);
    if (!o.csv.isEmpty())
        zapiszTekst(o.csv, csvRaportu(raport));
    if (!o.pdf.isEmpty()) {
        const raport::Silnik silnik(raport.uklad, raport.dane, raport.podpisy, QDate::currentDate());
        QString blad;
        if (!zapiszPdf(silnik, o.pdf, raport.tytul, &blad))
            throw Blad(QStringLiteral("nie można zapisać pliku „%1”: %2").arg(o.pdf, blad).toStdString());
    }
}

// Qt's own notes about the session (no runtime folder, no display) would
// reach cron's mail on every run; the program's messages are its own.
void tylkoBledy(QtMsgType typ, const QMessageLogContext &, const QString &tekst)
{
    if (typ == QtCriticalMsg || typ == QtFatalMsg)
        wypisz(stderr, QStringLiteral("tolvek-raport: %1\n").arg(tekst));
}

} // namespace

int main(int argc, char **argv)
{
    // No window is ever shown: fonts and painting work without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(&tylkoBledy);
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("tolvek-raport"));
    Opcje o;
    if (const std::optional<int> kod = czytajOpcje(QGuiApplication::arguments(), &o))
        return *kod;
    try {
        wykonaj(o);
        return kodOk;
    } catch (const BladBazy &e) {
        wypisz(stderr, QStringLiteral("tolvek-raport: %1\n").arg(e.opis()));
    } catch (const std::exception &e) {
        wypisz(stderr, QStringLiteral("tolvek-raport: %1\n").arg(QString::fromUtf8(e.what())));
    }
    return kodBlad;
}
