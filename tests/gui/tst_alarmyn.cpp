// The alarm board: rows and their looks through the life of an alarm, the
// acknowledgement by double click, and its place in the main window.
#include "alarms/fmalarmyn.h"
#include "alarms/listaalarmow.h"
#include "app/kontekst.h"
#include "testsupport.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <QTreeWidget>

class TestAlarmyN final : public QObject {
    Q_OBJECT

    std::unique_ptr<BazaTestowa> baza;
    std::unique_ptr<KontekstTestowy> kt;
    Kontekst &k() { return *kt->k; }
    const DataCzas czas = DataCzas::z(QDate(2026, 12, 5), QTime(10, 15, 30));

    static bool czerwony(const QTreeWidgetItem *w, int c) { return w->foreground(c).color() == QColor(255, 0, 0); }
    // Black, drawn ghosted.
    static bool wyszarzony(const QTreeWidgetItem *w, int c)
    {
        const QColor kol = w->foreground(c).color();
        return kol.red() == 0 && kol.green() == 0 && kol.blue() == 0 && kol.alpha() < 255;
    }
    static void dwuklik(QTreeWidget *lista, QTreeWidgetItem *w)
    {
        const QPoint p = lista->visualItemRect(w).center();
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, p);
        QTest::mouseDClick(lista->viewport(), Qt::LeftButton, {}, p);
    }
    QString kolumnaBazy(const char *kolumna, int id)
    {
        Rekordy rs;
        rs.Open(QStringLiteral("Alarmy"), k().cnBaza);
        rs.Find(QStringLiteral("Id_alarmu=") + QString::number(id));
        return rs.EOF_() ? QStringLiteral("?") : rs.pole(QString::fromLatin1(kolumna)).toString();
    }

private Q_SLOTS:
    void init()
    {
        baza = std::make_unique<BazaTestowa>();
        kt = std::make_unique<KontekstTestowy>();
        k().cnBaza.Open(baza->polaczenieTekst);
        k().oRegulatory.Add(1, QStringLiteral("R1"), QStringLiteral("R1")).Id = 1;
        k().oRegulatory.Add(2, QStringLiteral("R2"), QStringLiteral("R2")).Id = 2;
    }
    void cleanup()
    {
        kt.reset();
        baza.reset();
    }

    void boardLayout()
    {
        fmAlarmyN okno(k());
        QCOMPARE(okno.windowTitle(), QStringLiteral("Alarmy"));
        QVERIFY(!okno.windowIcon().isNull());
        QTreeWidget *l = okno.lstAlarmy();
        QCOMPARE(l->headerItem()->text(0), QStringLiteral("Czas"));
        QCOMPARE(l->headerItem()->text(1), QStringLiteral("Regulator"));
        QCOMPARE(l->headerItem()->text(2), QStringLiteral("Tresc alarmu"));
        QCOMPARE(l->columnWidth(0), 2200 / 15);
        QCOMPARE(l->columnWidth(1), 1000 / 15);
        QCOMPARE(l->columnWidth(2), 5200 / 15);
        for (int c = 3; c < l->columnCount(); ++c)
            QVERIFY(l->isColumnHidden(c));
        auto *legenda = okno.findChild<QGroupBox *>(QStringLiteral("fraLegenda"));
        QCOMPARE(legenda->title(), QStringLiteral("Legenda"));
        QStringList etykiety;
        for (QLabel *e : legenda->findChildren<QLabel *>())
            etykiety << e->text();
        QCOMPARE(etykiety, (QStringList{"aktywny, niepotwierdzony", "aktywny, potwierdzony",
                                        "nieaktywny, niepotwierdzony", "nieaktywny, potwierdzony"}));
    }

    void alarmLifeShowsInRowLooks()
    {
        fmAlarmyN okno(k());
        okno.show();
        QTreeWidget *l = okno.lstAlarmy();
        k().alarmy.NowyAlarm(czas, 2, 201, QStringLiteral("( 125.3 A)"));
        k().alarmy.NowyAlarm(czas.plusSekundy(5), 2, 201, QStringLiteral("( 130 A)")); // still active: no row
        QCOMPARE(l->topLevelItemCount(), 1);
        QTreeWidgetItem *w = l->topLevelItem(0);
        QCOMPARE(w->text(0), QStringLiteral("05/12/2026 10:15:30"));
        QCOMPARE(w->text(1), QStringLiteral("R2"));
        QCOMPARE(w->text(2), QStringLiteral("Przekroczona wartość prądu ( 125.3 A)"));
        QCOMPARE(w->text(3), QStringLiteral(" 2"));
        QCOMPARE(w->text(4), QStringLiteral(" 201"));
        QCOMPARE(w->text(6), QStringLiteral("A"));
        QCOMPARE(w->text(7), QStringLiteral("N"));
        const int id = w->text(8).trimmed().toInt();
        QVERIFY(id > 0);
        for (int c = 0; c < 3; ++c) {
            QVERIFY(czerwony(w, c));
            QVERIFY(w->font(c).bold());
        }

        // Ends before acknowledgement: black, ghosted, still bold.
        k().alarmy.DezaktywujAlarm(1);
        QCOMPARE(w->text(6), QStringLiteral("N"));
        for (int c = 0; c < 3; ++c) {
            QVERIFY(wyszarzony(w, c));
            QVERIFY(w->font(c).bold());
        }
        QCOMPARE(k().oApp.IloscNiePotwAlarmow, 1);

        // The operator acknowledges it by double click.
        dwuklik(l, w);
        QCOMPARE(w->text(7), QStringLiteral("T"));
        for (int c = 0; c < 3; ++c) {
            QVERIFY(wyszarzony(w, c));
            QVERIFY(!w->font(c).bold());
        }
        QCOMPARE(k().oApp.IloscNiePotwAlarmow, 0);
        QVERIFY(kolumnaBazy("Data_potw", id) != QString());
        QVERIFY(kolumnaBazy("Data_dezakt", id) != QString());
    }

    void acknowledgedWhileActiveStaysRedNotBold()
    {
        fmAlarmyN okno(k());
        okno.show();
        k().alarmy.NowyAlarm(czas, 1, 100, QString());
        k().alarmy.NowyAlarm(czas, 2, 202, QStringLiteral("( 400 V)"));
        QTreeWidget *l = okno.lstAlarmy();
        dwuklik(l, l->topLevelItem(1));
        QTreeWidgetItem *w = l->topLevelItem(1);
        QVERIFY(czerwony(w, 0));
        QVERIFY(!w->font(0).bold());
        QVERIFY(l->topLevelItem(0)->font(0).bold());
        QCOMPARE(k().oApp.IloscNiePotwAlarmow, 1);
        // A second double click changes nothing.
        dwuklik(l, w);
        QCOMPARE(k().oApp.IloscNiePotwAlarmow, 1);
    }

    void doubleClickOutsideRowsDoesNothing()
    {
        fmAlarmyN okno(k());
        okno.resize(755, 300);
        okno.show();
        QTreeWidget *l = okno.lstAlarmy();
        QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, QPoint(10, 10)); // empty list
        k().alarmy.NowyAlarm(czas, 1, 100, QString());
        QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, QPoint(10, l->viewport()->height() - 5));
        QCOMPARE(k().oApp.IloscNiePotwAlarmow, 1);
        QCOMPARE(l->topLevelItem(0)->text(7), QStringLiteral("N"));
    }

    void rowsRaisedBeforeTheBoardOpensAreShown()
    {
        k().alarmy.NowyAlarm(czas, 1, 100, QString());
        k().alarmy.NowyAlarm(czas, 2, 203, QStringLiteral("( 0.9)"));
        k().alarmy.DezaktywujAlarm(1);
        fmAlarmyN okno(k());
        QCOMPARE(okno.lstAlarmy()->topLevelItemCount(), 2);
        QVERIFY(wyszarzony(okno.lstAlarmy()->topLevelItem(0), 0));
        QVERIFY(czerwony(okno.lstAlarmy()->topLevelItem(1), 0));
    }

    void placedInTheFrameAndOnlyHiddenWhenClosed()
    {
        QMdiArea mdi;
        mdi.resize(1000, 700);
        mdi.show();
        auto *okno = new fmAlarmyN(k());
        QMdiSubWindow *ramka = mdi.addSubWindow(okno);
        ramka->show();
        QCOMPARE(ramka->geometry(), QRect(0, 5450 / 15, 11325 / 15, 1755 / 15));
        QCOMPARE(ramka->minimumSize(), QSize(11325 / 15, 1755 / 15));
        ramka->resize(300, 50);
        QVERIFY(ramka->width() >= 11325 / 15 && ramka->height() >= 1755 / 15);

        QPointer<fmAlarmyN> straz(okno);
        ramka->close();
        QVERIFY(!ramka->isVisible());
        QVERIFY(straz);
        QCOMPARE(mdi.subWindowList().size(), 1);
        k().alarmy.NowyAlarm(czas, 1, 100, QString());
        QCOMPARE(okno->lstAlarmy()->topLevelItemCount(), 1);
    }
};

QTEST_MAIN(TestAlarmyN)
#include "tst_alarmyn.moc"
