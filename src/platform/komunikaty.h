#pragma once

#include <QString>

// Message boxes, behind one seam that tests can answer.
enum class Ikona { Brak, Krytyczna, Wykrzyknik, Pytanie, Informacja };
enum class Odpowiedz { OK = 1, Anuluj = 2 };

class Komunikaty
{
public:
    virtual ~Komunikaty() = default;
    // A message raised by the logic, possibly inside a scheduler tick: it
    // returns at once and never holds the caller up. An identical message
    // (same text and title) that is still open is not opened again.
    virtual void pokaz(const QString &tekst, const QString &tytul, Ikona ikona) = 0;
    // A question asked by an operator's command (not from inside a tick):
    // OK/Cancel, modal. The event loop keeps running while it waits.
    virtual Odpowiedz pytaj(const QString &tekst, const QString &tytul, Ikona ikona) = 0;
    // A modal message with only an OK button, for operator commands.
    virtual void informuj(const QString &tekst, const QString &tytul, Ikona ikona) = 0;
};
