#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Replays a stream of line bytes through the link's readers and checks
// them against a plain decoding of the same bytes. Shared by the corpus
// test and the fuzz target.
struct Rozklad {
    QList<int> wartosci;      // the values the bytes carry
    bool otwartaPara = false; // a final 0x02 is still waiting for its partner
};

// The values a stream carries: every 0x02 takes the next byte with it and
// stands for the value 2.
Rozklad rozloz(const QByteArray &linia);

// Reads the stream as the periodic reading does (one value with CzytajBajt,
// then blocks of 32 with CzytajDane32, single values for the rest) through
// a link over the in-memory port. Reads only as many values as the stream
// completes, so no read waits for a time-out. Returns an empty text when
// the link and rozloz() agree, else what differed.
QString odtworz(const QByteArray &linia);
