// A serial device that vanishes while the station runs: the reopening backs
// off, a due controller costs no open and no wait meanwhile and gets alarm
// 100, and the log hears of the loss and of the return once each.

#include "../model/sterownik.h"

#include <QTest>
#include <QTimer>

namespace
{

bool alarmBrakuKomunikacji(const StanowiskoLinii &s)
{
    for (int i = 1; i <= s.alarmy.Count(); ++i)
        if (s.alarmy.wiersz(i).kodAlarmu == QStringLiteral(" 100") && s.alarmy.wiersz(i).aktywny())
            return true;
    return false;
}

} // namespace

class TestZanikuPortu final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void deviceGone_reopeningBacksOff_dueControllerFailsAtOnceWithAlarm100()
    {
        DziennikTestowy dziennik;
        StanowiskoLinii s;
        QVERIFY(s.comm.otworz(QStringLiteral("/dev/ttyUSB0"), nullptr));
        QVERIFY(uruchom(s.odczyt.OkresowyOdczyt(s.r, s.teraz())).wyjatek.isEmpty());
        QCOMPARE(s.wiersze(QStringLiteral("Select Adres from Pomiary")).size(), 1);
        const int proby0 = s.port->proby;

        s.port->ustawBladOtwarcia(QStringLiteral("No such file or directory"));
        s.port->wstrzyknijAwarie(QStringLiteral("Input/output error"));
        s.port->zapisane.clear();

        // Three minutes of 100 ms ticks with the controller due on each.
        const DataCzas nastepny = s.teraz();
        s.r.NastepnyOdczyt = nastepny;
        QList<std::int64_t> chwileProb;
        const std::int64_t start = s.zegarWlasny->msMonotoniczne();
        for (int takt = 1; takt <= 1800; ++takt) {
            s.zegarTestowy->przesun(100);
            const int przed = s.port->proby;
            const Wynik<bool> w = uruchom(s.odczyt.OkresowyOdczyt(s.r, s.teraz()));
            QVERIFY2(w.wyjatek.isEmpty(), qPrintable(w.wyjatek));
            if (s.port->proby != przed)
                chwileProb.append((s.zegarWlasny->msMonotoniczne() - start) / 1000);
        }
        // 1 s, then doubling, then every 30 s; never once per tick.
        QCOMPARE(chwileProb, (QList<std::int64_t>{1, 3, 7, 15, 31, 61, 91, 121, 151}));
        QCOMPARE(s.port->proby - proby0, chwileProb.size());
        QVERIFY(s.port->zapisane.isEmpty());
        QVERIFY(alarmBrakuKomunikacji(s));
        QCOMPARE(s.r.NastepnyOdczyt, nastepny); // still due, nothing stored
        QCOMPARE(s.wiersze(QStringLiteral("Select Adres from Pomiary")).size(), 1);
        QCOMPARE(dziennik.wpisy("tolvek.comm").size(), 1);
        QVERIFY(dziennik.wpisy("tolvek.comm")[0].startsWith("serial line lost: /dev/ttyUSB0: Input/output error"));

        // The device is back: the next attempt opens it, once, and says so.
        s.port->ustawBladOtwarcia({});
        s.zegarTestowy->przesun(clComm::najdluzszyOdstepMs);
        uruchom(s.odczyt.OkresowyOdczyt(s.r, s.teraz()));
        QVERIFY(s.port->otwarty());
        QCOMPARE(dziennik.wpisy("tolvek.comm").size(), 2);
        QVERIFY(dziennik.wpisy("tolvek.comm")[1].startsWith("serial line back: /dev/ttyUSB0"));
        QVERIFY(!alarmBrakuKomunikacji(s));
        QCOMPARE(s.wiersze(QStringLiteral("Select Adres from Pomiary")).size(), 2);
    }

    // A device that fails while the link waits for its answer ends the wait
    // there, instead of the whole answer time-out.
    void deviceFailsDuringAWait_theWaitEndsAtOnce()
    {
        ZegarPrzesuwany zegar;
        KomunikatyTestowe komunikaty;
        clComm comm(zegar, komunikaty);
        auto port = std::make_unique<PortPamieciowy>();
        PortPamieciowy *p = port.get();
        comm.ustawPort(std::move(port));
        QVERIFY(comm.otworz(QStringLiteral("/dev/ttyUSB0"), nullptr));
        QTimer::singleShot(0, p, [p] { p->wstrzyknijAwarie(QStringLiteral("Input/output error")); });
        QVERIFY(!uruchom(comm.JestWBuforze()).wartosc);
        // A wait looks at the waiting bytes on every wake-up, every 250 ms
        // at most: three seconds of it would have looked a dozen times.
        QVERIFY2(p->pytaniaOCzekajace <= 2, qPrintable(QString::number(p->pytaniaOCzekajace)));
    }
};

QTEST_GUILESS_MAIN(TestZanikuPortu)
#include "tst_zanikportu.moc"
