#include "model.h"

#include "protokol/protokol.h"

#include <QDateTime>
#include <QTimeZone>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace sim
{

namespace
{

constexpr double PI2 = 2.0 * std::numbers::pi;
constexpr double ZAWIJANIE = 2147483648.0; // 2^31
constexpr double SEK_DOBY = 86400.0;
// Raw voltage of the nominal line voltage in every class: 400 x 1.0 = 400 V
// for the 380 V class.
constexpr double NAPIECIE_SUROWE = 400.0;

// Share of the variable load per hour of a working day.
constexpr double PROFIL[24] = {0.05, 0.03, 0.02, 0.02, 0.05, 0.15, 0.40, 0.70, 0.90, 0.97, 1.00, 0.95,
                               0.80, 0.90, 0.95, 0.90, 0.75, 0.55, 0.40, 0.30, 0.22, 0.15, 0.10, 0.07};

double profil(double sekDoby)
{
    const double h = sekDoby / 3600.0;
    const int i = int(std::floor(h)) % 24;
    const double f = h - std::floor(h);
    return PROFIL[i] + (PROFIL[(i + 1) % 24] - PROFIL[i]) * f;
}

double zawin(double licznik)
{
    const double m = std::fmod(licznik, ZAWIJANIE);
    return m < 0 ? m + ZAWIJANIE : m;
}

qint16 int16(double v)
{
    return static_cast<qint16>(std::clamp(std::lround(v), -32768L, 32767L));
}

// One display digit in the upper four bits; the lower four carry nothing.
quint8 cyfra(int c)
{
    return quint8((std::clamp(c, 0, 9) << 4) & 0xF0);
}

} // namespace

double skalaNapiecia(int napieciePomiar)
{
    switch (napieciePomiar) {
    case 100:
        return 0.25;
    case 380:
        return 1.0;
    case 500:
        return 1.25;
    default:
        return 0.0;
    }
}

ModelElektryczny::ModelElektryczny(const ParametryRegulatora &p, qint64 msEpoki) : m_p(p)
{
    const double skala = skalaNapiecia(p.napieciePomiar);
    // A class the station does not know decodes to 0 V there; the plant
    // itself still runs at its nominal voltage.
    m_skala = skala > 0 ? skala : 1.0;
    const double prz = p.przekladnia > 0 ? p.przekladnia : 40.0;
    const double przNap = p.przekladniaNap > 0 ? p.przekladniaNap : 1;
    m_ke = std::sqrt(3.0) / 100.0 * prz * m_skala * przNap * 400.0 / 3'600'000.0;
    m_ki = prz / 200.0;
    // Decoded kVAh per second of 1 kVA is 1/3600.
    m_naKVAs = 1.0 / 3600.0 / m_ke;

    const int a = p.adres;
    m_pMin = 50.0 + (a * 7) % 20;
    m_pMax = 165.0 + (a * 13) % 36;
    m_tg0 = 0.62 + (a % 5) * 0.06;
    m_faza1 = a * 0.7;
    m_faza2 = a * 1.3;
    m_faza3 = a * 2.1;

    m_przesuniecieMs = qint64(QDateTime::fromMSecsSinceEpoch(msEpoki).offsetFromUtc()) * 1000;
    odMiesiaca(msEpoki);
}

void ModelElektryczny::odMiesiaca(qint64 msEpoki)
{
    const QDate dzis = QDateTime::fromMSecsSinceEpoch(msEpoki).date();
    const QDate pierwszy(dzis.year(), dzis.month(), 1);
    m_poczatekMiesiacaMs = pierwszy.startOfDay().toMSecsSinceEpoch();
    m_nastepnyMiesiacMs = pierwszy.addMonths(1).startOfDay().toMSecsSinceEpoch();
    // The month so far, as a compensated plant would have counted it: tg fi
    // near 0.28 and a little overcompensation at night.
    m_calk = m_bierny = m_poj = 0;
    constexpr qint64 krokMs = 60'000;
    for (qint64 t = m_poczatekMiesiacaMs; t < msEpoki; t += krokMs) {
        const double dt = double(std::min(krokMs, msEpoki - t)) / 1000.0;
        const double sek = double(t + m_przesuniecieMs) / 1000.0;
        const double p = obciazenieKw(sek);
        const double q = p * 0.28;
        m_calk += std::hypot(p, q) * dt * m_naKVAs;
        m_bierny += q * dt * m_naKVAs;
        m_poj -= p * 0.01 * dt * m_naKVAs;
    }
    m_ostatnieMs = msEpoki;
}

double ModelElektryczny::obciazenieKw(double sekLokalne) const
{
    const double sekDoby = std::fmod(sekLokalne, SEK_DOBY);
    const double wahania = 1.0 + 0.05 * std::sin(PI2 * sekLokalne / 1500.0 + m_faza1);
    const double p =
        m_pMin + (m_pMax - m_pMin) * profil(sekDoby) * wahania + 3.0 * std::sin(PI2 * sekLokalne / 233.0 + m_faza2);
    return std::max(p, 1.0);
}

double ModelElektryczny::tgNaturalny(double sekLokalne) const
{
    return m_tg0 + 0.06 * std::sin(PI2 * sekLokalne / 7200.0 + m_faza3);
}

double ModelElektryczny::wzglNapiecie(double sekLokalne, double pKw, double kondKvar) const
{
    // Lower at the daily peak, a touch higher with much capacitance on.
    const double obc = (pKw - m_pMin) / std::max(1.0, m_pMax - m_pMin);
    return 1.0 + 0.012 * std::sin(PI2 * sekLokalne / SEK_DOBY + m_faza2) - 0.012 * obc + 0.00006 * kondKvar;
}

ModelElektryczny::Chwila ModelElektryczny::chwila(qint64 msEpoki, double kondKvar) const
{
    const double sek = double(msEpoki + m_przesuniecieMs) / 1000.0;
    Chwila c;
    c.pKw = obciazenieKw(sek);
    const double u = wzglNapiecie(sek, c.pKw, kondKvar);
    // A capacitor's reactive power grows with the square of the voltage.
    c.qKvar = c.pKw * tgNaturalny(sek) - kondKvar * u * u;
    c.napiecie = NAPIECIE_SUROWE * u * m_skala * std::max(1, m_p.przekladniaNap);
    const double s = std::hypot(c.pKw, c.qKvar);
    const double mianownik = std::sqrt(3.0) * c.napiecie;
    c.prad = s * 1000.0 / mianownik;
    c.pradBierny = c.qKvar * 1000.0 / mianownik;
    c.tgFi = c.qKvar / c.pKw;
    c.cosFi = c.pKw / s;
    c.fazaStopnie = std::atan2(c.qKvar, c.pKw) * 180.0 / std::numbers::pi;
    return c;
}

void ModelElektryczny::nalicz(qint64 msEpoki, double kondKvar)
{
    if (msEpoki >= m_nastepnyMiesiacMs) {
        odMiesiaca(msEpoki);
        return;
    }
    // Steps of at most a minute, so a long pause (a suspended machine)
    // still follows the daily profile.
    while (m_ostatnieMs < msEpoki) {
        const qint64 krok = std::min<qint64>(60'000, msEpoki - m_ostatnieMs);
        const Chwila c = chwila(m_ostatnieMs + krok, kondKvar);
        const double dt = double(krok) / 1000.0;
        m_calk += std::hypot(c.pKw, c.qKvar) * dt * m_naKVAs;
        m_bierny += std::abs(c.qKvar) * dt * m_naKVAs;
        if (c.qKvar < 0)
            m_poj += c.qKvar * dt * m_naKVAs;
        m_ostatnieMs += krok;
    }
}

quint32 ModelElektryczny::sekundyLicznika(qint64 msEpoki) const
{
    return quint32(std::max<qint64>(0, msEpoki - m_poczatekMiesiacaMs) / 1000) & 0xFFFFFF;
}

QByteArray ModelElektryczny::blok(qint64 msEpoki, double kondKvar, quint8 przelaczniki1, quint8 przelaczniki2,
                                  const Wymuszenia &w) const
{
    const Chwila c = chwila(msEpoki, kondKvar);
    const double calk = zawin(m_calk);
    double bierny = zawin(m_bierny);
    const double poj = -zawin(-m_poj);
    double pradCalk = c.prad;
    double pradBierny = c.pradBierny;
    double napiecie = c.napiecie;
    double cosFi = c.cosFi;
    if (w.tgFi) {
        // The station's tg fi is the ratio of the counters, so a pinned value
        // has to show in them: reactive = total x tg / sqrt(1 + tg^2).
        const double tg = *w.tgFi;
        bierny = calk * tg / std::sqrt(1.0 + tg * tg);
        pradBierny = pradCalk * tg / std::sqrt(1.0 + tg * tg);
        cosFi = 1.0 / std::sqrt(1.0 + tg * tg);
    }
    if (w.pradBierny) {
        const double czynny = std::sqrt(std::max(0.0, pradCalk * pradCalk - pradBierny * pradBierny));
        pradBierny = *w.pradBierny;
        pradCalk = std::hypot(czynny, pradBierny);
    }
    if (w.napiecie)
        napiecie = *w.napiecie;

    protokol::BlokPomiarow b;
    b.licznikCalkowity = quint32(calk);
    b.licznikPojemnosciowy = qint32(std::llround(poj)); // signed
    b.licznikBierny = qint32(std::llround(bierny));     // signed
    b.licznikCzasu = qint32(sekundyLicznika(msEpoki));
    const double przNap = std::max(1, m_p.przekladniaNap);
    b.napiecie = int16(napiecie / (m_skala * przNap));
    b.pradBierny = int16(pradBierny / m_ki);
    b.pradCalkowity = int16(pradCalk / m_ki);
    b.faza = int16(c.fazaStopnie * 10.0); // tenths of a degree
    b.okres = 2303;                       // 115200 / 2304 = 50 Hz
    b.przelacznik1 = przelaczniki1;
    b.przelacznik2 = przelaczniki2;
    // The display shows cos fi as d.ddd.
    const int tysiaczne = int(std::lround(std::clamp(cosFi, 0.0, 1.0) * 1000.0));
    b.wyswietlacz = {cyfra(tysiaczne / 1000), cyfra(tysiaczne / 100 % 10), cyfra(tysiaczne / 10 % 10),
                     cyfra(tysiaczne % 10)};
    return protokol::zakodujBlok(b);
}

} // namespace sim
