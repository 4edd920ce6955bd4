#pragma once

#include "bladbazy.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

// Shared by the connection and the two cursors; not part of the interface.
namespace sqlpomoc
{

// The driver's error as BladBazy: the SQLite extended result code as the
// number (1 when the driver gives none) and the engine's text.
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

// "name" with embedded quotes doubled.
QString identyfikator(const QString &nazwa);

// Prepares and runs; throws BladBazy on failure.
void wykonaj(QSqlQuery &q, const QString &sql, const QVariantList &wartosci = {});

} // namespace sqlpomoc
