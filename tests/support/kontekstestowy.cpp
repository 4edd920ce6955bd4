#include "kontekstestowy.h"

KontekstTestowy::KontekstTestowy(FabrykaPortow fabryka, std::unique_ptr<Zegar> zegarWlasny)
{
    Platforma p;
    if (zegarWlasny) {
        zegar = zegarWlasny.get();
        p.zegar = std::move(zegarWlasny);
    } else {
        auto z = std::make_unique<ZegarTestowy>();
        zegar = zegarTestowy = z.get();
        p.zegar = std::move(z);
    }
    auto u = std::make_unique<UstawieniaTestowe>();
    ustawienia = u.get();
    p.ustawienia = std::move(u);
    auto m = std::make_unique<KomunikatyTestowe>();
    komunikaty = m.get();
    p.komunikaty = std::move(m);
    auto d = std::make_unique<DzwiekTestowy>();
    dzwiek = d.get();
    p.dzwiek = std::move(d);
    p.fabrykaPortow = std::move(fabryka);
    k = std::make_unique<Kontekst>(std::move(p));
}
