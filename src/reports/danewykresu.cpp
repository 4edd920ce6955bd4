#include "danewykresu.h"

#include "csv.h"
#include "dni.h"
#include "formaty.h"

#include <algorithm>
#include <numeric>

namespace
{

std::optional<double> wartosc(const Tabela &t, int wiersz, int kolumna)
{
    double v = 0;
    if (liczba(t.wartosc(wiersz, kolumna), &v))
        return v;
    return std::nullopt;
}

std::optional<double> iloraz(std::optional<double> licznik, std::optional<double> mianownik)
{
    if (!licznik || !mianownik || *mianownik == 0)
        return std::nullopt;
    return *licznik / *mianownik;
}

QString dataZapytania(QDate d, const char *wzor)
{
    return QLatin1Char('#') + d.toString(QString::fromLatin1(wzor)) + QLatin1Char('#');
}

// Seconds of each row's interval, ending at the row's own time and starting
// at the reading stored before it.
QVector<std::optional<double>> sekundyOdcinkow(const QVector<DataCzas> &czasy, DataCzas poprzedni, int czestOdczytu)
{
    QVector<int> porzadek(czasy.size());
    std::iota(porzadek.begin(), porzadek.end(), 0);
    std::stable_sort(porzadek.begin(), porzadek.end(), [&czasy](int a, int b) { return czasy.at(a) < czasy.at(b); });
    QVector<std::optional<double>> s(czasy.size());
    std::optional<DataCzas> wczesniej;
    if (!poprzedni.nigdy())
        wczesniej = poprzedni;
    for (const int i : porzadek) {
        if (czasy.at(i).nigdy())
            continue;
        if (wczesniej)
            s[i] = static_cast<double>(czasy.at(i).ms() - wczesniej->ms()) / 1000.0;
        else if (czestOdczytu > 0)
            s[i] = czestOdczytu * 60.0;
        wczesniej = czasy.at(i);
    }
    return s;
}

} // namespace

QString sqlWykresuDobowego(int adres, QDate dzien)
{
    // The chart takes the rows in the order they come: a server returns
    // them in no particular order unless told.
    return QStringLiteral("Select Data, EnCzynna, EnBiernaCalk from Pomiary where Adres = ") + QString::number(adres) +
           QStringLiteral(" and Data >= ") + dataZapytania(dzien, "MM/dd/yyyy") + QStringLiteral(" and Data < ") +
           dataZapytania(dzien.addDays(1), "MM/dd/yyyy") + QStringLiteral(" ORDER BY Data");
}

QString sqlPoprzedniegoPomiaru(int adres, QDate dzien)
{
    return QStringLiteral("Select MAX(Data) as Data from Pomiary where Adres = ") + QString::number(adres) +
           QStringLiteral(" and Data < ") + dataZapytania(dzien, "MM/dd/yyyy");
}

QString sqlWykresuOkresowego(int adres, QDate od, QDate doDnia)
{
    return QStringLiteral("Select  format(Data,'dd/mm/yy') as MData, SUM(EnCzynna) as SumEnCzynna, "
                          "SUM(EnBiernaCalk) as SumEnBiernaCalk from Pomiary where Adres = ") +
           QString::number(adres) + QStringLiteral(" and Data >= ") + dataZapytania(od, "MM/dd/yy") +
           QStringLiteral(" and Data < ") + dataZapytania(doDnia.addDays(1), "MM/dd/yy") +
           QStringLiteral(" GROUP BY format(Data,'dd/mm/yy')");
}

DaneWykresu wykresDobowy(const Tabela &wiersze, RodzajDobowy rodzaj, const QString &kod, QDate dzien,
                         DataCzas poprzedni, int czestOdczytu)
{
    DaneWykresu d;
    if (wiersze.pusta())
        return d;
    const int kData = wiersze.kolumna(QStringLiteral("Data"));
    const int kCzynna = wiersze.kolumna(QStringLiteral("EnCzynna"));
    const int kBierna = wiersze.kolumna(QStringLiteral("EnBiernaCalk"));
    const QString naDzien = QStringLiteral("' z dnia ") + dzien.toString(QStringLiteral("dd/MM/yyyy"));
    d.tytulX = QStringLiteral("czas");

    QVector<DataCzas> czasy;
    for (int i = 0; i < wiersze.liczbaWierszy(); ++i)
        czasy.append(DataCzas::zTekstu(wiersze.wartosc(i, kData).toString()));
    for (const DataCzas &c : czasy)
        d.czasy << (c.nigdy() ? QString() : c.tekstBazy());

    switch (rodzaj) {
    case RodzajDobowy::Energia:
        d.serie = {{QStringLiteral("Energia czynna"), {}}, {QStringLiteral("Energia bierna"), {}}};
        d.tytulY = QStringLiteral("Energia [kWh]");
        d.tytul = QStringLiteral("Zużycie energi dla '") + kod + naDzien;
        for (int i = 0; i < wiersze.liczbaWierszy(); ++i) {
            d.serie[0].wartosci.append(wartosc(wiersze, i, kCzynna));
            d.serie[1].wartosci.append(wartosc(wiersze, i, kBierna));
        }
        break;
    case RodzajDobowy::TgFi:
        d.serie = {{QStringLiteral("tg fi"), {}}};
        d.tytulY = QStringLiteral("tg fi");
        d.tytul = QStringLiteral("Wykres tg fi dla '") + kod + naDzien;
        for (int i = 0; i < wiersze.liczbaWierszy(); ++i)
            d.serie[0].wartosci.append(iloraz(wartosc(wiersze, i, kBierna), wartosc(wiersze, i, kCzynna)));
        break;
    case RodzajDobowy::MocSrednia: {
        d.serie = {{QStringLiteral("Moc energii czynnej"), {}}, {QStringLiteral("Moc energii biernej"), {}}};
        d.tytulY = QStringLiteral("Moc energi czynnej/biernej [kW]/[kVar]");
        d.tytul = QStringLiteral("Moc średnia zużytej energii dla '") + kod + naDzien;
        const QVector<std::optional<double>> s = sekundyOdcinkow(czasy, poprzedni, czestOdczytu);
        for (int i = 0; i < wiersze.liczbaWierszy(); ++i) {
            const std::optional<double> godziny = s.at(i) ? std::optional<double>(*s.at(i) / 3600.0) : std::nullopt;
            d.serie[0].wartosci.append(iloraz(wartosc(wiersze, i, kCzynna), godziny));
            d.serie[1].wartosci.append(iloraz(wartosc(wiersze, i, kBierna), godziny));
        }
        break;
    }
    }

    // Every row is labelled with its time, except in "Moc średnia": there
    // only the first row of each new hour is, counting from hour 0, so rows
    // of hour 00 carry no label.
    int ostatniaGodzina = 0;
    for (const DataCzas &c : czasy) {
        if (c.nigdy()) {
            d.etykiety << QString();
            continue;
        }
        if (rodzaj != RodzajDobowy::MocSrednia) {
            d.etykiety << c.format(QStringLiteral("hh:mm"));
            continue;
        }
        const int h = c.format(QStringLiteral("hh")).toInt();
        if (h != ostatniaGodzina) {
            d.etykiety << c.format(QStringLiteral("hh:mm"));
            ostatniaGodzina = h;
        } else {
            d.etykiety << QString();
        }
    }
    return d;
}

DaneWykresu wykresOkresowy(const Tabela &wejscie, RodzajOkresowy rodzaj, const QString &kod, QDate od, QDate doDnia)
{
    DaneWykresu d;
    if (wejscie.pusta())
        return d;
    Tabela wiersze = wejscie;
    wiersze.uporzadkuj(porzadekDni(wiersze, QStringLiteral("MData"), od, doDnia));
    const int kDzien = wiersze.kolumna(QStringLiteral("MData"));
    const int kCzynna = wiersze.kolumna(QStringLiteral("SumEnCzynna"));
    const int kBierna = wiersze.kolumna(QStringLiteral("SumEnBiernaCalk"));
    const QString okres = QStringLiteral("' za okres od ") + od.toString(QStringLiteral("dd/MM/yyyy")) +
                          QStringLiteral(" do ") + doDnia.toString(QStringLiteral("dd/MM/yyyy"));
    d.tytulX = QStringLiteral("czas");
    d.tytulY = QStringLiteral("wartość");
    if (rodzaj == RodzajOkresowy::Energia) {
        d.serie = {{QStringLiteral("Energia czynna"), {}}, {QStringLiteral("Energia bierna"), {}}};
        d.tytul = QStringLiteral("Zużycie energi dla '") + kod + okres;
    } else {
        d.serie = {{QStringLiteral("tg fi"), {}}};
        d.tytul = QStringLiteral("Wykres tg fi dla '") + kod + okres;
    }
    for (int i = 0; i < wiersze.liczbaWierszy(); ++i) {
        const QString dzien = wiersze.wartosc(i, kDzien).toString();
        d.etykiety << dzien;
        const QDate data = dzienGrupy(dzien, od, doDnia);
        d.czasy << (data.isValid() ? data.toString(QStringLiteral("yyyy-MM-dd")) : dzien);
        if (rodzaj == RodzajOkresowy::Energia) {
            d.serie[0].wartosci.append(wartosc(wiersze, i, kCzynna));
            d.serie[1].wartosci.append(wartosc(wiersze, i, kBierna));
        } else {
            d.serie[0].wartosci.append(iloraz(wartosc(wiersze, i, kBierna), wartosc(wiersze, i, kCzynna)));
        }
    }
    return d;
}

QString csvWykresu(const DaneWykresu &d)
{
    QStringList naglowek{QStringLiteral("Data")};
    for (const SeriaWykresu &s : d.serie)
        naglowek << s.nazwa;
    QString w = wierszCsv(naglowek);
    for (int i = 0; i < d.liczbaWierszy(); ++i) {
        QStringList pola{d.czasy.value(i)};
        for (const SeriaWykresu &s : d.serie) {
            const std::optional<double> v = s.wartosci.value(i);
            pola << (v ? liczbaCsv(*v) : QString());
        }
        w += wierszCsv(pola);
    }
    return w;
}
