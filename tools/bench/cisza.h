#pragma once

// Seams for benchmarks: nobody answers messages and nothing is stored.
#include "platform/dzwiek.h"
#include "platform/komunikaty.h"
#include "platform/ustawienia.h"

#include <cstdio>

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
    QString czytaj(const QString &, const QString &, const QString &d) const override { return d; }
    void zapisz(const QString &, const QString &, const QString &) override {}
};

class DzwiekCichy final : public Dzwiek
{
public:
    void graj(const QString &) override {}
};
