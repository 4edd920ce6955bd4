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

QCoro::Task<bool> wykonaj(clsKolejka &q)
{
    const bool w = co_await q.Wykonaj();
    co_return w;
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
    void itemsKeepFieldsOrderAndKeys()
    {
        clsKolejka q;
        q.Add(1, QStringLiteral("Blokuj"));
        q.Add(2, QStringLiteral("UstawKondensator"), QVariantList{3, true, QVariant()}, 7, QStringLiteral("k"));
        q.Add(1, QStringLiteral("c"));
        QCOMPARE(q.Item(QStringLiteral("k")).NrRegul, 2);
        QCOMPARE(q.Item(2).Status, quint8(7));
        QCOMPARE(q.Item(2).Parametry.toList().at(0).toInt(), 3);
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, q.Add(1, QStringLiteral("b"), {}, 0, QStringLiteral("k")));
        QCOMPARE(polecenia(q),
                 (QStringList{QStringLiteral("Blokuj"), QStringLiteral("UstawKondensator"), QStringLiteral("c")}));

        q.Remove(QStringLiteral("k"));
        q.Remove(1);
        QCOMPARE(polecenia(q), QStringList{QStringLiteral("c")});
        q.Add(1, QStringLiteral("e"), {}, 0, QStringLiteral("k")); // the key is free again
        QCOMPARE(q.Item(QStringLiteral("k")).Polecenie, QStringLiteral("e"));

        QVERIFY_THROWS_EXCEPTION(std::out_of_range, q.Item(0));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, q.Item(QStringLiteral("x")));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, q.Remove(3));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, q.Remove(QStringLiteral("x")));
    }

    void wykonaj_runsTheOldestItemPerCall_oneThatThrowsIsRemoved()
    {
        clsKolejka q;
        QStringList wykonane;
        q.ustawWykonawce([&wykonane](clsPozKolejki p) { return wykonawca(std::move(p), &wykonane); });
        q.Add(9, QStringLiteral("zly"));
        q.Add(1, QStringLiteral("Blokuj"));
        q.Add(2, QStringLiteral("WczytajStanRegul"));
        QTest::ignoreMessage(QtWarningMsg, "queued command failed: no controller with this number");
        QCOMPARE(QCoro::waitFor(wykonaj(q)), false);
        QCOMPARE(wykonane, QStringList{QStringLiteral("zly")});
        QCOMPARE(polecenia(q), (QStringList{QStringLiteral("Blokuj"), QStringLiteral("WczytajStanRegul")}));
        QCoro::waitFor(wykonaj(q));
        QCoro::waitFor(wykonaj(q));
        QCOMPARE(QCoro::waitFor(wykonaj(q)), false); // empty: nothing runs
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
        wykonaj(q).then([&pierwszeSkonczone](bool) { pierwszeSkonczone = true; });
        // The first waits; meanwhile the queue is entered again.
        QCOMPARE(polecenia(q), QStringList{QStringLiteral("drugie")});
        QCoro::waitFor(wykonaj(q));
        QVERIFY(QTest::qWaitFor([&] { return pierwszeSkonczone; }, 5000));
        QCOMPARE(wykonane, (QStringList{QStringLiteral("drugie"), QStringLiteral("powoli")}));
        QCOMPARE(q.Count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestKolejka)
#include "tst_kolejka.moc"
