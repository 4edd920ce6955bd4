#pragma once

#include <QString>

#include <array>
#include <optional>

namespace sim
{

// What the simulator knows of one controller: its bus address and the
// configuration the station decodes its answers with. Without a database
// the defaults below stand for a 380 V installation on 200/5 A current
// transformers (ratio 40).
struct ParametryRegulatora {
    int adres = 1;
    QString kod;
    double przekladnia = 40.0;
    int przekladniaNap = 1;
    int napieciePomiar = 380;
    // Reactive power of stages 1..9 in kvar at the nominal voltage.
    std::array<double, 9> stopnieKvar{5, 10, 10, 15, 15, 20, 20, 25, 30};
};

// Measurement values pinned by an operator command; empty = the model's own.
struct Wymuszenia {
    std::optional<double> pradBierny; // A, decoded
    std::optional<double> napiecie;   // V, decoded
    std::optional<double> tgFi;
};

// 100 V class 0.25, 380 V class 1.0, 500 V class 1.25; anything else 0.
double skalaNapiecia(int napieciePomiar);

} // namespace sim
