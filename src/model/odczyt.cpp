#include "odczyt.h"

#include "alarmy.h"
#include "clregulator.h"
#include "comm/komunikator.h"
#include "dekodowanie.h"
#include "ocena.h"
#include "platform/zegar.h"
#include "protokol/protokol.h"
#include "wewnetrzne.h"
#include "zapis.h"
#include "zdarzenia.h"

#include <algorithm>
#include <cmath>

namespace
{
// Alarm codes of a controller that does not answer, and of one whose
// answers are refused.
constexpr int alarmBrakKomunikacji = 100;
constexpr int alarmOdrzuconeDane = 101;
} // namespace

QCoro::Task<bool> OdczytRegulatora::OkresowyOdczyt(clRegulator &r, DataCzas Teraz)
{
    // A controller never read before learns its blocking state once, so the
    // views show it before its first due reading. A failure stays silent.
    if (r.OstatniOdczyt.nigdy()) {
        DaneRozkazu kod;
        const bool ok = co_await m_komunikator.WykonajRozkaz(r.Id, QStringLiteral("Czytaj_blok"), &kod);
        if (ok) {
            r.Zablokowany = clRegulator::KodBlokady(kod.wartosc);
            m_zdarzenia.eBlokadaRegul(r.Id, r.Zablokowany, false);
        }
    }

    if (Teraz < r.NastepnyOdczyt)
        co_return false;

    r.OstatniOdczyt = Teraz;
    m_zdarzenia.eOkresowyOdczyt(r.Id, true);
    const int id = r.Id;
    model::Straznik koniecOdczytu([this, id] { m_zdarzenia.eOkresowyOdczyt(id, false); });

    // A reading too soon after the last stored one (a restart within
    // seconds of it, a reading due again on the grid point it just had) is
    // taken, but it is stored at the next grid point instead.
    const bool doZapisu = !ZapisRegulatora::zaWczesnieNaZapis(r, Teraz);
    const bool odczytano = co_await WczytajStanRegul(r, Teraz);
    // On failure NastepnyOdczyt stays, so the controller is tried again on
    // the next tick; only complete readings are stored.
    if (!odczytano && r.odrzucenia.ostatni)
        odlozPoOdrzuceniu(r, Teraz);
    if (odczytano) {
        r.NastepnyOdczyt = nastepnyOdczyt(r.NastepnyOdczyt, Teraz, r.CzestOdczytu);
        if (doZapisu)
            m_zapis.ZapiszDaneDB(r);
        else
            qCInfo(lcModel).noquote() << "controller" << r.Id << r.Kod << "read at" << Teraz.tekstBazy() << "less than"
                                      << ZapisRegulatora::minOdstepZapisuSekund << "s after its last stored reading ("
                                      << r.OstatniZapis.tekstBazy() << "); stored at the next grid point"
                                      << r.NastepnyOdczyt.tekstBazy();
    }
    co_return false;
}

QCoro::Task<bool> OdczytRegulatora::WczytajStanRegul(clRegulator &r, DataCzas)
{
    r.ZakloceniaHarm = false;
    r.odrzucenia.ostatni = false;

    // Answers are read into locals and kept only when complete, so a broken
    // answer never mixes into the bytes of the last good reading.
    DaneRozkazu odpDiody;
    const bool okDiody = co_await m_komunikator.WykonajRozkaz(r.Id, QStringLiteral("Czytaj_Diody"), &odpDiody);
    const auto przyjmijDiody = [&r, &odpDiody] {
        r.diody = odpDiody;
        const protokol::StanDiod d = protokol::dekodujDiody(r.diody);
        r.stan().StanDiod1 = d.wyjscia1;
        r.stan().StanDiod2 = d.wyjscia2;
        r.stan().StanDiod3 = d.stan3;
    };
    if (!okDiody)
        m_alarmy.DodajAlarm(r, m_zegar.teraz(), alarmBrakKomunikacji, QString());

    // DAJ_DANE fails only when its frame could not be written (the line is
    // gone). Decoding the previous block again would store an old reading
    // as a new one, so a refused frame is a communication failure too.
    DaneRozkazu odpCzytaj;
    DaneRozkazu odpBlok;
    bool ok = co_await m_komunikator.WykonajRozkaz(r.Id, QStringLiteral("daj_dane"));
    if (ok)
        ok = co_await m_komunikator.WykonajRozkaz(r.Id, QStringLiteral("czytaj"), &odpCzytaj);
    if (ok)
        ok = co_await m_komunikator.WykonajRozkaz(r.Id, QStringLiteral("czytaj32"), &odpBlok);
    if (!ok) {
        if (okDiody)
            przyjmijDiody();
        m_alarmy.DodajAlarm(r, m_zegar.teraz(), alarmBrakKomunikacji, QString());
        co_return false;
    }
    // The controller answered every frame: whatever its block holds, the
    // line to it works.
    m_alarmy.SprawdzAlarm(r, alarmBrakKomunikacji);
    // A refused block is a failed reading, and nothing of it (the LED bytes
    // of the same exchange included) enters the record. It has an alarm of
    // its own, naming the value and the limit.
    const dekodowanie::WartosciBloku wartosci = dekodowanie::przeliczBlok(r, odpBlok);
    if (const std::optional<wiarygodnosc::Odrzucenie> odrzucenie = m_ocena.ocenBlok(r, wartosci)) {
        r.odrzucenia.ostatni = true;
        m_ocena.zglosOdrzucenie(r, *odrzucenie, odpCzytaj, odpBlok);
        m_alarmy.DodajAlarm(r, m_zegar.teraz(), alarmOdrzuconeDane, odrzucenie->komentarz);
        co_return false;
    }
    if (okDiody)
        przyjmijDiody();
    r.czytaj = odpCzytaj;
    r.blok = odpBlok;
    m_alarmy.SprawdzAlarm(r, alarmOdrzuconeDane);
    m_ocena.koniecSeriiOdrzucen(r);

    dekodowanie::przyjmijBlok(r, wartosci);
    r.punktLicznika = wiarygodnosc::PunktLicznika{wartosci.TimerU, m_zegar.msMonotoniczne(), m_zegar.teraz(), false};
    r.odrzucenia.licznik.reset();
    m_alarmy.sprawdzProgi(r);
    m_zdarzenia.eNoweDane(r.Id, QStringLiteral("O"));
    co_return true;
}

DataCzas OdczytRegulatora::nastepnyOdczyt(DataCzas N, DataCzas Teraz, int F)
{
    // A row with no interval would otherwise divide by zero; reading it once
    // a minute keeps it monitored without flooding the line.
    if (F <= 0)
        F = 1;
    // From the 1899 anchor the seconds exceed 32 bits: sekundyMiedzy is 64-bit.
    const double L = static_cast<double>(DataCzas::sekundyMiedzy(N, Teraz)) / 60.0;
    double n = L / F;
    if (n == 0 || n != std::floor(n))
        n = std::floor(n) + 1;
    return N.plusMinuty(std::llround(F * n));
}

void OdczytRegulatora::odlozPoOdrzuceniu(clRegulator &r, DataCzas Teraz)
{
    // Noise spoils one block: the next tick asks again. A controller whose
    // blocks keep being refused (a limit it breaks for as long as it lasts)
    // would be asked on every tick and take the line from the others, so
    // after its retries it waits for its next grid point.
    clRegulator::Odrzucenia &o = r.odrzucenia;
    if (o.punkt != r.NastepnyOdczyt) {
        o.punkt = r.NastepnyOdczyt;
        o.ponowienia = 0;
    }
    if (++o.ponowienia <= ponowieniaOdrzuconego)
        return;
    DataCzas nastepny = nastepnyOdczyt(r.NastepnyOdczyt, Teraz, r.CzestOdczytu);
    if (nastepny <= Teraz)
        nastepny = nastepny.plusMinuty(std::max(r.CzestOdczytu, 1));
    r.NastepnyOdczyt = nastepny;
    o.ponowienia = 0;
}
