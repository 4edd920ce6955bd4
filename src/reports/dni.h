#pragma once

#include "baza/tabela.h"

#include <QDate>
#include <QString>
#include <QVector>

// The period queries group their rows on the text of the day, "dd/mm/yy":
// sorted as text, 01/12 would come before 30/11. These put the days back in
// the calendar.

// The day a "dd/mm/yy" text stands for, in the century that places it inside
// od..doDnia (else the century of od); invalid when the text is no day.
QDate dzienGrupy(const QString &tekst, QDate od, QDate doDnia);

// The row order that lists the days of that column in calendar order; rows
// whose text is no day keep their order after the others.
QVector<int> porzadekDni(const Tabela &t, const QString &kolumna, QDate od, QDate doDnia);
