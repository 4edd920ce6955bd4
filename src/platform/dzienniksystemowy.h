#pragma once

#include <QByteArray>
#include <QString>

// Warnings and errors of the station also go to the systemd journal, besides
// stderr, when the machine has a journal (Debian's Qt is built without its
// own journald output). Debug and info lines stay on stderr only.
namespace DziennikSystemowy
{

// Sends one entry: syslog priority, the logging category and the text.
using Nadawca = void (*)(int priorytet, const QByteArray &kategoria, const QString &tekst);

// Installs the message handler when the journal's socket is there and
// stderr does not already lead to the journal (a systemd unit or a desktop
// session that captures it), so that no line is journalled twice. The
// previous handler keeps writing stderr. Returns whether it installed.
bool wlacz();

// The handler with another sender, whatever the machine has (tests).
void wlacz(Nadawca nadawca);

// Whether stderr is the journal's stream ($JOURNAL_STREAM names it).
bool stderrDoDziennika();

} // namespace DziennikSystemowy
