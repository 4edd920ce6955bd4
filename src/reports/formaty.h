#pragma once

#include <QString>
#include <QVariant>

// The format patterns of the report layouts, read the Polish way: in
// "0,000", "0,00" and "0" the comma is the decimal comma and the zeros
// after it are the decimals shown; there is no thousands grouping. A second
// section after ";" formats negative values, without a minus sign of its own
// ("0,000;(0,000)" prints -1.5 as "(1,500)"). A value that rounds to zero
// prints as zero, never as "-0,000" or "(0,000)".
QString formatujLiczbe(double v, const QString &wzor);

// A field value by its pattern: a number pattern (zeros, "#", "," and
// literal characters) formats numbers; any other pattern is a date-time
// pattern ("HH:mm:ss", "dd/MM/yyyy") for values that are dates, date-times
// or the database's date texts. A null value, or one the pattern cannot
// take, gives an empty text; no pattern gives the value's plain text.
QString formatujWartosc(const QVariant &v, const QString &wzor);

// A number in a CSV file: up to twelve significant digits, a decimal comma.
QString liczbaCsv(double v);

// The value of a field as a number, when it is one (a null is not).
bool liczba(const QVariant &v, double *wynik);
