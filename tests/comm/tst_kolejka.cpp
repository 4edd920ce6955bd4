// The operator command queue.
#include "comm/clskolejka.h"

#include <QCoro/QCoroTimer>
#include <QTest>
#include <QTimer>

#include <stdexcept>

namespace {

QCoro::Task<void> zapamietaj(clsPozKolejki p, QStringList *wykonane)
{
    wykonane->append(p.Polecenie);
    co_return;
}

QCoro::Task<void> zawiedz(clsPozKolejki p, QStringList *wykonane)
{
    wykonane->append(p.Polecenie);
    if (p.Polecenie == QLatin1String("zly"))
        throw std::out_of_range("no controller with this number");
    co_return;
}

QCoro::Task<void> powoli(clsPozKolejki p, QStringList *wykonane)
{
    QTimer t;
    t.setSingleShot(true);
    t.start(100);
    co_await t;
    wykonane->append(p.Polecenie);
}

QCoro::Task<bool> wykonaj(clsKolejka &q)
{
    const bool w = co_await q.Wykonaj();
    co_return w;
}

} // namespace

class TestKolejka final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void addKeepsFieldsAndOrder()
    {
        clsKolejka q;
        q.Add(1, QStringLiteral("Blokuj"), true);
        q.Add(2, QStringLiteral("UstawKondensator"), QVariantList{3, true, QVariant()}, 7, QStringLiteral("k"));
        QCOMPARE(q.Count(), 2);
        QCOMPARE(q.Item(1).Polecenie, QStringLiteral("Blokuj"));
        QCOMPARE(q.Item(1).Parametry.toBool(), true);
        QCOMPARE(q.Item(1).Status, quint8(0));
        QCOMPARE(q.Item(QStringLiteral("k")).NrRegul, 2);
        QCOMPARE(q.Item(2).Status, quint8(7));
        QCOMPARE(q.Item(2).Parametry.toList().at(0).toInt(), 3);
        QStringList kolejnosc;
        for (const clsPozKolejki &p : q)
            kolejnosc.append(p.Polecenie);
        QCOMPARE(kolejnosc, (QStringList{QStringLiteral("Blokuj"), QStringLiteral("UstawKondensator")}));
    }

    void duplicateKeyIsRefusedAndMissingItemsRaise()
    {
        clsKolejka q;
        q.Add(1, QStringLiteral("a"), {}, 0, QStringLiteral("k"));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, q.Add(1, QStringLiteral("b"), {}, 0, QStringLiteral("k")));
        QCOMPARE(q.Count(), 1);
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, q.Item(0));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, q.Item(2));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, q.Item(QStringLiteral("x")));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, q.Remove(2));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, q.Remove(QStringLiteral("x")));
    }

    void removeByPositionOrKey()
    {
        clsKolejka q;
        q.Add(1, QStringLiteral("a"));
        q.Add(1, QStringLiteral("b"), {}, 0, QStringLiteral("kb"));
        q.Add(1, QStringLiteral("c"));
        q.Add(1, QStringLiteral("d"));
        q.Remove(QStringLiteral("kb"));
        q.Remove(1);
        QCOMPARE(q.Count(), 2);
        QCOMPARE(q.Item(1).Polecenie, QStringLiteral("c"));
        QCOMPARE(q.Item(2).Polecenie, QStringLiteral("d"));
        // The key is free again.
        q.Add(1, QStringLiteral("e"), {}, 0, QStringLiteral("kb"));
        QCOMPARE(q.Item(QStringLiteral("kb")).Polecenie, QStringLiteral("e"));
    }

    void wykonaj_runsTheOldestItemOnePerCall()
    {
        clsKolejka q;
        QStringList wykonane;
        q.ustawWykonawce([&wykonane](clsPozKolejki p) { return zapamietaj(std::move(p), &wykonane); });
        q.Add(1, QStringLiteral("Blokuj"));
        q.Add(1, QStringLiteral("Ustaw_przel"));
        q.Add(2, QStringLiteral("WczytajStanRegul"));
        QCOMPARE(QCoro::waitFor(wykonaj(q)), false);
        QCOMPARE(wykonane, QStringList{QStringLiteral("Blokuj")});
        QCOMPARE(q.Count(), 2);
        QCoro::waitFor(wykonaj(q));
        QCoro::waitFor(wykonaj(q));
        QCOMPARE(wykonane, (QStringList{QStringLiteral("Blokuj"), QStringLiteral("Ustaw_przel"),
                                        QStringLiteral("WczytajStanRegul")}));
        QCOMPARE(q.Count(), 0);
        QCOMPARE(QCoro::waitFor(wykonaj(q)), false);
        QCOMPARE(wykonane.size(), 3);
    }

    void wykonaj_failingItemIsRemovedAndTheNextRuns()
    {
        clsKolejka q;
        QStringList wykonane;
        q.ustawWykonawce([&wykonane](clsPozKolejki p) { return zawiedz(std::move(p), &wykonane); });
        q.Add(9, QStringLiteral("zly"));
        q.Add(1, QStringLiteral("dobry"));
        QTest::ignoreMessage(QtWarningMsg, "queued command failed: no controller with this number");
        QCOMPARE(QCoro::waitFor(wykonaj(q)), false);
        QCOMPARE(q.Count(), 1);
        QCoro::waitFor(wykonaj(q));
        QCOMPARE(wykonane, (QStringList{QStringLiteral("zly"), QStringLiteral("dobry")}));
        QCOMPARE(q.Count(), 0);
    }

    void wykonaj_itemLeavesTheQueueBeforeItRuns()
    {
        clsKolejka q;
        QStringList wykonane;
        q.ustawWykonawce([&wykonane](clsPozKolejki p) { return powoli(std::move(p), &wykonane); });
        q.Add(1, QStringLiteral("pierwsze"));
        q.Add(1, QStringLiteral("drugie"));
        bool pierwszeSkonczone = false;
        wykonaj(q).then([&pierwszeSkonczone](bool) { pierwszeSkonczone = true; });
        // The first waits; meanwhile the queue is entered again.
        QCOMPARE(q.Count(), 1);
        QCOMPARE(q.Item(1).Polecenie, QStringLiteral("drugie"));
        QCoro::waitFor(wykonaj(q));
        QVERIFY(QTest::qWaitFor([&] { return pierwszeSkonczone; }, 5000));
        QCOMPARE(wykonane.size(), 2);
        QVERIFY(wykonane.contains(QStringLiteral("pierwsze")));
        QVERIFY(wykonane.contains(QStringLiteral("drugie")));
        QCOMPARE(q.Count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestKolejka)
#include "tst_kolejka.moc"
