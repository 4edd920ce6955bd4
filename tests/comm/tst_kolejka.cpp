// The operator command queue.
#include "comm/clskolejka.h"

#include <QCoro/QCoroTimer>
#include <QTest>
#include <QTimer>

namespace
{

// Runs an item; one for controller 7 first waits for the line.
QCoro::Task<void> wykonawca(clsPozKolejki p, QStringList *wykonane)
{
    if (p.NrRegul == 7) {
        QTimer t;
        t.setSingleShot(true);
        t.start(100);
        co_await t;
    }
    wykonane->append(nazwaPolecenia(p.polecenie) + QString::number(p.NrRegul));
}

QStringList wKolejce(const clsKolejka &q)
{
    QStringList wynik;
    for (const clsPozKolejki &p : q)
        wynik.append(nazwaPolecenia(p.polecenie) + QString::number(p.NrRegul));
    return wynik;
}

} // namespace

class TestKolejka final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void wykonaj_itemLeavesTheQueueBeforeItRuns()
    {
        clsKolejka q;
        QStringList wykonane;
        q.ustawWykonawce([&wykonane](clsPozKolejki p) { return wykonawca(std::move(p), &wykonane); });
        q.Add(7, polecenia::UstawPrzel{});
        q.Add(1, polecenia::UstawKondensator{});
        bool pierwszeSkonczone = false;
        q.Wykonaj().then([&pierwszeSkonczone](bool) { pierwszeSkonczone = true; });
        // The first waits; meanwhile the queue is entered again.
        QCOMPARE(wKolejce(q), QStringList{"UstawKondensator1"});
        QCoro::waitFor(q.Wykonaj());
        QVERIFY(QTest::qWaitFor([&] { return pierwszeSkonczone; }, 5000));
        QCOMPARE(wykonane, (QStringList{"UstawKondensator1", "Ustaw_przel7"}));
        QCOMPARE(q.Count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestKolejka)
#include "tst_kolejka.moc"
