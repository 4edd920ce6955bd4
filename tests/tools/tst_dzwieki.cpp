// The synthesised sounds: WAV files the station's player can open, not
// silent, and the copies kept in resources/sounds are what the generator
// makes.

#include "dzwieki.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace
{

quint32 le(const QByteArray &b, int i, int n)
{
    quint32 v = 0;
    for (int k = n - 1; k >= 0; --k)
        v = (v << 8) | quint8(b.at(i + k));
    return v;
}

std::vector<qint16> probki(const QByteArray &wav)
{
    std::vector<qint16> p;
    for (qsizetype i = 44; i + 1 < wav.size(); i += 2)
        p.push_back(qint16(le(wav, int(i), 2)));
    return p;
}

} // namespace

class TestDzwiekow final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void pliki_areMonoPcmWavThatSoundSomething();
    void kopieWZasobach_matchTheGenerator();
};

void TestDzwiekow::pliki_areMonoPcmWavThatSoundSomething()
{
    const auto pliki = dzwieki::wszystkie();
    QStringList nazwy;
    for (const auto &[nazwa, w] : pliki) {
        nazwy << nazwa;
        QCOMPARE(w.left(4), QByteArray("RIFF"));
        QCOMPARE(le(w, 4, 4), quint32(w.size() - 8));
        QCOMPARE(w.mid(8, 8), QByteArray("WAVEfmt "));
        QCOMPARE(le(w, 20, 4), 0x10001u); // PCM, mono
        QCOMPARE(le(w, 24, 4), quint32(dzwieki::CZESTOTLIWOSC));
        QCOMPARE(le(w, 34, 2), 16u);
        QCOMPARE(le(w, 40, 4), quint32(w.size() - 44));
        const auto p = probki(w);
        QVERIFY2(std::any_of(p.begin(), p.end(), [](qint16 s) { return std::abs(int(s)) > 10000; }), qPrintable(nazwa));
    }
    QCOMPARE(nazwy, (QStringList{"alarm.wav", "zablokregul.wav", "odblokregul.wav"}));
}

void TestDzwiekow::kopieWZasobach_matchTheGenerator()
{
    const QDir zasoby(QString::fromLocal8Bit(qgetenv("TOLVEK_SOUNDS")));
    for (const auto &p : dzwieki::wszystkie()) {
        QFile f(zasoby.filePath(p.nazwa));
        QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(f.fileName()));
        const QByteArray zapisany = f.readAll();
        QCOMPARE(zapisany.size(), p.wav.size());
        QCOMPARE(zapisany.left(44), p.wav.left(44));
        // Another maths library may round a sample differently; nothing more.
        const auto a = probki(zapisany), b = probki(p.wav);
        for (std::size_t i = 0; i < a.size(); ++i)
            QVERIFY2(std::abs(int(a[i]) - int(b[i])) <= 2, qPrintable(p.nazwa));
    }
}

QTEST_GUILESS_MAIN(TestDzwiekow)
#include "tst_dzwieki.moc"
