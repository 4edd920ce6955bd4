#pragma once

#include "platform/zrodlobazy.h"

#include <QObject>
#include <QTimer>

#include <memory>

class QThread;

// Waits for a lost database server to answer again. Each look is one libpq
// connection made on a thread of its own, so a server that does not answer
// (a network that swallows packets) holds up no window; the looks come 1 s
// after the loss, then 2, 4, 8, 16 and every 30 s.
class PowrotSerwera final : public QObject
{
    Q_OBJECT
public:
    explicit PowrotSerwera(QObject *parent = nullptr);
    ~PowrotSerwera() override;

    // Starts looking (again from the shortest pause when it already was).
    void czekaj(const ZrodloBazy &zrodlo);
    // Stops looking; a look under way is waited for (at most czasSondySek).
    void zatrzymaj();
    bool czeka() const { return m_czeka; }

    static constexpr int pierwszaPrzerwaMs = 1000;
    static constexpr int najdluzszaPrzerwaMs = 30000;
    static constexpr int czasSondySek = 5;

signals:
    // The server took a connection: the caller reopens its own.
    void odpowiada();

private:
    void sonduj();
    void poSondzie(bool ok, const QString &opis);

    QTimer m_timer;
    int m_przerwaMs = pierwszaPrzerwaMs;
    bool m_czeka = false;
    ZrodloBazy m_zrodlo;
    std::unique_ptr<QThread> m_watek;
    QString m_ostatniPowod;
};
