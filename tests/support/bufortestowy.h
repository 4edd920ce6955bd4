#pragma once

// The station's spool in a test database's folder, with the alarm and log
// store over it; what it holds reaches the database when a test forwards it
// (przekaz), as the forwarder's thread does in the station.

#include "db/bufor.h"
#include "db/clsbd.h"
#include "db/przekazywanie.h"
#include "testsupport.h"

#include <functional>
#include <memory>

struct BuforTestowy {
    BuforTestowy(const BazaTestowa &baza, const Zegar &zegar)
        : zrodlo(ZrodloBazy::zTekstuPolaczenia(baza.polaczenieTekst)), bd(bufor, zegar)
    {
        bufor.otworz(baza.katalog.filePath(QStringLiteral("bufor.sqlite")));
    }

    // Forwards what the spool holds; the result of the last pass.
    Przekazywanie::Wynik przekaz()
    {
        if (!przekazywanie) {
            przekazywanie = std::make_unique<Przekazywanie>(bufor.sciezka(), zrodlo);
            przekazywanie->naIdAlarmu = [this](std::int64_t nr, std::int64_t id) {
                if (naIdAlarmu)
                    naIdAlarmu(nr, id);
            };
        }
        Przekazywanie::Wynik w;
        while ((w = przekazywanie->krok()) == Przekazywanie::Wynik::Przekazano) {
        }
        return w;
    }
    // After forwarding, through a connection of its own.
    QList<QVariantList> wiersze(const QString &sql)
    {
        przekaz();
        Polaczenie cn;
        cn.otworz(zrodlo);
        return wierszeZapytania(cn, sql);
    }

    ZrodloBazy zrodlo;
    BuforZapisu bufor;
    clsBD bd;
    std::unique_ptr<Przekazywanie> przekazywanie;
    std::function<void(std::int64_t nrAlarmu, std::int64_t id)> naIdAlarmu;
};
