// The spool under bad conditions: a database that is locked, deleted or
// refuses a row keeps everything in the spool, in order, until it can be
// stored; nothing is stored twice; the spool keeps inside its bound; a
// restart goes on from the spool's own counters.

#include "db/schemat.h"
#include "model/ladowanie.h"
#include "sterownik.h"

#include <QFile>
#include <QSqlQuery>
#include <QTest>

namespace
{

// Fifteen minutes (a grid point) later: the controller counted 900 s more and its total
// counter grew by `przyrost` raw units.
void nastepnyOdczyt(StanowiskoLinii &s, int przyrost)
{
    s.zegarTestowy->przesun(15 * 60 * 1000);
    auto &b = s.sterownik.blok;
    const int calk = (b[1] << 16 | b[2] << 8 | b[3]) + przyrost;
    const int czas = (b[12] << 16 | b[13] << 8 | b[14]) + 900;
    b[1] = calk >> 16 & 0xFF, b[2] = calk >> 8 & 0xFF, b[3] = calk & 0xFF;
    b[12] = czas >> 16 & 0xFF, b[13] = czas >> 8 & 0xFF, b[14] = czas & 0xFF;
    uruchom(s.odczyt.OkresowyOdczyt(s.r, s.teraz()));
}

// A crash between the database's commit and the spool's removal.
struct Zabity {
};

} // namespace

class TestZaleglosci final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Another program holds the database for two readings: both wait in the
    // spool, and once the lock is gone every interval is stored in order,
    // the energies adding up to the counters' growth.
    void lockedDatabase_readingsWaitInTheSpoolAndAreStoredInOrder()
    {
        StanowiskoLinii s;
        uruchom(s.odczyt.OkresowyOdczyt(s.r, s.teraz()));
        QCOMPARE(s.przekaz(), Przekazywanie::Wynik::Pusto);
        const float czynny0 = s.r.PradCzynny;
        Polaczenie inny;
        inny.otworzPlik(s.baza.sciezka, false);
        QVERIFY(QSqlQuery(inny.db()).exec(QStringLiteral("BEGIN EXCLUSIVE")));

        nastepnyOdczyt(s, 20000);
        nastepnyOdczyt(s, 30000);
        QCOMPARE(s.przekaz(), Przekazywanie::Wynik::Niedostepna);
        QCOMPARE(s.bufor.liczbaWpisow(), 2);
        QVERIFY(s.komunikaty.pokazane.isEmpty());
        QVERIFY(s.zdarzenia.te("eZapisDB").isEmpty());

        QVERIFY(QSqlQuery(inny.db()).exec(QStringLiteral("COMMIT")));
        nastepnyOdczyt(s, 40000);
        const auto w = s.wiersze(QStringLiteral("Select Data, EnCzynna from Pomiary order by Data"));
        QCOMPARE(w.size(), 4);
        QCOMPARE(w[3][0].toString(), QStringLiteral("2026-12-05 10:45:00"));
        QCOMPARE(w[1][1].toFloat() + w[2][1].toFloat() + w[3][1].toFloat(), s.r.PradCzynny - czynny0);
        QCOMPARE(s.wiersze(QStringLiteral("Select PopTimerU, Czas from OstPomiar")),
                 (QList<QVariantList>{{900 + 3 * 900, "2026-12-05 10:45:00"}}));
        QCOMPARE(s.bufor.liczbaWpisow(), 0);
    }

    // rm tolvek.mdb* and, right after, another program puts a new database
    // file there and keeps it open: nothing goes into the deleted file, the
    // new file's journal is left alone, and the waiting reading goes into
    // the new file once it has stayed unchanged for one look.
    void deletedFile_readingWaitsAndGoesIntoTheFileThatComesBack()
    {
        StanowiskoLinii s;
        uruchom(s.odczyt.OkresowyOdczyt(s.r, s.teraz()));
        QCOMPARE(s.przekaz(), Przekazywanie::Wynik::Pusto);
        const QString plik = s.baza.sciezka;
        for (const char *k : {"", "-wal", "-shm"})
            QFile::remove(plik + QLatin1String(k));
        Polaczenie nowy;
        nowy.otworzPlik(plik, true);
        for (const QString &sql : schematBazy())
            QVERIFY(QSqlQuery(nowy.db()).exec(sql));

        nastepnyOdczyt(s, 20000);
        QCOMPARE(s.przekaz(), Przekazywanie::Wynik::Niedostepna); // moved: closed
        QVERIFY(QFile::exists(plik + QStringLiteral("-wal")) && QFile::exists(plik + QStringLiteral("-shm")));
        QCOMPARE(s.przekaz(), Przekazywanie::Wynik::Niedostepna); // seen once
        QVERIFY(wierszeZapytania(nowy, QStringLiteral("Select 1 from Pomiary")).isEmpty());
        QCOMPARE(s.przekaz(), Przekazywanie::Wynik::Pusto); // unchanged since: taken
        QCOMPARE(wierszeZapytania(nowy, QStringLiteral("Select PopTimerU, Czas from OstPomiar")),
                 (QList<QVariantList>{{1800, "2026-12-05 10:15:00"}}));
    }

    // A row the database refuses for its content goes to quarantine, with
    // the reason, and the rest is forwarded; so does the later change of an
    // alarm whose row was refused. Put back once the cause is mended, both
    // are stored.
    void refusedRows_areQuarantinedAndTheRestForwarded()
    {
        StanowiskoModelu s;
        s.baza.wykonaj({QStringLiteral("CREATE TRIGGER odmowa BEFORE INSERT ON Pomiary WHEN NEW.Adres = 6 "
                                       "BEGIN SELECT RAISE(ABORT, 'adres 6 odrzucony'); END"),
                        QStringLiteral("CREATE TRIGGER odmowaAlarmu BEFORE INSERT ON Alarmy WHEN NEW.Tresc = 'zly' "
                                       "BEGIN SELECT RAISE(ABORT, 'alarm odrzucony'); END")});
        QStringList odlozone;
        s.przekaz(); // makes the forwarder
        s.b.przekazywanie->naKwarantanne = [&odlozone](const WpisBufora &, const QString &p) { odlozone << p; };
        WpisPomiaru w;
        for (int adres : {5, 6, 5}) {
            w.adres = adres;
            w.data = s.teraz().plusMinuty(w.timerU++);
            s.zapis.zapisz(w);
        }
        const std::int64_t zly = s.bd.ZapiszAlarm(s.teraz(), QStringLiteral("R"), QStringLiteral("zly"));
        s.bd.ZapiszAlarm(s.teraz(), QStringLiteral("R"), QStringLiteral("dobry"));
        s.bd.ModyfikujAlarm(zly, std::nullopt, s.teraz().plusMinuty(5));

        QCOMPARE(s.wiersze(QStringLiteral("Select Adres, PopTimerU from Pomiary join OstPomiar using (Adres)")),
                 (QList<QVariantList>{{5, 3}, {5, 3}}));
        QCOMPARE(s.wiersze(QStringLiteral("Select Tresc from Alarmy")), QList<QVariantList>{{"dobry"}});
        QCOMPARE(odlozone.size(), 3);
        QVERIFY(odlozone[0].contains(QStringLiteral("adres 6 odrzucony")));
        QCOMPARE(s.bufor.kwarantanna().size(), 3);
        QCOMPARE(s.bufor.liczbaWpisow(), 0);

        s.baza.wykonaj({QStringLiteral("DROP TRIGGER odmowa"), QStringLiteral("DROP TRIGGER odmowaAlarmu")});
        QCOMPARE(s.bufor.przywrocKwarantanne(), 3);
        QCOMPARE(s.wiersze(QStringLiteral("Select count(*) from Pomiary where Adres = 6")), QList<QVariantList>{{1}});
        QCOMPARE(s.wiersze(QStringLiteral("Select Data_dezakt from Alarmy where Tresc = 'zly'")),
                 QList<QVariantList>{{"2026-12-05 10:05:00"}});
        QVERIFY(s.bufor.kwarantanna().isEmpty());
    }

    // The bound: the oldest readings go, with a log line; alarm and Log rows
    // never. 80 % of the bound is reported.
    void bound_dropsTheOldestReadingsNeverAnAlarmOrLogRow()
    {
        DziennikTestowy dziennik;
        StanowiskoModelu s;
        const std::int64_t alarm = s.bd.ZapiszAlarm(s.teraz(), QStringLiteral("R"), QStringLiteral("a"));
        WpisPomiaru w;
        w.adres = 5;
        for (int i = 0; i < 10; ++i) {
            w.data = s.teraz().plusMinuty(i);
            s.zapis.zapisz(w);
        }
        s.bd.ZapiszDoLoga(QStringLiteral("Start aplikacji"), QStringLiteral("N"), QStringLiteral("L"));
        s.bd.ModyfikujAlarm(alarm, s.teraz(), std::nullopt);
        Przekazywanie p(s.bufor.sciezka(), s.b.zrodlo);
        int usuniete = 0;
        QString od, doCzasu;
        QCOMPARE(p.pilnujGranic({8, 1 << 30}, &usuniete, &od, &doCzasu), 100);
        QCOMPARE(usuniete, 2);
        QCOMPARE(od + QLatin1Char('/') + doCzasu, QStringLiteral("2026-12-05 10:00:00/2026-12-05 10:01:00"));
        QVERIFY(!dziennik.wpisy("tolvek.zapis").filter(QStringLiteral("dropped")).isEmpty());
        QCOMPARE(p.pilnujGranic({10, 1 << 30}), 80);

        QCOMPARE(s.wiersze(QStringLiteral("Select min(Data), count(*) from Pomiary")),
                 (QList<QVariantList>{{"2026-12-05 10:02:00", 8}}));
        QCOMPARE(s.wiersze(QStringLiteral("Select Data_potw from Alarmy")),
                 QList<QVariantList>{{"2026-12-05 10:00:00"}});
        QCOMPARE(s.wiersze(QStringLiteral("Select Operacja from Log")), QList<QVariantList>{{"Start aplikacji"}});
    }

    // Restarted before the spool was forwarded: the registry goes on from the
    // counters of the last reading the station took, not from the database's
    // older OstPomiar row, so no interval's energy is counted twice.
    void restartBeforeForwarding_goesOnFromTheSpoolsCounters()
    {
        StanowiskoModelu s;
        s.baza.wykonaj({QStringLiteral("INSERT INTO Regulatory (Adres, Kod, Typ) VALUES (5, 'K5', 'regulator')"),
                        QStringLiteral("INSERT INTO OstPomiar VALUES (5, 100, 50, 0, 900, '2026-12-05 09:45:00')")});
        WpisPomiaru w;
        w.adres = 5;
        w.data = s.teraz();
        w.pradCzynny = 130;
        w.timerU = 1800;
        s.zapis.zapisz(w);

        const DaneStartowe d = s.daneStartowe();
        colRegulatory rej;
        WczytajRegulatory(d.regulatory, zLicznikamiBufora(d.ostPomiar, s.bufor.ostatniePomiary()), rej, s.komunikaty);
        const clRegulator &r = rej.Item(1);
        QCOMPARE(r.PopPradCzynny, 130.0f);
        QCOMPARE(r.popTimerU, 1800);
        QCOMPARE(r.OstatniZapis, s.teraz());
    }

    // Restarted 10 s after the last stored reading: the counters agree with
    // the clock within 20 s, and storing now would write the cumulative
    // counters as one interval's energy.
    void quickRestart_readingWaitsForTheNextGridPoint()
    {
        StanowiskoLinii s;
        s.baza.wykonaj({QStringLiteral("INSERT INTO Regulatory (Adres, Kod, Typ, CzestOdczytu, NapieciePomiar, "
                                       "Przekladnia, PrzekladniaNap) VALUES (5, 'K5', 'regulator', 15, 380, 40, 1)"),
                        QStringLiteral("INSERT INTO OstPomiar VALUES (5, 7000, 5000, 0, 890, '2026-12-05 09:59:50')")});
        colRegulatory rej;
        const DaneStartowe d = s.daneStartowe();
        WczytajRegulatory(d.regulatory, d.ostPomiar, rej, s.komunikaty);
        clRegulator &r = *rej.znajdz(1);
        r.ProgNapiecie = r.ProgPrad = r.ProgTgFiMax = 1.0e9f;

        s.zegarTestowy->ustaw(DataCzas::zTekstu(QStringLiteral("2026-12-05 10:00:03")));
        uruchom(s.odczyt.OkresowyOdczyt(r, s.teraz())); // timer 900
        QCOMPARE(r.Napiecie, 230.0f);                   // read and decoded
        QCOMPARE(r.NastepnyOdczyt.tekstBazy(), QStringLiteral("2026-12-05 10:15:00"));
        QVERIFY(s.wiersze(QStringLiteral("Select Adres from Pomiary")).isEmpty());
        QCOMPARE(r.PopPradCzynny, 7000.0f);

        // At the grid point: the energy since 09:59:50, 930 counted seconds.
        s.zegarTestowy->ustaw(r.NastepnyOdczyt);
        s.ustawBlok(12, "00071C");
        uruchom(s.odczyt.OkresowyOdczyt(r, s.teraz()));
        const auto w = s.wiersze(QStringLiteral("Select EnCzynna, Data from Pomiary"));
        QCOMPARE(w.size(), 1);
        QCOMPARE(w[0][0].toFloat(), r.PradCzynny - 7000.0f);
        QCOMPARE(w[0][1].toString(), QStringLiteral("2026-12-05 10:15:00"));
    }
};

QTEST_GUILESS_MAIN(TestZaleglosci)
#include "tst_zaleglosci.moc"
