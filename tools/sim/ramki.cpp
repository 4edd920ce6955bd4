#include "ramki.h"

namespace sim
{

QByteArray Ramka::bajty() const
{
    QByteArray b;
    b.append(char(0x02)).append(char(adres)).append(char(lokacja)).append(char(kod));
    if (parametr)
        b.append(char(*parametr));
    return b;
}

int dlugoscRamki(quint8 kod)
{
    switch (kod) {
    case 0x01:
    case 0x03:
        return 5;
    case 0x04:
    case 0x05:
    case 0x06:
        return 4;
    default:
        return 0;
    }
}

bool znanaLokacja(quint8 kod, quint8 lokacja)
{
    const bool odliczanie = lokacja >= 0x70 && lokacja <= 0x78;
    switch (kod) {
    case 0x01:
    case 0x03:
        return lokacja == 0x90 || lokacja == 0xA0 || lokacja == 0x2F || lokacja == 0x6A || odliczanie;
    case 0x04:
    case 0x05:
        return lokacja == 0x90 || lokacja == 0xA0 || lokacja == 0xB0 || lokacja == 0x2F || lokacja == 0x6A ||
               odliczanie;
    case 0x06:
        return lokacja == 0x4F;
    default:
        return false;
    }
}

ParserRamek::Wynik ParserRamek::dodaj(const QByteArray &bajty, qint64 czasKoncaNs, qint64 nsNaBajt)
{
    for (qsizetype i = 0; i < bajty.size(); ++i) {
        m_bufor.append(bajty.at(i));
        m_czasy.push_back(czasKoncaNs - (bajty.size() - 1 - i) * nsNaBajt);
    }
    Wynik w;
    auto odrzucPierwszy = [&] {
        w.odrzucone.append(m_bufor.at(0));
        m_bufor.remove(0, 1);
        m_czasy.erase(m_czasy.begin());
    };
    while (!m_bufor.isEmpty()) {
        if (quint8(m_bufor.at(0)) != 0x02) {
            odrzucPierwszy();
            continue;
        }
        if (m_bufor.size() < 4)
            break;
        const quint8 lokacja = quint8(m_bufor.at(2));
        const quint8 kod = quint8(m_bufor.at(3));
        const int dlugosc = dlugoscRamki(kod);
        if (dlugosc == 0 || !znanaLokacja(kod, lokacja)) {
            odrzucPierwszy();
            continue;
        }
        if (m_bufor.size() < dlugosc)
            break;
        Ramka r;
        r.adres = quint8(m_bufor.at(1));
        r.lokacja = lokacja;
        r.kod = kod;
        if (dlugosc == 5)
            r.parametr = quint8(m_bufor.at(4));
        r.czasNs = m_czasy[std::size_t(dlugosc - 1)];
        w.ramki.push_back(r);
        m_bufor.remove(0, dlugosc);
        m_czasy.erase(m_czasy.begin(), m_czasy.begin() + dlugosc);
    }
    return w;
}

QByteArray ParserRamek::porzuc()
{
    QByteArray b = m_bufor;
    m_bufor.clear();
    m_czasy.clear();
    return b;
}

QByteArray naLinie(const QByteArray &wartosci)
{
    QByteArray b;
    b.reserve(wartosci.size() + 4);
    for (const char c : wartosci) {
        b.append(c);
        if (quint8(c) == 0x02)
            b.append(char(0x02));
    }
    return b;
}

QByteArray hex(const QByteArray &bajty)
{
    return bajty.toHex(' ').toUpper();
}

} // namespace sim
