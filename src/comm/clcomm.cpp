#include "clcomm.h"

#include "budzik.h"
#include "logi.h"
#include "oknoczekania.h"
#include "protokol/protokol.h"

#include <algorithm>
#include <stdexcept>

Q_LOGGING_CATEGORY(lcComm, "tolvek.comm")

using namespace std::chrono_literals;

clComm::clComm(const Zegar &zegar, Komunikaty &komunikaty, QObject *parent)
    : QObject(parent), m_zegar(zegar), m_komunikaty(komunikaty), m_statystyka(zegar.msMonotoniczne())
{
}

clComm::~clComm() = default;

void clComm::ustawPort(std::unique_ptr<PortSzeregowy> port)
{
    if (m_port)
        m_port->disconnect(this);
    m_port = std::move(port);
    m_liniaUtracona = false;
    if (!m_port)
        return;
    connect(m_port.get(), &PortSzeregowy::awaria, this, &clComm::poAwarii);
}

bool clComm::otworz(const QString &urzadzenie, QString *opisBledu)
{
    if (!m_port)
        ustawPort(utworzPortQt());
    if (m_port->otwarty())
        m_port->zamknij();
    if (!m_port->otworz(urzadzenie)) {
        if (opisBledu)
            *opisBledu = urzadzenie + QStringLiteral(": ") + m_port->opisBledu();
        return false;
    }
    m_urzadzenie = urzadzenie;
    m_liniaUtracona = false;
    return true;
}

void clComm::zamknij()
{
    m_urzadzenie.clear();
    m_liniaUtracona = false;
    if (m_port)
        m_port->zamknij();
}

void clComm::przerwij()
{
    m_przerwany = true;
    Q_EMIT przerwano();
}

void clComm::poAwarii(const QString &opis)
{
    if (m_liniaUtracona || m_urzadzenie.isEmpty())
        return;
    // Said once; the attempts that follow are silent until one succeeds.
    qCWarning(lcComm).noquote() << "serial line lost:" << m_urzadzenie + QStringLiteral(": ") + opis
                                << "- reopening it every" << pierwszyOdstepMs / 1000 << "s to"
                                << najdluzszyOdstepMs / 1000 << "s";
    m_liniaUtracona = true;
    m_nieudaneProby = 0;
    m_odstepMs = pierwszyOdstepMs;
    m_nastepnaProbaMs = m_zegar.msMonotoniczne() + m_odstepMs;
}

bool clComm::liniaGotowa() const
{
    if (!m_port || m_przerwany)
        return false;
    if (m_port->otwarty())
        return true;
    return !m_urzadzenie.isEmpty() && (!m_liniaUtracona || m_zegar.msMonotoniczne() >= m_nastepnaProbaMs);
}

void clComm::przywrocPort()
{
    if (!m_port || m_port->otwarty() || m_urzadzenie.isEmpty())
        return;
    if (!m_liniaUtracona) {
        // Closed without a reported failure (a write that failed quietly):
        // the same back-off from now on.
        poAwarii(QStringLiteral("the port closed"));
    }
    const std::int64_t teraz = m_zegar.msMonotoniczne();
    if (teraz < m_nastepnaProbaMs)
        return;
    if (m_port->otworz(m_urzadzenie)) {
        qCInfo(lcComm).noquote() << "serial line back:" << m_urzadzenie << "reopened after" << m_nieudaneProby
                                 << "failed attempts";
        m_liniaUtracona = false;
        return;
    }
    ++m_nieudaneProby;
    m_odstepMs = std::min(m_odstepMs * 2, najdluzszyOdstepMs);
    m_nastepnaProbaMs = teraz + m_odstepMs;
}

bool clComm::WyslijStr(const QByteArray &lan)
{
    if (!m_port || m_przerwany)
        return false;
    przywrocPort();
    if (!m_port->otwarty())
        return false;
    // Every exchange starts clean: an answer byte that came late for an
    // earlier request never reaches the next command.
    m_port->wyczyscWejscie();
    const bool wyslano = m_port->zapisz(lan);
    if (wyslano) {
        m_msZapisu = m_zegar.msMonotoniczne();
        if (m_biezaca.nr >= 0)
            m_statystyka.zapytanie(m_biezaca.nr);
    }
    m_biezaca.lokacja = lan.size() > 2 ? static_cast<std::uint8_t>(lan.at(2)) : -1;
    if (m_obserwator) {
        ZdarzenieLinii z;
        z.rodzaj = ZdarzenieLinii::Rodzaj::Zapytanie;
        z.czas = m_zegar.teraz();
        z.nrRegulatora = m_biezaca.nr;
        z.adres = m_biezaca.adres;
        z.rozkaz = m_biezaca.rozkaz;
        z.lokacja = m_biezaca.lokacja;
        z.proba = m_biezaca.proba;
        z.wyslano = wyslano;
        z.bajty = lan;
        m_obserwator->naZdarzenie(z);
    }
    return wyslano;
}

void clComm::poczatekOdpowiedzi()
{
    m_ileSurowych = 0;
    m_opoznienieMs = -1;
}

void clComm::koniecOdpowiedzi(bool jest, std::span<const int> wartosci)
{
    const int nr = m_biezaca.nr;
    if (nr >= 0) {
        if (jest)
            m_statystyka.odpowiedz(nr, m_opoznienieMs, m_zegar.teraz());
        else if (m_port && m_port->otwarty())
            m_statystyka.brakOdpowiedzi(nr); // a closed line is no controller's silence
    }
    if (!m_obserwator)
        return;
    ZdarzenieLinii z;
    z.rodzaj = jest ? ZdarzenieLinii::Rodzaj::Odpowiedz : ZdarzenieLinii::Rodzaj::BrakOdpowiedzi;
    z.czas = m_zegar.teraz();
    z.nrRegulatora = nr;
    z.adres = m_biezaca.adres;
    z.rozkaz = m_biezaca.rozkaz;
    z.lokacja = m_biezaca.lokacja;
    z.proba = m_biezaca.proba;
    z.opoznienieMs = m_opoznienieMs;
    z.bajty = QByteArrayView(m_surowe.data(), m_ileSurowych);
    if (jest)
        z.wartosci = wartosci;
    m_obserwator->naZdarzenie(z);
}

void clComm::zglosOdrzucenie(int nrRegulatora)
{
    m_statystyka.blokOdrzucony(nrRegulatora);
    m_statystyka.odczytNieudany(nrRegulatora);
    if (!m_obserwator)
        return;
    ZdarzenieLinii z;
    z.rodzaj = ZdarzenieLinii::Rodzaj::Odrzucenie;
    z.czas = m_zegar.teraz();
    z.nrRegulatora = nrRegulatora;
    m_obserwator->naZdarzenie(z);
}

QCoro::Task<bool> clComm::JestWBuforze()
{
    if (m_przerwany)
        throw PrzerwanieLinii();
    // No byte can come through a closed port: a line that failed does not
    // cost every read the whole answer time-out.
    if (!m_port || !m_port->otwarty())
        co_return false;
    OknoCzekania okno(m_zegar.teraz(), m_czasOdpowiedziMs);
    // The first sleep is zero-long: the event loop runs at least once even
    // when a byte already waits.
    std::chrono::milliseconds sen = 0ms;
    for (;;) {
        const DataCzas wyjscie = m_zegar.teraz();
        Budzik budzik(this, m_zegar, wyjscie, sen);
        budzik.budzPrzy(m_port.get(), &PortSzeregowy::daneGotowe);
        budzik.budzPrzy(m_port.get(), &PortSzeregowy::awaria);
        budzik.budzPrzy(this, &clComm::przerwano);
        const DataCzas termin = co_await budzik.sen();
        if (m_przerwany)
            throw PrzerwanieLinii();
        const DataCzas teraz = m_zegar.teraz();
        okno.poPrzebudzeniu(wyjscie, termin, teraz);
        if (m_port && m_port->ileCzeka() > 0)
            co_return true;
        if (!m_port || !m_port->otwarty() || okno.minelo(teraz))
            co_return false;
        sen = std::chrono::milliseconds(okno.nastepnySen(teraz));
    }
}

QCoro::Task<int> clComm::CzytajBajt()
{
    // A 0x02 whose partner never comes is a missing answer too.
    protokol::CzytnikPar para;
    for (;;) {
        if (!co_await JestWBuforze())
            co_return -1;
        const int bajt = m_port->czytajBajt();
        if (m_ileSurowych < static_cast<int>(m_surowe.size()))
            m_surowe[static_cast<std::size_t>(m_ileSurowych++)] = static_cast<char>(bajt);
        if (const std::optional<int> wartosc = para.przyjmij(static_cast<std::uint8_t>(bajt))) {
            // The answer's delay: from its request frame to its first value.
            if (m_msZapisu >= 0) {
                m_opoznienieMs = m_zegar.msMonotoniczne() - m_msZapisu;
                m_msZapisu = -1;
            }
            co_return *wartosc;
        }
    }
}

QCoro::Task<bool> clComm::CzytajDaneN(int &dane)
{
    poczatekOdpowiedzi();
    const int wartosc = co_await CzytajBajt();
    if (wartosc < 0) {
        koniecOdpowiedzi(false, {});
        co_return false;
    }
    dane = wartosc;
    koniecOdpowiedzi(true, std::span<const int>(&dane, 1));
    co_return true;
}

QCoro::Task<bool> clComm::CzytajDane32(DaneRozkazu &dane)
{
    poczatekOdpowiedzi();
    for (int &element : dane.bajty) {
        const int wartosc = co_await CzytajBajt();
        if (wartosc < 0) {
            koniecOdpowiedzi(false, {});
            co_return false; // the elements already read stay
        }
        element = wartosc;
    }
    koniecOdpowiedzi(true, dane.bajty);
    co_return true;
}
