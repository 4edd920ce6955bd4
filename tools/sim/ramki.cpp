#include "ramki.h"

#include "protokol/protokol.h"

namespace sim
{

QByteArray Ramka::bajty() const
{
    return protokol::ramka(adres, lokacja, kod, parametr ? int(*parametr) : protokol::bezParametru);
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
        if (quint8(m_bufor.at(0)) != protokol::bajtStartu) {
            odrzucPierwszy();
            continue;
        }
        if (m_bufor.size() < 4)
            break;
        const quint8 lokacja = quint8(m_bufor.at(2));
        const quint8 kod = quint8(m_bufor.at(3));
        const int dlugosc = protokol::dlugoscRamki(kod);
        if (dlugosc == 0 || !protokol::znanaLokacja(kod, lokacja)) {
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

QByteArray hex(const QByteArray &bajty)
{
    return bajty.toHex(' ').toUpper();
}

} // namespace sim
