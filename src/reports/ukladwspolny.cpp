#include "ukladwspolny.h"

#include <QMarginsF>
#include <QPageSize>

namespace raport
{

namespace
{
constexpr double szerokoscA4 = 190; // 210 mm less two 10 mm margins
constexpr double margines = 1;      // between a cell's text and its lines
} // namespace

double linieStopki(int linia)
{
    return odstepPasow + linia * (wysokoscLinii + odstepPasow);
}

Uklad ukladA4(const QString &naglowekTytulu, const QString &brakDanych)
{
    Uklad u;
    u.strona = QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                           QPageLayout::Millimeter);
    u.szerokosc = szerokoscA4;
    u.czcionka = QStringLiteral("DejaVu Sans");

    Sekcja &n = u.naglowekRaportu;
    n.wysokosc = 24;
    n.pola = {
        poleTekstu(QStringLiteral("Label2"), QRectF(0, 0, 40, 5), QStringLiteral("Wydruk z dnia ")),
        poleTekstu(QStringLiteral("Label3"), QRectF(0, 0, 40, 5), QStringLiteral("%d")),
        poleTekstu(QStringLiteral("Label1"), QRectF(0, 7, szerokoscA4, 8), naglowekTytulu),
        poleTekstu(QStringLiteral("Tytul"), QRectF(0, 7, 150, 8), QString()),
        poleTekstu(QStringLiteral("Podtytul"), QRectF(0, 15, szerokoscA4, 6), QString()),
    };
    n.pola[1].zaPolem = n.pola[0].nazwa;
    for (int i : {2, 3}) {
        n.pola[i].punkty = 14;
        n.pola[i].pogrubione = true;
    }
    n.pola[3].zaPolem = n.pola[2].nazwa;
    n.pola[4].punkty = 11;

    u.brakDanych.wysokosc = 12;
    Pole brak = poleTekstu({}, QRectF(0, 2, szerokoscA4, 8), brakDanych);
    brak.wyrownanie = Qt::AlignCenter;
    brak.punkty = 10;
    u.brakDanych.pola = {brak};

    Sekcja &s = u.stopkaStrony;
    s.wysokosc = 8;
    s.linie = {QLineF(0, 1, szerokoscA4, 1)};
    Pole lewa = poleTekstu({}, QRectF(0, 2, 60, 5), QStringLiteral("Tolvek"));
    Pole prawa = poleTekstu({}, QRectF(szerokoscA4 - 60, 2, 60, 5), QStringLiteral("strona %p/%P"));
    prawa.wyrownanie = Qt::AlignRight | Qt::AlignVCenter;
    s.pola = {lewa, prawa};
    return u;
}

Sekcja naglowekKolumn(const QVector<Kolumna> &kolumny, const QStringList &podpisy)
{
    Sekcja s;
    s.wysokosc = 12;
    const double prawa = kolumny.last().x + kolumny.last().szerokosc;
    s.linie = {QLineF(0, 0, prawa, 0), QLineF(0, s.wysokosc, prawa, s.wysokosc)};
    liniePionowe(s, kolumny);
    for (qsizetype i = 0; i < kolumny.size() && i < podpisy.size(); ++i) {
        const Kolumna &k = kolumny.at(i);
        Pole p = poleTekstu({}, QRectF(k.x + margines, 0.5, k.szerokosc - 2 * margines, s.wysokosc - 1), podpisy.at(i));
        p.wyrownanie = Qt::AlignCenter;
        p.pogrubione = true;
        p.zawijaj = true;
        s.pola.append(p);
    }
    return s;
}

void liniePionowe(Sekcja &s, const QVector<Kolumna> &kolumny)
{
    for (const Kolumna &k : kolumny)
        s.linie.append(QLineF(k.x, 0, k.x, s.wysokosc));
    const Kolumna &ostatnia = kolumny.last();
    s.linie.append(QLineF(ostatnia.x + ostatnia.szerokosc, 0, ostatnia.x + ostatnia.szerokosc, s.wysokosc));
}

Pole komorka(const Kolumna &k, int linia, const QString &kolumna, const QString &format, Agregat agregat)
{
    Pole p =
        poleTekstu({}, QRectF(k.x + margines, linia * wysokoscLinii, k.szerokosc - 2 * margines, wysokoscLinii), {});
    p.kolumna = kolumna;
    p.format = format;
    p.agregat = agregat;
    p.wyrownanie = Qt::AlignRight | Qt::AlignVCenter;
    return p;
}

Pole podpis(const Kolumna &k, int linia, const QString &tekst)
{
    return poleTekstu({}, QRectF(k.x + margines, linia * wysokoscLinii, k.szerokosc - 2 * margines, wysokoscLinii),
                      tekst);
}

Sekcja stopka(const Kolumna &kolumnaPodpisu, double szerokosc)
{
    Sekcja s;
    s.wysokosc = linieStopki(4);
    s.tlo = QColor(224, 224, 224);
    s.linie = {QLineF(0, 0, szerokosc, 0)};
    const QStringList podpisy = {QStringLiteral("suma"), QStringLiteral("min."), QStringLiteral("maks."),
                                 QStringLiteral("średnia")};
    for (int i = 0; i < 4; ++i) {
        s.tla.append(QRectF(0, linieStopki(i), szerokosc, wysokoscLinii));
        Pole p = podpis(kolumnaPodpisu, 0, podpisy.at(i));
        p.miejsce.moveTop(linieStopki(i));
        p.pogrubione = true;
        s.pola.append(p);
    }
    return s;
}

} // namespace raport
