// The alarm board: rows and their looks through the life of an alarm and
// the acknowledgement by double click.
#include "alarms/fmalarmyn.h"
#include "app/kontekst.h"
#include "kontekstestowy.h"
#include "model/listaalarmow.h"

#include <QTest>
#include <QTreeWidget>

class TestAlarmyN final : public QObject
{
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
    static void wyglad(const QTreeWidgetItem *w, bool aktywny, bool pogrubiony)
    {
        for (int c = 0; c < 3; ++c) {
            QVERIFY(aktywny ? czerwony(w, c) : wyszarzony(w, c));
            QCOMPARE(w->font(c).bold(), pogrubiony);
        }
    }
    static void dwuklik(QTreeWidget *lista, QTreeWidgetItem *w)
    {
        const QPoint p = lista->visualItemRect(w).center();
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, p);
        QTest::mouseDClick(lista->viewport(), Qt::LeftButton, {}, p);
    }
private Q_SLOTS:
    void init()
    {
        baza = std::make_unique<BazaTestowa>();
        kt = std::make_unique<KontekstTestowy>();
        k().bufor.otworz(baza->katalog.filePath(QStringLiteral("bufor.sqlite")));
        k().oRegulatory.Add(1, QStringLiteral("R1"), QStringLiteral("R1")).Id = 1;
        k().oRegulatory.Add(2, QStringLiteral("R2"), QStringLiteral("R2")).Id = 2;
    }
    void cleanup()
    {
        kt.reset();
        baza.reset();
    }

    // Active alarms are red, ended ones ghosted black; bold until
    // acknowledged, which a double click on the row does. (The states, counts
    // and journal dates themselves are tst_listaalarmow's.)
    void rowsLookByStateAndDoubleClickAcknowledges()
    {
        fmAlarmyN okno(k().listaAlarmow);
        okno.show();
        QTreeWidget *l = okno.lstAlarmy();
        k().listaAlarmow.NowyAlarm(czas, 1, 100, QString());
        k().listaAlarmow.NowyAlarm(czas, 2, 201, QStringLiteral("( 125.3 A)"));
        QCOMPARE(l->topLevelItemCount(), 2);
        QTreeWidgetItem *a = l->topLevelItem(0), *b = l->topLevelItem(1);
        QCOMPARE(b->text(0), QStringLiteral("05/12/2026 10:15:30"));
        QCOMPARE(b->text(1), QStringLiteral("R2"));
        QCOMPARE(b->text(2), QStringLiteral("Przekroczona wartość prądu ( 125.3 A)"));
        wyglad(b, true, true);

        dwuklik(l, b); // acknowledged while active: still red, no longer bold
        wyglad(b, true, false);
        QCOMPARE(b->text(7), QStringLiteral("T"));
        dwuklik(l, b);                       // a second double click changes nothing
        k().listaAlarmow.DezaktywujAlarm(1); // ended, not acknowledged: ghosted, still bold
        wyglad(a, false, true);
        QCOMPARE(a->text(6), QStringLiteral("N"));
        dwuklik(l, a);
        k().listaAlarmow.DezaktywujAlarm(2);
        wyglad(a, false, false);
        wyglad(b, false, false);
        QCOMPARE(k().listaAlarmow.IloscNiePotwAlarmow(), 0);
    }

    void doubleClickOutsideRowsDoesNothing()
    {
        fmAlarmyN okno(k().listaAlarmow);
        okno.resize(755, 300);
        okno.show();
        QTreeWidget *l = okno.lstAlarmy();
        QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, QPoint(10, 10)); // empty list
        k().listaAlarmow.NowyAlarm(czas, 1, 100, QString());
        QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, QPoint(10, l->viewport()->height() - 5));
        QCOMPARE(k().listaAlarmow.IloscNiePotwAlarmow(), 1);
        QCOMPARE(l->topLevelItem(0)->text(7), QStringLiteral("N"));
    }

    void rowsRaisedBeforeTheBoardOpensAreShown()
    {
        k().listaAlarmow.NowyAlarm(czas, 1, 100, QString());
        k().listaAlarmow.NowyAlarm(czas, 2, 203, QStringLiteral("( 0.9)"));
        k().listaAlarmow.DezaktywujAlarm(1);
        fmAlarmyN okno(k().listaAlarmow);
        QCOMPARE(okno.lstAlarmy()->topLevelItemCount(), 2);
        QVERIFY(wyszarzony(okno.lstAlarmy()->topLevelItem(0), 0));
        QVERIFY(czerwony(okno.lstAlarmy()->topLevelItem(1), 0));
    }
};

QTEST_MAIN(TestAlarmyN)
#include "tst_alarmyn.moc"
