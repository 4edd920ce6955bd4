#include "sterowanie.h"

#include "baza/bladbazy.h"
#include "clregulator.h"
#include "comm/komunikator.h"
#include "db/clsbd.h"
#include "odczyt.h"
#include "platform/komunikaty.h"
#include "platform/tekst.h"
#include "platform/zegar.h"
#include "wewnetrzne.h"
#include "zdarzenia.h"

namespace
{

// Bit 5 of the blocking byte: the controller is blocked.
constexpr int bitBlokady = 0x20;

} // namespace

// The stage was switched already, so a failing journal must neither undo
// that nor stop the polling: it is reported and the operation ends normally.
void SterowanieRegulatora::zapiszStopienDoLoga(const QString &kod, int NrDiody, bool Wlacz)
{
    const QString operacja =
        (Wlacz ? QStringLiteral("Załączono stopień nr ") : QStringLiteral("Wyłączono stopień nr ")) + Str(NrDiody + 1);
    try {
        m_bd.ZapiszDoLoga(operacja, QStringLiteral("N"), QStringLiteral("S"), kod);
    } catch (const BladBazy &e) {
        qCWarning(lcModel) << "Log row not written:" << operacja << kod << e.numer() << e.opis();
        m_komunikaty.pokaz(clsBD::bladDziennika(e.numer(), e.opis()), model::tytulAplikacji(), Ikona::Krytyczna);
    }
}

QCoro::Task<bool> SterowanieRegulatora::BlokujRegul(clRegulator &r, bool Blokada)
{
    const int id = r.Id;
    m_zdarzenia.eBlokowanieRegul(id, Blokada, true);
    model::Straznik koniecBlokowania([this, id, Blokada] { m_zdarzenia.eBlokowanieRegul(id, Blokada, false); });

    DaneRozkazu kod;
    const bool odczytano = co_await m_komunikator.WykonajRozkaz(id, QStringLiteral("CZYTAJ_BLOK"), &kod);
    if (odczytano) {
        r.Zablokowany = clRegulator::KodBlokady(kod.wartosc);
        // Only the blocking bit changes; the others are written back as read.
        const int nowy = Blokada ? (kod.wartosc | bitBlokady) : (kod.wartosc & ~bitBlokady & 0xFF);
        const bool zapisano = co_await m_komunikator.WykonajRozkaz(id, QStringLiteral("USTAW_BLOK"), &kod, nowy);
        if (zapisano)
            r.Zablokowany = clRegulator::KodBlokady(kod.wartosc); // as the controller reports it back
    }
    m_zdarzenia.eBlokadaRegul(id, r.Zablokowany, true);
    co_return false;
}

QCoro::Task<bool> SterowanieRegulatora::UstawKondensator(clRegulator &r, int NrDiody, bool Wlacz)
{
    const int id = r.Id;
    if (Wlacz)
        m_zdarzenia.eZalaczanieBaterii(id, true);
    else
        m_zdarzenia.eWylaczanieBaterii(id, true);
    model::Straznik koniecPrzelaczania([this, id, Wlacz] {
        if (Wlacz)
            m_zdarzenia.eZalaczanieBaterii(id, false);
        else
            m_zdarzenia.eWylaczanieBaterii(id, false);
    });

    // Only stages 1..9 exist; any other index would address a location
    // that is no stage's.
    if (NrDiody < 0 || NrDiody > 8) {
        qCWarning(lcModel) << "UstawKondensator: no stage with index" << NrDiody;
        co_return false;
    }

    DaneRozkazu k1;
    DaneRozkazu k2;
    const bool ok1 = co_await m_komunikator.WykonajRozkaz(id, QStringLiteral("CZYTAJ_KOND1"), &k1);
    const bool ok2 = co_await m_komunikator.WykonajRozkaz(id, QStringLiteral("CZYTAJ_KOND2"), &k2);
    if (!ok1 || !ok2)
        co_return false;

    clsStan &stan = r.stan();
    stan.StanDiod1 = static_cast<std::uint8_t>(k1.wartosc);
    stan.StanDiod2 = static_cast<std::uint8_t>(k2.wartosc);
    const bool wlaczony = r.SprawdzStanDiody(NrDiody);
    if (wlaczony == Wlacz) {
        m_zdarzenia.eNoweDane(id, QStringLiteral("O"));
        co_return true;
    }

    // In the stage bytes a 0 bit means the stage is on.
    int bajt1 = k1.wartosc;
    int bajt2 = k2.wartosc;
    if (wlaczony) {
        if (NrDiody == 8)
            bajt2 = stan.StanDiod2 | 0x80;
        else
            bajt1 = stan.StanDiod1 | MaskaBitu[NrDiody];
        // Starts the stage's 60-second discharge countdown.
        co_await m_komunikator.WykonajRozkaz(id, QStringLiteral("USTAW_KOND"), nullptr, NrDiody);
    } else {
        DaneRozkazu pozostalo;
        const bool zbadano =
            co_await m_komunikator.WykonajRozkaz(id, QStringLiteral("BADAJ_KOND"), &pozostalo, NrDiody);
        if (zbadano) {
            // A capacitor switched on before it discharged would be damaged.
            if (pozostalo.wartosc != 0) {
                m_komunikaty.pokaz(QStringLiteral("Nie można załączyć kondensatora nr ") +
                                       QString::number(NrDiody + 1) + QLatin1Char('.') + QLatin1Char('\r') +
                                       QStringLiteral("Nie upłynął jeszcze czas jego rozładowania.") +
                                       QLatin1Char('\r') + QStringLiteral("Pozostało ") + Str(pozostalo.wartosc) +
                                       QStringLiteral(" sekund."),
                                   model::tytulAplikacji(), Ikona::Krytyczna);
                co_return false;
            }
            if (NrDiody == 8)
                bajt2 = (bajt2 & 0x70) | 0x0F; // bit 7 cleared, bits 4-6 kept, bits 0-3 set
            else
                bajt1 = bajt1 & ~MaskaBitu[NrDiody] & 0xFF;
        }
    }

    if (NrDiody == 8) {
        DaneRozkazu d;
        d.wartosc = bajt2;
        co_await m_komunikator.WykonajRozkaz(id, QStringLiteral("WLACZ_KOND2"), &d, bajt2);
    } else {
        DaneRozkazu d;
        d.wartosc = bajt1;
        co_await m_komunikator.WykonajRozkaz(id, QStringLiteral("WLACZ_KOND"), &d, bajt1);
    }

    DaneRozkazu p1;
    DaneRozkazu p2;
    const bool okP1 = co_await m_komunikator.WykonajRozkaz(id, QStringLiteral("CZYTAJ_KOND1"), &p1);
    const bool okP2 = co_await m_komunikator.WykonajRozkaz(id, QStringLiteral("CZYTAJ_KOND2"), &p2);
    if (okP1 && okP2) {
        stan.StanDiod1 = static_cast<std::uint8_t>(p1.wartosc);
        stan.StanDiod2 = static_cast<std::uint8_t>(p2.wartosc);
        m_zdarzenia.eNoweDane(id, QStringLiteral("O"));
    }

    zapiszStopienDoLoga(r.Kod, NrDiody, Wlacz);
    co_return true;
}

QCoro::Task<int> SterowanieRegulatora::UstawRegulator(clRegulator &r, int bajtPrzelacznikow)
{
    const int id = r.Id;
    // Whatever happens on the line, a panel may afterwards show the
    // controller's own switch state again.
    model::Straznik koniecUstawiania([this, id] { m_zdarzenia.eUstawionoPrzelaczniki(id); });
    // Bits 0-3 are the switches 4..7; bits 4-7 hold no switch and go as 0.
    const bool wyslano =
        co_await m_komunikator.WykonajRozkaz(id, QStringLiteral("USTAW_SR"), nullptr, bajtPrzelacznikow & 0x0F);
    if (wyslano)
        co_await m_odczyt.WczytajStanRegul(r, m_zegar.teraz());
    co_return wyslano ? -1 : 0;
}
