#pragma once

// The controller model as the station builds it, without the app layer: the
// real link and dispatcher over a given port, a fresh database file opened
// the way the start-up opens it, the alarm list and a recording event sink.

#include "alarms/listaalarmow.h"
#include "comm/clcomm.h"
#include "comm/komunikator.h"
#include "db/clsbd.h"
#include "db/zapispomiarow.h"
#include "model/colregulatory.h"
#include "model/srodowisko.h"
#include "platform/rekordy.h"
#include "testsupport.h"

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
    Polaczenie cnBaza;
    clsBD bd{cnBaza};
    Rekordy rsRegulatory, rsPomiary, rsOstPomiar;
    ZapisPomiarow zapis;
    colRegulatory rejestr{&srodowisko};
    ListaAlarmow alarmy;
    PrzelacznikiPanelu przelaczniki;
    SrodowiskoRegulatora srodowisko;

    explicit StanowiskoModelu(std::unique_ptr<PortSzeregowy> port = {}, std::unique_ptr<Zegar> zegar = {})
        : zegarWlasny(zegar ? std::move(zegar) : std::make_unique<ZegarTestowy>()),
          zegarTestowy(dynamic_cast<ZegarTestowy *>(zegarWlasny.get())), comm(*zegarWlasny, komunikaty),
          komunikator(comm), zapis(cnBaza, rsPomiary, rsOstPomiar, rsRegulatory, *zegarWlasny, komunikaty),
          alarmy(rejestr, bd, *zegarWlasny, komunikaty), srodowisko{komunikator, alarmy,       zdarzenia,  bd,
                                                                    zapis,       *zegarWlasny, komunikaty, przelaczniki}
    {
        cnBaza.ustawCzasOczekiwania(Polaczenie::czasOczekiwaniaStacjiMs);
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

    // Rows are inserted before the cursors open, as they are at start-up.
    void otworz()
    {
        cnBaza.Open(baza.polaczenieTekst);
        rsRegulatory.Open(QStringLiteral("Regulatory"), cnBaza);
        rsPomiary.Open(QStringLiteral("Pomiary"), cnBaza);
        rsOstPomiar.Open(QStringLiteral("OstPomiar"), cnBaza);
    }

    QList<QVariantList> wiersze(const QString &sql) { return wierszeZapytania(cnBaza, sql); }
};
