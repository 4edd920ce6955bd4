#include "start.h"

#include "baza/bladbazy.h"
#include "baza/pracawtle.h"
#include "kontekst.h"
#include "model/ladowanie.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcStart, "tolvek.start")

namespace Start
{

namespace
{

const QString tytul = QStringLiteral("Tolvek");

// The bound of the spool: [bufor] dni= days of readings of every controller
// at its own rate (90), or [bufor] limit_mb= megabytes (1024), whichever is
// smaller.
GraniceBufora granice(Kontekst &k)
{
    const double dni = liczbaUstawienia(k.ustawienia(), QStringLiteral("bufor"), QStringLiteral("dni"), 90);
    const double mb = liczbaUstawienia(k.ustawienia(), QStringLiteral("bufor"), QStringLiteral("limit_mb"), 1024);
    double naDobe = 0;
    for (const auto &r : k.oRegulatory)
        naDobe += 1440.0 / std::max(1, r->CzestOdczytu);
    return {static_cast<std::int64_t>(std::max(1440.0, naDobe) * dni), static_cast<std::int64_t>(mb * 1024 * 1024)};
}

// The spool's files (the file, its WAL and shared-memory files) moved aside
// under one new name; false when they cannot be.
bool odlozPliki(const QString &sciezka, const QString &nowa)
{
    for (const QString &koncowka : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
        if (QFile::exists(sciezka + koncowka) && !QFile::rename(sciezka + koncowka, nowa + koncowka))
            return false;
    return true;
}

void otworzBufor(Kontekst &k, const QString &sciezka)
{
    k.bufor.otworz(sciezka);
    const QString tozsamosc = tozsamoscBazy(k.zrodloBazy);
    const QString poprzednia = k.bufor.zrodlo();
    if (poprzednia == tozsamosc)
        return;
    if (!poprzednia.isEmpty() && (k.bufor.liczbaWpisow() > 0 || !k.bufor.kwarantanna().isEmpty())) {
        // Entries for another database never go into this one; they are
        // kept whole for tolvek-baza to pass on.
        const qint64 ile = k.bufor.liczbaWpisow();
        k.bufor.zamknij();
        const QString odlozony = sciezka.chopped(QStringLiteral(".sqlite").size()) + QLatin1Char('-') +
                                 QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")) +
                                 QStringLiteral(".sqlite");
        if (!odlozPliki(sciezka, odlozony))
            throw BladBazy(1, QStringLiteral("Bufor stacji „%1” zawiera dane innej bazy danych (%2), a nie można go "
                                             "odłożyć do pliku „%3”.")
                                  .arg(sciezka, poprzednia, odlozony));
        qCWarning(lcStart).noquote() << "the spool held" << ile << "entries for another database (" << poprzednia
                                     << "); it is set aside as" << odlozony;
        k.komunikaty().pokaz(QStringLiteral("Bufor stacji zawierał %1 wpisów przeznaczonych dla innej bazy danych "
                                            "(%2). Odłożono go do pliku „%3”; polecenie „tolvek-baza przekaz --bufor "
                                            "PLIK --do BAZA” (albo --plik BAZA) przekaże je do tamtej bazy.")
                                 .arg(ile)
                                 .arg(poprzednia, odlozony),
                             tytul, Ikona::Wykrzyknik);
        k.bufor.otworz(sciezka);
    }
    k.bufor.nowaBaza(tozsamosc);
}

} // namespace

void przygotujBaze(Kontekst &k)
{
    // No setting: tolvek.mdb in the working directory.
    k.zrodloBazy = ZrodloBazy::zTekstuPolaczenia(tekstPolaczeniaBazy(k.ustawienia()));
    const QString sciezka = sciezkaBufora(k.ustawienia(), k.stacja);
    try {
        otworzBufor(k, sciezka);
        k.zapisPomiarow.policzZalegle();
        return;
    } catch (const BladBazy &e) {
        qCCritical(lcStart).noquote() << "the spool" << sciezka << "cannot be opened:" << e.opis();
        const QString zastepczy = QDir::temp().filePath(QStringLiteral("tolvek-") + QFileInfo(sciezka).fileName());
        try {
            otworzBufor(k, zastepczy);
        } catch (const BladBazy &) {
            throw BladBazy(e.numer(),
                           QStringLiteral("Nie można otworzyć bufora stacji „%1”: %2").arg(sciezka, e.opis()));
        }
        k.komunikaty().pokaz(QStringLiteral("Nie można otworzyć bufora stacji „%1”:\r'%2'\r\rDane czekające na "
                                            "zapis do bazy są przechowywane w pliku tymczasowym „%3”, który może nie "
                                            "przetrwać ponownego uruchomienia komputera.")
                                 .arg(sciezka, e.opis(), zastepczy),
                             tytul, Ikona::Krytyczna);
        k.zapisPomiarow.policzZalegle();
    }
}

bool maKopie(Kontekst &k)
{
    try {
        return k.bufor.kopia().has_value();
    } catch (const BladBazy &) {
        return false;
    }
}

QCoro::Task<OdczytStartowy> czytajBaze(Kontekst &k)
{
    const ZrodloBazy zrodlo = k.zrodloBazy;
    const bool zKopia = maKopie(k);
    auto wynik = std::make_shared<OdczytStartowy>();
    try {
        // The connect time-out ends a silent server; this one a server that
        // took the connection and froze.
        // Built before the co_await: a lambda written inside a co_await
        // expression is destroyed twice by GCC 12.
        auto zadanie = wTle(
            [zrodlo, zKopia, wynik](PracaWTle &p) {
                *wynik = czytajDaneStartowe(zrodlo, zKopia, [&p](const Polaczenie &cn) { p.polaczono(cn); });
                return QVector<Tabela>();
            },
            czasOdczytuStartowegoMs, zrodlo.opis());
        co_await zadanie;
    } catch (const BladBazy &e) {
        wynik->dane.reset();
        wynik->blad = e;
        wynik->niedostepna = true;
    }
    co_return *wynik;
}

void wczytaj(Kontekst &k, const DaneStartowe &dane)
{
    try {
        k.bufor.zapiszKopie(dane.regulatory, dane.ostPomiar);
    } catch (const BladBazy &e) {
        qCWarning(lcStart).noquote() << "the copy for a start without the database is not kept:" << e.opis();
    }
    WczytajRegulatory(dane.regulatory, zLicznikamiBufora(dane.ostPomiar, k.bufor.ostatniePomiary()), k.oRegulatory,
                      k.komunikaty(), k.stacja, &k.oRegulatoryZakladu);
    qCInfo(lcStart).noquote() << "station" << k.stacja << "polls" << k.oRegulatory.Count() << "of the plant's"
                              << k.oRegulatoryZakladu.Count() << "controllers";
    k.oApp.NrAktRegulatora = 1;
    k.uruchomPrzekaznik(granice(k));
}

void wczytajZKopii(Kontekst &k, const QString &powod)
{
    const auto kopia = k.bufor.kopia();
    if (!kopia)
        throw BladBazy(1, QStringLiteral("Bufor stacji nie ma kopii rejestru regulatorów."));
    WczytajRegulatory(kopia->first, zLicznikamiBufora(kopia->second, k.bufor.ostatniePomiary()), k.oRegulatory,
                      k.komunikaty(), k.stacja, &k.oRegulatoryZakladu);
    qCWarning(lcStart).noquote() << QStringLiteral("the database is away (%1): station %2 starts from the spool's copy "
                                                   "with %3 controllers")
                                        .arg(powod, k.stacja)
                                        .arg(k.oRegulatory.Count());
    k.oApp.NrAktRegulatora = 1;
    k.zapisPomiarow.bezBazyOdStartu(powod);
    k.komunikaty().pokaz(QStringLiteral("Baza danych (%1) jest niedostępna:\r'%2'\r\rStacja uruchomiła się z kopii "
                                        "rejestru regulatorów zapisanej przy poprzednim starcie i pracuje: odczytuje "
                                        "regulatory, zgłasza alarmy, a dane przechowuje w buforze do czasu, gdy baza "
                                        "będzie znów dostępna. Zmiany w rejestrze regulatorów są do tego czasu "
                                        "niemożliwe.")
                             .arg(k.zrodloBazy.opis(), powod),
                         tytul, Ikona::Krytyczna);
    k.uruchomPrzekaznik(granice(k));
}

void otworzBazeIWczytaj(Kontekst &k)
{
    przygotujBaze(k);
    const OdczytStartowy odczyt = QCoro::waitFor(czytajBaze(k));
    if (odczyt.dane)
        wczytaj(k, *odczyt.dane);
    else if (odczyt.niedostepna && maKopie(k))
        wczytajZKopii(k, odczyt.blad->opis());
    else
        throw *odczyt.blad;
}

bool otworzPort(Kontekst &k, QString *opisBledu)
{
    k.oApp.WczytajOpcje(k.ustawienia());
    k.oComm.Port = static_cast<quint8>(k.oApp.nr_portu);
    return k.oComm.otworz(sciezkaPortu(k.ustawienia(), k.oApp.nr_portu), opisBledu);
}

QString komunikatBleduPortu(const QString &opisBledu)
{
    return QStringLiteral("Błąd otwarcia portu szeregowego: ") + opisBledu + QLatin1Char('\r') +
           QStringLiteral("Proszę zmienić nr portu.");
}

bool petlaPortu(Kontekst &k, const std::function<void()> &wybierzPort, const std::function<bool()> &przerwany)
{
    for (;;) {
        QString opis;
        if (przerwany())
            return false;
        if (otworzPort(k, &opis))
            return true;
        k.komunikaty().informuj(komunikatBleduPortu(opis), tytul, Ikona::Krytyczna);
        if (przerwany())
            return false;
        wybierzPort();
    }
}

namespace
{
void zapiszLog(Kontekst &k, const QString &operacja)
{
    try {
        k.oBD.ZapiszDoLoga(operacja, QStringLiteral("N"), QStringLiteral("L"));
    } catch (const BladBazy &e) {
        // The journal is not worth stopping the station for; say so once.
        qCWarning(lcStart) << "log write failed:" << e.numer() << e.opis();
        k.komunikaty().pokaz(clsBD::bladDziennika(e.numer(), e.opis()), tytul, Ikona::Krytyczna);
    }
}
} // namespace

void zapiszStart(Kontekst &k)
{
    zapiszLog(k, QStringLiteral("Start aplikacji"));
}

void zatrzymajPrace(Kontekst &k)
{
    // An exchange ending after this no longer starts the polling timer.
    k.harmonogram.zatrzymaj();
    k.oComm.przerwij();
}

QCoro::Task<void> zamknij(Kontekst &k)
{
    zatrzymajPrace(k);
    k.oComm.zamknij();
    if (k.bufor.otwarty())
        zapiszLog(k, QStringLiteral("Zatrzymanie aplikacji"));
    if (k.przekaznik) {
        co_await k.przekaznik->zakoncz(czasPrzekazaniaMs);
        qint64 zostalo = -1;
        try {
            zostalo = k.bufor.liczbaWpisow();
        } catch (const BladBazy &) {
        }
        if (zostalo > 0)
            qCInfo(lcStart) << zostalo << "entries stay in the spool for the next start";
    }
    k.bufor.zamknij();
}

} // namespace Start
