#pragma once

#include "parametry.h"

#include <QByteArray>

namespace sim
{

// The plant behind one controller: a working-day load of roughly 50 to
// 200 kW with an inductive reactive part, the controller's capacitor stages
// against it, and the energy counters that integrate the result.
//
// The counters are in the controller's raw units, chosen so that the
// station's decoding (raw x KE) yields kVAh / kvarh:
//   KE = sqrt(3)/100 x Przekladnia x SkalaNapiecia x PrzekladniaNap x 400 / 3 600 000.
// They start from zero at local midnight on the first day of the month and
// are pre-filled with that month's history, so a restarted simulator goes
// on from where its counters would be. They wrap at 2^31: the station takes
// B0..B3 as an unsigned number that must stay below that.
class ModelElektryczny final
{
public:
    ModelElektryczny(const ParametryRegulatora &p, qint64 msEpoki);

    struct Chwila {
        double pKw = 0;
        double qKvar = 0;      // net reactive power, negative when overcompensated
        double napiecie = 0;   // V, as the station decodes it
        double prad = 0;       // A, total
        double pradBierny = 0; // A, signed like qKvar
        double tgFi = 0;
        double cosFi = 1;
        double fazaStopnie = 0;
    };
    // kondKvar: nominal kvar of the stages switched on.
    Chwila chwila(qint64 msEpoki, double kondKvar) const;

    // Adds the energy since the previous call (with the stages that were on
    // meanwhile) to the counters.
    void nalicz(qint64 msEpoki, double kondKvar);

    // The 32 bytes B0..B31 of the measurement answer.
    QByteArray blok(qint64 msEpoki, double kondKvar, quint8 przelaczniki1, quint8 przelaczniki2,
                    const Wymuszenia &w) const;

    double ke() const { return m_ke; }
    double ki() const { return m_ki; }
    double licznikCalk() const { return m_calk; }
    double licznikBierny() const { return m_bierny; }
    double licznikPoj() const { return m_poj; }

private:
    double obciazenieKw(double sekLokalne) const;
    double tgNaturalny(double sekLokalne) const;
    double wzglNapiecie(double sekLokalne, double pKw, double kondKvar) const;
    void odMiesiaca(qint64 msEpoki);
    quint32 sekundyLicznika(qint64 msEpoki) const;

    ParametryRegulatora m_p;
    double m_ke = 0;
    double m_ki = 0;
    double m_skala = 1;          // SkalaNapiecia, 1 for a class the station does not know
    double m_naKVAs = 0;         // raw counter units per kVA x second
    qint64 m_przesuniecieMs = 0; // local time minus UTC
    qint64 m_poczatekMiesiacaMs = 0;
    qint64 m_nastepnyMiesiacMs = 0;
    qint64 m_ostatnieMs = 0;
    double m_calk = 0, m_bierny = 0, m_poj = 0;
    double m_pMin = 50, m_pMax = 200, m_tg0 = 0.7, m_faza1 = 0, m_faza2 = 0, m_faza3 = 0;
};

} // namespace sim
