#include "dzwieki.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace dzwieki
{

namespace
{

struct Ton {
    double hz;
    double sekundy;
    bool wybrzmiewa; // decays like a struck bell instead of holding
};

void dolozLE(QByteArray &b, quint32 v, int bajty)
{
    for (int i = 0; i < bajty; ++i)
        b.append(char((v >> (8 * i)) & 0xFF));
}

// Tones one after another. A short rise and fall at both ends of every tone
// keeps the speaker from clicking; the third harmonic makes the alarm cut
// through on a small loudspeaker.
std::vector<qint16> syntezuj(const std::vector<Ton> &tony, double glosnosc, double trzecia)
{
    std::vector<qint16> p;
    constexpr double narastanie = 0.006;
    for (const Ton &t : tony) {
        const int n = int(std::lround(t.sekundy * CZESTOTLIWOSC));
        for (int i = 0; i < n; ++i) {
            const double s = double(i) / CZESTOTLIWOSC;
            double obwiednia = std::min({1.0, s / narastanie, (t.sekundy - s) / narastanie});
            if (t.wybrzmiewa)
                obwiednia *= std::exp(-4.0 * s / t.sekundy);
            const double faza = 2.0 * std::numbers::pi * t.hz * s;
            const double v = (std::sin(faza) + trzecia * std::sin(3.0 * faza)) / (1.0 + trzecia);
            p.push_back(qint16(std::lround(std::clamp(v * obwiednia * glosnosc, -1.0, 1.0) * 32767.0)));
        }
    }
    return p;
}

} // namespace

QByteArray wav(const std::vector<qint16> &probki)
{
    const quint32 dane = quint32(probki.size() * 2);
    QByteArray b;
    b.append("RIFF");
    dolozLE(b, 36 + dane, 4);
    b.append("WAVE");
    b.append("fmt ");
    dolozLE(b, 16, 4);
    dolozLE(b, 1, 2); // PCM
    dolozLE(b, 1, 2); // mono
    dolozLE(b, CZESTOTLIWOSC, 4);
    dolozLE(b, CZESTOTLIWOSC * 2, 4);
    dolozLE(b, 2, 2);
    dolozLE(b, 16, 2);
    b.append("data");
    dolozLE(b, dane, 4);
    for (const qint16 s : probki)
        dolozLE(b, quint16(s), 2);
    return b;
}

std::vector<Plik> wszystkie()
{
    std::vector<Ton> alarm;
    for (int i = 0; i < 3; ++i) {
        alarm.push_back({880.0, 0.25, false});
        alarm.push_back({660.0, 0.25, false});
    }
    return {
        {QStringLiteral("alarm.wav"), wav(syntezuj(alarm, 0.7, 0.3))},
        {QStringLiteral("zablokregul.wav"), wav(syntezuj({{784.0, 0.15, true}, {523.25, 0.30, true}}, 0.6, 0.1))},
        {QStringLiteral("odblokregul.wav"), wav(syntezuj({{523.25, 0.15, true}, {784.0, 0.30, true}}, 0.6, 0.1))},
    };
}

} // namespace dzwieki
