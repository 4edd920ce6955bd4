#pragma once

#include "baza/zrodlobazy.h"

#include <QCoro/QCoroTask>
#include <QString>
#include <QVector>

class Tabela;

// The plant's object tree as the table Hierarchia describes it: every row
// an object keyed by its kod_obiektu, under the object of its
// kod_obiektu_nad. Rows the table cannot place are kept sensibly rather
// than lost: a parent code no row has becomes one object under the root; an
// empty parent, one naming the row itself, or one that would close a loop
// leaves the object under the root (logged); a code that repeats, or the
// root's own key, is kept once, as its first row says (logged).
struct StrukturaObiektow {
    // The key of the root, which no row can take.
    static inline const QString kluczKorzenia = QStringLiteral("Korzen");

    struct Obiekt {
        QString kod;
        int rodzic = -1;        // its parent's position in obiekty; -1: the root
        bool regulator = false; // typ "R"
    };
    // Each parent before its children; the children of one parent in the
    // order they are shown (rows in table order, the parents no row names
    // after them).
    QVector<Obiekt> obiekty;
    // The first row's object, shown open; -1 without rows.
    int pierwszy = -1;

    // The two passes over the rows of Hierarchia.
    static StrukturaObiektow zWierszy(const Tabela &hierarchia);
};

// Reads Hierarchia on a worker thread and builds the tree. Throws BladBazy.
QCoro::Task<StrukturaObiektow> wczytajStrukture(const ZrodloBazy &zrodlo, int czasMs = 60000);
