#pragma once

#include "obserwator.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <deque>

// One line of the line monitor: a frame, an answer or a missing one.
struct WpisLinii {
    std::int64_t czasMs = 0; // DataCzas milliseconds
    ZdarzenieLinii::Rodzaj rodzaj = ZdarzenieLinii::Rodzaj::Zapytanie;
    int nrRegulatora = -1;
    int adres = -1;
    int lokacja = -1;
    int proba = 1;
    const char *rozkaz = "";
    bool wyslano = true;
    bool odrzucony = false; // a block the model refused
    std::int64_t opoznienieMs = -1;
    QByteArray bajty;
    QByteArray wartosci; // one byte per value
};

// The traffic the line monitor shows: attached to the link only while its
// window is open, it keeps the last `pojemnosc` lines as they came, raw;
// texts are made only for the lines a window draws or saves.
class PodgladLinii final : public ObserwatorLinii
{
public:
    static constexpr std::size_t pojemnosc = 10000;

    void naZdarzenie(const ZdarzenieLinii &z) override;
    const std::deque<WpisLinii> &wpisy() const { return m_wpisy; }
    // Lines taken since the start, those dropped off the front included:
    // a view compares it to see what is new.
    std::uint64_t przyjete() const { return m_przyjete; }
    std::uint64_t zmiany() const { return m_zmiany; }
    void wyczysc();

private:
    std::deque<WpisLinii> m_wpisy;
    std::uint64_t m_przyjete = 0;
    std::uint64_t m_zmiany = 0;
};

namespace podglad
{
QString czas(const WpisLinii &w); // "HH:mm:ss.zzz"
QString kierunek(const WpisLinii &w);
QString bajty(const WpisLinii &w); // hex, "02 01 2F 05"
// What the answer means: a block as its values, the blocking byte, the
// stages that are on; empty for a request.
QString wartosci(const WpisLinii &w);
QString uwagi(const WpisLinii &w); // repeat, time-out, refused, not sent
// One line of the saved file, tab-separated, with the date.
QString wiersz(const WpisLinii &w);
} // namespace podglad
