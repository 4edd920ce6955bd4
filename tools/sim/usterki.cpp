#include "usterki.h"

#include "protokol/protokol.h"
#include "ramki.h"

#include <QStringList>

namespace sim
{

bool Usterki::wezOdpowiedz()
{
    if (gluchy())
        return false;
    if (pierwsze)
        --*pierwsze;
    return true;
}

QByteArray Usterki::naLinie(const QByteArray &wartosci, QRandomGenerator &los) const
{
    if (smieci) {
        // Noise of about the expected length, sent raw: stray 0x02 bytes in
        // it may well tear the station's pair rule.
        QByteArray b(wartosci.size() + los.bounded(0, 3), Qt::Uninitialized);
        for (char &c : b)
            c = char(los.bounded(256));
        return b;
    }
    QByteArray w = wartosci;
    if (gubi && !w.isEmpty())
        w.remove(w.size() / 2, 1);
    return protokol::naLinie(w);
}

QString Usterki::opis() const
{
    QStringList s;
    if (cisza)
        s << QStringLiteral("cisza");
    if (pierwsze)
        s << QStringLiteral("pierwsze(zostało %1)").arg(*pierwsze);
    if (poznoMs)
        s << QStringLiteral("pozno %1 ms").arg(*poznoMs);
    if (gubi)
        s << QStringLiteral("gubi");
    if (smieci)
        s << QStringLiteral("smieci");
    for (const quint8 l : pomijane)
        s << QStringLiteral("pomija %1").arg(l, 2, 16, QLatin1Char('0')).toUpper();
    return s.isEmpty() ? QStringLiteral("brak") : s.join(QLatin1Char(','));
}

} // namespace sim
