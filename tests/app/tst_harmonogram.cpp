#include "app/start.h"
#include "kontekstestowy.h"
#include "model/sterownik.h"

#include <QSignalSpy>
#include <QTest>

#include <map>

// The scheduler tick: its fixed order (periodic readings, one queued
// command, monitoring), the one-command-per-tick rule, and that a tick never
// runs inside another.
class TestHarmonogram final : public QObject
{
    Q_OBJECT

    // The station over a bus of answering controllers K<address>, read
    // before and not due: only what a test asks for happens.
    struct Stanowisko {
        std::map<int, SterownikPamieciowy> sterowniki;
        PortPamieciowy *port = nullptr;
        KontekstTestowy t{[this] {
            auto p = std::make_unique<PortPamieciowy>();
            p->otworz(QStringLiteral("pamiec"));
            p->ustawOdpowiadacz([this](const QByteArray &r) {
                const auto it = sterowniki.find(static_cast<quint8>(r.at(1)));
                return it == sterowniki.end() ? QByteArray() : it->second.odpowiedz(r);
            });
            port = p.get();
            return p;
        }};
        Kontekst &k{*t.k};
        explicit Stanowisko(std::initializer_list<int> adresy)
        {
            int id = 0;
            for (int a : adresy) {
                SterownikPamieciowy &s = sterowniki[a];
                s.adres = a;
                s.pamiec[0x90] = s.pamiec[0xA0] = 0xFF;
                s.blok[23] = 0x08; // a plausible period count
                s.blok[24] = 0xFF;
                clRegulator &r = k.oRegulatory.Add(a, QStringLiteral("K%1").arg(a), QStringLiteral("K%1").arg(a));
                r.Id = ++id;
                r.CzestOdczytu = 1;
                r.SkalaNapiecia = 1;
                r.Przekladnia = 40;
                r.PrzekladniaNap = 1;
                r.OstatniOdczyt = k.teraz();
                r.NastepnyOdczyt = k.teraz().plusMinuty(10);
            }
        }
        // Addresses of the frames written, in order (one per frame).
        QList<int> adresy() const
        {
            QList<int> a;
            for (const QByteArray &r : port->zapisane)
                a << static_cast<quint8>(r[1]);
            return a;
        }
        void takt() { QCoro::waitFor(k.harmonogram.takt()); }
    };

private Q_SLOTS:
    void idleTickOnlyUpdatesClockOncePerSecond()
    {
        Stanowisko s({5});
        QSignalSpy zegar(&s.k.harmonogram, &Harmonogram::zegarZmieniony);
        s.takt();
        s.t.zegarTestowy->przesun(100);
        s.takt();
        s.t.zegarTestowy->przesun(900);
        s.takt();
        QCOMPARE(zegar.size(), 2);
        QCOMPARE(zegar.first().first().toString(), QStringLiteral("10:00:00"));
        QCOMPARE(zegar.last().first().toString(), QStringLiteral("10:00:01"));
        QVERIFY(s.port->zapisane.isEmpty());
    }

    void queuedCommandsRunOnePerTickAfterPeriodicReadings()
    {
        Stanowisko s({5, 6});
        clRegulator &r6 = s.k.oRegulatory.Item(2);
        r6.NastepnyOdczyt = s.k.teraz(); // due now
        s.k.oKolejka.Add(1, polecenia::Blokuj{true});
        s.k.oKolejka.Add(2, polecenia::UstawPrzel{0xF9});

        s.takt();
        // The periodic reading of controller 6 first, then the oldest command.
        const QList<int> adresy = s.adresy();
        QVERIFY(!adresy.isEmpty());
        QCOMPARE(adresy.first(), 6);
        QCOMPARE(adresy.last(), 5);
        QCOMPARE(s.k.oKolejka.Count(), 1);
        QVERIFY(s.sterowniki[5].pamiec[0x2F] & 0x20);
        QVERIFY(!(s.sterowniki[6].pamiec[0x2F] & 0x20));

        s.port->zapisane.clear();
        s.takt();
        QCOMPARE(s.k.oKolejka.Count(), 0);
        QCOMPARE(s.sterowniki[6].pamiec[0x6A], 0x09); // the queued switch byte
        QVERIFY(!s.adresy().contains(5));
        // Every command leaves the polling timer running.
        QVERIFY(s.k.harmonogram.Timer1().isActive());
    }

    void monitoredControllersAreReadEveryTickInRegistryOrder()
    {
        Stanowisko s({5, 6, 7});
        s.k.oRegulatory.Item(1).Monitoring = true;
        s.k.oRegulatory.Item(3).Monitoring = true;
        QSignalSpy obrazy(&s.k.oWizual, &clsWizual::panelObraz);
        for (int i = 0; i < 2; ++i) {
            s.port->zapisane.clear();
            obrazy.clear();
            s.takt();
            QList<int> kolejnosc;
            for (int a : s.adresy())
                if (kolejnosc.isEmpty() || kolejnosc.last() != a)
                    kolejnosc << a;
            QCOMPARE(kolejnosc, (QList<int>{5, 7}));
            QList<QString> monitoring;
            for (const auto &o : std::as_const(obrazy))
                if (o.at(0).toInt() == 2)
                    monitoring << o.at(1).toString();
            QCOMPARE(monitoring, (QList<QString>{QStringLiteral("21"), QStringLiteral("20"), QStringLiteral("21"),
                                                 QStringLiteral("20")}));
        }
    }

    // While a tick waits for a slow answer the event loop runs; neither a
    // timer timeout nor a direct call may start a second tick then.
    void tickNeverRunsInsideAnotherTick()
    {
        Stanowisko s({5});
        s.k.oRegulatory.Item(1).Monitoring = true;
        s.port->odpowiedz(QByteArray("\xFF", 1), 300); // the first LED byte comes late
        auto pierwszy = s.k.harmonogram.takt();
        QVERIFY(s.k.harmonogram.wTakcie());
        QVERIFY(!s.k.harmonogram.Timer1().isActive()); // stopped for the exchange
        const int zapisane = static_cast<int>(s.port->zapisane.size());
        QCoro::waitFor(s.k.harmonogram.takt());
        QMetaObject::invokeMethod(&s.k.harmonogram.Timer1(), "timeout", Qt::DirectConnection);
        QCOMPARE(static_cast<int>(s.port->zapisane.size()), zapisane);
        QTRY_VERIFY_WITH_TIMEOUT(!s.k.harmonogram.wTakcie(), 20000);
        QVERIFY(pierwszy.isReady());
        QVERIFY(s.port->zapisane.size() > zapisane);
    }

    // A row with an address no frame can carry, a controller whose
    // operations throw, and a command for no controller cost only
    // themselves: the others are polled, the end events still come, the
    // operator hears of each failing one once.
    void badControllersNeverStopTheOthers()
    {
        Stanowisko s({300, 6, 7});
        for (const auto &r : s.k.oRegulatory) {
            r->NastepnyOdczyt = s.k.teraz(); // all due
            r->Monitoring = true;
        }
        s.k.oRegulatory.Item(2).Id = 99; // a number the line cannot resolve: every command throws
        for (int nr : {9, 1, 2, 3})
            s.k.oKolejka.Add(nr, polecenia::Blokuj{true});
        QSignalSpy obrazy(&s.k.oWizual, &clsWizual::panelObraz);
        QSignalSpy teksty(&s.k.oWizual, &clsWizual::panelTekst);

        for (int i = 0; i < 4; ++i)
            s.takt();
        QVERIFY(!s.adresy().isEmpty());
        for (int a : s.adresy())
            QCOMPARE(a, 7); // never 300 & 0xFF, never the throwing one
        QCOMPARE(s.k.oKolejka.Count(), 0);
        QVERIFY(s.sterowniki[7].pamiec[0x2F] & 0x20); // the last command still ran
        // Every start has its end: the monitoring picture and the activity text.
        QString monitoring;
        for (const auto &o : std::as_const(obrazy))
            if (o.at(0).toInt() == 2)
                monitoring += o.at(1).toString() + QLatin1Char(' ');
        QCOMPARE(monitoring, QStringLiteral("21 20 ").repeated(8));
        QCOMPARE(teksty.last().at(1).toString(), QString());
        QStringList bledy; // (the alarm journal has no database here: its messages are left out)
        for (const auto &m : std::as_const(s.t.komunikaty->pokazane))
            if (m.tekst.startsWith(QStringLiteral("Błąd obsługi")))
                bledy << m.tekst.section(QLatin1Char('\r'), 0, 0);
        QCOMPARE(bledy, QStringList{"Błąd obsługi regulatora 'K6':"});
    }

    // The stop wakes a tick that waits for an answer: it ends at once,
    // without counting the controller as silent, and nothing starts again.
    void stop_endsTheWaitingTickWithoutAlarmsOrRestart()
    {
        Stanowisko s({5});
        s.k.oRegulatory.Item(1).Monitoring = true;
        s.sterowniki[5].milczy = true;
        QSignalSpy obrazy(&s.k.oWizual, &clsWizual::panelObraz);
        auto takt = s.k.harmonogram.takt();
        QTRY_VERIFY(!s.port->zapisane.isEmpty()); // waiting for the first answer
        Start::zatrzymajPrace(s.k);
        QCoro::waitFor(s.k.harmonogram.koniecTaktu());
        QVERIFY(takt.isReady());
        QCOMPARE(s.k.listaAlarmow.Count(), 0);
        QVERIFY(s.t.komunikaty->pokazane.isEmpty());
        QCOMPARE(obrazy.last().at(1).toString(), clsWizual::obrazBezczynny()); // monitoring ended
        QVERIFY(!s.k.harmonogram.Timer1().isActive());
        const auto zapisane = s.port->zapisane.size();
        s.takt();
        QCOMPARE(s.port->zapisane.size(), zapisane);
    }

    // Timer2 and Timer3 run while an alarm waits for acknowledgement; they
    // blink and sound only while one is active.
    void alarmTimers_followTheAlarmCounts()
    {
        Stanowisko s({5});
        Harmonogram &h = s.k.harmonogram;
        ListaAlarmow &lista = s.k.listaAlarmow;
        lista.NowyAlarm(s.k.teraz(), 1, 100, QString());
        QVERIFY(h.Timer2().isActive() && h.Timer3().isActive());
        QVERIFY(s.k.oWizual.panel3MaObraz());
        QMetaObject::invokeMethod(&h.Timer2(), "timeout", Qt::DirectConnection);
        QVERIFY(!s.k.oWizual.panel3MaObraz());
        QMetaObject::invokeMethod(&h.Timer3(), "timeout", Qt::DirectConnection);
        QCOMPARE(s.t.dzwiek->zagrane, QStringList{QStringLiteral("alarm.wav")});

        lista.DezaktywujAlarm(1); // inactive but unacknowledged: running, silent
        QVERIFY(h.Timer2().isActive());
        const bool obraz = s.k.oWizual.panel3MaObraz();
        QMetaObject::invokeMethod(&h.Timer2(), "timeout", Qt::DirectConnection);
        QMetaObject::invokeMethod(&h.Timer3(), "timeout", Qt::DirectConnection);
        QCOMPARE(s.k.oWizual.panel3MaObraz(), obraz);
        QCOMPARE(s.t.dzwiek->zagrane.size(), 1);

        lista.Potwierdz(1);
        QVERIFY(!h.Timer2().isActive() && !h.Timer3().isActive());
        QVERIFY(!s.k.oWizual.panel3MaObraz());
    }
};

QTEST_GUILESS_MAIN(TestHarmonogram)
#include "tst_harmonogram.moc"
