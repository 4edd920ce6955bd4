#include "clcomm.h"

#include "budzik.h"
#include "logi.h"
#include "oknoczekania.h"
#include "protokol.h"

#include <stdexcept>

Q_LOGGING_CATEGORY(lcComm, "tolvek.comm")

using namespace std::chrono_literals;

clComm::clComm(const Zegar &zegar, Komunikaty &komunikaty, QObject *parent)
    : QObject(parent), m_zegar(zegar), m_komunikaty(komunikaty)
{
}

clComm::~clComm() = default;

void clComm::ustawPort(std::unique_ptr<PortSzeregowy> port)
{
    if (m_port)
        m_port->disconnect(this);
    m_port = std::move(port);
    m_poAwarii = false;
    if (!m_port)
        return;
    connect(m_port.get(), &PortSzeregowy::awaria, this, [this](const QString &opis) {
        qCWarning(lcComm) << "serial line failed:" << opis;
        m_poAwarii = true;
    });
}

bool clComm::otworz(const QString &urzadzenie, QString *opisBledu)
{
    if (!m_port)
        ustawPort(utworzPortQt());
    if (m_port->otwarty())
        m_port->zamknij();
    if (!m_port->otworz(urzadzenie)) {
        if (opisBledu)
            *opisBledu = m_port->opisBledu();
        return false;
    }
    m_urzadzenie = urzadzenie;
    m_poAwarii = false;
    return true;
}

void clComm::zamknij()
{
    m_urzadzenie.clear();
    m_poAwarii = false;
    if (m_port)
        m_port->zamknij();
}

void clComm::przerwij()
{
    m_przerwany = true;
    Q_EMIT przerwano();
}

void clComm::przywrocPort()
{
    if (!m_port || m_port->otwarty() || m_urzadzenie.isEmpty())
        return;
    const bool pierwszaProba = m_poAwarii;
    if (m_port->otworz(m_urzadzenie)) {
        qCInfo(lcComm) << "serial line reopened:" << m_urzadzenie;
        m_poAwarii = false;
        return;
    }
    // Tried before every write until the device is back; say it once.
    if (pierwszaProba)
        qCWarning(lcComm) << "serial line cannot be reopened yet:" << m_port->opisBledu();
    m_poAwarii = false;
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
    return m_port->zapisz(lan);
}

QCoro::Task<bool> clComm::JestWBuforze()
{
    if (m_przerwany)
        throw PrzerwanieLinii();
    OknoCzekania okno(m_zegar.teraz());
    // The first sleep is zero-long: the event loop runs at least once even
    // when a byte already waits.
    std::chrono::milliseconds sen = 0ms;
    for (;;) {
        const DataCzas wyjscie = m_zegar.teraz();
        Budzik budzik(this, m_zegar, wyjscie, sen);
        budzik.budzPrzy(m_port.get(), &PortSzeregowy::daneGotowe);
        budzik.budzPrzy(this, &clComm::przerwano);
        const DataCzas termin = co_await budzik.sen();
        if (m_przerwany)
            throw PrzerwanieLinii();
        const DataCzas teraz = m_zegar.teraz();
        okno.poPrzebudzeniu(wyjscie, termin, teraz);
        if (m_port && m_port->ileCzeka() > 0)
            co_return true;
        if (okno.minelo(teraz))
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
        if (const std::optional<int> wartosc = para.przyjmij(static_cast<std::uint8_t>(m_port->czytajBajt())))
            co_return *wartosc;
    }
}

QCoro::Task<bool> clComm::CzytajDaneN(int &dane)
{
    const int wartosc = co_await CzytajBajt();
    if (wartosc < 0)
        co_return false;
    dane = wartosc;
    co_return true;
}

QCoro::Task<bool> clComm::CzytajDane32(DaneRozkazu &dane)
{
    for (int &element : dane.bajty) {
        const int wartosc = co_await CzytajBajt();
        if (wartosc < 0)
            co_return false; // the elements already read stay
        element = wartosc;
    }
    co_return true;
}
