#pragma once

#include "clsstan.h"
#include "platform/datacz.h"
#include "protokol/dane.h"
#include "wiarygodnosc.h"

#include <QString>

#include <cstdint>
#include <optional>

// One controller: identity and configuration (from Regulatory), the latest
// measurements, the values kept from the previous stored reading, its
// schedule, its operator-set state and its front-panel state. A record: the
// services that read, judge, store and control a controller work on it
// (odczyt.h, ocena.h, zapis.h, alarmy.h, sterowanie.h).
class clRegulator final
{
public:
    clRegulator() = default;
    clRegulator(const clRegulator &) = delete;
    clRegulator &operator=(const clRegulator &) = delete;

    QString Kod;
    int adres = 0;
    int CzestOdczytu = 0;
    int CzestZapisu = 0;
    DataCzas OstatniOdczyt;
    DataCzas NastepnyOdczyt;
    bool ZakloceniaHarm = false;
    int Id = 0;
    // Counts DodajAlarm calls since start; saturates at 32767 so that it
    // never wraps back to 0 ("no alarm ever raised").
    int AktywneAlarmy = 0;
    float Przekladnia = 0;
    int PrzekladniaNap = 0;
    int NapieciePomiar = 0;
    float PradCalkSr = 0;
    float PradBiernPojSr = 0;
    float PradBiernSr = 0;
    float Napiecie = 0;
    float PradBierny = 0;
    float PradCalk = 0;
    float PradCzynny = 0;
    float PopPradCzynny = 0;
    float PopPradBiernSr = 0;
    float PopPradBiernPojSr = 0;
    float Faza = 0;
    float Okres = 0;
    float TgFi = 0;
    float TgFiOkres = 0;
    float SkalaNapiecia = 0;
    float ProgNapiecie = 0;
    float ProgPrad = 0;
    float ProgTgFiMax = 0;
    float ProgTgFiMin = 0;
    bool Zablokowany = false;
    bool Monitoring = false;
    std::int32_t TimerU = 0;
    std::int32_t popTimerU = 0;
    float EnCzynnaMin = 0, EnCzynnaMax = 0;
    float EnBiernaCalkMin = 0, EnBiernaCalkMax = 0;
    float EnBiernaPojMin = 0, EnBiernaPojMax = 0;
    float NapiecieMin = 0, NapiecieMax = 0;
    float PradCzynnyMin = 0, PradCzynnyMax = 0;
    float PradBiernyMin = 0, PradBiernyMax = 0;
    float PradCalkMin = 0, PradCalkMax = 0;
    float CzestotliwoscMin = 0, CzestotliwoscMax = 0;
    // The limits of "Filtrowanie danych" in force (wiarygodnosc.h).
    wiarygodnosc::Filtr Filtr;

    // The start of the last reading taken for storing (OstPomiar.Czas at
    // start); see ZapisRegulatora::zaWczesnieNaZapis.
    DataCzas OstatniZapis;
    // The time counter of the last accepted block, and when it was read.
    std::optional<wiarygodnosc::PunktLicznika> punktLicznika;
    // The refused blocks: what the judging and the reading keep between readings.
    struct Odrzucenia {
        // The time counter of the last block refused for it alone: two
        // blocks that agree with each other outweigh a stale accepted point.
        std::optional<wiarygodnosc::PunktLicznika> licznik;
        int wSerii = 0;       // refused in a row, told when one is accepted
        bool ostatni = false; // the last reading's block was refused
        DataCzas punkt;       // the grid point `ponowienia` counts for
        int ponowienia = 0;   // refused readings for that point
    } odrzucenia;

    clsStan &stan() { return m_stan; }
    const clsStan &stan() const { return m_stan; }

    // Working state of the reading, kept between readings.
    DaneRozkazu blok;   // the 32-byte measurement block
    DaneRozkazu diody;  // LED answer, elements 1..3
    DaneRozkazu czytaj; // the CZYTAJ byte (read, never used)
    int P = 0;          // period count

    // Only an address that fits the one address byte of a frame reaches the
    // line; a record with any other is kept for the views but never polled.
    bool adresNaMagistrali() const { return adres >= 0 && adres <= 0xFF; }

    // State-byte tests.
    static bool KodBlokady(int kod) { return (kod & 0x20) != 0; }
    bool SprawdzStanDiody(int NrDiody) const;

private:
    clsStan m_stan;
};
