#include "regulator.h"

#include "protokol/protokol.h"

#include <QStringList>

#include <algorithm>

namespace sim
{

namespace
{
// How long the switching lamps (0xB0 bits 7 and 6) stay lit after a change.
constexpr qint64 LAMPA_MS = 2000;
constexpr qint64 KROK_REGULACJI_MS = 15'000;
constexpr double TG_GORNY = 0.4;
constexpr double TG_DOLNY = 0.0;
} // namespace

RegulatorSym::RegulatorSym(const ParametryRegulatora &p, qint64 ms) : m_p(p), m_model(p, ms)
{
    m_nastepnaRegulacjaMs = ms + KROK_REGULACJI_MS;
}

bool RegulatorSym::zalaczony(int stopien) const
{
    if (stopien < 8)
        return (m_s90 & (1u << stopien)) == 0;
    return (m_sA0 & 0x80) == 0;
}

int RegulatorSym::pozostaloSekund(int stopien, qint64 ms) const
{
    const qint64 reszta = m_koniecRozladowania[std::size_t(stopien)] - ms;
    if (reszta <= 0)
        return 0;
    return int(std::min<qint64>(255, (reszta + 999) / 1000));
}

void RegulatorSym::ustawOdliczanie(int stopien, int sekundy, qint64 ms)
{
    m_koniecRozladowania[std::size_t(stopien)] = ms + qint64(std::clamp(sekundy, 0, 255)) * 1000;
}

double RegulatorSym::kondensatoryKvar() const
{
    double q = 0;
    for (int i = 0; i < 9; ++i)
        if (zalaczony(i))
            q += m_p.stopnieKvar[std::size_t(i)];
    return q;
}

quint8 RegulatorSym::czytaj(quint8 lokacja, qint64 ms) const
{
    if (lokacja >= 0x70 && lokacja <= 0x78)
        return quint8(pozostaloSekund(lokacja - 0x70, ms));
    switch (lokacja) {
    case 0x90:
        return m_s90;
    case 0xA0:
        return m_sA0;
    case 0xB0: {
        // Bit 7 = switching-on lamp, bit 6 = switching-off lamp, 0 = lit.
        quint8 b = 0xFF;
        if (m_zalaczonoMs && ms - m_zalaczonoMs < LAMPA_MS)
            b &= quint8(~0x80);
        if (m_wylaczonoMs && ms - m_wylaczonoMs < LAMPA_MS)
            b &= quint8(~0x40);
        return b;
    }
    case 0x2F:
        return m_blok;
    case 0x6A:
        return m_przel;
    default:
        return 0;
    }
}

void RegulatorSym::ustawStany(quint8 s90, quint8 sA0, qint64 ms)
{
    // The energy so far was counted with the old stages.
    m_model.nalicz(ms, kondensatoryKvar());
    const quint16 przed = quint16(m_s90 | ((m_sA0 & 0x80) << 1));
    const quint16 po = quint16(s90 | ((sA0 & 0x80) << 1));
    if (przed & ~po) // a 1 became 0: a stage went on
        m_zalaczonoMs = ms;
    if (~przed & po & 0x1FF)
        m_wylaczonoMs = ms;
    m_s90 = s90;
    m_sA0 = sA0;
}

void RegulatorSym::zapisz(quint8 lokacja, quint8 wartosc, qint64 ms)
{
    if (lokacja >= 0x70 && lokacja <= 0x78) {
        ustawOdliczanie(lokacja - 0x70, wartosc, ms);
        return;
    }
    switch (lokacja) {
    case 0x90:
        ustawStany(wartosc, m_sA0, ms);
        break;
    case 0xA0:
        ustawStany(m_s90, wartosc, ms);
        break;
    case 0xB0: // the lamps follow the stages
        break;
    case 0x2F:
        m_blok = wartosc;
        break;
    case 0x6A:
        m_przel = wartosc;
        break;
    default:
        break;
    }
}

std::optional<QByteArray> RegulatorSym::obsluz(const Ramka &r, qint64 ms)
{
    switch (r.kod) {
    case protokol::kodZapisz:
    case protokol::kodZapiszB:
        zapisz(r.lokacja, r.parametr.value_or(0), ms);
        return std::nullopt;
    case protokol::kodCzytaj:
    case protokol::kodCzytajB:
        return QByteArray(1, char(czytaj(r.lokacja, ms)));
    case protokol::kodDajBlok: {
        m_model.nalicz(ms, kondensatoryKvar());
        // The first value (taken by the station's CZYTAJ and never used)
        // repeats the address; the 32-byte block follows.
        QByteArray b(1, char(m_p.adres));
        b += m_model.blok(ms, kondensatoryKvar(), m_przel1, quint8(m_przel & 0x0F), m_wymuszenia);
        return b;
    }
    default:
        return std::nullopt;
    }
}

void RegulatorSym::tik(qint64 ms, bool regulacja)
{
    m_model.nalicz(ms, kondensatoryKvar());
    if (!regulacja || zablokowany() || ms < m_nastepnaRegulacjaMs)
        return;
    m_nastepnaRegulacjaMs = ms + KROK_REGULACJI_MS;
    reguluj(ms);
}

void RegulatorSym::reguluj(qint64 ms)
{
    const double tg = m_model.chwila(ms, kondensatoryKvar()).tgFi;
    quint8 s90 = m_s90, sA0 = m_sA0;
    if (tg > TG_GORNY) {
        // The smallest discharged stage that is off goes on.
        for (int i = 0; i < 9; ++i) {
            if (zalaczony(i) || pozostaloSekund(i, ms) > 0)
                continue;
            if (i < 8)
                s90 = quint8(s90 & ~(1u << i));
            else
                sA0 = quint8(sA0 & 0x7F);
            ustawStany(s90, sA0, ms);
            return;
        }
    } else if (tg < TG_DOLNY) {
        // Overcompensated: the largest stage that is on goes off and starts
        // discharging.
        for (int i = 8; i >= 0; --i) {
            if (!zalaczony(i))
                continue;
            if (i < 8)
                s90 = quint8(s90 | (1u << i));
            else
                sA0 = quint8(sA0 | 0x80);
            ustawStany(s90, sA0, ms);
            ustawOdliczanie(i, 60, ms);
            return;
        }
    }
}

QString RegulatorSym::opis(qint64 ms) const
{
    const auto h2 = [](quint8 b) { return QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper(); };
    QStringList odl;
    for (int i = 0; i < 9; ++i)
        odl << QString::number(pozostaloSekund(i, ms));
    const auto c = m_model.chwila(ms, kondensatoryKvar());
    return QStringLiteral("%1 90=%2 A0=%3 B0=%4 2F=%5 6A=%6 odliczanie=[%7] P=%8kW Q=%9kvar U=%10V I=%11A "
                          "Ib=%12A tgfi=%13 usterki=%14")
        .arg(h2(quint8(m_p.adres)), h2(m_s90), h2(m_sA0), h2(czytaj(0xB0, ms)), h2(m_blok), h2(m_przel),
             odl.join(QLatin1Char(' ')))
        .arg(c.pKw, 0, 'f', 1)
        .arg(c.qKvar, 0, 'f', 1)
        .arg(c.napiecie, 0, 'f', 1)
        .arg(c.prad, 0, 'f', 1)
        .arg(c.pradBierny, 0, 'f', 1)
        .arg(c.tgFi, 0, 'f', 3)
        .arg(m_usterki.opis());
}

} // namespace sim
