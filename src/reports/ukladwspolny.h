#pragma once

#include "uklad.h"

#include <QStringList>

// The parts both report layouts share: the A4 page, the report header, the
// page header of column captions, the page footer, the detail and footer
// cells, and the grey bands of the footers.
namespace raport
{

// A column of the table: its left edge and width, in mm.
struct Kolumna {
    double x, szerokosc;
};

Uklad ukladA4(const QString &naglowekTytulu, const QString &brakDanych);

// Column captions, wrapped and centred, between thin lines.
Sekcja naglowekKolumn(const QVector<Kolumna> &kolumny, const QStringList &podpisy);
// Thin lines between the columns over the height of a section.
void liniePionowe(Sekcja &s, const QVector<Kolumna> &kolumny);
// A caption, or a bound value or aggregate, in one cell of line `linia`.
Pole komorka(const Kolumna &k, int linia, const QString &kolumna, const QString &format,
             Agregat agregat = Agregat::Brak);
Pole podpis(const Kolumna &k, int linia, const QString &tekst);

// The report footer: the four captioned lines "suma", "min.", "maks.",
// "średnia", each on a grey band across the page; `zawartosc` adds the cells.
Sekcja stopka(const Kolumna &kolumnaPodpisu, double szerokosc);

constexpr double wysokoscLinii = 4.5; // mm
constexpr double odstepPasow = 0.6;   // between the grey bands of a footer
// The top of line `linia` (0-based) of a report footer.
double linieStopki(int linia);

} // namespace raport
