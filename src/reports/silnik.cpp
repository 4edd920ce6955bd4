#include "silnik.h"

#include "formaty.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace raport
{

namespace
{

constexpr double mmNaCal = 25.4;

QString kluczAgregatu(const QString &kolumna, Agregat a)
{
    return kolumna.toLower() + QLatin1Char('/') + QString::number(static_cast<int>(a));
}

} // namespace

Silnik::Silnik(Uklad uklad, Tabela dane, QHash<QString, QString> podpisy, QDate dataWydruku)
    : m_uklad(std::move(uklad)), m_dane(std::move(dane)), m_podpisy(std::move(podpisy)), m_dataWydruku(dataWydruku)
{
    // Every aggregate a section asks for, computed once over all rows.
    for (const Sekcja *s : {&m_uklad.naglowekRaportu, &m_uklad.naglowekStrony, &m_uklad.szczegoly, &m_uklad.brakDanych,
                            &m_uklad.stopkaStrony, &m_uklad.stopkaRaportu}) {
        for (const Pole &p : s->pola) {
            if (p.agregat == Agregat::Brak)
                continue;
            const int k = m_dane.kolumna(p.kolumna);
            double suma = 0, mn = 0, mx = 0;
            int ile = 0;
            for (int w = 0; w < m_dane.liczbaWierszy(); ++w) {
                double v = 0;
                if (!liczba(m_dane.wartosc(w, k), &v))
                    continue;
                mn = ile == 0 ? v : std::min(mn, v);
                mx = ile == 0 ? v : std::max(mx, v);
                suma += v;
                ++ile;
            }
            std::optional<double> wynik;
            if (ile > 0) {
                switch (p.agregat) {
                case Agregat::Suma:
                    wynik = suma;
                    break;
                case Agregat::Min:
                    wynik = mn;
                    break;
                case Agregat::Maks:
                    wynik = mx;
                    break;
                case Agregat::Srednia:
                    wynik = suma / ile;
                    break;
                case Agregat::Brak:
                    break;
                }
            }
            m_agregaty.insert(kluczAgregatu(p.kolumna, p.agregat), wynik);
        }
    }
}

std::optional<double> Silnik::agregat(const QString &kolumna, Agregat a) const
{
    return m_agregaty.value(kluczAgregatu(kolumna, a));
}

QSizeF Silnik::obszarMm(const QPaintDevice &urzadzenie)
{
    return {urzadzenie.width() * mmNaCal / urzadzenie.logicalDpiX(),
            urzadzenie.height() * mmNaCal / urzadzenie.logicalDpiY()};
}

QVector<Strona> Silnik::rozloz(QSizeF obszarMm) const
{
    const Uklad &u = m_uklad;
    const double dol = obszarMm.height() - u.stopkaStrony.wysokosc;
    QVector<Strona> strony;
    double y = 0;
    double poczatekTresci = 0; // where the first detail of the page starts
    auto nowaStrona = [&](bool pierwsza) {
        strony.append(Strona());
        y = 0;
        if (pierwsza) {
            strony.last().append(Umieszczenie{&u.naglowekRaportu, -1, y});
            y += u.naglowekRaportu.wysokosc;
        }
        strony.last().append(Umieszczenie{&u.naglowekStrony, -1, y});
        y += u.naglowekStrony.wysokosc;
        poczatekTresci = y;
    };
    // A section taller than a whole page is placed anyway rather than
    // pushed from page to page for ever.
    auto umiesc = [&](const Sekcja &s, int wiersz) {
        if (y + s.wysokosc > dol && y > poczatekTresci)
            nowaStrona(false);
        strony.last().append(Umieszczenie{&s, wiersz, y});
        y += s.wysokosc;
    };
    nowaStrona(true);
    if (m_dane.pusta())
        umiesc(u.brakDanych, -1);
    for (int w = 0; w < m_dane.liczbaWierszy(); ++w)
        umiesc(u.szczegoly, w);
    umiesc(u.stopkaRaportu, -1);
    for (Strona &s : strony)
        s.append(Umieszczenie{&u.stopkaStrony, -1, dol});
    return strony;
}

int Silnik::drukuj(QPagedPaintDevice &urzadzenie) const
{
    QPainter p;
    if (!p.begin(&urzadzenie))
        return 0;
    const QVector<Strona> strony = rozloz(obszarMm(urzadzenie));
    for (int i = 0; i < strony.size(); ++i) {
        if (i > 0)
            urzadzenie.newPage();
        rysujStrone(p, strony, i);
    }
    p.end();
    return static_cast<int>(strony.size());
}

void Silnik::rysujStrone(QPainter &p, const QVector<Strona> &strony, int indeks) const
{
    if (indeks < 0 || indeks >= strony.size())
        return;
    for (const Umieszczenie &u : strony.at(indeks))
        rysujSekcje(p, u, indeks + 1, static_cast<int>(strony.size()));
}

QString Silnik::tekst(const Pole &pole, int wiersz, int strona, int stron) const
{
    if (!pole.nazwa.isEmpty() && m_podpisy.contains(pole.nazwa))
        return m_podpisy.value(pole.nazwa);
    if (pole.agregat != Agregat::Brak) {
        const std::optional<double> v = agregat(pole.kolumna, pole.agregat);
        return v ? formatujWartosc(*v, pole.format) : QString();
    }
    if (!pole.kolumna.isEmpty())
        return formatujWartosc(m_dane.wartosc(wiersz, pole.kolumna), pole.format);
    QString t = pole.tekst;
    if (t.contains(QLatin1Char('%'))) {
        t.replace(QStringLiteral("%d"), m_dataWydruku.toString(QStringLiteral("dd/MM/yyyy")));
        t.replace(QStringLiteral("%p"), QString::number(strona));
        t.replace(QStringLiteral("%P"), QString::number(stron));
    }
    return t;
}

void Silnik::rysujSekcje(QPainter &p, const Umieszczenie &u, int strona, int stron) const
{
    const QPaintDevice &d = *p.device();
    const double kx = d.logicalDpiX() / mmNaCal;
    const double ky = d.logicalDpiY() / mmNaCal;
    const double rozciag = m_uklad.szerokosc > 0 ? obszarMm(d).width() / m_uklad.szerokosc : 1.0;
    auto prostokat = [&](const QRectF &r) {
        return QRectF(r.x() * rozciag * kx, (u.y + r.y()) * ky, r.width() * rozciag * kx, r.height() * ky);
    };
    const Sekcja &s = *u.sekcja;
    for (const QRectF &t : s.tla)
        p.fillRect(prostokat(t), s.tlo);
    p.setPen(QPen(Qt::black, 0.2 * ky));
    for (const QLineF &l : s.linie)
        p.drawLine(QLineF(l.x1() * rozciag * kx, (u.y + l.y1()) * ky, l.x2() * rozciag * kx, (u.y + l.y2()) * ky));

    QHash<QString, QRectF> zajete; // the drawn text of each named field
    for (const Pole &pole : s.pola) {
        QFont f(m_uklad.czcionka);
        f.setPointSizeF(pole.punkty);
        f.setBold(pole.pogrubione);
        p.setFont(f);
        const QString t = tekst(pole, u.wiersz, strona, stron);
        QRectF r = prostokat(pole.miejsce);
        if (!pole.zaPolem.isEmpty() && zajete.contains(pole.zaPolem)) {
            const QRectF po = zajete.value(pole.zaPolem);
            r.moveLeft(po.right());
        }
        const int flagi = static_cast<int>(pole.wyrownanie) | (pole.zawijaj ? Qt::TextWordWrap : 0);
        QRectF narysowany;
        p.drawText(r, flagi, t, &narysowany);
        if (!pole.nazwa.isEmpty()) {
            // Blanks at the end of a text count: "dla  " keeps its two.
            narysowany.setWidth(QFontMetricsF(f, p.device()).horizontalAdvance(t));
            zajete.insert(pole.nazwa, narysowany);
        }
    }
}

} // namespace raport
