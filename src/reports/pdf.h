#pragma once

#include <QString>

namespace raport
{
class Silnik;
}

// Writes every page of a report into a PDF file, replacing it only once
// the whole file is written. False with a reason when the file cannot be
// written.
bool zapiszPdf(const raport::Silnik &silnik, const QString &plik, const QString &tytul, QString *blad = nullptr);
