#pragma once

#include "app/kontekst.h"
#include "testsupport.h"

#include <memory>

// A whole context over test seams, for the app layer and the windows. The
// raw pointers stay valid as long as the context lives.
struct KontekstTestowy {
    explicit KontekstTestowy(FabrykaPortow fabryka = {}, std::unique_ptr<Zegar> zegar = {});
    std::unique_ptr<Kontekst> k;
    Zegar *zegar = nullptr;
    ZegarTestowy *zegarTestowy = nullptr; // null when another clock was given
    UstawieniaTestowe *ustawienia = nullptr;
    KomunikatyTestowe *komunikaty = nullptr;
    DzwiekTestowy *dzwiek = nullptr;
};
