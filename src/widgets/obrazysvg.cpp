#include "obrazysvg.h"

#include <QFile>
#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

#include <cmath>

// The pictures live in a static library: its resources are registered by
// hand before first use (outside any namespace, as the macro needs).
static bool zarejestrujObrazy()
{
    Q_INIT_RESOURCE(obrazy);
    return true;
}

namespace
{

void zaladujZasoby()
{
    static const bool gotowe = zarejestrujObrazy();
    (void)gotowe;
}

QString sciezka(const QString &nazwa)
{
    return QStringLiteral(":/obrazy/") + nazwa + QStringLiteral(".svg");
}

} // namespace

namespace ObrazySvg
{

QPixmap obraz(const QString &nazwa, int rozmiar, qreal skalaEkranu)
{
    zaladujZasoby();
    if (nazwa.isEmpty() || !QFile::exists(sciezka(nazwa)))
        return {};
    QSvgRenderer svg(sciezka(nazwa));
    if (!svg.isValid())
        return {};
    const int piksele = static_cast<int>(std::lround(rozmiar * skalaEkranu));
    QPixmap p(piksele, piksele);
    p.fill(Qt::transparent);
    QPainter g(&p);
    svg.render(&g, QRectF(0, 0, piksele, piksele));
    g.end();
    p.setDevicePixelRatio(skalaEkranu);
    return p;
}

QIcon ikona(const QString &nazwa)
{
    QIcon i;
    for (int rozmiar : {16, 24, 32, 48, 64}) {
        const QPixmap p = obraz(nazwa, rozmiar);
        if (p.isNull())
            return {};
        i.addPixmap(p);
    }
    return i;
}

QPixmap imageList1(const QString &klucz, int rozmiar)
{
    if (klucz == QLatin1String("20") || klucz == QLatin1String("21"))
        return obraz(QStringLiteral("stan") + klucz, rozmiar);
    return obraz(klucz, rozmiar);
}

QPixmap imageList2(int indeks, int rozmiar)
{
    return indeks == 1 ? obraz(QStringLiteral("tryb"), rozmiar) : QPixmap();
}

QPixmap obrazDrzewa(int indeks, int rozmiar)
{
    if (indeks < 1 || indeks > 6)
        return {};
    return obraz(QStringLiteral("drzewo") + QString::number(indeks), rozmiar);
}

QIcon ikonaDrzewa(int indeks)
{
    if (indeks < 1 || indeks > 6)
        return {};
    return ikona(QStringLiteral("drzewo") + QString::number(indeks));
}

QIcon ikonaPrzycisku(const QString &klucz)
{
    return ikona(klucz.isEmpty() ? QStringLiteral("Czarodziej") : klucz);
}

QIcon ikonaAplikacji()
{
    return ikona(QStringLiteral("tolvek"));
}

} // namespace ObrazySvg
