#pragma once

#include "reports/danewykresu.h"

#include <QObject>

class QCategoryAxis;
class QChart;
class QValueAxis;

// Puts chart data on a Qt chart: equally spaced rows on a category axis
// labelled with the row labels, one line per series broken at its gaps (a
// lone value between two gaps shows as a point), 1-point lines. Labels that
// would overlap on screen are thinned out evenly; the data keeps them all.
class WykresQt final : public QObject
{
    Q_OBJECT
public:
    explicit WykresQt(QChart *chart, QObject *parent = nullptr);

    // Rows, series and labels; titles only when there are rows, so an empty
    // result leaves the titles of the previous chart.
    void pokaz(const DaneWykresu &d);
    // The grid rule: vertical lines at the row axis's divisions, horizontal
    // lines at the value axis's divisions.
    void ustawSiatke(bool pionowe, bool poziome);

    QCategoryAxis *osX() const { return m_osX; }
    QValueAxis *osY() const { return m_osY; }
    // The labels shown now (after thinning).
    QStringList widoczneEtykiety() const;

private:
    void rozmiescEtykiety();

    QChart *m_chart;
    QCategoryAxis *m_osX;
    QValueAxis *m_osY;
    QStringList m_etykiety;
    int m_krok = 0;
};
