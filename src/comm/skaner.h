#pragma once

#include <QCoro/QCoroTask>
#include <QList>
#include <QObject>

#include <cstdint>

class Komunikator;
class Zegar;

// What one address of a scan gave.
struct WynikSkanu {
    int adres = 0;
    bool odpowiada = false;
    int blokada = -1;  // the blocking byte (0x2F), -1 when not read
    int stopnie1 = -1; // stages 1..8 (0x90), a 0 bit = on
    int stopnie2 = -1; // bit 7: stage 9 (0xA0)
    bool zablokowany() const { return blokada >= 0 && (blokada & 0x20) != 0; }
};

// Finds the controllers on a line: one CZYTAJ_BLOK per address with a short
// answer time-out and no repeat, then the two stage bytes of each that
// answered. Only reads go out. The caller pauses the polling and opens the
// line first; the scan runs on the event loop like any exchange.
class SkanerMagistrali final : public QObject
{
    Q_OBJECT
public:
    // A controller answers within tens of milliseconds: 400 ms keeps 1..247
    // under two minutes with room for a loaded machine.
    static constexpr int czasOdpowiedziMs = 400;

    SkanerMagistrali(Komunikator &komunikator, const Zegar &zegar, QObject *parent = nullptr);

    // Addresses od..doAdresu (0..255); a result for every address tried, in
    // order. Ends early after przerwij(), with what was found so far.
    QCoro::Task<QList<WynikSkanu>> skanuj(int od, int doAdresu);
    void przerwij() { m_przerwij = true; }
    bool przerwany() const { return m_przerwij; }

Q_SIGNALS:
    // Before each address: how many are done, and the time left as the
    // addresses tried so far took.
    void postep(int adres, int zrobione, int wszystkie, qint64 pozostaloMs);
    void znaleziony(const WynikSkanu &wynik);

private:
    Komunikator &m_komunikator;
    const Zegar &m_zegar;
    bool m_przerwij = false;
};
