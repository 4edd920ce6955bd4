#pragma once

#include "polecenie.h"

#include <QCoro/QCoroTask>
#include <QString>

#include <deque>
#include <functional>

// One queued operator command: the controller's number and the command with
// its arguments.
struct clsPozKolejki {
    int NrRegul = 0;
    Polecenie polecenie;
    quint8 Status = 0;
    QString klucz;
};

// The operator command queue (oKolejka). Windows and menus append; the
// scheduler's tick runs the oldest item with Wykonaj, one per tick.
class clsKolejka final
{
public:
    // Throws std::invalid_argument when sKey is already present.
    const clsPozKolejki &Add(int nrRegulatora, Polecenie polecenie, quint8 status = 0, const QString &sKey = {});
    // 1-based position or key; throws std::out_of_range when missing.
    const clsPozKolejki &Item(int pozycja) const;
    const clsPozKolejki &Item(const QString &klucz) const;
    int Count() const { return static_cast<int>(m_pozycje.size()); }
    void Remove(int pozycja);
    void Remove(const QString &klucz);
    auto begin() const { return m_pozycje.begin(); }
    auto end() const { return m_pozycje.end(); }

    // What an item does: set by the owner of the controller operations.
    using Wykonawca = std::function<QCoro::Task<void>(clsPozKolejki)>;
    void ustawWykonawce(Wykonawca w) { m_wykonawca = std::move(w); }

    // Takes the oldest item off the queue first, then runs it: an item is
    // never run twice and never dropped without having run, even if this
    // were entered again while the item waits for the line. Returns false.
    QCoro::Task<bool> Wykonaj();

private:
    std::deque<clsPozKolejki> m_pozycje;
    Wykonawca m_wykonawca;
};
