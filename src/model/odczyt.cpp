#include "app/kontekst.h"
#include "clregulator.h"
#include "wewnetrzne.h"

namespace
{
// Alarm code of a controller that does not answer.
constexpr int alarmBrakKomunikacji = 100;
} // namespace

QCoro::Task<bool> clRegulator::OkresowyOdczyt(DataCzas Teraz)
{
    Kontekst &k = kontekst();

    // A controller never read before learns its blocking state once, so the
    // views show it before its first due reading. A failure stays silent.
    if (OstatniOdczyt.nigdy()) {
        DaneRozkazu kod;
        const bool ok = co_await k.oKomunikator.WykonajRozkaz(Id, QStringLiteral("Czytaj_blok"), &kod);
        if (ok) {
            Zablokowany = KodBlokady(kod.wartosc);
            k.oWizual.eBlokadaRegul(Id, Zablokowany, false);
        }
    }

    if (Teraz < NastepnyOdczyt)
        co_return false;

    OstatniOdczyt = Teraz;
    k.oWizual.eOkresowyOdczyt(Id, true);
    const int id = Id;
    model::Straznik koniec([&k, id] { k.oWizual.eOkresowyOdczyt(id, false); });

    const bool odczytano = co_await WczytajStanRegul(Teraz);
    // On failure NastepnyOdczyt stays, so the controller is tried again on
    // the next tick; only complete readings are stored.
    if (odczytano) {
        NastepnyOdczyt = nastepnyOdczyt(NastepnyOdczyt, Teraz, CzestOdczytu);
        ZapiszDaneDB();
    }
    co_return false;
}

QCoro::Task<bool> clRegulator::WczytajStanRegul(DataCzas)
{
    Kontekst &k = kontekst();
    ZakloceniaHarm = false;

    // Answers are read into locals and kept only when complete, so a broken
    // answer never mixes into the bytes of the last good reading.
    DaneRozkazu odpDiody;
    const bool okDiody = co_await k.oKomunikator.WykonajRozkaz(Id, QStringLiteral("Czytaj_Diody"), &odpDiody);
    if (okDiody) {
        diody = odpDiody;
        m_stan.StanDiod1 = static_cast<std::uint8_t>(diody.bajty[1]);
        m_stan.StanDiod2 = static_cast<std::uint8_t>(diody.bajty[2]);
        m_stan.StanDiod3 = static_cast<std::uint8_t>(diody.bajty[3]);
    } else {
        DodajAlarm(k.teraz(), alarmBrakKomunikacji, QString());
    }

    // DAJ_DANE fails only when its frame could not be written (the line is
    // gone). Decoding the previous block again would store an old reading
    // as a new one, so a refused frame is a communication failure too.
    DaneRozkazu odpCzytaj;
    DaneRozkazu odpBlok;
    bool ok = co_await k.oKomunikator.WykonajRozkaz(Id, QStringLiteral("daj_dane"));
    if (ok)
        ok = co_await k.oKomunikator.WykonajRozkaz(Id, QStringLiteral("czytaj"), &odpCzytaj);
    if (ok)
        ok = co_await k.oKomunikator.WykonajRozkaz(Id, QStringLiteral("czytaj32"), &odpBlok);
    if (!ok) {
        DodajAlarm(k.teraz(), alarmBrakKomunikacji, QString());
        co_return false;
    }
    czytaj = odpCzytaj;
    blok = odpBlok;
    SprawdzAlarm(alarmBrakKomunikacji);

    dekodujBlok();
    sprawdzProgi();
    k.oWizual.eNoweDane(Id, QStringLiteral("O"));
    co_return true;
}
