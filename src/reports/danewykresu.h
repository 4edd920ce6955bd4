#pragma once

#include "baza/tabela.h"
#include "platform/datacz.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

// What a chart shows, built from query rows without drawing anything: one
// chart row per result row, a label under each row (an empty one shows
// nothing), and series of values in which a row without a value is a gap.
struct SeriaWykresu {
    QString nazwa;
    QVector<std::optional<double>> wartosci;
};

struct DaneWykresu {
    QString tytul, tytulX, tytulY;
    QStringList etykiety;
    QStringList czasy; // each row's date or date-time, for the CSV
    QVector<SeriaWykresu> serie;
    int liczbaWierszy() const { return static_cast<int>(etykiety.size()); }
};

enum class RodzajDobowy { Energia = 0, TgFi = 1, MocSrednia = 2 };
enum class RodzajOkresowy { Energia = 0, TgFi = 1 };

QString sqlWykresuDobowego(int adres, QDate dzien);
// The last reading stored before the day: the start of the interval of the
// day's first row, for "Moc średnia".
QString sqlPoprzedniegoPomiaru(int adres, QDate dzien);
QString sqlWykresuOkresowego(int adres, QDate od, QDate doDnia);

// A day of one controller. Without rows, the chart has no rows and no
// titles (a window keeps the titles it showed). "Moc średnia" divides each
// row's energy by the length of its interval: from the reading stored
// before it (for the day's first row, `poprzedni`, the last one before the
// day) to its own time; without any earlier reading, the controller's
// reading interval (minutes); an interval of 0 s gives no point.
DaneWykresu wykresDobowy(const Tabela &wiersze, RodzajDobowy rodzaj, const QString &kod, QDate dzien,
                         DataCzas poprzedni, int czestOdczytu);
// One row per day with readings, in calendar order.
DaneWykresu wykresOkresowy(const Tabela &wiersze, RodzajOkresowy rodzaj, const QString &kod, QDate od, QDate doDnia);

// The rows of a chart as CSV: "Data" and the series names, then one line per
// row; a gap is an empty field.
QString csvWykresu(const DaneWykresu &d);
