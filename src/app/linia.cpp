#include "linia.h"

#include "baza/bladbazy.h"
#include "comm/clcomm.h"
#include "db/clsbd.h"
#include "harmonogram.h"
#include "platform/komunikaty.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcLinia, "tolvek.linia")

LiniaStacji::LiniaStacji(Harmonogram &harmonogram, clComm &comm, clsBD &bd, Komunikaty &komunikaty,
                         std::function<bool(QString *)> otworzPort, QObject *parent)
    : QObject(parent), m_harmonogram(harmonogram), m_comm(comm), m_bd(bd), m_komunikaty(komunikaty),
      m_otworzPort(std::move(otworzPort))
{
}

void LiniaStacji::zapiszLog(const QString &operacja)
{
    try {
        m_bd.ZapiszDoLoga(operacja, QStringLiteral("N"), QStringLiteral("L"));
    } catch (const BladBazy &e) {
        qCWarning(lcLinia) << "log write failed:" << e.numer() << e.opis();
        m_komunikaty.pokaz(clsBD::bladDziennika(e.numer(), e.opis()), QStringLiteral("Tolvek"), Ikona::Krytyczna);
    }
}

QCoro::Task<void> LiniaStacji::wstrzymaj()
{
    if (m_wstrzymana)
        co_return;
    m_wstrzymana = true;
    m_harmonogram.wstrzymajKomunikacje();
    Q_EMIT stanZmieniony(true);
    // A reading in flight ends whole: no half-read controller, no alarm.
    co_await m_harmonogram.koniecTaktu();
    if (!m_wstrzymana)
        co_return; // resumed meanwhile
    m_comm.zamknij();
    qCInfo(lcLinia) << "communication paused, the port is closed";
    zapiszLog(QStringLiteral("Wstrzymano komunikację"));
}

QCoro::Task<bool> LiniaStacji::wznow(QString *opisBledu)
{
    if (!m_wstrzymana)
        co_return true;
    // A pause asked for just before may still wait for its tick.
    co_await m_harmonogram.koniecTaktu();
    if (!m_otworzPort(opisBledu)) {
        Q_EMIT stanZmieniony(true);
        co_return false;
    }
    m_wstrzymana = false;
    m_harmonogram.wznowKomunikacje();
    qCInfo(lcLinia) << "communication resumed on" << m_comm.urzadzenie();
    zapiszLog(QStringLiteral("Wznowiono komunikację"));
    Q_EMIT stanZmieniony(false);
    co_return true;
}

QCoro::Task<bool> LiniaStacji::rozpocznijSkan(const QString &urzadzenie, QString *opisBledu)
{
    if (m_skan)
        co_return false;
    m_skan = true;
    m_skanWstrzymal = !m_wstrzymana;
    if (m_skanWstrzymal)
        co_await wstrzymaj();
    else
        co_await m_harmonogram.koniecTaktu();
    if (!m_comm.otworz(urzadzenie, opisBledu)) {
        co_await zakonczSkan(nullptr);
        co_return false;
    }
    co_return true;
}

QCoro::Task<bool> LiniaStacji::zakonczSkan(QString *opisBledu)
{
    if (!m_skan)
        co_return true;
    m_comm.zamknij();
    m_skan = false;
    if (!m_skanWstrzymal)
        co_return true;
    m_skanWstrzymal = false;
    QString opis;
    const bool ok = co_await wznow(&opis);
    if (!ok && opisBledu)
        *opisBledu = opis;
    co_return ok;
}
