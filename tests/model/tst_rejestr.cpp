// The pure parts of the controller model: the registry, the reading grid
// and the decoding of a measurement block.

#include "model/colregulatory.h"
#include "model/dekodowanie.h"
#include "model/odczyt.h"
#include "pola.h"

#include <QTest>

#include <stdexcept>

class TestRejestr final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void registry_duplicateKeyRefused_missingPositionOrKeyFoundNowhere()
    {
        colRegulatory rej;
        rej.Add(5, QStringLiteral("R1"), QStringLiteral("R1"));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, rej.Add(9, QStringLiteral("R1"), QStringLiteral("R1")));
        QCOMPARE(rej.Count(), 1);
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, rej.Item(2));
        // Views look controllers up by any number they are given; keys are case-sensitive.
        QVERIFY(rej.znajdz(0) == nullptr && rej.znajdz(2) == nullptr);
        QVERIFY(rej.znajdz(QStringLiteral("r1")) == nullptr && rej.znajdz(QString()) == nullptr);
    }

    void nastepnyOdczyt_firstGridPointNotEarlierThanNow_data()
    {
        QTest::addColumn<QString>("N"); // empty: never read
        QTest::addColumn<QString>("teraz");
        QTest::addColumn<int>("F");
        QTest::addColumn<QString>("oczekiwany");
        QTest::newRow("50 ms after a point: the next one") << "10:00"
                                                           << "10:00:00.050" << 15 << "10:15:00.000";
        QTest::newRow("late: missed points skipped") << "10:00"
                                                     << "10:37" << 15 << "10:45:00.000";
        QTest::newRow("exactly on a point: that point") << "10:00"
                                                        << "10:30" << 15 << "10:30:00.000";
        QTest::newRow("never read, F=15: quarter hours") << ""
                                                         << "10:07:12" << 15 << "10:15:00.000";
        // 7 does not divide a day: the grid runs on from 1899-12-30 00:00.
        QTest::newRow("never read, F=7: anchored in 1899") << ""
                                                           << "10:07:12" << 7 << "10:09:00.000";
        QTest::newRow("F=0 read once a minute") << "10:00"
                                                << "10:00:30" << 0 << "10:01:00.000";
    }

    void nastepnyOdczyt_firstGridPointNotEarlierThanNow()
    {
        QFETCH(QString, N);
        QFETCH(QString, teraz);
        QFETCH(int, F);
        QFETCH(QString, oczekiwany);
        auto dc = [](const QString &czas) {
            return czas.isEmpty() ? DataCzas() : DataCzas::zTekstu(QStringLiteral("2026-12-05 ") + czas);
        };
        const DataCzas wynik = OdczytRegulatora::nastepnyOdczyt(dc(N), dc(teraz), F);
        QCOMPARE(wynik.format(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")), QStringLiteral("2026-12-05 ") + oczekiwany);
    }

    void dekodujBlok_fieldsFromTheBlockBytes_data()
    {
        // Bytes as "offset:hex" over a regular block: counters 10 000 000 and
        // 6 000 000, timer 900, 230 V, 500 and 1000 current steps, 50 Hz.
        QTest::addColumn<QString>("bajty");
        QTest::addColumn<float>("skala");
        QTest::addColumn<int>("nap");
        QTest::addColumn<QString>("oczekiwane");
        QTest::newRow("regular block") << "" << 1.0f << 1
                                       << "P=2304 Okres=50 ZakloceniaHarm=0 TimerU=900 Napiecie=230 PradBierny=100 "
                                          "PradCalk=200 PradCzynny~615.84029 TgFi~0.75";
        QTest::newRow("FF FF: P=0 keeps Okres") << "23:FFFF" << 1.0f << 1 << "P=0 Okres=49.5";
        QTest::newRow("00 00: P=1 is disturbed") << "23:0000" << 1.0f << 1 << "P=1 Okres=115200 ZakloceniaHarm=1";
        QTest::newRow("7F FF: P=32768 without overflow") << "23:7FFF" << 1.0f << 1 << "P=32768 Okres=3.515625";
        QTest::newRow("500 V class, voltage transformer 2")
            << "15:012C 19:FFFE 21:1234" << 1.25f << 2 << "Napiecie=750 PradCalk=-0.4 Faza=4660";
        // 9503.709 if the factors were rounded to single before the product.
        QTest::newRow("counters formed in double, rounded once") << "0:075BCD15 4:F8A432EB 8:075BCD15" << 1.0f << 1
                                                                 << "PradCalkSr=9503.708 PradBiernPojSr=-9503.708 "
                                                                    "PradBiernSr=9503.708";
        QTest::newRow("total counter 2^31") << "0:80000000" << 1.0f << 1 << "PradCalkSr=165313.375";
        QTest::newRow("total counter 2^32-1") << "0:FFFFFFFF" << 1.0f << 1 << "PradCalkSr=330626.75";
        QTest::newRow("reactive not below total: r >= a")
            << "0:00000003 8:FFFFFFFB" << 1.0f << 1 << "ZakloceniaHarm=1 TgFi=-1 PradCzynny~0.00038490018";
        QTest::newRow("zero counters: tg fi guarded")
            << "0:00000000 8:00000000" << 1.0f << 1 << "PradCzynny=0 TgFi=9.999 ZakloceniaHarm=1";
        QTest::newRow("unknown voltage class")
            << "" << 0.0f << 1 << "Napiecie=0 PradCalkSr=0 PradBiernSr=0 TgFi=9.999 PradBierny=100";
    }

    void dekodujBlok_fieldsFromTheBlockBytes()
    {
        QFETCH(QString, bajty);
        QFETCH(float, skala);
        QFETCH(int, nap);
        QFETCH(QString, oczekiwane);
        clRegulator r;
        r.Przekladnia = 40; // 200/5 A
        r.SkalaNapiecia = skala;
        r.PrzekladniaNap = nap;
        r.Okres = 49.5f;
        const QString blok = QStringLiteral("0:00989680 8:005B8D80 12:000384 15:00E6 17:01F403E8 23:08FF ") + bajty;
        for (const QString &czesc : blok.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QByteArray b = QByteArray::fromHex(czesc.section(QLatin1Char(':'), 1).toLatin1());
            for (int i = 0; i < b.size(); ++i)
                r.blok.bajty[static_cast<std::size_t>(czesc.section(QLatin1Char(':'), 0, 0).toInt() + i)] =
                    static_cast<quint8>(b[i]);
        }
        dekodowanie::dekodujBlok(r);
        porownajPola(r, oczekiwane);
    }
};

QTEST_GUILESS_MAIN(TestRejestr)
#include "tst_rejestr.moc"
