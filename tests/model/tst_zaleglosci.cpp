// Storing under bad conditions: a database locked by another program or a
// file deleted under the station keeps readings waiting in memory, in order,
// until they can be stored; a reading too soon after the last stored one
// waits for the next grid point.

#include "db/schemat.h"
#include "model/ladowanie.h"
#include "sterownik.h"

#include <QFile>
#include <QSqlQuery>
#include <QTest>

namespace
{

QList<QVariantList> pomiary(Polaczenie &cn)
{
    return wierszeZapytania(cn, QStringLiteral("Select Data, EnCzynna from Pomiary order by Data"));
}

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
    uruchom(s.r.OkresowyOdczyt(s.teraz()));
}

} // namespace

class TestZaleglosci final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Another program holds the database for two readings: both wait, the
    // operator is told once, and once the lock is gone every interval is
    // stored in order, the energies adding up to the counters' growth.
    void lockedDatabase_readingsWaitAndAreStoredInOrder()
    {
        StanowiskoLinii s;
        uruchom(s.r.OkresowyOdczyt(s.teraz()));
        const float czynny0 = s.r.PradCzynny;
        Polaczenie inny;
        inny.otworzPlik(s.baza.sciezka, false);
        QVERIFY(QSqlQuery(inny.db()).exec(QStringLiteral("BEGIN EXCLUSIVE")));

        nastepnyOdczyt(s, 20000);
        nastepnyOdczyt(s, 30000);
        QCOMPARE(pomiary(s.cnBaza).size(), 1);
        QCOMPARE(s.zapis.zalegle(), 2);
        QCOMPARE(s.komunikaty.pokazane.size(), 1);
        QVERIFY2(s.komunikaty.pokazane[0].tekst.startsWith(QStringLiteral("Błąd zapisu do bazy danych nr  5\r'")),
                 qPrintable(s.komunikaty.pokazane[0].tekst));
        QCOMPARE(s.zdarzenia.te("eZapisDB"), (QStringList{"eZapisDB true", "eZapisDB true"}));

        QVERIFY(QSqlQuery(inny.db()).exec(QStringLiteral("COMMIT")));
        nastepnyOdczyt(s, 40000);
        const auto w = pomiary(s.cnBaza);
        QCOMPARE(w.size(), 4);
        QCOMPARE(w[3][0].toString(), QStringLiteral("2026-12-05 10:45:00"));
        QCOMPARE(w[1][1].toFloat() + w[2][1].toFloat() + w[3][1].toFloat(), s.r.PradCzynny - czynny0);
        QCOMPARE(s.wiersze(QStringLiteral("Select PopTimerU, Czas from OstPomiar")),
                 (QList<QVariantList>{{900 + 3 * 900, "2026-12-05 10:45:00"}}));
        QCOMPARE(s.zapis.zalegle(), 0);
        QCOMPARE(s.komunikaty.pokazane.size(), 1);
    }

    void backlogBound_dropsTheOldestOfThatControllerOnly()
    {
        StanowiskoLinii s;
        Polaczenie inny;
        inny.otworzPlik(s.baza.sciezka, false);
        QVERIFY(QSqlQuery(inny.db()).exec(QStringLiteral("BEGIN EXCLUSIVE")));
        WpisPomiaru w;
        w.adres = 6;
        w.data = s.teraz();
        s.zapis.zapisz(w);
        w.adres = 5;
        for (int i = 0; i <= ZapisPomiarow::limitNaRegulator; ++i) {
            w.data = s.teraz().plusMinuty(i);
            s.zapis.zapisz(w);
        }
        QCOMPARE(s.zapis.zalegle(), 1 + ZapisPomiarow::limitNaRegulator);

        QVERIFY(QSqlQuery(inny.db()).exec(QStringLiteral("COMMIT")));
        s.zegarTestowy->przesun(ZapisPomiarow::ponowienieMs);
        for (int i = 0; i < 100 && s.zapis.zalegle() > 0; ++i)
            s.zapis.oproznij();
        QCOMPARE(s.zapis.zalegle(), 0);
        QCOMPARE(s.wiersze(QStringLiteral("Select count(*), min(Data) from Pomiary where Adres = 5")),
                 (QList<QVariantList>{{ZapisPomiarow::limitNaRegulator, "2026-12-05 10:01:00"}}));
        QCOMPARE(s.wiersze(QStringLiteral("Select count(*) from Pomiary where Adres = 6")), QList<QVariantList>{{1}});
    }

    // On a server: the row and its OstPomiar update in one transaction, and a
    // table locked by another session holds a reading up only as long as the
    // lock time-out, then the reading waits.
    void server_readingWaitsForALockedTable()
    {
        POMIN_BEZ_SILNIKA(Silnik::PostgreSQL);
        BazaTestowa baza(Silnik::PostgreSQL);
        ZegarTestowy zegar;
        KomunikatyTestowe komunikaty;
        Polaczenie cn;
        cn.ustawCzasOczekiwania(Polaczenie::czasOczekiwaniaStacjiMs);
        cn.Open(baza.polaczenieTekst);
        Rekordy rsPomiary, rsOstPomiar, rsRegulatory;
        rsPomiary.Open(QStringLiteral("Pomiary"), cn);
        rsOstPomiar.Open(QStringLiteral("OstPomiar"), cn);
        ZapisPomiarow zapis(cn, rsPomiary, rsOstPomiar, rsRegulatory, zegar, komunikaty);
        WpisPomiaru w;
        w.adres = 5;
        w.data = zegar.teraz();
        w.timerU = 900;
        QVERIFY(zapis.zapisz(w));

        Polaczenie inny;
        inny.Open(baza.polaczenieTekst);
        QSqlQuery blokada(inny.db());
        QVERIFY(blokada.exec(QStringLiteral("BEGIN")));
        QVERIFY(blokada.exec(QStringLiteral("LOCK TABLE pomiary IN EXCLUSIVE MODE")));
        w.data = zegar.teraz().plusMinuty(15);
        w.timerU = 1800;
        QVERIFY(!zapis.zapisz(w));
        QCOMPARE(zapis.zalegle(), 1);
        QVERIFY(blokada.exec(QStringLiteral("COMMIT")));
        zegar.przesun(ZapisPomiarow::ponowienieMs);
        zapis.oproznij();
        QCOMPARE(zapis.zalegle(), 0);
        QCOMPARE(wierszeZapytania(cn, QStringLiteral("Select count(*) from Pomiary")), QList<QVariantList>{{2}});
        QCOMPARE(wierszeZapytania(cn, QStringLiteral("Select PopTimerU from OstPomiar")), QList<QVariantList>{{1800}});
    }

    // rm tolvek.mdb* and, right after, another program puts a new database
    // file there and keeps it open: nothing more goes into the deleted file,
    // the new file's journal is left alone, and the waiting reading goes
    // into the new file once it has stayed unchanged for one look.
    void deletedFile_readingWaitsAndGoesIntoTheFileThatComesBack()
    {
        StanowiskoLinii s;
        uruchom(s.r.OkresowyOdczyt(s.teraz()));
        const QString plik = s.baza.sciezka;
        for (const char *k : {"", "-wal", "-shm"})
            QFile::remove(plik + QLatin1String(k));
        Polaczenie nowy;
        nowy.otworzPlik(plik, true);
        for (const QString &sql : schematBazy())
            QVERIFY(QSqlQuery(nowy.db()).exec(sql));

        nastepnyOdczyt(s, 20000);
        QVERIFY(!s.cnBaza.otwarte());
        QCOMPARE(s.zapis.zalegle(), 1);
        QVERIFY(s.komunikaty.pokazane.size() == 1 && s.komunikaty.pokazane[0].ikona == Ikona::Krytyczna);
        QVERIFY(QFile::exists(plik + QStringLiteral("-wal")) && QFile::exists(plik + QStringLiteral("-shm")));
        QVERIFY(pomiary(nowy).isEmpty());

        s.zapis.sprawdzPlik(); // seen once
        QVERIFY(!s.cnBaza.otwarte());
        s.zapis.sprawdzPlik(); // unchanged since: taken
        QVERIFY(s.cnBaza.otwarte());
        QCOMPARE(s.zapis.zalegle(), 0);
        QCOMPARE(pomiary(nowy).size(), 1);
        QCOMPARE(wierszeZapytania(nowy, QStringLiteral("Select PopTimerU, Czas from OstPomiar")),
                 (QList<QVariantList>{{1800, "2026-12-05 10:15:00"}}));
        QCOMPARE(s.komunikaty.pokazane.last().ikona, Ikona::Informacja);
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
        colRegulatory rej(&s.srodowisko);
        Rekordy rs;
        rs.Open(QStringLiteral("Regulatory"), s.cnBaza);
        WczytajRegulatory(rs, s.rsOstPomiar, rej, s.komunikaty);
        clRegulator &r = *rej.znajdz(1);
        r.ProgNapiecie = r.ProgPrad = r.ProgTgFiMax = 1.0e9f;

        s.zegarTestowy->ustaw(DataCzas::zTekstu(QStringLiteral("2026-12-05 10:00:03")));
        uruchom(r.OkresowyOdczyt(s.teraz())); // timer 900
        QCOMPARE(r.Napiecie, 230.0f);         // read and decoded
        QCOMPARE(r.NastepnyOdczyt.tekstBazy(), QStringLiteral("2026-12-05 10:15:00"));
        QVERIFY(s.wiersze(QStringLiteral("Select Adres from Pomiary")).isEmpty());
        QCOMPARE(r.PopPradCzynny, 7000.0f);
        QCOMPARE(s.wiersze(QStringLiteral("Select PopTimerU, Czas from OstPomiar")),
                 (QList<QVariantList>{{890, "2026-12-05 09:59:50"}}));

        // At the grid point: the energy since 09:59:50, 930 counted seconds.
        s.zegarTestowy->ustaw(r.NastepnyOdczyt);
        s.ustawBlok(12, "00071C");
        uruchom(r.OkresowyOdczyt(s.teraz()));
        const auto w = s.wiersze(QStringLiteral("Select EnCzynna, Data from Pomiary"));
        QCOMPARE(w.size(), 1);
        QCOMPARE(w[0][0].toFloat(), r.PradCzynny - 7000.0f);
        QCOMPARE(w[0][1].toString(), QStringLiteral("2026-12-05 10:15:00"));
    }
};

QTEST_GUILESS_MAIN(TestZaleglosci)
#include "tst_zaleglosci.moc"
