#include "magistrala.h"

#include "dziennik.h"
#include "lacze.h"

#include <QDateTime>
#include <QTimer>

namespace sim
{

namespace
{
// A partial frame older than this is given up: the station writes a whole
// frame at once, so a pause this long means the rest is never coming.
constexpr int PRZERWA_MS = 50;
} // namespace

Magistrala::Magistrala(Lacze &lacze, Dziennik &dziennik, int opoznienieMs, bool regulacja, QObject *parent)
    : QObject(parent), m_lacze(lacze), m_dziennik(dziennik), m_opoznienieNs(qint64(opoznienieMs) * 1'000'000),
      m_regulacja(regulacja), m_los(0x70174E6u)
{
    connect(&m_lacze, &Lacze::odebrano, this, &Magistrala::odebrano);
    connect(&m_lacze, &Lacze::wyslano, this, [this](const QByteArray &b) { m_dziennik.wyslano(b); });
    m_przerwa = new QTimer(this);
    m_przerwa->setSingleShot(true);
    m_przerwa->setInterval(PRZERWA_MS);
    connect(m_przerwa, &QTimer::timeout, this, &Magistrala::przerwa);
    m_tik = new QTimer(this);
    m_tik->setInterval(1000);
    connect(m_tik, &QTimer::timeout, this, &Magistrala::tik);
    m_tik->start();
}

Magistrala::~Magistrala() = default;

qint64 Magistrala::terazMs()
{
    return QDateTime::currentMSecsSinceEpoch();
}

void Magistrala::dodaj(std::unique_ptr<RegulatorSym> regulator)
{
    const int a = regulator->adres();
    m_regulatory[a] = std::move(regulator);
}

RegulatorSym *Magistrala::regulator(int adres) const
{
    const auto it = m_regulatory.find(adres);
    return it == m_regulatory.end() ? nullptr : it->second.get();
}

std::vector<RegulatorSym *> Magistrala::regulatory() const
{
    std::vector<RegulatorSym *> v;
    for (const auto &[a, r] : m_regulatory)
        v.push_back(r.get());
    return v;
}

void Magistrala::odlacz()
{
    m_odlaczona = true;
    m_lacze.porzucNadawanie();
    m_parser.porzuc();
    m_dziennik.uwaga(QStringLiteral("magistrala odłączona"));
}

void Magistrala::podlacz()
{
    m_odlaczona = false;
    m_dziennik.uwaga(QStringLiteral("magistrala podłączona"));
}

void Magistrala::odebrano(const QByteArray &bajty, qint64 czasKoncaNs)
{
    if (m_odlaczona) {
        m_dziennik.uwaga(QStringLiteral("magistrala odłączona, nie słychać: %1").arg(QString::fromLatin1(hex(bajty))));
        return;
    }
    const ParserRamek::Wynik w = m_parser.dodaj(bajty, czasKoncaNs, m_lacze.nsNaBajt());
    if (!w.odrzucone.isEmpty())
        m_dziennik.odrzucono(w.odrzucone);
    for (const Ramka &r : w.ramki)
        obsluz(r);
    if (m_parser.niepelna())
        m_przerwa->start();
    else
        m_przerwa->stop();
}

void Magistrala::przerwa()
{
    const QByteArray b = m_parser.porzuc();
    if (!b.isEmpty())
        m_dziennik.odrzucono(b);
}

void Magistrala::obsluz(const Ramka &r)
{
    m_dziennik.odebrano(r.bajty());
    RegulatorSym *reg = regulator(r.adres);
    if (!reg)
        return;
    Usterki &u = reg->usterki();
    const QString a = QStringLiteral("%1").arg(r.adres, 2, 16, QLatin1Char('0')).toUpper();
    if (u.gluchy()) {
        m_dziennik.uwaga(QStringLiteral("%1 milczy").arg(a));
        return;
    }
    const std::optional<QByteArray> odp = reg->obsluz(r, terazMs());
    if (!odp)
        return;
    if (u.pomijane.count(r.lokacja)) {
        m_dziennik.uwaga(QStringLiteral("%1 milczy na %2").arg(a).arg(r.lokacja, 2, 16, QLatin1Char('0')).toUpper());
        return;
    }
    if (!u.wezOdpowiedz()) {
        m_dziennik.uwaga(QStringLiteral("%1 milczy").arg(a));
        return;
    }
    const QByteArray linia = u.naLinie(*odp, m_los);
    if (linia.isEmpty()) {
        m_dziennik.uwaga(QStringLiteral("%1 zgubił odpowiedź").arg(a));
        return;
    }
    const qint64 opoznienie = u.poznoMs ? qint64(*u.poznoMs) * 1'000'000 : m_opoznienieNs;
    m_lacze.wyslij(linia, r.czasNs + opoznienie);
}

void Magistrala::tik()
{
    const qint64 ms = terazMs();
    for (const auto &[a, r] : m_regulatory)
        r->tik(ms, m_regulacja);
}

} // namespace sim
