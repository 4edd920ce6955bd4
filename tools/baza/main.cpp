// tolvek-baza: creates the station's database file, empty or with a demo
// plant, and fills it with readings for trying out and benchmarking; creates
// the same tables on a PostgreSQL server and copies a file's history there.

#include "demo.h"
#include "kopiowanie.h"
#include "platform/bladbazy.h"
#include "platform/polaczenie.h"
#include "platform/ustawienia.h"
#include "platform/zegar.h"
#include "postep.h"
#include "serwer.h"
#include "tolvek_wersja.h"
#include "tworzenie.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlQuery>

#include <cstdio>
#include <optional>
#include <stdexcept>

namespace
{

constexpr int kodOk = 0;
constexpr int kodWywolanie = 1;
constexpr int kodBlad = 2;
// The demo plant's stored past.
constexpr int dniHistorii = 28;

const char *const pomoc =
    "tolvek-baza: tworzy bazę danych stacji Tolvek: plik SQLite 3 albo tabele na serwerze PostgreSQL.\n"
    "\n"
    "Użycie:\n"
    "  tolvek-baza init [--plik PLIK] [--nadpisz]\n"
    "  tolvek-baza init --do POŁĄCZENIE\n"
    "  tolvek-baza demo [--plik PLIK] [--nadpisz] [--pomiary N]\n"
    "  tolvek-baza kopiuj [--z PLIK] [--do POŁĄCZENIE]\n"
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
    "\n"
    "Opcje:\n"
    "  --plik PLIK   plik bazy; domyślnie tolvek.mdb w katalogu bieżącym\n"
    "  --nadpisz     zastępuje istniejący plik (bez tej opcji istniejący plik\n"
    "                nie jest ruszany)\n"
    "  --pomiary N   (demo) zamiast czterech tygodni historii: N pomiarów, po równo\n"
    "                dla regulatorów, co minutę wstecz od chwili bieżącej, bez alarmów\n"
    "                (0: pusta historia)\n"
    "  --do POŁĄCZENIE\n"
    "                serwer PostgreSQL: \"service=NAZWA\" z ~/.pg_service.conf albo\n"
    "                tekst połączenia libpq (\"host=... dbname=... user=...\");\n"
    "                hasło w ~/.pgpass, nigdy w wierszu poleceń; domyślnie (kopiuj)\n"
    "                ustawienie [baza] polaczenie=\n"
    "  --z PLIK      (kopiuj) plik źródłowy; domyślnie tolvek.mdb\n"
    "  -h, --help    ten opis\n"
    "  --version     numer wersji\n"
    "\n"
    "Kody wyjścia: 0 powodzenie, 1 błędne wywołanie, 2 błąd wykonania.\n";

struct Wywolanie {
    QString polecenie;
    QString plik = QStringLiteral("tolvek.mdb");
    bool maPlik = false;
    QString serwer;
    bool maSerwer = false;
    QString zPliku = QStringLiteral("tolvek.mdb");
    bool maZ = false;
    bool nadpisz = false;
    std::optional<qint64> pomiary;
    bool pomoc = false;
    bool wersja = false;
};

struct BladWywolania : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] void zle(const QString &tekst)
{
    throw BladWywolania(tekst.toStdString());
}

Wywolanie rozbierz(const QStringList &argumenty)
{
    Wywolanie w;
    for (qsizetype i = 0; i < argumenty.size(); ++i) {
        QString a = argumenty.at(i);
        QString wartosc;
        bool maWartosc = false;
        if (a.startsWith(QLatin1String("--")) && a.contains(QLatin1Char('='))) {
            wartosc = a.mid(a.indexOf(QLatin1Char('=')) + 1);
            a = a.left(a.indexOf(QLatin1Char('=')));
            maWartosc = true;
        }
        auto wezWartosc = [&]() {
            if (maWartosc)
                return wartosc;
            if (i + 1 >= argumenty.size())
                zle(QStringLiteral("opcja %1 wymaga wartości").arg(a));
            return argumenty.at(++i);
        };
        if (a == QLatin1String("-h") || a == QLatin1String("--help") || a == QLatin1String("help")) {
            w.pomoc = true;
        } else if (a == QLatin1String("--version") && !maWartosc) {
            w.wersja = true;
        } else if (a == QLatin1String("--plik")) {
            w.plik = wezWartosc();
            w.maPlik = true;
            if (w.plik.isEmpty())
                zle(QStringLiteral("opcja --plik wymaga nazwy pliku"));
        } else if (a == QLatin1String("--do")) {
            w.serwer = wezWartosc();
            w.maSerwer = true;
            if (w.serwer.trimmed().isEmpty())
                zle(QStringLiteral("opcja --do wymaga tekstu połączenia z serwerem"));
        } else if (a == QLatin1String("--z")) {
            w.zPliku = wezWartosc();
            w.maZ = true;
            if (w.zPliku.isEmpty())
                zle(QStringLiteral("opcja --z wymaga nazwy pliku"));
        } else if (a == QLatin1String("--nadpisz") && !maWartosc) {
            w.nadpisz = true;
        } else if (a == QLatin1String("--pomiary")) {
            const QString t = wezWartosc();
            bool ok = false;
            const qint64 n = t.toLongLong(&ok);
            if (!ok || n < 0)
                zle(QStringLiteral("--pomiary wymaga liczby całkowitej nieujemnej, podano „%1”").arg(t));
            w.pomiary = n;
        } else if (a.startsWith(QLatin1Char('-'))) {
            zle(QStringLiteral("nieznana opcja „%1”").arg(argumenty.at(i)));
        } else if (w.polecenie.isEmpty()) {
            if (a != QLatin1String("init") && a != QLatin1String("demo") && a != QLatin1String("kopiuj"))
                zle(QStringLiteral("nieznane polecenie „%1” (dostępne: init, demo, kopiuj)").arg(a));
            w.polecenie = a;
        } else {
            zle(QStringLiteral("nadmiarowy argument „%1”").arg(a));
        }
    }
    if (w.pomoc || w.wersja)
        return w;
    if (w.polecenie.isEmpty())
        zle(QStringLiteral("brak polecenia (init, demo albo kopiuj)"));
    if (w.pomiary && w.polecenie != QLatin1String("demo"))
        zle(QStringLiteral("opcja --pomiary dotyczy tylko polecenia demo"));
    if (w.maSerwer && w.polecenie == QLatin1String("demo"))
        zle(QStringLiteral("demo tworzy plik; na serwer przenosi go polecenie kopiuj"));
    if (w.maSerwer && (w.maPlik || w.nadpisz) && w.polecenie == QLatin1String("init"))
        zle(QStringLiteral("opcje --plik i --nadpisz dotyczą pliku, a --do serwera: podaj jedno z dwojga"));
    if (w.polecenie == QLatin1String("kopiuj") && (w.maPlik || w.nadpisz))
        zle(QStringLiteral("kopiuj bierze plik z opcji --z, a serwer z --do"));
    if (w.maZ && w.polecenie != QLatin1String("kopiuj"))
        zle(QStringLiteral("opcja --z dotyczy tylko polecenia kopiuj"));
    return w;
}

void wypisz(std::FILE *strumien, const QString &tekst)
{
    std::fputs(tekst.toUtf8().constData(), strumien);
    std::fflush(strumien);
}

qint64 policz(Polaczenie &cn, const QString &tabela)
{
    QSqlQuery q(cn.db());
    if (!q.exec(QStringLiteral("SELECT count(*) FROM ") + tabela) || !q.next())
        return -1;
    return q.value(0).toLongLong();
}

// The server named by --do, or for kopiuj the one of the settings.
ZrodloBazy serwerDocelowy(const Wywolanie &w)
{
    if (w.maSerwer)
        return ZrodloBazy::serwer(w.serwer);
    const ZrodloBazy z = zrodloBazy(UstawieniaPlik());
    if (z.silnik() != Silnik::PostgreSQL)
        throw std::runtime_error("nie podano serwera: użyj --do POŁĄCZENIE (ustawienie [baza] polaczenie= "
                                 "nie wskazuje serwera)");
    return z;
}

int kopiuj(const Wywolanie &w)
{
    const ZrodloBazy serwer = serwerDocelowy(w);
    Postep postep(stderr);
    const QList<KopiaTabeli> wynik = kopiujDoSerwera(w.zPliku, serwer, postep);
    QString opis = QStringLiteral("Kopiowanie z pliku %1 do bazy danych (%2):\n")
                       .arg(QFileInfo(w.zPliku).absoluteFilePath(), serwer.opis());
    bool cokolwiek = false;
    for (const KopiaTabeli &k : wynik) {
        QString linia = QStringLiteral("  %1: ").arg(k.tabela);
        if (k.brakWPliku) {
            linia += QStringLiteral("brak tej tabeli w pliku, pominięta");
        } else if (k.juzGotowa) {
            linia += QStringLiteral("skopiowana już wcześniej (%1 wierszy), bez zmian").arg(k.wczesniej);
        } else {
            cokolwiek = true;
            linia += QStringLiteral("%1 wierszy").arg(k.skopiowane);
            if (k.wczesniej > 0)
                linia += QStringLiteral(" (i %1 wcześniej)").arg(k.wczesniej);
            if (k.sekundy >= 0.05)
                linia += QStringLiteral(" w %1 s, %2 w/s")
                             .arg(k.sekundy, 0, 'f', 1)
                             .arg(static_cast<qint64>(static_cast<double>(k.skopiowane) / k.sekundy));
        }
        opis += linia + QLatin1Char('\n');
    }
    if (!cokolwiek)
        opis += QStringLiteral("Wszystko było już skopiowane: nic nie zmieniono.\n");
    wypisz(stdout, opis);
    return kodOk;
}

int wykonaj(const Wywolanie &w)
{
    if (w.polecenie == QLatin1String("kopiuj"))
        return kopiuj(w);
    if (w.polecenie == QLatin1String("init") && w.maSerwer) {
        const ZrodloBazy serwer = ZrodloBazy::serwer(w.serwer);
        utworzSchematSerwera(serwer);
        wypisz(stdout, QStringLiteral("Utworzono tabele stacji w bazie danych (%1).\n").arg(serwer.opis()));
        return kodOk;
    }
    const QString sciezka = QFileInfo(w.plik).absoluteFilePath();
    const bool demo = w.polecenie == QLatin1String("demo");
    const qint64 ilePomiarow = w.pomiary.value_or(0);
    Historia historia;
    QElapsedTimer zegarPomiarow;
    qint64 msPomiarow = 0;
    qint64 msIndeksow = 0;
    utworzBaze(sciezka, w.nadpisz, [&](Polaczenie &cn) {
        wykonajSql(cn, {QStringLiteral("BEGIN")});
        wykonajSql(cn, tabeleSchematu());
        if (demo)
            wypelnijDemo(cn);
        wykonajSql(cn, {QStringLiteral("COMMIT")});
        zegarPomiarow.start();
        if (demo && w.pomiary)
            dopiszPomiary(cn, ilePomiarow, ZegarSystemowy().teraz());
        else if (demo)
            historia = dopiszHistorie(cn, ZegarSystemowy().teraz(), dniHistorii);
        msPomiarow = zegarPomiarow.restart();
        wykonajSql(cn, indeksySchematu());
        msIndeksow = zegarPomiarow.elapsed();
    });

    if (!demo) {
        wypisz(stdout, QStringLiteral("Utworzono pustą bazę danych: %1\n").arg(sciezka));
        return kodOk;
    }
    Polaczenie cn;
    cn.otworzPlik(sciezka, false);
    QString opis = QStringLiteral("Utworzono bazę demonstracyjną: %1\n"
                                  "  Regulatory: %2 wierszy (4 regulatory na adresach 1-4, 1 licznik)\n"
                                  "  Hierarchia: %3 wierszy\n")
                       .arg(sciezka)
                       .arg(policz(cn, QStringLiteral("Regulatory")))
                       .arg(policz(cn, QStringLiteral("Hierarchia")));
    if (!w.pomiary)
        opis += QStringLiteral("  Pomiary: %1 wierszy z %2 dni, co 15 minut\n  Alarmy: %3 wierszy\n")
                    .arg(historia.pomiary)
                    .arg(dniHistorii)
                    .arg(historia.alarmy);
    else if (ilePomiarow > 0)
        opis += QStringLiteral("  Pomiary: %1 wierszy w %2 s, indeksy w %3 s\n")
                    .arg(ilePomiarow)
                    .arg(double(msPomiarow) / 1000.0, 0, 'f', 1)
                    .arg(double(msIndeksow) / 1000.0, 0, 'f', 1);
    wypisz(stdout, opis);
    return kodOk;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    Wywolanie w;
    try {
        w = rozbierz(app.arguments().mid(1));
    } catch (const BladWywolania &e) {
        wypisz(stderr, QStringLiteral("tolvek-baza: %1\nUżyj „tolvek-baza --help”, aby zobaczyć opis.\n")
                           .arg(QString::fromStdString(e.what())));
        return kodWywolanie;
    }
    if (w.pomoc) {
        wypisz(stdout, QString::fromUtf8(pomoc));
        return kodOk;
    }
    if (w.wersja) {
        wypisz(stdout, QStringLiteral("tolvek-baza " TOLVEK_WERSJA_TEKST "\n"));
        return kodOk;
    }
    try {
        return wykonaj(w);
    } catch (const BladBazy &e) {
        wypisz(stderr, QStringLiteral("tolvek-baza: błąd bazy danych nr %1: %2\n").arg(e.numer()).arg(e.opis()));
    } catch (const std::exception &e) {
        wypisz(stderr, QStringLiteral("tolvek-baza: %1\n").arg(QString::fromUtf8(e.what())));
    }
    return kodBlad;
}
