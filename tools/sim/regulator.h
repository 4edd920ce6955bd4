#pragma once

#include "model.h"
#include "parametry.h"
#include "ramki.h"
#include "usterki.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>

namespace sim
{

// One controller on the bus: its state bytes, blocking and switch bytes,
// the discharge countdowns of its nine stages and the plant it measures.
// Times are milliseconds since the epoch, passed in by the caller.
class RegulatorSym final
{
public:
    static constexpr quint8 BLOKADA = 0x20; // bit 5 of 0x2F

    RegulatorSym(const ParametryRegulatora &p, qint64 ms);

    const ParametryRegulatora &parametry() const { return m_p; }
    int adres() const { return m_p.adres; }
    Usterki &usterki() { return m_usterki; }
    const Usterki &usterki() const { return m_usterki; }
    Wymuszenia &wymuszenia() { return m_wymuszenia; }
    const ModelElektryczny &model() const { return m_model; }

    // Carries out a frame meant for this controller. The answer values
    // (before the wire's 0x02 rule), or nothing for a write.
    std::optional<QByteArray> obsluz(const Ramka &r, qint64 ms);

    quint8 czytaj(quint8 lokacja, qint64 ms) const;
    void zapisz(quint8 lokacja, quint8 wartosc, qint64 ms);

    // Stage index 0..8; a 0 bit in the state byte means "on".
    bool zalaczony(int stopien) const;
    int pozostaloSekund(int stopien, qint64 ms) const;
    void ustawOdliczanie(int stopien, int sekundy, qint64 ms);
    double kondensatoryKvar() const;
    bool zablokowany() const { return (m_blok & BLOKADA) != 0; }

    // Once a second: counters, and when the controller regulates by itself
    // (not blocked, automatic mode on), one switching step at most.
    void tik(qint64 ms, bool regulacja);

    QString opis(qint64 ms) const;

private:
    void ustawStany(quint8 s90, quint8 sA0, qint64 ms);
    void reguluj(qint64 ms);

    ParametryRegulatora m_p;
    ModelElektryczny m_model;
    Usterki m_usterki;
    Wymuszenia m_wymuszenia;
    quint8 m_s90 = 0xF0;   // stages 1..4 on
    quint8 m_sA0 = 0xFF;   // stage 9 off
    quint8 m_blok = 0x41;  // not blocked
    quint8 m_przel = 0x00; // switch byte 0x6A
    quint8 m_przel1 = 0x21;
    std::array<qint64, 9> m_koniecRozladowania{};
    qint64 m_zalaczonoMs = 0;
    qint64 m_wylaczonoMs = 0;
    qint64 m_nastepnaRegulacjaMs = 0;
};

} // namespace sim
