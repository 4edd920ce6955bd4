#pragma once

#include "baza/polaczenie.h"
#include "model/zdarzenia.h"
#include "platform/dzwiek.h"
#include "platform/komunikaty.h"
#include "platform/ustawienia.h"
#include "platform/zegar.h"

#include <QCoro/QCoroTask>
#include <QMap>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <optional>

// A clock that stands still until a test moves it. Moving it forward is
// time passing (the monotonic count follows); setting it back is a clock
// set back (the monotonic count stays).
class ZegarTestowy final : public Zegar
{
public:
    explicit ZegarTestowy(DataCzas t = DataCzas::z(QDate(2026, 12, 5), QTime(10, 0))) : m_t(t) {}
    DataCzas teraz() const override { return m_t; }
    std::int64_t msMonotoniczne() const override { return m_mono; }
    void ustaw(DataCzas t)
    {
        if (t > m_t)
            m_mono += t.ms() - m_t.ms();
        m_t = t;
    }
    void przesun(std::int64_t ms) { ustaw(m_t.plusMs(ms)); }

private:
    DataCzas m_t;
    std::int64_t m_mono = 1'000'000;
};

// The real clock plus an offset a test may move (a "handler" that took 10 s).
class ZegarPrzesuwany final : public Zegar
{
public:
    DataCzas teraz() const override { return ZegarSystemowy().teraz().plusMs(m_przesuniecie); }
    std::int64_t msMonotoniczne() const override { return ZegarSystemowy().msMonotoniczne() + m_przesuniecie; }
    void przesun(std::int64_t ms) { m_przesuniecie += ms; }

private:
    std::int64_t m_przesuniecie = 0;
};

class UstawieniaTestowe final : public Ustawienia
{
public:
    QString czytaj(const QString &s, const QString &k, const QString &d) const override
    {
        return m_w.value(s + QLatin1Char('/') + k, d);
    }
    void zapisz(const QString &s, const QString &k, const QString &w) override { m_w[s + QLatin1Char('/') + k] = w; }
    QMap<QString, QString> m_w;
};

// Records every message; questions are answered from a queue (OK when empty).
class KomunikatyTestowe final : public Komunikaty
{
public:
    struct Wpis {
        QString tekst, tytul;
        Ikona ikona;
    };
    void pokaz(const QString &t, const QString &ty, Ikona i) override { pokazane.append({t, ty, i}); }
    Odpowiedz pytaj(const QString &t, const QString &ty, Ikona i) override
    {
        pytania.append({t, ty, i});
        return odpowiedzi.isEmpty() ? Odpowiedz::OK : odpowiedzi.takeFirst();
    }
    void informuj(const QString &t, const QString &ty, Ikona i) override { informacje.append({t, ty, i}); }
    QList<Wpis> pokazane, pytania, informacje;
    QList<Odpowiedz> odpowiedzi;
};

class DzwiekTestowy final : public Dzwiek
{
public:
    void graj(const QString &plik) override { zagrane.append(plik); }
    void sprawdz(const QStringList &pliki) override { sprawdzone += pliki; }
    QStringList zagrane, sprawdzone;
};

// Records what the model tells the views, one line per event in the order
// raised, e.g. "eOkresowyOdczyt 1 true" or "eNoweDane 1 O".
class ZdarzeniaTestowe final : public ZdarzeniaRegulatora
{
public:
    void eAlarm(int nr, int kod, const QString &typ, bool trwa) override { dodaj("eAlarm", nr, kod, typ, trwa); }
    void eZapisDB(bool trwa) override { dodaj("eZapisDB", trwa); }
    void eOkresowyOdczyt(int nr, bool trwa) override { dodaj("eOkresowyOdczyt", nr, trwa); }
    void eZalaczanieBaterii(int nr, bool trwa) override { dodaj("eZalaczanieBaterii", nr, trwa); }
    void eWylaczanieBaterii(int nr, bool trwa) override { dodaj("eWylaczanieBaterii", nr, trwa); }
    void eNoweDane(int nr, const QString &typ) override { dodaj("eNoweDane", nr, typ); }
    void eBlokowanieRegul(int nr, bool stan, bool trwa) override { dodaj("eBlokowanieRegul", nr, stan, trwa); }
    void eBlokadaRegul(int nr, bool zablokowany, bool dzwiek) override
    {
        dodaj("eBlokadaRegul", nr, zablokowany, dzwiek);
    }
    void eUstawionoPrzelaczniki(int nr) override { dodaj("eUstawionoPrzelaczniki", nr); }
    // The events whose line starts with nazwa.
    QStringList te(const char *nazwa) const;
    QStringList wszystkie;

private:
    template <class... A> void dodaj(const char *nazwa, const A &...a)
    {
        QStringList w{QString::fromLatin1(nazwa)};
        (w.append(tekst(a)), ...);
        wszystkie.append(w.join(QLatin1Char(' ')));
    }
    static QString tekst(bool b) { return b ? QStringLiteral("true") : QStringLiteral("false"); }
    static QString tekst(int v) { return QString::number(v); }
    static QString tekst(const QString &t) { return t; }
};

// Runs a task to its end. An exception is kept as text, because one
// escaping QCoro::waitFor would hang the test.
template <typename T> struct Wynik {
    T wartosc{};
    QString wyjatek;
};

template <typename T> QCoro::Task<void> przechwyc(QCoro::Task<T> zadanie, Wynik<T> *w)
{
    try {
        w->wartosc = co_await zadanie;
    } catch (const std::exception &e) {
        w->wyjatek = QString::fromUtf8(e.what());
    }
}

template <typename T> Wynik<T> uruchom(QCoro::Task<T> &&zadanie)
{
    Wynik<T> w;
    QCoro::waitFor(przechwyc(std::move(zadanie), &w));
    return w;
}

// Collects the station's log lines while it lives (one at a time); what
// it collects is not printed.
class DziennikTestowy final
{
public:
    DziennikTestowy();
    ~DziennikTestowy();
    DziennikTestowy(const DziennikTestowy &) = delete;
    DziennikTestowy &operator=(const DziennikTestowy &) = delete;
    // The texts of one category ("tolvek.comm"), in order.
    QStringList wpisy(const char *kategoria) const;
};

// A program run to its end: its exit code (-2 when it crashed, -1 when it
// did not start or end within two minutes) and what it printed.
struct WynikProgramu {
    int kod = -1;
    QString wyjscie, bledy;
};
WynikProgramu uruchomProgram(const QString &program, const QStringList &argumenty, const QString &katalog = {});

// Every row of a SELECT over a connection, as lists of column values.
QList<QVariantList> wierszeZapytania(Polaczenie &polaczenie, const QString &sql);

// The test run's PostgreSQL server (scripts/serwer-pg, started once by a
// CTest fixture): its connection string to the database "postgres", or
// nothing, with the reason in *powod (no fixture, PostgreSQL or its Qt
// driver not installed).
std::optional<QString> serwerTestowy(QString *powod);
// In a test function or init(): skips unless the engine can be tested.
#define POMIN_BEZ_SILNIKA(silnik)                                                                                      \
    do {                                                                                                               \
        QString powodBraku_;                                                                                           \
        if ((silnik) == Silnik::PostgreSQL && !serwerTestowy(&powodBraku_))                                            \
            QSKIP(qPrintable(powodBraku_));                                                                            \
    } while (false)

// A fresh database with the six tables: a tolvek.mdb in a temporary folder,
// or a new database on the test server, which its connection string names
// (dropped again by the destructor).
struct BazaTestowa {
    // Without the tables (a server's empty database, for tolvek-baza init --do).
    enum class Pusta { Nie, Tak };
    explicit BazaTestowa(Silnik silnik = Silnik::SQLite, Pusta pusta = Pusta::Nie);
    ~BazaTestowa();
    BazaTestowa(const BazaTestowa &) = delete;
    BazaTestowa &operator=(const BazaTestowa &) = delete;
    Silnik silnik;
    QTemporaryDir katalog;
    QString sciezka;         // .../tolvek.mdb (empty on the server)
    QString polaczenieTekst; // "Provider=...;Data Source=<sciezka>;..." or the server's connection string
    QString nazwaBazy;       // on the server
    // Runs statements on the file through a separate connection.
    void wykonaj(const QStringList &sql) const;
    void wykonaj(const QString &sql) const { wykonaj(QStringList{sql}); }
    // Readings: {Adres, Data "yyyy-MM-dd HH:mm:ss", EnCzynna, EnBiernaCalk,
    // EnBiernaPoj}, SQL values ("NULL" for a null); every row has the voltage
    // 230, the current 10 and the frequency 50.
    void dodajPomiary(const QList<QStringList> &wiersze) const;
};
