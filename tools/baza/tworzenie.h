#pragma once

#include <QString>

#include <functional>

class Polaczenie;

// Builds a new database file next to the target under a temporary name and
// moves it into place only when everything succeeded, so a failed run never
// leaves a half-made file nor destroys the one that was there. Throws
// BladBazy or std::runtime_error.
void utworzBaze(const QString &sciezka, bool nadpisz, const std::function<void(Polaczenie &)> &wypelnij);

// The statements of the schema split in two: the tables, and the indexes
// (built after a bulk load, which is much faster than keeping them up to
// date row by row).
QStringList tabeleSchematu();
QStringList indeksySchematu();

// Runs statements in order; throws BladBazy on the first that fails.
void wykonajSql(Polaczenie &cn, const QStringList &sql);
