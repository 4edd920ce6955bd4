#pragma once

#include <QColor>
#include <QLineF>
#include <QPageLayout>
#include <QRectF>
#include <QString>
#include <QVector>

// The description of a report layout: five sections of texts, fields and
// lines. The engine (Silnik) lays it out on pages; a new report is a new
// layout, not new engine code. Positions and sizes are in millimetres, from
// the top-left corner of the section; x positions are given for the width
// `szerokosc` and are stretched to the page's printable width.
namespace raport
{

enum class Agregat { Brak, Suma, Min, Maks, Srednia };

struct Pole {
    QString nazwa;  // a name the report can set the caption of (Tytul, Podtytul)
    QRectF miejsce; // mm
    QString tekst;  // a fixed text; may hold the page tokens %d, %p and %P
    // Bound column (letter case ignored); with an aggregate, the aggregate
    // of that column over every row of the report.
    QString kolumna;
    Agregat agregat = Agregat::Brak;
    QString format; // number or date-time pattern (formaty.h)
    Qt::Alignment wyrownanie = Qt::AlignLeft | Qt::AlignVCenter;
    double punkty = 8; // font size
    bool pogrubione = false;
    bool zawijaj = false;
    // Placed right after the text of the field of that name in the same
    // section, on the same line.
    QString zaPolem;
};

inline Pole poleTekstu(const QString &nazwa, const QRectF &miejsce, const QString &tekst)
{
    Pole p;
    p.nazwa = nazwa;
    p.miejsce = miejsce;
    p.tekst = tekst;
    return p;
}

struct Sekcja {
    double wysokosc = 0; // mm
    QVector<QRectF> tla; // bands filled with `tlo`, drawn first
    QColor tlo;
    QVector<QLineF> linie; // thin lines
    QVector<Pole> pola;
};

struct Uklad {
    QPageLayout strona;
    double szerokosc = 0;   // mm
    QString czcionka;       // font family
    Sekcja naglowekRaportu; // once, at the top of the first page
    Sekcja naglowekStrony;  // on every page, under the report header on the first
    Sekcja szczegoly;       // once per row; never split across pages
    Sekcja brakDanych;      // in place of the detail when the report has no rows
    Sekcja stopkaStrony;    // at the bottom of every page
    Sekcja stopkaRaportu;   // once, after the last row; never split
};

} // namespace raport
