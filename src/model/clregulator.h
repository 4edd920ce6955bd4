#pragma once

#include "clsstan.h"
#include "platform/datacz.h"
#include "protokol/dane.h"
#include "protokol/protokol.h"
#include "wiarygodnosc.h"

#include <QCoro/QCoroTask>
#include <QString>

#include <cstdint>
#include <optional>

struct SrodowiskoRegulatora;

// One controller: identity and configuration (from Regulatory), the latest
// measurements, the values kept from the previous stored reading, its
// schedule, its operator-set state and its front-panel state.
class clRegulator final
{
public:
    explicit clRegulator(const SrodowiskoRegulatora *srodowisko = nullptr) : m_s(srodowisko) {}
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
    // start). Storing two readings less than 25 s apart would meet the
    // storing's 20 s rule by accident and store the cumulative counters as
    // one interval's energy, so such a reading waits for the next grid point.
    DataCzas OstatniZapis;
    static constexpr std::int64_t minOdstepZapisuSekund = 25;
    bool zaWczesnieNaZapis(DataCzas Teraz) const;
    // The time counter of the last accepted block, and when it was read.
    std::optional<wiarygodnosc::PunktLicznika> punktLicznika;
    // A controller whose block is refused is asked again on the next ticks
    // at most this many times for one grid point, then waits for the next.
    static constexpr int ponowieniaOdrzuconego = 3;

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

    // Periodic reading and decoding.
    QCoro::Task<bool> OkresowyOdczyt(DataCzas Teraz);
    QCoro::Task<bool> WczytajStanRegul(DataCzas Teraz);
    // The next point of the grid N + k*F (k >= 1) not earlier than Teraz.
    static DataCzas nastepnyOdczyt(DataCzas N, DataCzas Teraz, int F);
    // The values one block gives, before they enter the record.
    struct WartosciBloku {
        protokol::BlokPomiarow blok;
        float Napiecie = 0, PradCalkSr = 0, PradBiernPojSr = 0, PradBiernSr = 0;
        float PradBierny = 0, PradCalk = 0, Faza = 0, Okres = 0, PradCzynny = 0, TgFi = 0;
        std::int32_t TimerU = 0;
        int P = 0;
        bool zaklocenia = false;
    };
    WartosciBloku przeliczBlok(const DaneRozkazu &dane) const;
    void przyjmijBlok(const WartosciBloku &w);
    // Decodes blok into the record (steps 4-7 of the reading).
    void dekodujBlok();
    // Why a block is refused, or nothing: a frequency outside 40..70 Hz, a
    // negative voltage, a time counter that neither ran on nor restarted, a
    // value outside the configured limits.
    std::optional<wiarygodnosc::Odrzucenie> ocenBlok(const WartosciBloku &w);
    // The threshold checks of a decoded reading: raises or clears the
    // alarms 201 (current), 202 (voltage) and 203 (tg fi), at the clock's now.
    void sprawdzProgi();

    // Alarm detection.
    void DodajAlarm(DataCzas Data, int KodAlarmu, const QString &Komentarz);
    void SprawdzAlarm(int KodAlarmu);

    // Measurement storage.
    void ZapiszDaneDB();

    // Control operations.
    QCoro::Task<bool> BlokujRegul(bool Blokada);
    // Sends the switch setting of selectors 4..7 (bit 0 = selector 4).
    QCoro::Task<int> UstawRegulator(int bajtPrzelacznikow);
    QCoro::Task<bool> UstawKondensator(int NrDiody, bool Wlacz);

private:
    // What the operations use; throws std::logic_error for a record made
    // without it (only tests of the pure parts do that).
    const SrodowiskoRegulatora &srodowisko() const;
    // A refused block is counted in the line's statistics; the first of a
    // series is logged with its bytes, and the end of a series with its length.
    void zglosOdrzucenie(const wiarygodnosc::Odrzucenie &powod, const DaneRozkazu &czytajOdp,
                         const DaneRozkazu &blokOdp);
    void koniecSeriiOdrzucen();
    // After a scheduled reading whose block was refused: stays due, or after
    // its retries moves on to the next grid point.
    void odlozPoOdrzuceniu(DataCzas Teraz);

    const SrodowiskoRegulatora *m_s;
    clsStan m_stan;
    // The time counter of the last block refused for it alone: two blocks
    // that agree with each other outweigh a stale accepted point.
    std::optional<wiarygodnosc::PunktLicznika> m_licznikOdrzucony;
    int m_odrzuconeWSerii = 0;
    bool m_blokOdrzucony = false; // the last reading's block was refused
    DataCzas m_punktOdrzucen;     // the grid point m_odrzuceniaPunktu counts for
    int m_odrzuceniaPunktu = 0;
};
