#include "clregulator.h"
#include "protokol/protokol.h"
#include "wewnetrzne.h"

namespace
{
// Alarm codes of a controller that does not answer, and of one whose
// answers are refused.
constexpr int alarmBrakKomunikacji = 100;
constexpr int alarmOdrzuconeDane = 101;
} // namespace

QCoro::Task<bool> clRegulator::OkresowyOdczyt(DataCzas Teraz)
{
    const SrodowiskoRegulatora &s = srodowisko();

    // A controller never read before learns its blocking state once, so the
    // views show it before its first due reading. A failure stays silent.
    if (OstatniOdczyt.nigdy()) {
        DaneRozkazu kod;
        const bool ok = co_await s.komunikator.WykonajRozkaz(Id, QStringLiteral("Czytaj_blok"), &kod);
        if (ok) {
            Zablokowany = KodBlokady(kod.wartosc);
            s.zdarzenia.eBlokadaRegul(Id, Zablokowany, false);
        }
    }

    if (Teraz < NastepnyOdczyt)
        co_return false;

    OstatniOdczyt = Teraz;
    s.zdarzenia.eOkresowyOdczyt(Id, true);
    const int id = Id;
    model::Straznik koniecOdczytu([&s, id] { s.zdarzenia.eOkresowyOdczyt(id, false); });

    // A reading too soon after the last stored one (a restart within
    // seconds of it, a reading due again on the grid point it just had) is
    // taken, but it is stored at the next grid point instead.
    const bool doZapisu = !zaWczesnieNaZapis(Teraz);
    const bool odczytano = co_await WczytajStanRegul(Teraz);
    // On failure NastepnyOdczyt stays, so the controller is tried again on
    // the next tick; only complete readings are stored.
    if (!odczytano && m_blokOdrzucony)
        odlozPoOdrzuceniu(Teraz);
    if (odczytano) {
        NastepnyOdczyt = nastepnyOdczyt(NastepnyOdczyt, Teraz, CzestOdczytu);
        if (doZapisu)
            ZapiszDaneDB();
        else
            qCInfo(lcModel).noquote() << "controller" << Id << Kod << "read at" << Teraz.tekstBazy() << "less than"
                                      << minOdstepZapisuSekund << "s after its last stored reading ("
                                      << OstatniZapis.tekstBazy() << "); stored at the next grid point"
                                      << NastepnyOdczyt.tekstBazy();
    }
    co_return false;
}

QCoro::Task<bool> clRegulator::WczytajStanRegul(DataCzas)
{
    const SrodowiskoRegulatora &s = srodowisko();
    ZakloceniaHarm = false;
    m_blokOdrzucony = false;

    // Answers are read into locals and kept only when complete, so a broken
    // answer never mixes into the bytes of the last good reading.
    DaneRozkazu odpDiody;
    const bool okDiody = co_await s.komunikator.WykonajRozkaz(Id, QStringLiteral("Czytaj_Diody"), &odpDiody);
    const auto przyjmijDiody = [this, &odpDiody] {
        diody = odpDiody;
        const protokol::StanDiod d = protokol::dekodujDiody(diody);
        m_stan.StanDiod1 = d.wyjscia1;
        m_stan.StanDiod2 = d.wyjscia2;
        m_stan.StanDiod3 = d.stan3;
    };
    if (!okDiody)
        DodajAlarm(s.zegar.teraz(), alarmBrakKomunikacji, QString());

    // DAJ_DANE fails only when its frame could not be written (the line is
    // gone). Decoding the previous block again would store an old reading
    // as a new one, so a refused frame is a communication failure too.
    DaneRozkazu odpCzytaj;
    DaneRozkazu odpBlok;
    bool ok = co_await s.komunikator.WykonajRozkaz(Id, QStringLiteral("daj_dane"));
    if (ok)
        ok = co_await s.komunikator.WykonajRozkaz(Id, QStringLiteral("czytaj"), &odpCzytaj);
    if (ok)
        ok = co_await s.komunikator.WykonajRozkaz(Id, QStringLiteral("czytaj32"), &odpBlok);
    if (!ok) {
        if (okDiody)
            przyjmijDiody();
        DodajAlarm(s.zegar.teraz(), alarmBrakKomunikacji, QString());
        co_return false;
    }
    // The controller answered every frame: whatever its block holds, the
    // line to it works.
    SprawdzAlarm(alarmBrakKomunikacji);
    // A refused block is a failed reading, and nothing of it (the LED bytes
    // of the same exchange included) enters the record. It has an alarm of
    // its own, naming the value and the limit.
    const WartosciBloku wartosci = przeliczBlok(odpBlok);
    if (const std::optional<wiarygodnosc::Odrzucenie> odrzucenie = ocenBlok(wartosci)) {
        m_blokOdrzucony = true;
        zglosOdrzucenie(*odrzucenie, odpCzytaj, odpBlok);
        DodajAlarm(s.zegar.teraz(), alarmOdrzuconeDane, odrzucenie->komentarz);
        co_return false;
    }
    if (okDiody)
        przyjmijDiody();
    czytaj = odpCzytaj;
    blok = odpBlok;
    SprawdzAlarm(alarmOdrzuconeDane);
    koniecSeriiOdrzucen();

    przyjmijBlok(wartosci);
    punktLicznika = wiarygodnosc::PunktLicznika{wartosci.TimerU, s.zegar.msMonotoniczne(), s.zegar.teraz(), false};
    m_licznikOdrzucony.reset();
    sprawdzProgi();
    s.zdarzenia.eNoweDane(Id, QStringLiteral("O"));
    co_return true;
}
