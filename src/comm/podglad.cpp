#include "podglad.h"

#include "platform/datacz.h"
#include "protokol/protokol.h"

#include <QStringList>

void PodgladLinii::naZdarzenie(const ZdarzenieLinii &z)
{
    ++m_zmiany;
    if (z.rodzaj == ZdarzenieLinii::Rodzaj::Odrzucenie) {
        // The block is the last whole answer of that controller's reading.
        int ile = 0;
        for (auto it = m_wpisy.rbegin(); it != m_wpisy.rend() && ile < 64; ++it, ++ile) {
            if (it->nrRegulatora == z.nrRegulatora && it->rodzaj == ZdarzenieLinii::Rodzaj::Odpowiedz &&
                it->wartosci.size() == protokol::dlugoscBloku) {
                it->odrzucony = true;
                return;
            }
        }
        return;
    }
    if (m_wpisy.size() >= pojemnosc)
        m_wpisy.pop_front();
    WpisLinii w;
    w.czasMs = z.czas.ms();
    w.rodzaj = z.rodzaj;
    w.nrRegulatora = z.nrRegulatora;
    w.adres = z.adres;
    w.lokacja = z.lokacja;
    w.proba = z.proba;
    w.rozkaz = z.rozkaz;
    w.wyslano = z.wyslano;
    w.opoznienieMs = z.opoznienieMs;
    w.bajty = z.bajty.toByteArray();
    w.wartosci.reserve(static_cast<qsizetype>(z.wartosci.size()));
    for (int v : z.wartosci)
        w.wartosci.append(static_cast<char>(v & 0xFF));
    m_wpisy.push_back(std::move(w));
    ++m_przyjete;
}

void PodgladLinii::wyczysc()
{
    m_wpisy.clear();
    ++m_zmiany;
}

namespace podglad
{

namespace
{
int wartosc(const WpisLinii &w, int i)
{
    return static_cast<std::uint8_t>(w.wartosci.at(i));
}

// Stages whose output bit is 0 are on.
QString stopnie(int bajt, int pierwszy, int ile)
{
    QStringList zal;
    for (int i = 0; i < ile; ++i)
        if ((bajt & (1 << i)) == 0)
            zal << QString::number(pierwszy + i);
    return zal.isEmpty() ? QStringLiteral("brak") : zal.join(QLatin1Char(','));
}

QString blok(const WpisLinii &w)
{
    DaneRozkazu d;
    for (int i = 0; i < protokol::dlugoscBloku; ++i)
        d.bajty[static_cast<std::size_t>(i)] = wartosc(w, i);
    const protokol::BlokPomiarow b = protokol::dekodujBlok(d);
    return QStringLiteral("licznik %1, pojemn. %2, bierny %3, czas %4 s, U %5, Ib %6, I %7, faza %8, okres %9, "
                          "przeł. %10/%11, wyśw. %12%13%14%15")
        .arg(b.licznikCalkowity)
        .arg(b.licznikPojemnosciowy)
        .arg(b.licznikBierny)
        .arg(b.licznikCzasu)
        .arg(b.napiecie)
        .arg(b.pradBierny)
        .arg(b.pradCalkowity)
        .arg(b.faza)
        .arg(b.okres)
        .arg(b.przelacznik1, 2, 16, QLatin1Char('0'))
        .arg(b.przelacznik2, 2, 16, QLatin1Char('0'))
        .arg(b.wyswietlacz[0], 2, 16, QLatin1Char('0'))
        .arg(b.wyswietlacz[1], 2, 16, QLatin1Char('0'))
        .arg(b.wyswietlacz[2], 2, 16, QLatin1Char('0'))
        .arg(b.wyswietlacz[3], 2, 16, QLatin1Char('0'));
}
} // namespace

QString czas(const WpisLinii &w)
{
    return DataCzas::zMs(w.czasMs).format(QStringLiteral("HH:mm:ss.zzz"));
}

QString kierunek(const WpisLinii &w)
{
    switch (w.rodzaj) {
    case ZdarzenieLinii::Rodzaj::Zapytanie:
        return QStringLiteral("→");
    case ZdarzenieLinii::Rodzaj::Odpowiedz:
        return QStringLiteral("←");
    default:
        return QStringLiteral("✕");
    }
}

QString bajty(const WpisLinii &w)
{
    return QString::fromLatin1(w.bajty.toHex(' ').toUpper());
}

QString wartosci(const WpisLinii &w)
{
    if (w.rodzaj != ZdarzenieLinii::Rodzaj::Odpowiedz || w.wartosci.isEmpty())
        return {};
    if (w.wartosci.size() == protokol::dlugoscBloku)
        return blok(w);
    const int v = wartosc(w, 0);
    const QString hex = QStringLiteral("0x") + QStringLiteral("%1").arg(v, 2, 16, QLatin1Char('0')).toUpper();
    if (qstrcmp(w.rozkaz, "CZYTAJ") == 0)
        return QStringLiteral("pierwsza wartość bloku %1").arg(v);
    switch (w.lokacja) {
    case protokol::lokBlokada:
        return hex + ((v & 0x20) ? QStringLiteral(": zablokowany") : QStringLiteral(": odblokowany"));
    case protokol::lokWyjscia1:
        return hex + QStringLiteral(": załączone stopnie 1-8: ") + stopnie(v, 1, 8);
    case protokol::lokWyjscia2:
        return hex + ((v & 0x80) ? QStringLiteral(": stopień 9 wyłączony") : QStringLiteral(": stopień 9 załączony"));
    case protokol::lokPrzelaczniki:
        return hex + QStringLiteral(": przełączniki");
    default:
        break;
    }
    if (w.lokacja >= protokol::lokRozladowanie && w.lokacja <= protokol::lokRozladowanie + 8)
        return QStringLiteral("rozładowanie stopnia %1: %2 s").arg(w.lokacja - protokol::lokRozladowanie + 1).arg(v);
    return hex;
}

QString uwagi(const WpisLinii &w)
{
    QStringList u;
    if (w.rodzaj == ZdarzenieLinii::Rodzaj::Zapytanie && !w.wyslano)
        u << QStringLiteral("nie wysłano");
    if (w.proba > 1 && w.rodzaj == ZdarzenieLinii::Rodzaj::Zapytanie)
        u << QStringLiteral("powtórzenie %1").arg(w.proba - 1);
    if (w.rodzaj == ZdarzenieLinii::Rodzaj::BrakOdpowiedzi)
        u << QStringLiteral("brak odpowiedzi");
    if (w.odrzucony)
        u << QStringLiteral("odrzucony (niewiarygodny)");
    if (w.rodzaj == ZdarzenieLinii::Rodzaj::Odpowiedz && w.opoznienieMs >= 0)
        u << QStringLiteral("po %1 ms").arg(w.opoznienieMs);
    return u.join(QStringLiteral(", "));
}

QString wiersz(const WpisLinii &w)
{
    const QString data = DataCzas::zMs(w.czasMs).format(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    return QStringList{data,        kierunek(w), QString::number(w.adres), QString::fromLatin1(w.rozkaz), bajty(w),
                       wartosci(w), uwagi(w)}
        .join(QLatin1Char('\t'));
}

} // namespace podglad
