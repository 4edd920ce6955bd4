// The storing of a reading: one Pomiary row, the OstPomiar row of the
// address, the counters carried forward, and a failing storing reported.

#include "sterownik.h"

#include <QRegularExpression>
#include <QTest>

namespace
{

struct Zapis : StanowiskoModelu {
    clRegulator &r;
    Zapis() : r(rejestr.Add(5, QStringLiteral("K5"), QStringLiteral("K5"))) { r.Id = 1; }
    // A reading that started sekundTemu seconds before the clock's now and
    // whose controller counted dc seconds since the last stored one.
    void odczyt(int sekundTemu, int dc)
    {
        r.OstatniOdczyt = teraz().plusSekundy(-sekundTemu);
        r.TimerU = r.popTimerU + dc;
    }
    QList<QVariantList> ostatnie()
    {
        return wiersze(QStringLiteral("Select Adres, PopPradCzynny, PopPradBiernSr, PopPradBiernPojSr, PopTimerU, "
                                      "Czas from OstPomiar where Adres = 5"));
    }
};

} // namespace

class TestZapis final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void energies_differencesOrCounters_data()
    {
        // Before: active 100, reactive 60, capacitive -100, timer 100000.
        QTest::addColumn<int>("dc"); // the controller's seconds; the reading took 4
        QTest::addColumn<float>("czynny");
        QTest::addColumn<float>("poj");
        QTest::addColumn<QVariantList>("energie"); // EnCzynna, EnBiernaCalk, EnBiernaPoj
        QTest::addColumn<float>("tgFiOkres");
        QTest::newRow("interval far from 20 s: differences, tg fi 0.4")
            << 900 << 110.0f << -120.5f << QVariantList{10.0, 4.0, -20.5} << 0.4f;
        QTest::newRow("20 s apart: the counters themselves")
            << 24 << 150.5f << 7.5f << QVariantList{150.5, 64.0, 7.5} << 64.0f / 150.5f;
        QTest::newRow("21 s apart: differences") << 25 << 110.0f << -120.5f << QVariantList{10.0, 4.0, -20.5} << 0.4f;
        QTest::newRow("growing capacitive counter: 1") << 900 << 110.0f << -90.0f << QVariantList{10.0, 4.0, 1} << 0.4f;
        QTest::newRow("unchanged capacitive counter: 0")
            << 900 << 110.0f << -100.0f << QVariantList{10.0, 4.0, 0.0} << 0.4f;
        QTest::newRow("no active energy: tg fi 9.999")
            << 900 << 100.0f << -100.0f << QVariantList{0.0, 4.0, 0.0} << 9.999f;
    }

    void energies_differencesOrCounters()
    {
        QFETCH(int, dc);
        QFETCH(float, czynny);
        QFETCH(float, poj);
        QFETCH(QVariantList, energie);
        QFETCH(float, tgFiOkres);
        Zapis z;
        z.r.PopPradCzynny = 100;
        z.r.PopPradBiernSr = 60;
        z.r.PopPradBiernPojSr = -100;
        z.r.popTimerU = 100000;
        z.odczyt(4, dc);
        z.r.PradCzynny = czynny;
        z.r.PradBiernSr = 64;
        z.r.PradBiernPojSr = poj;
        z.r.Napiecie = 231.5f;
        z.r.PradBierny = 12.25f;
        z.r.PradCalk = 40.5f;
        z.r.Okres = 50;
        z.zapisRegulatorow.ZapiszDaneDB(z.r);

        const auto w = z.wiersze(QStringLiteral("Select EnCzynna, EnBiernaCalk, EnBiernaPoj, Adres, Data, Napiecie, "
                                                "PradBierny, PradCalk, Czestotliwosc from Pomiary"));
        QCOMPARE(w.size(), 1);
        QCOMPARE(w[0].mid(0, 3), energie);
        QCOMPARE(w[0].mid(3), (QVariantList{5, QStringLiteral("2026-12-05 09:59:56"), 231.5, 12.25, 40.5, 50.0}));
        QCOMPARE(z.r.TgFiOkres, tgFiOkres);
        QVERIFY(z.komunikaty.pokazane.isEmpty());
    }

    // Two controllers storing in turn, the second one's row first in the
    // table: each storing finds its own OstPomiar row from the first one,
    // wherever the other left the shared cursor, and carries its counters on.
    void twoControllersInTurn_eachOstPomiarRowCarriesItsLaterCounters()
    {
        Zapis z;
        clRegulator &drugi = z.rejestr.Add(6, QStringLiteral("K6"), QStringLiteral("K6"));
        drugi.Id = 2;
        z.baza.wykonaj(QStringLiteral("INSERT INTO OstPomiar (Adres, PopTimerU) VALUES (6, 1)"));
        for (int runda = 1; runda <= 3; ++runda) {
            z.zegarTestowy->przesun(15 * 60 * 1000);
            QList<QVariantList> oczekiwane;
            for (clRegulator *r : {&z.r, &drugi}) {
                const int n = runda * 10 + r->adres;
                r->OstatniOdczyt = z.teraz().plusSekundy(-3);
                r->TimerU = n * 100;
                r->PradCzynny = static_cast<float>(n) + 0.5f;
                r->PradBiernSr = static_cast<float>(-n);
                r->PradBiernPojSr = static_cast<float>(n) - 0.25f;
                z.zapisRegulatorow.ZapiszDaneDB(*r);
                oczekiwane << QVariantList{r->adres, n + 0.5, -n, n - 0.25, n * 100, r->OstatniOdczyt.tekstBazy()};
            }
            QCOMPARE(z.wiersze(QStringLiteral("Select Adres, PopPradCzynny, PopPradBiernSr, PopPradBiernPojSr, "
                                              "PopTimerU, Czas from OstPomiar order by Adres")),
                     oczekiwane);
        }
        QCOMPARE(z.r.popTimerU, 3500);
        QCOMPARE(z.r.PopPradBiernPojSr, 34.75f);
        QCOMPARE(z.wiersze(QStringLiteral("Select Adres from Pomiary")).size(), 6);
        QVERIFY(z.komunikaty.pokazane.isEmpty());
    }

    // The spool cannot take the reading (its disk): the operator is told,
    // and the record keeps the counters of the last reading the spool took,
    // so the next one stored covers the lost one's energy.
    void spoolThatRefuses_isReportedAndTheNextReadingCoversTheEnergy()
    {
        Zapis z;
        z.odczyt(2, 1000);
        z.r.PradCzynny = 4.5f;
        z.bufor.zamknij();
        z.zapisRegulatorow.ZapiszDaneDB(z.r);

        static const QRegularExpression tekst(QStringLiteral("^Błąd zapisu do bazy danych nr  ?-?\\d+\r'.*'$"),
                                              QRegularExpression::DotMatchesEverythingOption);
        QCOMPARE(z.komunikaty.pokazane.size(), 1);
        const auto &m = z.komunikaty.pokazane[0];
        QVERIFY2(tekst.match(m.tekst).hasMatch() && m.tytul == QStringLiteral("Tolvek") && m.ikona == Ikona::Brak,
                 qPrintable(m.tekst));
        QCOMPARE(z.zdarzenia.te("eZapisDB"), QStringList{"eZapisDB true"});
        QCOMPARE(z.r.PopPradCzynny, 0.0f);

        z.bufor.otworz(z.baza.katalog.filePath(QStringLiteral("bufor.sqlite")));
        z.odczyt(2, 1900);
        z.r.PradCzynny = 9.5f;
        z.zapisRegulatorow.ZapiszDaneDB(z.r);
        QCOMPARE(z.wiersze(QStringLiteral("Select EnCzynna from Pomiary")), QList<QVariantList>{{9.5}});
        QCOMPARE(z.komunikaty.pokazane.size(), 1);
    }
    // A station whose clock was put back behind its last storing stores the
    // next reading: the 25 s rule keeps out only readings just after one.
    void clockSetBackBehindTheLastStoring_readingIsStored()
    {
        StanowiskoLinii s;
        uruchom(s.odczyt.OkresowyOdczyt(s.r, s.teraz()));
        s.zegarTestowy->przesun(-3600 * 1000);
        s.r.NastepnyOdczyt = s.teraz();
        uruchom(s.odczyt.OkresowyOdczyt(s.r, s.teraz()));
        QCOMPARE(
            s.wiersze(QStringLiteral("Select Data from Pomiary order by Data")),
            (QList<QVariantList>{{QStringLiteral("2026-12-05 09:00:00")}, {QStringLiteral("2026-12-05 10:00:00")}}));
    }
};

QTEST_GUILESS_MAIN(TestZapis)
#include "tst_zapis.moc"
