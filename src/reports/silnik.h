#pragma once

#include "baza/tabela.h"
#include "uklad.h"

#include <QDate>
#include <QHash>
#include <QSizeF>

#include <optional>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

namespace raport
{

// A section placed on a page, `y` mm from the top of the printable area;
// `wiersz` is the row of a detail section, -1 for the others.
struct Umieszczenie {
    const Sekcja *sekcja;
    int wiersz;
    double y;
};
using Strona = QVector<Umieszczenie>;

// The report engine: lays a layout's sections out on pages over the rows of
// a result, and draws them on any paged device (a printer, its preview, a
// PDF file). It needs no display and no widgets.
class Silnik final
{
public:
    // podpisy: captions of named fields, set when the report is produced;
    // dataWydruku: what %d prints.
    Silnik(Uklad uklad, Tabela dane, QHash<QString, QString> podpisy, QDate dataWydruku);

    const Uklad &uklad() const { return m_uklad; }
    const Tabela &dane() const { return m_dane; }

    // The pages for a printable area of that size (mm): the report header
    // opens the first page, the page header opens every page, a detail or
    // the report footer that does not fit goes whole to the next page.
    QVector<Strona> rozloz(QSizeF obszarMm) const;
    // Draws every page; returns the number of pages, 0 when the device
    // could not be painted on.
    int drukuj(QPagedPaintDevice &urzadzenie) const;
    // Draws one page with a painter that is active on the page's device.
    void rysujStrone(QPainter &p, const QVector<Strona> &strony, int indeks) const;

    // The text of a field in a row (or of its aggregate) on page `strona`
    // (1-based) of `stron`.
    QString tekst(const Pole &pole, int wiersz, int strona, int stron) const;
    // An aggregate over every row of the report; nothing when no row has a
    // number in that column.
    std::optional<double> agregat(const QString &kolumna, Agregat a) const;

    static QSizeF obszarMm(const QPaintDevice &urzadzenie);

private:
    void rysujSekcje(QPainter &p, const Umieszczenie &u, int strona, int stron) const;

    Uklad m_uklad;
    Tabela m_dane;
    QHash<QString, QString> m_podpisy;
    QDate m_dataWydruku;
    QHash<QString, std::optional<double>> m_agregaty;
};

} // namespace raport
