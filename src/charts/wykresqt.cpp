#include "wykresqt.h"

#include <QCategoryAxis>
#include <QChart>
#include <QFontMetricsF>
#include <QLegendMarker>
#include <QLineSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace
{

const QColor kolory[] = {QColor(0, 70, 170), QColor(200, 30, 30)};

QPen piorko(int seria)
{
    QPen p(kolory[seria % 2]);
    p.setWidth(1);
    return p;
}

} // namespace

WykresQt::WykresQt(QChart *chart, QObject *parent)
    : QObject(parent), m_chart(chart), m_osX(new QCategoryAxis), m_osY(new QValueAxis)
{
    m_osX->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    m_osX->setRange(0, 1);
    m_osY->setRange(0, 1);
    m_osY->setLabelFormat(QStringLiteral("%.6g"));
    // Decimal commas on the value axis, as everywhere in the station.
    m_chart->setLocale(QLocale(QLocale::Polish, QLocale::Poland));
    m_chart->setLocalizeNumbers(true);
    m_chart->addAxis(m_osX, Qt::AlignBottom);
    m_chart->addAxis(m_osY, Qt::AlignLeft);
    const QPen siatka(QColor(190, 190, 190), 1, Qt::SolidLine);
    m_osX->setGridLinePen(siatka);
    m_osY->setGridLinePen(siatka);
    connect(m_chart, &QChart::plotAreaChanged, this, [this] { rozmiescEtykiety(); });
}

void WykresQt::ustawSiatke(bool pionowe, bool poziome)
{
    m_osX->setGridLineVisible(pionowe);
    m_osY->setGridLineVisible(poziome);
}

void WykresQt::pokaz(const DaneWykresu &d)
{
    m_chart->removeAllSeries();
    m_etykiety = d.etykiety;
    m_krok = 0;
    const int n = d.liczbaWierszy();
    if (n == 0) {
        rozmiescEtykiety();
        return;
    }
    m_chart->setTitle(d.tytul);
    m_osX->setTitleText(d.tytulX);
    m_osY->setTitleText(d.tytulY);
    m_osX->setRange(-0.5, n - 0.5);

    double najmniej = 0, najwiecej = 0;
    bool saWartosci = false;
    for (int s = 0; s < d.serie.size(); ++s) {
        const SeriaWykresu &seria = d.serie.at(s);
        // One line per run of values; the first carries the legend entry.
        QList<QList<QPointF>> odcinki{{}};
        for (int i = 0; i < n; ++i) {
            const std::optional<double> v = seria.wartosci.value(i);
            if (!v) {
                if (!odcinki.last().isEmpty())
                    odcinki.append(QList<QPointF>());
                continue;
            }
            odcinki.last().append(QPointF(i, *v));
            najmniej = saWartosci ? std::min(najmniej, *v) : *v;
            najwiecej = saWartosci ? std::max(najwiecej, *v) : *v;
            saWartosci = true;
        }
        if (odcinki.size() > 1 && odcinki.last().isEmpty())
            odcinki.removeLast();
        for (qsizetype o = 0; o < odcinki.size(); ++o) {
            auto *linia = new QLineSeries;
            linia->setName(seria.nazwa);
            linia->setPen(piorko(s));
            linia->setPointsVisible(odcinki.at(o).size() == 1);
            linia->replace(odcinki.at(o));
            m_chart->addSeries(linia);
            linia->attachAxis(m_osX);
            linia->attachAxis(m_osY);
            if (o > 0) {
                for (QLegendMarker *m : m_chart->legend()->markers(linia))
                    m->setVisible(false);
            }
        }
    }
    // The value axis always shows 0, a flat chart still has a height, and
    // the divisions fall on round values (1, 2 or 5 times a power of ten).
    najmniej = std::min(najmniej, 0.0);
    najwiecej = std::max(najwiecej, 0.0);
    if (najwiecej - najmniej < 1e-9)
        najwiecej = najmniej + 1;
    const double surowy = (najwiecej - najmniej) / 5;
    const double potega = std::pow(10.0, std::floor(std::log10(surowy)));
    double krok = 10 * potega;
    for (const double m : {1.0, 2.0, 5.0}) {
        if (m * potega >= surowy) {
            krok = m * potega;
            break;
        }
    }
    const double od = std::floor(najmniej / krok) * krok;
    const double doW = std::ceil(najwiecej / krok) * krok;
    m_osY->setRange(od, doW);
    m_osY->setTickCount(static_cast<int>(std::lround((doW - od) / krok)) + 1);
    rozmiescEtykiety();
}

void WykresQt::rozmiescEtykiety()
{
    QVector<int> z;
    qreal najszersza = 1;
    const QFontMetricsF fm(m_osX->labelsFont());
    for (qsizetype i = 0; i < m_etykiety.size(); ++i) {
        if (m_etykiety.at(i).isEmpty())
            continue;
        z.append(static_cast<int>(i));
        najszersza = std::max(najszersza, fm.horizontalAdvance(m_etykiety.at(i)));
    }
    const qreal szerokosc = std::max<qreal>(m_chart->plotArea().width(), 100);
    const int miesciSie = std::max(1, static_cast<int>(szerokosc / (najszersza + fm.averageCharWidth() * 2)));
    const int krok = std::max<int>(1, static_cast<int>(std::ceil(double(z.size()) / miesciSie)));
    if (krok == m_krok && !m_osX->categoriesLabels().isEmpty())
        return;
    m_krok = krok;
    for (const QString &l : m_osX->categoriesLabels())
        m_osX->remove(l);
    for (qsizetype k = 0; k < z.size(); k += krok) {
        const QString &etykieta = m_etykiety.at(z.at(k));
        // The axis keys its labels by text; a repeated time keeps its first place.
        if (!m_osX->categoriesLabels().contains(etykieta))
            m_osX->append(etykieta, z.at(k));
    }
}

QStringList WykresQt::widoczneEtykiety() const
{
    return m_osX->categoriesLabels();
}
