#pragma once

#include <QFile>
#include <QString>

#include <memory>

namespace sim
{

// Writes a line to standard output and flushes it: whoever reads the
// simulator through a pipe sees every line at once.
void wypisz(const QString &linia);

// The frame log: every frame received and every answer sent, one line each,
// stamped with local time to the millisecond:
//   2025-03-01T10:00:00.123 RX 02 01 4F 06
//   2025-03-01T10:00:00.215 TX 01 00 12 ...
//   2025-03-01T10:00:00.300 -- 03 cisza: bez odpowiedzi
// TX is stamped when the answer's last byte has left.
class Dziennik final
{
public:
    Dziennik() = default;
    // Empty path: standard output.
    bool otworz(const QString &sciezka, QString *blad);
    bool wlaczony() const { return m_wlaczony; }

    void odebrano(const QByteArray &ramka);
    void wyslano(const QByteArray &bajty);
    void odrzucono(const QByteArray &bajty);
    void uwaga(const QString &tekst);

private:
    void linia(const QString &rodzaj, const QString &tresc);
    bool m_wlaczony = false;
    std::unique_ptr<QFile> m_plik;
};

} // namespace sim
