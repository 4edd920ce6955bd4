// tolvek-baza: creates the station's database file, empty or with a demo
// plant, and fills it with readings for trying out and benchmarking; creates
// the same tables on a PostgreSQL server and copies a file's history there;
// makes the index of Pomiary unique on an older database; shows and puts
// back the station spool's quarantine and forwards a spool by hand.

#include "baza/bladbazy.h"
#include "baza/polaczenie.h"
#include "bufor.h"
#include "demo.h"
#include "indeks.h"
#include "kopiowanie.h"
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
    "                powinna być zatrzymana\n"
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
    "  --bufor PLIK  bufor stacji; domyślnie ten z ustawień stacji ([bufor] plik=,\n"
    "                inaczej $XDG_DATA_HOME/Tolvek/bufor-<nazwa stacji>.sqlite)\n"
    "  --ponow       (kwarantanna) wpisy wracają do kolejki bufora\n"
    "  --usun-duplikaty\n"
    "                (unikalne-pomiary) z pomiarów zapisanych dwukrotnie zostaje\n"
    "                pierwszy\n"
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
    QString bufor;
    bool ponow = false;
    bool usunDuplikaty = false;
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
        } else if (a == QLatin1String("--bufor")) {
            w.bufor = wezWartosc();
            if (w.bufor.isEmpty())
                zle(QStringLiteral("opcja --bufor wymaga nazwy pliku"));
        } else if (a == QLatin1String("--ponow") && !maWartosc) {
            w.ponow = true;
        } else if (a == QLatin1String("--usun-duplikaty") && !maWartosc) {
            w.usunDuplikaty = true;
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
            static const QStringList polecenia = {QStringLiteral("init"),        QStringLiteral("demo"),
                                                  QStringLiteral("kopiuj"),      QStringLiteral("unikalne-pomiary"),
                                                  QStringLiteral("kwarantanna"), QStringLiteral("przekaz")};
            if (!polecenia.contains(a))
                zle(QStringLiteral("nieznane polecenie „%1” (dostępne: %2)")
                        .arg(a, polecenia.join(QStringLiteral(", "))));
            w.polecenie = a;
        } else {
            zle(QStringLiteral("nadmiarowy argument „%1”").arg(a));
        }
    }
    if (w.pomoc || w.wersja)
        return w;
    if (w.polecenie.isEmpty())
        zle(QStringLiteral("brak polecenia (init, demo, kopiuj, unikalne-pomiary, kwarantanna albo przekaz)"));
    const bool zBuforem = w.polecenie == QLatin1String("kwarantanna") || w.polecenie == QLatin1String("przekaz");
    if (!w.bufor.isEmpty() && !zBuforem)
        zle(QStringLiteral("opcja --bufor dotyczy poleceń kwarantanna i przekaz"));
    if (w.ponow && w.polecenie != QLatin1String("kwarantanna"))
        zle(QStringLiteral("opcja --ponow dotyczy tylko polecenia kwarantanna"));
    if (w.usunDuplikaty && w.polecenie != QLatin1String("unikalne-pomiary"))
        zle(QStringLiteral("opcja --usun-duplikaty dotyczy tylko polecenia unikalne-pomiary"));
    if (w.maPlik && w.maSerwer && (w.polecenie == QLatin1String("unikalne-pomiary") || zBuforem))
        zle(QStringLiteral("podaj plik (--plik) albo serwer (--do), nie oba"));
    if (w.polecenie == QLatin1String("kwarantanna") && (w.maPlik || w.maSerwer))
        zle(QStringLiteral("kwarantanna dotyczy bufora stacji (--bufor), nie bazy danych"));
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

// The database of --plik or --do, else the station's of the settings.
ZrodloBazy bazaDocelowa(const Wywolanie &w)
{
    if (w.maSerwer)
        return ZrodloBazy::serwer(w.serwer);
    if (w.maPlik)
        return ZrodloBazy::plik(w.plik);
    return zrodloBazy(UstawieniaPlik());
}

QString buforStacji(const Wywolanie &w)
{
    if (!w.bufor.isEmpty())
        return w.bufor;
    const UstawieniaPlik u;
    return sciezkaBufora(u, nazwaStacji(u));
}

int unikalne(const Wywolanie &w)
{
    const ZrodloBazy baza = bazaDocelowa(w);
    const WynikIndeksu i = unikalnePomiary(baza, w.usunDuplikaty);
    if (i.byl) {
        wypisz(stdout, QStringLiteral("Indeks Pomiary (Adres, Data) jest już unikalny (%1): nic nie zmieniono.\n")
                           .arg(baza.opis()));
        return kodOk;
    }
    if (i.grup > 0)
        wypisz(stdout, QStringLiteral("Pomiary zapisane więcej niż raz (%1 par Adres/Data, %2 nadmiarowych "
                                      "wierszy):\n%3")
                           .arg(i.grup)
                           .arg(i.nadmiar)
                           .arg(i.lista));
    if (!i.utworzony) {
        wypisz(stderr, QStringLiteral("tolvek-baza: niczego nie zmieniono; uruchom ponownie z --usun-duplikaty, aby "
                                      "zostawić pierwszy z każdej pary i utworzyć indeks.\n"));
        return kodBlad;
    }
    wypisz(stdout, QStringLiteral("Usunięto %1 powtórzonych wierszy; indeks Pomiary (Adres, Data) jest unikalny "
                                  "(%2).\n")
                       .arg(i.usuniete)
                       .arg(baza.opis()));
    return kodOk;
}

int kwarantanna(const Wywolanie &w)
{
    const QString bufor = buforStacji(w);
    if (w.ponow) {
        const int ile = przywrocKwarantanne(bufor);
        wypisz(stdout, QStringLiteral("Do kolejki bufora %1 wróciło %2 wpisów; stacja przekaże je do bazy danych.\n")
                           .arg(bufor)
                           .arg(ile));
        return kodOk;
    }
    int ile = 0;
    const QString opis = opisKwarantanny(bufor, &ile);
    wypisz(stdout, ile == 0 ? QStringLiteral("Kwarantanna bufora %1 jest pusta.\n").arg(bufor)
                            : QStringLiteral("Kwarantanna bufora %1 (%2 wpisów):\n%3").arg(bufor).arg(ile).arg(opis));
    return kodOk;
}

int przekaz(const Wywolanie &w)
{
    const QString bufor = buforStacji(w);
    const ZrodloBazy baza = bazaDocelowa(w);
    const WynikPrzekazania p = przekazBufor(bufor, baza);
    QString opis = QStringLiteral("Z bufora %1 do bazy danych (%2): przekazano %3 wpisów")
                       .arg(bufor, baza.opis())
                       .arg(p.przekazane);
    if (p.odlozone > 0)
        opis += QStringLiteral(", %1 odrzuconych przez bazę odłożono do kwarantanny").arg(p.odlozone);
    wypisz(stdout, opis + QStringLiteral(".\n"));
    if (p.zostalo > 0) {
        wypisz(stderr, QStringLiteral("tolvek-baza: %1 wpisów czeka nadal: %2\n").arg(p.zostalo).arg(p.powod));
        return kodBlad;
    }
    return kodOk;
}

int wykonaj(const Wywolanie &w)
{
    if (w.polecenie == QLatin1String("kopiuj"))
        return kopiuj(w);
    if (w.polecenie == QLatin1String("unikalne-pomiary"))
        return unikalne(w);
    if (w.polecenie == QLatin1String("kwarantanna"))
        return kwarantanna(w);
    if (w.polecenie == QLatin1String("przekaz"))
        return przekaz(w);
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
