#pragma once

#include "bladbazy.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

// Shared by the connection and the two cursors; not part of the interface.
namespace sqlpomoc
{

// The driver's error as BladBazy: the SQLite extended result code, or the
// server's SQLSTATE when it is a number, as the number (1 when the driver
// gives none) and the engine's text.
BladBazy blad(const QSqlError &e, const QString &kontekst = {});

// A value as it is written to the database: invalid or null -> NULL,
// DataCzas/QDateTime/QDate -> "yyyy-MM-dd HH:mm:ss", every integral type ->
// 64-bit integer, float -> the double of its shortest decimal form.
QVariant doBazy(const QVariant &v);

// A value as it is read from the driver: NULL -> invalid QVariant.
inline QVariant zBazy(const QVariant &v)
{
    return v.isNull() ? QVariant() : v;
}

// Column i of the current row, the same on both engines: NULL -> invalid
// QVariant, every integer as a 64-bit one, and a date-time as the text
// "yyyy-MM-dd HH:mm:ss" that the file holds (the server's driver would make
// a local QDateTime of it, which does not exist in the hour that summer time
// skips).
QVariant wartosc(const QSqlQuery &q, int i);

// True for a connection to the PostgreSQL server.
bool naSerwerze(const QSqlDriver *sterownik);

// "name" with embedded quotes doubled.
QString identyfikator(const QString &nazwa);

// Prepares and runs; throws BladBazy on failure. On the server the values
// are written into the text by the driver's own quoting, which spares the
// two extra round trips of a prepared statement.
void wykonaj(QSqlQuery &q, const QString &sql, const QVariantList &wartosci = {});

// The server side of the two above (sqlpg.cpp).
QVariant wartoscSerwera(const QSqlQuery &q, int i);
QString zWartosciami(const QSqlDriver *sterownik, const QString &sql, const QVariantList &wartosci);

} // namespace sqlpomoc
