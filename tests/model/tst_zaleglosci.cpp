// Storing under bad conditions: a reading too soon after the last stored
// one waits for the next grid point.

#include "model/ladowanie.h"
#include "sterownik.h"

#include <QTest>

namespace
{

void ustawBajty(StanowiskoLinii &s, int od, const char *hex)
{
    const QByteArray b = QByteArray::fromHex(hex);
    for (int i = 0; i < b.size(); ++i)
        s.sterownik.blok[static_cast<std::size_t>(od + i)] = static_cast<quint8>(b[i]);
}

} // namespace

class TestZaleglosci final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
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
        ustawBajty(s, 12, "00071C");
        uruchom(r.OkresowyOdczyt(s.teraz()));
        const auto w = s.wiersze(QStringLiteral("Select EnCzynna, Data from Pomiary"));
        QCOMPARE(w.size(), 1);
        QCOMPARE(w[0][0].toFloat(), r.PradCzynny - 7000.0f);
        QCOMPARE(w[0][1].toString(), QStringLiteral("2026-12-05 10:15:00"));

        // A reading that falls exactly on a later grid point (10:30 missed)
        // is due again on the next tick: that second one is not stored.
        s.zegarTestowy->ustaw(DataCzas::zTekstu(QStringLiteral("2026-12-05 10:45:00")));
        ustawBajty(s, 12, "000E24");
        uruchom(r.OkresowyOdczyt(s.teraz()));
        QCOMPARE(r.NastepnyOdczyt, s.teraz());
        s.zegarTestowy->przesun(100);
        uruchom(r.OkresowyOdczyt(s.teraz()));
        QCOMPARE(s.wiersze(QStringLiteral("Select Data from Pomiary")).size(), 2);
        QCOMPARE(r.NastepnyOdczyt.tekstBazy(), QStringLiteral("2026-12-05 11:00:00"));
    }
};

QTEST_GUILESS_MAIN(TestZaleglosci)
#include "tst_zaleglosci.moc"
