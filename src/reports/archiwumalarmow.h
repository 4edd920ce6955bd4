#pragma once

#include "baza/zrodlobazy.h"

#include <QCoro/QCoroTask>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

// The alarm archive's data: the alarms of one controller that arose on one
// day, as stored in Alarmy, as the texts the archive shows and saves.
struct ArchiwumAlarmow {
    // The columns: raised, controller code, text, acknowledged,
    // deactivated (dates as "dd/MM/yy hh:mm:ss", empty when not yet), and
    // the station that raised it.
    static QStringList naglowek();
    static constexpr int kolumnaStacji = 5;

    QList<QStringList> wiersze;
    // Some alarm names the station that raised it (written by a station
    // into a database that has the column): only then is that column shown.
    bool zeStacja = false;

    // The columns shown, in order.
    QList<int> kolumny() const;
    // What is shown, as a file for spreadsheets: a byte-order mark, the
    // header and the rows of the columns shown, CRLF line ends.
    QString csv() const;
};

// The SELECT of one controller's day, in time order; the code's apostrophes
// doubled so that a code like Hala 'B' is looked up as it is.
QString sqlArchiwumAlarmow(const QString &kod, QDate dzien);

// Reads that day on a worker thread (Odczyt). Throws BladBazy.
QCoro::Task<ArchiwumAlarmow> wczytajArchiwumAlarmow(const ZrodloBazy &zrodlo, QString kod, QDate dzien);
