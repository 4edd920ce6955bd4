#pragma once

#include "platform/port.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <deque>
#include <functional>

// An in-memory serial port for tests: the test feeds received bytes,
// scripts the answer to each write and inspects the written frames.
// Scripted answers arrive through the event loop, as on a real line.
class PortPamieciowy final : public PortSzeregowy
{
    Q_OBJECT
public:
    explicit PortPamieciowy(QObject *parent = nullptr);

    bool otworz(const QString &urzadzenie) override;
    QString opisBledu() const override { return m_opis; }
    void zamknij() override { m_otwarty = false; }
    bool otwarty() const override { return m_otwarty; }
    qint64 ileCzeka() const override
    {
        ++pytaniaOCzekajace;
        return m_wejscie.size();
    }
    void wyczyscWejscie() override;
    bool zapisz(const QByteArray &bajty) override;
    int czytajBajt() override;

    // Bytes arrive now (daneGotowe is emitted at once).
    void dostarcz(const QByteArray &bajty);
    // Bytes arrive after ms milliseconds, through the event loop.
    void dostarczPo(int ms, const QByteArray &bajty);
    // The answer to the next write not yet answered, in order; an empty
    // answer means that write gets none.
    void odpowiedz(const QByteArray &odpowiedz, int opoznienieMs = 0);
    // Answers every write for which no scripted answer is left.
    void ustawOdpowiadacz(std::function<QByteArray(const QByteArray &ramka)> f) { m_odpowiadacz = std::move(f); }
    // The next opens fail with this text (empty: they succeed again).
    void ustawBladOtwarcia(const QString &opis) { m_bladOtwarcia = opis; }
    // The line refuses writes.
    void ustawOdmoweZapisu(bool odmowa) { m_odmowaZapisu = odmowa; }
    // The device fails: the port closes itself and reports it.
    void wstrzyknijAwarie(const QString &opis);

    QByteArray wejscie() const { return m_wejscie; }
    // Every frame written, in order.
    QList<QByteArray> zapisane;
    // Every device opened successfully, in order; every attempt, failed ones
    // included; every look at the count of waiting bytes.
    QStringList otwarcia;
    int proby = 0;
    mutable int pytaniaOCzekajace = 0;
    int wyczyszczenia = 0;

private:
    struct Odpowiedz {
        QByteArray bajty;
        int opoznienieMs;
    };
    bool m_otwarty = false;
    QString m_opis;
    QString m_bladOtwarcia;
    bool m_odmowaZapisu = false;
    QByteArray m_wejscie;
    std::deque<Odpowiedz> m_odpowiedzi;
    std::function<QByteArray(const QByteArray &)> m_odpowiadacz;
};
