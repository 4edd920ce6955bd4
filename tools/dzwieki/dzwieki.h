#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// The station's three sounds, synthesised: "alarm.wav" (a two-tone alarm,
// repeated every 3 s while alarms are active), "zablokregul.wav" (a falling
// pair of notes: a controller was blocked) and "odblokregul.wav" (the same
// pair rising: unblocked). 16-bit PCM, mono, 22 050 Hz.
namespace dzwieki
{

constexpr int CZESTOTLIWOSC = 22050;

struct Plik {
    QString nazwa;
    QByteArray wav;
};

std::vector<Plik> wszystkie();
// A RIFF/WAVE file around 16-bit mono samples.
QByteArray wav(const std::vector<qint16> &probki);

} // namespace dzwieki
