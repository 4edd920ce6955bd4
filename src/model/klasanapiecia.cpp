#include "klasanapiecia.h"

#include "colregulatory.h"
#include "platform/komunikaty.h"
#include "wewnetrzne.h"

float skalaNapiecia(int napieciePomiar)
{
    switch (napieciePomiar) {
    case 100:
        return 0.25f;
    case 380:
        return 1.0f;
    case 500:
        return 1.25f;
    default:
        return 0;
    }
}

QString powodNieznanejKlasy()
{
    return QStringLiteral(
        "Napięcie pomiarowe musi mieć jedną z wartości 100, 380 lub 500 V (dla sieci 400/230 V: "
        "380). Przy innej wartości napięcie i energie regulatora są odczytywane i zapisywane jako 0.");
}

void zglosNieznaneKlasy(const colRegulatory &regulatory, Komunikaty &komunikaty)
{
    QStringList nieznane;
    for (const auto &r : regulatory) {
        if (skalaNapiecia(r->NapieciePomiar) != 0)
            continue;
        qCWarning(lcModel).noquote() << QStringLiteral(
                                            "Regulatory: the code %1 (Adres %2) has NapieciePomiar %3, no "
                                            "known class (100, 380, 500): its voltage and energies read as 0")
                                            .arg(r->Kod)
                                            .arg(r->adres)
                                            .arg(r->NapieciePomiar);
        nieznane << QStringLiteral("'%1' (%2 V)").arg(r->Kod).arg(r->NapieciePomiar);
    }
    if (nieznane.isEmpty())
        return;
    komunikaty.pokaz(QStringLiteral("Regulatory o nieznanym napięciu pomiarowym: ") +
                         nieznane.join(QStringLiteral(", ")) + QStringLiteral(".") + QLatin1Char('\r') +
                         powodNieznanejKlasy() + QLatin1Char('\r') +
                         QStringLiteral("Proszę poprawić napięcie pomiarowe w edytorze regulatorów."),
                     model::tytulAplikacji(), Ikona::Wykrzyknik);
}
