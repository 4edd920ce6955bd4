#pragma once

#include "platform/datacz.h"

#include <QVariant>

#include <cstdint>

// One reading to store: its Pomiary row and the counters OstPomiar keeps
// for the controller's next interval.
struct WpisPomiaru {
    int adres = 0;
    DataCzas data; // Pomiary.Data and OstPomiar.Czas: the start of the reading
    float enCzynna = 0;
    QVariant enBiernaPoj; // a single, or the integer 1
    float enBiernaCalk = 0;
    float napiecie = 0, pradBierny = 0, pradCalk = 0, czestotliwosc = 0;
    float pradCzynny = 0, pradBiernSr = 0, pradBiernPojSr = 0;
    std::int32_t timerU = 0;
};
