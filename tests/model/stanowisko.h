#pragma once

// A context over test seams with a fresh database file opened the way the
// start-up opens it: the connection and the three shared cursors.

#include "platform/zapytanie.h"
#include "testsupport.h"

#include <QCoro/QCoroTask>
#include <QVariantList>

struct StanowiskoModelu {
    BazaTestowa baza;
    KontekstTestowy t;
    Kontekst &k;

    explicit StanowiskoModelu(FabrykaPortow fabryka = {}, std::unique_ptr<Zegar> zegar = {})
        : t(std::move(fabryka), std::move(zegar)), k(*t.k)
    {
        // Every command would start the scheduler's timer again, and its
        // ticks would read the controllers under test on their own.
        k.oKomunikator.ustawTimer1(nullptr);
    }

    // Rows are inserted before the cursors open, as they are at start-up.
    void otworz()
    {
        k.cnBaza.Open(baza.polaczenieTekst);
        k.rsRegulatory.Open(QStringLiteral("Regulatory"), k.cnBaza);
        k.rsPomiary.Open(QStringLiteral("Pomiary"), k.cnBaza);
        k.rsOstPomiar.Open(QStringLiteral("OstPomiar"), k.cnBaza);
    }

    QList<QVariantList> wiersze(const QString &sql) { return wierszeZapytania(k.cnBaza, sql); }
};

// Runs an operation to its end. An exception is kept as text, because one
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
