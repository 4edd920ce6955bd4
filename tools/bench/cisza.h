#pragma once

// Seams for benchmarks: nobody answers messages and nothing is stored.
#include "platform/dzwiek.h"
#include "platform/komunikaty.h"
#include "platform/ustawienia.h"

#include <cstdio>
#include <utility>

class KomunikatyNaKonsole final : public Komunikaty
{
public:
    void pokaz(const QString &t, const QString &, Ikona) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(t));
    }
    Odpowiedz pytaj(const QString &, const QString &, Ikona) override { return Odpowiedz::OK; }
    void informuj(const QString &, const QString &, Ikona) override {}
};

class UstawieniaPuste final : public Ustawienia
{
public:
    UstawieniaPuste() = default;
    // The station's database on that server instead of tolvek.mdb.
    explicit UstawieniaPuste(QString polaczenie) : m_polaczenie(std::move(polaczenie)) {}
    // The spool in the working directory, beside the benchmark's database.
    QString czytaj(const QString &s, const QString &k, const QString &d) const override
    {
        if (s == QLatin1String("bufor") && k == QLatin1String("plik"))
            return QStringLiteral("bufor.sqlite");
        if (s == QLatin1String("baza") && k == QLatin1String("polaczenie") && !m_polaczenie.isEmpty())
            return m_polaczenie;
        return d;
    }
    void zapisz(const QString &, const QString &, const QString &) override {}

private:
    QString m_polaczenie;
};

class DzwiekCichy final : public Dzwiek
{
public:
    void graj(const QString &) override {}
};
