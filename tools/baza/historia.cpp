// The demo plant's recent past: what the station would have stored over a
// few weeks of polling every 15 minutes, and the alarms it would have
// raised on the way.

#include "baza/polaczenie.h"
#include "demo.h"
#include "model/listaalarmow.h"
#include "platform/tekst.h"
#include "surowe.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <random>

namespace
{

constexpr int krokMinut = 15;

// A stretch in which the compensation did not keep up (a stage's contactor
// failed, or the controller overcompensated at night): tg fi shifted by
// `przesuniecie` from `godzina` of day `dzien` (counted from the first day of
// the history) for `godzin` hours.
struct Zaklocenie {
    int adres;
    int dzien;
    double godzina;
    double godzin;
    double przesuniecie;
};

constexpr Zaklocenie zaklocenia[] = {
    {1, 5, 10.0, 2.5, 0.20}, {2, 12, 8.5, 5.0, 0.22},  {2, 20, 14.0, 1.5, 0.21},
    {3, 8, 2.0, 3.0, -0.22}, {3, 23, 11.0, 2.0, 0.26}, {1, 26, 9.0, 1.0, 0.19},
};

// A controller that did not answer for a while (a cable being replaced).
struct Przerwa {
    int adres;
    int dzien;
    double godzina;
    int minut;
};
constexpr Przerwa przerwy[] = {{4, 17, 13.0, 45}, {2, 3, 6.25, 30}};

// The share of the rated load: low at night, a morning ramp, a dip at noon,
// the evening decline; weekends run at about a third.
double obciazenie(const QDate &d, double h)
{
    double p;
    if (h < 5)
        p = 0.30;
    else if (h < 7)
        p = 0.30 + (h - 5) / 2 * 0.65;
    else if (h < 12)
        p = 0.95;
    else if (h < 13)
        p = 0.80;
    else if (h < 16)
        p = 0.95;
    else if (h < 22)
        p = 0.95 - (h - 16) / 6 * 0.60;
    else
        p = 0.32;
    if (d.dayOfWeek() >= 6)
        p = 0.30 + (p - 0.30) * 0.15;
    return p;
}

struct Alarm {
    DataCzas data;
    QString tresc;
    QString kod;
    std::optional<DataCzas> potwierdzony;
    std::optional<DataCzas> dezaktywacja;
};

double r3(double v)
{
    return std::round(v * 1000) / 1000;
}

class Wstawianie
{
public:
    Wstawianie(sqlite3 *h, const char *sql) : m_h(h)
    {
        sprawdzSqlite(h, sqlite3_prepare_v2(h, sql, -1, &m_st, nullptr));
    }
    ~Wstawianie() { sqlite3_finalize(m_st); }
    Wstawianie(const Wstawianie &) = delete;
    Wstawianie &operator=(const Wstawianie &) = delete;

    void liczba(int i, double v) { sqlite3_bind_double(m_st, i, v); }
    void calkowita(int i, int v) { sqlite3_bind_int(m_st, i, v); }
    void tekst(int i, const QString &t)
    {
        const QByteArray b = t.toUtf8();
        sqlite3_bind_text(m_st, i, b.constData(), static_cast<int>(b.size()), SQLITE_TRANSIENT);
    }
    void data(int i, const std::optional<DataCzas> &d)
    {
        if (d)
            tekst(i, d->tekstBazy());
        else
            sqlite3_bind_null(m_st, i);
    }
    void wykonaj()
    {
        sprawdzSqlite(m_h, sqlite3_step(m_st));
        sqlite3_reset(m_st);
    }

private:
    sqlite3 *m_h;
    sqlite3_stmt *m_st = nullptr;
};

} // namespace

Historia dopiszHistorie(Polaczenie &cn, DataCzas teraz, int dni)
{
    Historia wynik;
    if (dni <= 0)
        return wynik;
    const DataCzas poczatek = teraz.poczatekDnia().plusDni(-dni);
    // The last reading lies before now, so the station's own first reading
    // follows it.
    const std::int64_t krokMs = std::int64_t(krokMinut) * 60000;
    const std::int64_t ileKrokow = (teraz.plusSekundy(-30).ms() - poczatek.ms()) / krokMs + 1;

    sqlite3 *h = uchwytSqlite(cn);
    sprawdzSqlite(h, sqlite3_exec(h, "BEGIN", nullptr, nullptr, nullptr));
    try {
        Wstawianie pomiar(h, "INSERT INTO Pomiary (Adres, Data, EnCzynna, EnBiernaCalk, EnBiernaPoj, Napiecie, "
                             "PradBierny, PradCalk, Czestotliwosc) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");
        std::vector<Alarm> alarmy;
        std::mt19937 los(20261206);
        std::normal_distribution<double> szum(0.0, 1.0);
        std::uniform_real_distribution<double> u(0.0, 1.0);
        auto potwierdzenie = [&](DataCzas od) -> std::optional<DataCzas> {
            // Mostly acknowledged within half an hour; now and then nobody did.
            const DataCzas kiedy = od.plusSekundy(std::int64_t(120 + u(los) * 1500));
            if (u(los) < 0.15 || kiedy >= teraz)
                return std::nullopt;
            return kiedy;
        };

        const std::vector<OpisRegulatora> regulatory = regulatoryDemo();
        for (std::size_t k = 0; k < regulatory.size(); ++k) {
            const OpisRegulatora &r = regulatory[k];
            const bool progi = r.progTgFi.has_value();
            const double tgMin = r.progTgFiMin.value_or(-1e9);
            const double tgMax = r.progTgFi.value_or(1e9);
            double odchylenie = 0; // slow wander of the compensation around its target
            std::optional<std::size_t> alarmTg, alarmLacza;
            for (std::int64_t i = 0; i < ileKrokow; ++i) {
                // Controllers are read one after another, a few seconds apart.
                const DataCzas t = poczatek.plusMs(i * krokMs).plusSekundy(2 * std::int64_t(k));
                const QDate d = t.data();
                const double godz = t.czas().hour() + t.czas().minute() / 60.0;
                const int dzien = static_cast<int>((t.poczatekDnia().ms() - poczatek.ms()) / 86400000);

                const bool cisza = std::any_of(std::begin(przerwy), std::end(przerwy), [&](const Przerwa &p) {
                    return p.adres == r.adres && p.dzien == dzien && godz >= p.godzina &&
                           godz < p.godzina + p.minut / 60.0;
                });
                if (cisza) {
                    if (!alarmLacza) {
                        alarmLacza = alarmy.size();
                        alarmy.push_back({t, ListaAlarmow::tekstAlarmu(100), r.kod, potwierdzenie(t), {}});
                    }
                    continue;
                }
                if (alarmLacza) {
                    alarmy[*alarmLacza].dezaktywacja = t;
                    alarmLacza.reset();
                }

                const double obc = obciazenie(d, godz) * (1 + 0.06 * szum(los));
                const double prad = std::max(0.05 * r.pradNominalny, r.pradNominalny * obc);
                odchylenie = 0.93 * odchylenie + 0.015 * szum(los);
                // At light load fewer stages are on and tg fi sits lower,
                // though clear of a lower threshold.
                double tg = (obc > 0.6 ? 0.30 : std::max(0.17, tgMin + 0.12)) + odchylenie;
                for (const Zaklocenie &z : zaklocenia)
                    if (z.adres == r.adres && z.dzien == dzien && godz >= z.godzina && godz < z.godzina + z.godzin)
                        tg += z.przesuniecie;
                const double cosfi = 1.0 / std::sqrt(1.0 + tg * tg);
                const double napiecie = 400 + 4 * szum(los);
                const double enCzynna = std::sqrt(3.0) * napiecie * prad * cosfi / 1000 * krokMinut / 60; // kWh
                const double enPoj = tg < 0 ? enCzynna * tg : 0.0;

                pomiar.calkowita(1, r.adres);
                pomiar.tekst(2, t.tekstBazy());
                pomiar.liczba(3, r3(enCzynna));
                pomiar.liczba(4, r3(enCzynna * tg));
                pomiar.liczba(5, r3(enPoj));
                pomiar.liczba(6, r3(napiecie));
                pomiar.liczba(7, r3(prad * tg * cosfi));
                pomiar.liczba(8, r3(prad));
                pomiar.liczba(9, r3(50 + 0.02 * szum(los)));
                pomiar.wykonaj();
                ++wynik.pomiary;

                // The threshold check of a reading, as the station makes it.
                if (!progi)
                    continue;
                const bool poza = tg < tgMin || tg > tgMax;
                if (poza && !alarmTg) {
                    alarmTg = alarmy.size();
                    alarmy.push_back({t,
                                      ListaAlarmow::tekstAlarmu(203) + QLatin1Char('(') +
                                          FormatSingleRegionalnie(static_cast<float>(tg), 7) + QLatin1Char(')'),
                                      r.kod,
                                      potwierdzenie(t),
                                      {}});
                } else if (!poza && alarmTg) {
                    alarmy[*alarmTg].dezaktywacja = t;
                    alarmTg.reset();
                }
            }
            // The history ends with the station stopped: what was active
            // then ended with it.
            const DataCzas koniec = poczatek.plusMs((ileKrokow - 1) * krokMs);
            for (const auto &a : {alarmTg, alarmLacza})
                if (a)
                    alarmy[*a].dezaktywacja = koniec;
        }

        // The journal in the order the alarms arose, as the station writes it.
        std::stable_sort(alarmy.begin(), alarmy.end(), [](const Alarm &a, const Alarm &b) { return a.data < b.data; });
        Wstawianie alarm(h, "INSERT INTO Alarmy (Data, Typ, Tresc, Kod_Regul, Data_potw, Data_dezakt) "
                            "VALUES (?, 'R', ?, ?, ?, ?)");
        for (const Alarm &a : alarmy) {
            alarm.data(1, a.data);
            alarm.tekst(2, a.tresc);
            alarm.tekst(3, a.kod);
            // An acknowledgement after the end is still an acknowledgement.
            alarm.data(4, a.potwierdzony);
            alarm.data(5, a.dezaktywacja);
            alarm.wykonaj();
        }
        wynik.alarmy = static_cast<int>(alarmy.size());
        sprawdzSqlite(h, sqlite3_exec(h, "COMMIT", nullptr, nullptr, nullptr));
    } catch (...) {
        sqlite3_exec(h, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
    return wynik;
}
