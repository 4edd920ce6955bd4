#include "portpamieciowy.h"

#include <QTimer>

PortPamieciowy::PortPamieciowy(QObject *parent) : PortSzeregowy(parent) {}

bool PortPamieciowy::otworz(const QString &urzadzenie)
{
    ++proby;
    if (!m_bladOtwarcia.isEmpty()) {
        m_opis = m_bladOtwarcia;
        return false;
    }
    m_opis.clear();
    m_otwarty = true;
    otwarcia.append(urzadzenie);
    return true;
}

void PortPamieciowy::wyczyscWejscie()
{
    ++wyczyszczenia;
    m_wejscie.clear();
}

bool PortPamieciowy::zapisz(const QByteArray &bajty)
{
    if (!m_otwarty || m_odmowaZapisu)
        return false;
    zapisane.append(bajty);
    Odpowiedz o{{}, 0};
    if (!m_odpowiedzi.empty()) {
        o = m_odpowiedzi.front();
        m_odpowiedzi.pop_front();
    } else if (m_odpowiadacz) {
        o.bajty = m_odpowiadacz(bajty);
    }
    if (!o.bajty.isEmpty())
        dostarczPo(o.opoznienieMs, o.bajty);
    return true;
}

int PortPamieciowy::czytajBajt()
{
    if (m_wejscie.isEmpty())
        return -1;
    const auto b = static_cast<unsigned char>(m_wejscie.front());
    m_wejscie.remove(0, 1);
    return b;
}

void PortPamieciowy::dostarcz(const QByteArray &bajty)
{
    m_wejscie.append(bajty);
    Q_EMIT daneGotowe();
}

void PortPamieciowy::dostarczPo(int ms, const QByteArray &bajty)
{
    QTimer::singleShot(ms, this, [this, bajty] { dostarcz(bajty); });
}

void PortPamieciowy::odpowiedz(const QByteArray &odpowiedz, int opoznienieMs)
{
    m_odpowiedzi.push_back({odpowiedz, opoznienieMs});
}

void PortPamieciowy::wstrzyknijAwarie(const QString &opis)
{
    m_otwarty = false;
    m_opis = opis;
    Q_EMIT awaria(opis);
}
