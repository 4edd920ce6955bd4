// The daily report: every stored row of one day, with sums, minima, maxima
// and averages at its end.
#include "formaty.h"
#include "raport.h"
#include "ukladwspolny.h"

using namespace raport;

namespace
{

const QVector<Kolumna> kolumny = {{0, 20}, {20, 24}, {44, 24}, {68, 16}, {84, 30}, {114, 20}, {134, 28}, {162, 28}};

const QString energia = QStringLiteral("0,000");

Pole wStopce(int kolumna, int linia, const char *pole, Agregat a, const QString &format)
{
    Pole p = komorka(kolumny.at(kolumna), 0, QString::fromLatin1(pole), format, a);
    p.miejsce.moveTop(linieStopki(linia));
    return p;
}

} // namespace

Uklad RapDobowy()
{
    Uklad u = ukladA4(QStringLiteral("Raport dobowy dla  "), QStringLiteral("Brak zapisanych pomiarów w tym dniu."));
    u.naglowekStrony = naglowekKolumn(
        kolumny, {QStringLiteral("Czas"), QStringLiteral("Energia czynna"), QStringLiteral("Energia bierna"),
                  QStringLiteral("tg φ"), QStringLiteral("Energia bierna pojemnościowa"), QStringLiteral("Napięcie"),
                  QStringLiteral("Częstotliwość"), QStringLiteral("Prąd całkowity")});

    Sekcja &d = u.szczegoly;
    d.wysokosc = wysokoscLinii;
    liniePionowe(d, kolumny);
    Pole czas = komorka(kolumny.at(0), 0, QStringLiteral("data"), QStringLiteral("HH:mm:ss"));
    czas.wyrownanie = Qt::AlignCenter;
    d.pola = {czas,
              komorka(kolumny.at(1), 0, QStringLiteral("EnCzynna"), QStringLiteral("0,000;(0,000)")),
              komorka(kolumny.at(2), 0, QStringLiteral("EnBierna"), energia),
              komorka(kolumny.at(3), 0, QStringLiteral("tgfi"), QStringLiteral("0,00")),
              komorka(kolumny.at(4), 0, QStringLiteral("EnBiernaPoj"), energia),
              komorka(kolumny.at(5), 0, QStringLiteral("Napiecie"), QStringLiteral("0")),
              komorka(kolumny.at(6), 0, QStringLiteral("Czestotliwosc"), QStringLiteral("0,000")),
              komorka(kolumny.at(7), 0, QStringLiteral("PradCalk"), QStringLiteral("0,000"))};

    Sekcja &s = u.stopkaRaportu;
    s = stopka(kolumny.at(0), u.szerokosc);
    s.pola += {wStopce(1, 0, "EnCzynna", Agregat::Suma, energia), wStopce(2, 0, "EnBierna", Agregat::Suma, energia),
               wStopce(4, 0, "EnBiernaPoj", Agregat::Suma, energia)};
    const Agregat linie[] = {Agregat::Min, Agregat::Maks, Agregat::Srednia};
    for (int i = 0; i < 3; ++i) {
        s.pola += {wStopce(3, i + 1, "tgfi", linie[i], QStringLiteral("0,00")),
                   wStopce(5, i + 1, "Napiecie", linie[i], QStringLiteral("0")),
                   wStopce(6, i + 1, "Czestotliwosc", linie[i], QStringLiteral("0,000")),
                   wStopce(7, i + 1, "PradCalk", linie[i], QStringLiteral("0,000"))};
    }
    return u;
}

QString sqlRaportuDobowego(QDate data, int adres)
{
    // Printed in the order the rows come: a server needs to be told.
    return QStringLiteral("Select *, EnBiernaCalk-EnBiernaPoj as EnBierna, IIf(EnCzynna<>0, EnBiernaCalk/EnCzynna,0) "
                          "as tgfi from Pomiary where data >=") +
           dataSql(data) + QStringLiteral(" and data <") + dataSql(data.addDays(1)) + QStringLiteral(" and adres = ") +
           QString::number(adres) + QStringLiteral(" ORDER BY data");
}

Raport raportDobowy(Tabela wiersze, QDate data, const QString &kod)
{
    Raport r;
    r.uklad = RapDobowy();
    r.dane = std::move(wiersze);
    r.tytul = QStringLiteral("Raport dobowy");
    r.nazwaPliku = QStringLiteral("raport-dobowy-") + doNazwyPliku(kod) + QLatin1Char('-') +
                   data.toString(QStringLiteral("yyyy-MM-dd"));
    r.podpisy.insert(QStringLiteral("Tytul"), QStringLiteral(" regulatora '") + kod + QLatin1Char('\''));
    r.podpisy.insert(QStringLiteral("Podtytul"),
                     QStringLiteral(" z dnia ") + data.toString(QStringLiteral("dd/MM/yyyy")));
    r.csv = {{QStringLiteral("Czas"), QStringLiteral("data"), QStringLiteral("yyyy-MM-dd HH:mm:ss")},
             {QStringLiteral("Energia czynna"), QStringLiteral("EnCzynna"), {}},
             {QStringLiteral("Energia bierna"), QStringLiteral("EnBierna"), {}},
             {QStringLiteral("tg φ"), QStringLiteral("tgfi"), {}},
             {QStringLiteral("Energia bierna pojemnościowa"), QStringLiteral("EnBiernaPoj"), {}},
             {QStringLiteral("Napięcie"), QStringLiteral("Napiecie"), {}},
             {QStringLiteral("Częstotliwość"), QStringLiteral("Czestotliwosc"), {}},
             {QStringLiteral("Prąd całkowity"), QStringLiteral("PradCalk"), {}}};
    return r;
}
