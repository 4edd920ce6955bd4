// The synthesised sounds: valid WAV files the station's player can open,
// audible, click-free at the ends, and the copies kept in resources/sounds
// are what the generator makes.

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
    void pliki_areMonoPcmWavOfTheExpectedLength_data();
    void pliki_areMonoPcmWavOfTheExpectedLength();
    void kopieWZasobach_matchTheGenerator();
};

void TestDzwiekow::pliki_areMonoPcmWavOfTheExpectedLength_data()
{
    QTest::addColumn<QString>("nazwa");
    QTest::addColumn<double>("sekundy");
    QTest::newRow("alarm") << "alarm.wav" << 1.5;
    QTest::newRow("blocked") << "zablokregul.wav" << 0.45;
    QTest::newRow("unblocked") << "odblokregul.wav" << 0.45;
}

void TestDzwiekow::pliki_areMonoPcmWavOfTheExpectedLength()
{
    QFETCH(QString, nazwa);
    QFETCH(double, sekundy);
    const auto pliki = dzwieki::wszystkie();
    const auto it = std::find_if(pliki.begin(), pliki.end(), [&](const auto &p) { return p.nazwa == nazwa; });
    QVERIFY(it != pliki.end());
    const QByteArray &w = it->wav;
    QCOMPARE(w.left(4), QByteArray("RIFF"));
    QCOMPARE(le(w, 4, 4), quint32(w.size() - 8));
    QCOMPARE(w.mid(8, 8), QByteArray("WAVEfmt "));
    QCOMPARE(le(w, 20, 2), 1u); // PCM
    QCOMPARE(le(w, 22, 2), 1u); // mono
    QCOMPARE(le(w, 24, 4), quint32(dzwieki::CZESTOTLIWOSC));
    QCOMPARE(le(w, 34, 2), 16u);
    QCOMPARE(w.mid(36, 4), QByteArray("data"));
    QCOMPARE(le(w, 40, 4), quint32(w.size() - 44));
    const auto p = probki(w);
    QVERIFY(qAbs(double(p.size()) / dzwieki::CZESTOTLIWOSC - sekundy) < 0.01);
    int szczyt = 0;
    for (const qint16 s : p)
        szczyt = std::max(szczyt, std::abs(int(s)));
    QVERIFY2(szczyt > 10000 && szczyt < 32767, qPrintable(QString::number(szczyt)));
    QVERIFY(std::abs(int(p.front())) < 200);
    QVERIFY(std::abs(int(p.back())) < 200);
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
