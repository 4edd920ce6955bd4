#pragma once

#include "baza/tabela.h"
#include "uklad.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QVector>

// A report ready to be drawn: its layout, its rows, the captions set when
// it was produced, the caption of its preview and the columns of its CSV.
struct KolumnaCsv {
    QString naglowek;
    QString kolumna;
    QString format; // a date-time pattern; numbers are written as they are
};

struct Raport {
    raport::Uklad uklad;
    Tabela dane;
    QHash<QString, QString> podpisy;
    QString tytul;
    QString nazwaPliku; // proposed when it is saved, without extension
    QVector<KolumnaCsv> csv;
};

// The two layouts.
raport::Uklad RapDobowy();
raport::Uklad RapOkresowy();

// The queries, in the station's SQL dialect. A date is written between the
// "#" marks as yyyy-MM-dd.
QString dataSql(QDate d);
QString sqlRaportuDobowego(QDate data, int adres);
QString sqlRaportuOkresowego(QDate od, QDate doDnia, int adres);

// The reports over the rows of those queries; the periodic report lists its
// days in calendar order, whatever order the rows came in.
Raport raportDobowy(Tabela wiersze, QDate data, const QString &kod);
Raport raportOkresowy(Tabela wiersze, QDate od, QDate doDnia, const QString &kod);

// A file name part from a controller code: letters, digits, "-" and "_".
QString doNazwyPliku(const QString &tekst);

// The rows the report shows, as CSV: a header line, ";" between fields,
// UTF-8, numbers with a decimal comma, an empty field for a null.
QString csvRaportu(const Raport &r);
