#pragma once

#include <QByteArray>

#include <optional>
#include <vector>

namespace sim
{

// One request as it arrived (the protocol unit, comm/protokol.h, says how
// frames look: their length follows from the operation code alone).
struct Ramka {
    quint8 adres = 0;
    quint8 lokacja = 0;
    quint8 kod = 0;
    std::optional<quint8> parametr;
    qint64 czasNs = 0; // when its last byte had arrived

    QByteArray bajty() const;
};

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

// "02 01 4F 06"
QByteArray hex(const QByteArray &bajty);

} // namespace sim
