#pragma once

// The controller model as the station builds it, without the app layer: the
// real link and dispatcher over a given port, a fresh database with the
// station's spool beside it, the alarm list and a recording event sink.

#include "bufortestowy.h"
#include "comm/clcomm.h"
#include "comm/komunikator.h"
#include "db/danestartowe.h"
#include "db/zapispomiarow.h"
#include "model/alarmy.h"
#include "model/colregulatory.h"
#include "model/listaalarmow.h"
#include "model/ocena.h"
#include "model/odczyt.h"
#include "model/sterowanie.h"
#include "model/zapis.h"

#include <QVariantList>

#include <memory>
#include <stdexcept>

struct StanowiskoModelu {
    BazaTestowa baza;
    std::unique_ptr<Zegar> zegarWlasny;
    ZegarTestowy *zegarTestowy; // null when another clock was given
    KomunikatyTestowe komunikaty;
    ZdarzeniaTestowe zdarzenia;
    clComm comm;
    Komunikator komunikator;
    BuforTestowy b;
    BuforZapisu &bufor = b.bufor;
    clsBD &bd = b.bd;
    ZapisPomiarow zapis;
    colRegulatory rejestr;
    ListaAlarmow alarmy;
    AlarmyRegulatora alarmyRegulatorow{alarmy, zdarzenia, *zegarWlasny};
    OcenaBloku ocenaBloku{komunikator, *zegarWlasny};
    ZapisRegulatora zapisRegulatorow{zapis, zdarzenia, *zegarWlasny};
    OdczytRegulatora odczyt{komunikator, zdarzenia, *zegarWlasny, alarmyRegulatorow, ocenaBloku, zapisRegulatorow};
    SterowanieRegulatora sterowanie{komunikator, zdarzenia, bd, komunikaty, *zegarWlasny, odczyt};

    explicit StanowiskoModelu(std::unique_ptr<PortSzeregowy> port = {}, std::unique_ptr<Zegar> zegar = {},
                              Silnik silnik = Silnik::SQLite)
        : baza(silnik), zegarWlasny(zegar ? std::move(zegar) : std::make_unique<ZegarTestowy>()),
          zegarTestowy(dynamic_cast<ZegarTestowy *>(zegarWlasny.get())), comm(*zegarWlasny, komunikaty),
          komunikator(comm), b(baza, *zegarWlasny), zapis(bufor, komunikaty),
          alarmy(rejestr, bd, *zegarWlasny, komunikaty)
    {
        b.naIdAlarmu = [this](std::int64_t nr, std::int64_t id) { alarmy.ustawIdAlarmu(nr, id); };
        if (port)
            comm.ustawPort(std::move(port));
        comm.ustawAdresy([this](int nr) {
            const clRegulator *r = rejestr.znajdz(nr);
            if (!r)
                throw std::out_of_range("no controller with this number");
            return r->adres;
        });
    }

    DataCzas teraz() const { return zegarWlasny->teraz(); }
    Przekazywanie::Wynik przekaz() { return b.przekaz(); }
    // Regulatory and OstPomiar as the start-up reads them.
    DaneStartowe daneStartowe() const { return *czytajDaneStartowe(b.zrodlo, false).dane; }
    QList<QVariantList> wiersze(const QString &sql) { return b.wiersze(sql); }
};
