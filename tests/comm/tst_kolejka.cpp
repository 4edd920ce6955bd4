// The operator command queue.
#include "comm/clskolejka.h"

#include <QCoro/QCoroTimer>
#include <QTest>
#include <QTimer>

#include <stdexcept>

namespace
{

// Runs an item: "zly" throws as a controller gone from the registry does,
// "powoli" first waits for the line.
QCoro::Task<void> wykonawca(clsPozKolejki p, QStringList *wykonane)
{
    if (p.Polecenie == QLatin1String("powoli")) {
        QTimer t;
        t.setSingleShot(true);
        t.start(100);
        co_await t;
    }
    wykonane->append(p.Polecenie);
    if (p.Polecenie == QLatin1String("zly"))
        throw std::out_of_range("no controller with this number");
}

QStringList polecenia(const clsKolejka &q)
{
    QStringList wynik;
    for (const clsPozKolejki &p : q)
        wynik.append(p.Polecenie);
    return wynik;
}

} // namespace

class TestKolejka final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void wykonaj_runsTheOldestItemPerCall_oneThatThrowsIsRemoved()
    {
        clsKolejka q;
        QStringList wykonane;
        q.ustawWykonawce([&wykonane](clsPozKolejki p) { return wykonawca(std::move(p), &wykonane); });
        q.Add(9, QStringLiteral("zly"));
        q.Add(1, QStringLiteral("Blokuj"));
        q.Add(2, QStringLiteral("WczytajStanRegul"));
        QTest::ignoreMessage(QtWarningMsg, "queued command failed: no controller with this number");
        QCOMPARE(QCoro::waitFor(q.Wykonaj()), false);
        QCOMPARE(wykonane, QStringList{QStringLiteral("zly")});
        QCOMPARE(polecenia(q), (QStringList{QStringLiteral("Blokuj"), QStringLiteral("WczytajStanRegul")}));
        QCoro::waitFor(q.Wykonaj());
        QCoro::waitFor(q.Wykonaj());
        QCOMPARE(QCoro::waitFor(q.Wykonaj()), false); // empty: nothing runs
        QCOMPARE(wykonane,
                 (QStringList{QStringLiteral("zly"), QStringLiteral("Blokuj"), QStringLiteral("WczytajStanRegul")}));
    }

    void wykonaj_itemLeavesTheQueueBeforeItRuns()
    {
        clsKolejka q;
        QStringList wykonane;
        q.ustawWykonawce([&wykonane](clsPozKolejki p) { return wykonawca(std::move(p), &wykonane); });
        q.Add(1, QStringLiteral("powoli"));
        q.Add(1, QStringLiteral("drugie"));
        bool pierwszeSkonczone = false;
        q.Wykonaj().then([&pierwszeSkonczone](bool) { pierwszeSkonczone = true; });
        // The first waits; meanwhile the queue is entered again.
        QCOMPARE(polecenia(q), QStringList{QStringLiteral("drugie")});
        QCoro::waitFor(q.Wykonaj());
        QVERIFY(QTest::qWaitFor([&] { return pierwszeSkonczone; }, 5000));
        QCOMPARE(wykonane, (QStringList{QStringLiteral("drugie"), QStringLiteral("powoli")}));
        QCOMPARE(q.Count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestKolejka)
#include "tst_kolejka.moc"
