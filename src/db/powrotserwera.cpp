#include "powrotserwera.h"

#include "platform/polaczenie.h"

#include <QLoggingCategory>
#include <QThread>

#include <algorithm>

Q_LOGGING_CATEGORY(lcPowrot, "tolvek.zapis")

PowrotSerwera::PowrotSerwera(QObject *parent) : QObject(parent)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &PowrotSerwera::sonduj);
}

PowrotSerwera::~PowrotSerwera()
{
    zatrzymaj();
}

void PowrotSerwera::czekaj(const ZrodloBazy &zrodlo)
{
    m_zrodlo = zrodlo;
    m_czeka = true;
    m_przerwaMs = pierwszaPrzerwaMs;
    m_ostatniPowod.clear();
    if (!m_watek)
        m_timer.start(m_przerwaMs);
}

void PowrotSerwera::zatrzymaj()
{
    m_czeka = false;
    m_timer.stop();
    if (m_watek) {
        m_watek->wait();
        m_watek.reset();
    }
}

void PowrotSerwera::sonduj()
{
    if (!m_czeka || m_watek)
        return;
    auto wynik = std::make_shared<std::pair<bool, QString>>(false, QString());
    const ZrodloBazy zrodlo = m_zrodlo;
    m_watek.reset(QThread::create(
        [zrodlo, wynik] { wynik->first = Polaczenie::serwerOdpowiada(zrodlo, czasSondySek, &wynik->second); }));
    QThread *watek = m_watek.get();
    connect(watek, &QThread::finished, this, [this, watek, wynik] {
        // A look that zatrzymaj already waited for is over and forgotten.
        if (m_watek.get() != watek)
            return;
        m_watek->wait();
        m_watek.reset();
        poSondzie(wynik->first, wynik->second);
    });
    m_watek->start();
}

void PowrotSerwera::poSondzie(bool ok, const QString &opis)
{
    if (!m_czeka)
        return;
    if (ok) {
        m_czeka = false;
        emit odpowiada();
        return;
    }
    if (opis != m_ostatniPowod)
        qCInfo(lcPowrot).noquote() << "the database server" << m_zrodlo.opis() << "does not answer yet:" << opis;
    m_ostatniPowod = opis;
    m_przerwaMs = std::min(m_przerwaMs * 2, najdluzszaPrzerwaMs);
    m_timer.start(m_przerwaMs);
}
