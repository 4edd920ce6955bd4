// The controller editor and its data class over a real database file and
// over the test run's PostgreSQL server.
#include "admin/frmregulatory.h"
#include "baza/bladbazy.h"
#include "db/clsregulatory.h"
#include "testsupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

Q_DECLARE_METATYPE(Silnik)

class TestEdytor final : public QObject
{
    Q_OBJECT

    std::unique_ptr<BazaTestowa> baza;
    KomunikatyTestowe komunikaty;

    QPointer<frmRegulatory> okno()
    {
        auto *o = new frmRegulatory(komunikaty, baza->polaczenieTekst);
        o->show();
        return o;
    }
    QList<QVariantList> wiersze(const QString &sql = QStringLiteral("SELECT Adres, Kod, Typ, CzestOdczytu FROM "
                                                                    "Regulatory ORDER BY rowid"))
    {
        Polaczenie cn;
        cn.Open(baza->polaczenieTekst);
        return wierszeZapytania(cn, sql);
    }
    // As typed: replaces the field's text through its editing, not setText.
    static void wpisz(QLineEdit *pole, const QString &tekst)
    {
        pole->selectAll();
        QTest::keyClick(pole, Qt::Key_Delete);
        QTest::sendKeyEvent(QTest::Click, pole, Qt::Key_unknown, tekst, Qt::NoModifier);
    }
    const KomunikatyTestowe::Wpis &ostatnia() const { return komunikaty.informacje.constLast(); }

private Q_SLOTS:
    void initTestCase_data()
    {
        QTest::addColumn<Silnik>("silnik");
        QTest::newRow("plik") << Silnik::SQLite;
        QTest::newRow("serwer") << Silnik::PostgreSQL;
    }
    void init()
    {
        QFETCH_GLOBAL(Silnik, silnik);
        POMIN_BEZ_SILNIKA(silnik);
        baza = std::make_unique<BazaTestowa>(silnik);
        baza->wykonaj({QStringLiteral("INSERT INTO Regulatory (Adres, Kod, Typ, CzestOdczytu) VALUES (1, 'R1', "
                                      "'regulator', 5)"),
                       QStringLiteral("INSERT INTO Regulatory (Adres, Kod, Typ) VALUES (2, 'R2', 'regulator')"),
                       QStringLiteral("INSERT INTO Regulatory (Adres, Kod, Typ) VALUES (3, 'Hala ''B''', "
                                      "'regulator')")});
        komunikaty = KomunikatyTestowe();
    }

    void newController_isWrittenWithItsType_thenTheWindowSaysWhenItCountsAndCloses()
    {
        auto o = okno();
        o->NowyRekord();
        QVERIFY(o->txtFields(0)->text().isEmpty());
        QCOMPARE(o->focusWidget(), o->txtFields(0));
        wpisz(o->txtFields(0), QStringLiteral("9"));
        wpisz(o->txtFields(12), QStringLiteral("Kotłownia"));
        wpisz(o->txtFields(10), QStringLiteral("15"));
        o->Command1()->click();
        QCOMPARE(wiersze().constLast(), (QVariantList{9, "Kotłownia", "regulator", 15}));
        QVERIFY(ostatnia().tekst.contains(QStringLiteral("ponownym uruchomieniu")));
        QTRY_VERIFY(!o);
    }

    void emptyCode_isRefusedBeforeAnythingIsWritten()
    {
        auto o = okno();
        o->NowyRekord();
        wpisz(o->txtFields(0), QStringLiteral("9"));
        wpisz(o->txtFields(12), QStringLiteral("   "));
        o->Command1()->click();
        QVERIFY(ostatnia().tekst.contains(QStringLiteral("Kod regulatora")));
        QCOMPARE(o->focusWidget(), o->txtFields(12));
        QCOMPARE(wiersze().size(), 3);
        QVERIFY(o->isVisible());
    }

    void addressThatCannotBePolled_isRefused_data()
    {
        QTest::addColumn<QString>("adres");
        QTest::addColumn<bool>("zapisano");
        QTest::newRow("above a byte") << "300" << false;
        QTest::newRow("negative") << "-1" << false;
        QTest::newRow("not a number") << "x1" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("the last address") << "255" << true;
    }
    void addressThatCannotBePolled_isRefused()
    {
        QFETCH(QString, adres);
        QFETCH(bool, zapisano);
        auto o = okno();
        o->EdytujRekord(2);
        wpisz(o->txtFields(0), adres);
        QCOMPARE(o->Zapisz(), zapisano);
        QCOMPARE(wiersze().at(1).at(0).toInt(), zapisano ? 255 : 2);
        if (!zapisano) {
            QVERIFY(ostatnia().tekst.contains(QStringLiteral("0 do 255")));
            QCOMPARE(o->focusWidget(), o->txtFields(0));
        }
    }

    // The measuring voltage is one of the three classes the station knows,
    // offered in a list; another value would read as zeros and is refused.
    void voltageClassOutsideTheKnownThree_isRefused()
    {
        auto o = okno();
        o->EdytujRekord(2);
        for (const char *klasa : {"400", "230", ""}) {
            wpisz(o->txtFields(13), QString::fromLatin1(klasa));
            QVERIFY(!o->Zapisz());
            QVERIFY2(ostatnia().tekst.contains(QStringLiteral("100, 380 lub 500 V")), qPrintable(ostatnia().tekst));
        }
        auto *lista = qobject_cast<QComboBox *>(o->txtFields(13)->parentWidget());
        QVERIFY(lista);
        lista->setCurrentIndex(lista->findText(QStringLiteral("100")));
        Q_EMIT lista->activated(lista->currentIndex()); // as picked from the list
        QVERIFY(o->Zapisz());
        QCOMPARE(wiersze(QStringLiteral("SELECT NapieciePomiar FROM Regulatory WHERE Adres = 2")),
                 QList<QVariantList>{{100}});
    }

    void databaseRefusals_areShownWithTheirReason_andTheInputStays_data()
    {
        QTest::addColumn<int>("pole");
        QTest::addColumn<QString>("tekst");
        QTest::addColumn<QString>("powod");
        QTest::newRow("text in a number") << 10 << "co 5"
                                          << "Częstość odczytu";
        QTest::newRow("fraction in a whole number") << 10 << "1,5"
                                                    << "liczby całkowite";
        QTest::newRow("beyond 16 bits") << 21 << "40000"
                                        << "Przekładnia napięciowa";
        QTest::newRow("a required value") << 10 << ""
                                          << "musi być wypełnione";
        QTest::newRow("a code already in use") << 12 << "R1"
                                               << "kodzie";
    }
    void databaseRefusals_areShownWithTheirReason_andTheInputStays()
    {
        QFETCH(int, pole);
        QFETCH(QString, tekst);
        QFETCH(QString, powod);
        auto o = okno();
        o->EdytujRekord(2);
        wpisz(o->txtFields(pole), tekst);
        QVERIFY(!o->Zapisz());
        QVERIFY2(ostatnia().tekst.contains(powod), qPrintable(ostatnia().tekst));
        QCOMPARE(ostatnia().ikona, Ikona::Brak);
        QCOMPARE(o->txtFields(pole)->text(), tekst);
        QCOMPARE(wiersze().at(1), (QVariantList{2, "R2", "regulator", 1}));
    }

    void numbersAreTakenWithEitherDecimalSeparator()
    {
        auto o = okno();
        o->EdytujRekord(1);
        wpisz(o->txtFields(19), QStringLiteral("0,25"));
        wpisz(o->txtFields(18), QStringLiteral("0.5"));
        QVERIFY(o->Zapisz());
        QCOMPARE(wiersze(QStringLiteral("SELECT ProgTgFiMin, ProgTgFi FROM Regulatory WHERE Adres = 1")).first(),
                 (QVariantList{0.25, 0.5}));
    }

    void findsTheRowOfAnAddress_fromTheFirstRow_orShowsNothingToEdit()
    {
        auto o = okno();
        o->EdytujRekord(3);
        QCOMPARE(o->txtFields(12)->text(), QStringLiteral("Hala 'B'"));
        o->EdytujRekord(1); // a row before the current one
        QCOMPARE(o->txtFields(12)->text(), QStringLiteral("R1"));
        QCOMPARE(o->txtFields(10)->text(), QStringLiteral("5"));
        o->EdytujRekord(99);
        QVERIFY(o->txtFields(12)->text().isEmpty());
        QVERIFY(!o->txtFields(12)->isEnabled());
        QVERIFY(!o->Command1()->isEnabled());
    }

    void keysMoveBetweenRows_butNotAwayFromWhatWasTyped()
    {
        auto o = okno();
        int sygnaly = 0;
        o->dane()->sygnal = [&sygnaly] { ++sygnaly; };
        QWidget *kod = o->txtFields(12);
        QTest::keyClick(kod, Qt::Key_Down);
        QCOMPARE(o->dane()->AbsolutePosition(), 2);
        QTest::keyClick(kod, Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(o->dane()->AbsolutePosition(), 3);
        QTest::keyClick(kod, Qt::Key_Down);
        QCOMPARE(o->dane()->AbsolutePosition(), 3);
        QCOMPARE(sygnaly, 1);
        QTest::keyClick(kod, Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(o->txtFields(12)->text(), QStringLiteral("R1"));

        wpisz(o->txtFields(15), QStringLiteral("opis"));
        QTest::keyClick(kod, Qt::Key_Down);
        QCOMPARE(o->dane()->AbsolutePosition(), 1);
        QCOMPARE(o->txtFields(15)->text(), QStringLiteral("opis"));

        QTest::keyClick(kod, Qt::Key_Escape); // closes, dropping the edit
        QTRY_VERIFY(!o);
        QVERIFY(wiersze(QStringLiteral("SELECT Opis FROM Regulatory WHERE Opis IS NOT NULL")).isEmpty());
    }

    void cursorPastTheEnds_andOnAnEmptyTable()
    {
        clsRegulatory d(baza->polaczenieTekst);
        int sygnaly = 0;
        d.sygnal = [&sygnaly] { ++sygnaly; };
        d.MovePrevious();
        QCOMPARE(d.AbsolutePosition(), 1);
        QCOMPARE(sygnaly, 1);
        d.MoveLast();
        d.Delete(); // the last row: nothing follows it
        QCOMPARE(d.RecordCount(), 2);
        QCOMPARE(d.AbsolutePosition(), 2);
        baza->wykonaj(QStringLiteral("DELETE FROM Regulatory"));
        // Removed by another program meanwhile: the save says so.
        d.ustawPole(QStringLiteral("Opis"), QStringLiteral("x"));
        QVERIFY_THROWS_EXCEPTION(BladBazy, d.Update());
        d.Requery();
        sygnaly = 0;
        d.MoveNext();
        d.MovePrevious();
        QCOMPARE(sygnaly, 0);
        QVERIFY(!d.maBiezacy());
    }
};

QTEST_MAIN(TestEdytor)
#include "tst_edytor.moc"
