#pragma once

#include "wpispomiaru.h"

#include <QObject>
#include <QString>

#include <cstdint>

class BladBazy;
class BuforZapisu;
class Komunikaty;
class Przekaznik;

// The station's storing as the window thread sees it. A reading goes into
// the spool (BuforZapisu), a local commit of a few milliseconds, and the
// forwarder (Przekaznik) takes it on to the plant's database on a thread of
// its own, so that a database that is away, locked or frozen never holds
// up the polling. This object tells the operator, once each, what the
// forwarder finds: the database away and back, entries refused and set
// aside, the spool nearly full; and keeps the count of what waits for the
// status bar.
class ZapisPomiarow final : public QObject
{
    Q_OBJECT
public:
    ZapisPomiarow(BuforZapisu &bufor, Komunikaty &komunikaty, QObject *parent = nullptr);

    // Its signals from now on (none in tests that forward by themselves).
    void ustawPrzekaznik(Przekaznik &przekaznik);
    // True when the reading is in the spool; false, told once per series of
    // failures, when the spool itself cannot take it (its disk).
    bool zapisz(const WpisPomiaru &wpis);
    // Something entered the spool (a reading, an alarm or Log row).
    void dodano();
    // What waits in the spool now (once it is open, before the forwarder runs).
    void policzZalegle();
    // The station started without its database and has told the operator so.
    void bezBazyOdStartu(const QString &powod);

    std::int64_t zalegle() const { return m_zalegle; }
    bool bazaDostepna() const { return m_dostepna; }
    // Why the database does not take writes (empty while it does).
    const QString &powod() const { return m_powod; }

    // What the forwarder reports (see Przekaznik's signals).
    void naStan(qint64 usuniete, bool dostepna, const QString &powod);
    void naOdlozenie(const QString &opis);
    void naZapelnienie(int procent);

Q_SIGNALS:
    // The count of waiting entries or the database's state changed.
    void stanZmieniony();

private:
    BuforZapisu &m_bufor;
    Komunikaty &m_komunikaty;
    std::int64_t m_zalegle = 0;
    bool m_dostepna = true;
    QString m_powod;
    bool m_bladBufora = false;
    bool m_zaleglosciPoAwarii = false;
    bool m_odlozenieZgloszone = false;
};
