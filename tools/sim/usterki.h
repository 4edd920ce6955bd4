#pragma once

#include <QByteArray>
#include <QRandomGenerator>
#include <QString>

#include <optional>
#include <set>

namespace sim
{

// Faults of one controller, set from the command line or while running.
// They combine: a controller may answer late and drop a byte at once.
struct Usterki {
    bool cisza = false;          // hears nothing, answers nothing
    std::optional<int> pierwsze; // answers this many more frames, then falls silent
    std::optional<int> poznoMs;  // answer delay instead of the bus default
    bool gubi = false;           // one value of every answer is lost
    bool smieci = false;         // answers with random bytes
    std::set<quint8> pomijane;   // reads of these locations go unanswered

    // A controller that has fallen silent ignores writes as well: it is as
    // good as disconnected.
    bool gluchy() const { return cisza || (pierwsze && *pierwsze <= 0); }
    // Takes one answer from the "first k" allowance; false when none is left.
    bool wezOdpowiedz();
    // The bytes that really go on the wire for the answer values.
    QByteArray naLinie(const QByteArray &wartosci, QRandomGenerator &los) const;
    QString opis() const;
};

} // namespace sim
