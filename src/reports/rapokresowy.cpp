// The periodic report: one block per day of a range (the day's sums,
// minima, maxima and averages), with a summary of the whole range at its end.
#include "dni.h"
#include "formaty.h"
#include "raport.h"
#include "ukladwspolny.h"

using namespace raport;

namespace
{

// The day, the line captions, then the seven quantities.
const QVector<Kolumna> kolumny = {{0, 20},  {20, 12},  {32, 24},  {56, 22}, {78, 14},
                                  {92, 28}, {120, 18}, {138, 26}, {164, 26}};

const QString energia = QStringLiteral("0,000");

struct Wielkosc {
    int kolumna;
    const char *pole; // the day's columns are pole + Min, Maks, Sr
    QString format;
};

const Wielkosc zmierzone[] = {{4, "tgfi", QStringLiteral("0,00")},
                              {6, "Napiecie", QStringLiteral("0")},
                              {7, "Czestotliwosc", QStringLiteral("0,000")},
                              {8, "PradCalk", QStringLiteral("0,000")}};
const Wielkosc energie[] = {{2, "EnCzynnaSuma", QStringLiteral("0,000;(0,000)")},
                            {3, "EnBiernaSuma", energia},
                            {5, "EnBiernaPojSuma", energia}};
const char *const przyrostki[] = {"Min", "Maks", "Sr"};

Pole wStopce(int kolumna, int linia, const QString &pole, Agregat a, const QString &format)
{
    Pole p = komorka(kolumny.at(kolumna), 0, pole, format, a);
    p.miejsce.moveTop(linieStopki(linia));
    return p;
}

} // namespace

Uklad RapOkresowy()
{
    Uklad u =
        ukladA4(QStringLiteral("Raport okresowy dla  "), QStringLiteral("Brak zapisanych pomiarów w tym okresie."));
    QVector<Kolumna> naglowki = kolumny;
    naglowki.removeAt(1); // "Data" spans the day and the line captions
    naglowki[0].szerokosc = kolumny.at(0).szerokosc + kolumny.at(1).szerokosc;
    u.naglowekStrony = naglowekKolumn(
        naglowki, {QStringLiteral("Data"), QStringLiteral("Energia czynna"), QStringLiteral("Energia bierna"),
                   QStringLiteral("tg φ"), QStringLiteral("Energia bierna pojemnościowa"), QStringLiteral("Napięcie"),
                   QStringLiteral("Częstotliwość"), QStringLiteral("Prąd całkowity")});

    // A block of four lines per day: min., maks., śr., suma.
    Sekcja &d = u.szczegoly;
    d.wysokosc = 4 * wysokoscLinii;
    liniePionowe(d, kolumny);
    d.linie.append(QLineF(0, d.wysokosc, u.szerokosc, d.wysokosc));
    Pole dzien = komorka(kolumny.at(0), 0, QStringLiteral("data"), QStringLiteral("dd/MM/yyyy"));
    dzien.miejsce.setHeight(d.wysokosc);
    dzien.wyrownanie = Qt::AlignCenter;
    d.pola.append(dzien);
    const QStringList linie = {QStringLiteral("min."), QStringLiteral("maks."), QStringLiteral("śr."),
                               QStringLiteral("suma")};
    for (int i = 0; i < 4; ++i)
        d.pola.append(podpis(kolumny.at(1), i, linie.at(i)));
    for (const Wielkosc &w : zmierzone) {
        for (int i = 0; i < 3; ++i)
            d.pola.append(komorka(kolumny.at(w.kolumna), i, QString::fromLatin1(w.pole) + QLatin1String(przyrostki[i]),
                                  w.format));
    }
    for (const Wielkosc &w : energie)
        d.pola.append(komorka(kolumny.at(w.kolumna), 3, QString::fromLatin1(w.pole), w.format));

    // Over the day rows: the energies are summed, and minimum, maximum and
    // average are taken of the day sums and of the day's own values.
    Sekcja &s = u.stopkaRaportu;
    s = stopka(kolumny.at(0), u.szerokosc);
    const Agregat wgLinii[] = {Agregat::Suma, Agregat::Min, Agregat::Maks, Agregat::Srednia};
    for (const Wielkosc &w : energie) {
        for (int i = 0; i < 4; ++i)
            s.pola.append(wStopce(w.kolumna, i, QString::fromLatin1(w.pole), wgLinii[i], energia));
    }
    for (const Wielkosc &w : zmierzone) {
        for (int i = 0; i < 3; ++i)
            s.pola.append(wStopce(w.kolumna, i + 1, QString::fromLatin1(w.pole) + QLatin1String(przyrostki[i]),
                                  wgLinii[i + 1], w.format));
    }
    return u;
}

QString sqlRaportuOkresowego(QDate od, QDate doDnia, int adres)
{
    return QStringLiteral(
               "Select Format(data,'dd/MM/yy') as data, SUM(EnCzynna) as EnCzynnaSuma, Sum(EnBiernaCalk-EnBiernaPoj) "
               "as EnBiernaSuma, AVG(IIf(EnCzynna<>0, EnBiernaCalk/EnCzynna,0)) as tgfiSr, MIN((IIf(EnCzynna<>0, "
               "EnBiernaCalk/EnCzynna,0))) as tgfiMin, MAX((IIf(EnCzynna<>0, EnBiernaCalk/EnCzynna,0))) as tgfiMaks, "
               "SUM(EnBiernaPoj) as EnBiernaPojSuma, AVG(Napiecie) as NapiecieSr, MIN(Napiecie) as NapiecieMin, "
               "MAX(Napiecie) as NapiecieMaks, AVG(Czestotliwosc) as CzestotliwoscSr, MIN(Czestotliwosc) as "
               "CzestotliwoscMin, MAX(Czestotliwosc) as CzestotliwoscMaks, AVG(PradCalk) as PradCalkSr, "
               "MIN(PradCalk) as PradCalkMin, MAX(PradCalk) as PradCalkMaks from Pomiary where data >=") +
           dataSql(od) + QStringLiteral(" and data <") + dataSql(doDnia.addDays(1)) + QStringLiteral(" and adres = ") +
           QString::number(adres) + QStringLiteral(" GROUP BY Format(data,'dd/MM/yy')");
}

Raport raportOkresowy(Tabela wiersze, QDate od, QDate doDnia, const QString &kod)
{
    // The day text becomes the day itself, so that the layout prints it
    // with the four-digit year and the blocks follow the calendar.
    wiersze.uporzadkuj(porzadekDni(wiersze, QStringLiteral("data"), od, doDnia));
    const int k = wiersze.kolumna(QStringLiteral("data"));
    for (int i = 0; i < wiersze.liczbaWierszy(); ++i) {
        const QDate d = dzienGrupy(wiersze.wartosc(i, k).toString(), od, doDnia);
        if (d.isValid())
            wiersze.ustaw(i, k, d);
    }
    Raport r;
    r.uklad = RapOkresowy();
    r.dane = std::move(wiersze);
    r.tytul = QStringLiteral("Raport okresowy");
    r.nazwaPliku = QStringLiteral("raport-okresowy-") + doNazwyPliku(kod) + QLatin1Char('-') +
                   od.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char('-') +
                   doDnia.toString(QStringLiteral("yyyy-MM-dd"));
    r.podpisy.insert(QStringLiteral("Tytul"), QStringLiteral(" regulatora '") + kod + QLatin1Char('\''));
    r.podpisy.insert(QStringLiteral("Podtytul"), QStringLiteral(" za okres od ") +
                                                     od.toString(QStringLiteral("dd/MM/yy")) + QStringLiteral(" do ") +
                                                     doDnia.toString(QStringLiteral("dd/MM/yy")));
    r.csv = {{QStringLiteral("Data"), QStringLiteral("data"), QStringLiteral("yyyy-MM-dd")}};
    const QStringList nazwyEnergii = {QStringLiteral("Energia czynna"), QStringLiteral("Energia bierna"),
                                      QStringLiteral("Energia bierna pojemnościowa")};
    for (int i = 0; i < 3; ++i)
        r.csv.append({nazwyEnergii.at(i) + QStringLiteral(" suma"), QString::fromLatin1(energie[i].pole), {}});
    const QStringList nazwy = {QStringLiteral("tg φ"), QStringLiteral("Napięcie"), QStringLiteral("Częstotliwość"),
                               QStringLiteral("Prąd całkowity")};
    const QStringList linie = {QStringLiteral(" min."), QStringLiteral(" maks."), QStringLiteral(" śr.")};
    for (int w = 0; w < 4; ++w) {
        for (int i = 0; i < 3; ++i)
            r.csv.append(
                {nazwy.at(w) + linie.at(i), QString::fromLatin1(zmierzone[w].pole) + QLatin1String(przyrostki[i]), {}});
    }
    return r;
}
