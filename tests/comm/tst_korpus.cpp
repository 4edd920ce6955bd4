// Odd byte streams (the fuzzing corpus) replayed through the link's readers.
#include "odtworz.h"

#include <QDir>
#include <QFile>
#include <QTest>

class TestKorpus final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void referenceDecodingFollowsThePairRule()
    {
        QCOMPARE(rozloz(QByteArray::fromHex("01020203")).wartosci, (QList<int>{1, 2, 3}));
        QCOMPARE(rozloz(QByteArray::fromHex("0102020203")).wartosci, (QList<int>{1, 2, 2}));
        QCOMPARE(rozloz(QByteArray::fromHex("0202ff02")).wartosci, (QList<int>{2, 0xFF}));
        QVERIFY(rozloz(QByteArray::fromHex("0202ff02")).otwartaPara);
        QVERIFY(rozloz(QByteArray::fromHex("010202")).otwartaPara == false);
        QVERIFY(rozloz(QByteArray::fromHex("0102")).otwartaPara);
    }

    void corpusReadsAsDecoded_data()
    {
        QTest::addColumn<QString>("plik");
        const QDir korpus(QStringLiteral(TOLVEK_KORPUS));
        const QStringList pliki = korpus.entryList(QDir::Files, QDir::Name);
        QVERIFY(pliki.size() >= 8);
        for (const QString &p : pliki)
            QTest::newRow(qPrintable(p)) << korpus.filePath(p);
    }
    void corpusReadsAsDecoded()
    {
        QFETCH(QString, plik);
        QFile f(plik);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString blad = odtworz(f.readAll());
        QVERIFY2(blad.isEmpty(), qPrintable(blad));
    }
};

QTEST_GUILESS_MAIN(TestKorpus)
#include "tst_korpus.moc"
