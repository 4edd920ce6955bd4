#pragma once

#include <QByteArray>

#include <optional>
#include <vector>

namespace sim
{

// One request: 02 A L OP [P]. There is no checksum and no terminator, so
// the length follows from the operation code alone.
struct Ramka {
    quint8 adres = 0;
    quint8 lokacja = 0;
    quint8 kod = 0;
    std::optional<quint8> parametr;
    qint64 czasNs = 0; // when its last byte had arrived

    QByteArray bajty() const;
};

// 5 for the writes (0x01, 0x03), 4 for the reads (0x04, 0x05, 0x06), 0 for
// a code that starts no frame.
int dlugoscRamki(quint8 kod);
// Whether a controller has something at that location for that operation.
bool znanaLokacja(quint8 kod, quint8 lokacja);

// Cuts the incoming byte stream into frames. A byte that cannot start a
// frame is set aside as rubbish and the search goes on from the next 0x02,
// so a torn frame costs at most itself.
class ParserRamek final
{
public:
    struct Wynik {
        std::vector<Ramka> ramki;
        QByteArray odrzucone;
    };
    // nsNaBajt dates each byte back from czasKoncaNs, the arrival of the
    // last one.
    Wynik dodaj(const QByteArray &bajty, qint64 czasKoncaNs, qint64 nsNaBajt);
    // Gives up a partial frame after a pause on the line.
    QByteArray porzuc();
    bool niepelna() const { return !m_bufor.isEmpty(); }

private:
    QByteArray m_bufor;
    std::vector<qint64> m_czasy;
};

// Answer values as they go on the wire: a value 2 is sent as 02 02, because
// the station's reader takes a 0x02 and the byte after it as one value.
QByteArray naLinie(const QByteArray &wartosci);

// "02 01 4F 06"
QByteArray hex(const QByteArray &bajty);

} // namespace sim
