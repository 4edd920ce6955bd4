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
#include "opcje.h"
#include "platform/ustawienia.h"
#include "platform/zegar.h"
#include "postep.h"
#include "serwer.h"
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

// The demo plant's stored past.
constexpr int dniHistorii = 28;

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
    if (const std::optional<int> kod = czytajWywolanie(QCoreApplication::arguments(), &w))
        return *kod;
    try {
        return wykonaj(w);
    } catch (const BladBazy &e) {
        wypisz(stderr, QStringLiteral("tolvek-baza: błąd bazy danych nr %1: %2\n").arg(e.numer()).arg(e.opis()));
    } catch (const std::exception &e) {
        wypisz(stderr, QStringLiteral("tolvek-baza: %1\n").arg(QString::fromUtf8(e.what())));
    }
    return kodBlad;
}
