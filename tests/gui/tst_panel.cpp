// The front panel and the data window, over a registry of two controllers.
#include "app/clsoapp.h"
#include "comm/clskolejka.h"
#include "model/colregulatory.h"
#include "testsupport.h"
#include "views/fmpanel.h"
#include "views/frmdane.h"
#include "widgets/ctldioda3d.h"
#include "widgets/ctlprzel.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class TestPanel final : public QObject
{
    Q_OBJECT

    std::unique_ptr<colRegulatory> reg;
    clsoApp app;
    clsKolejka kolejka;

    clRegulator &r1() { return reg->Item(1); }
    static QList<bool> lampy(const fmpanel &p)
    {
        QList<bool> l;
        for (int i = 0; i < 9; ++i)
            l << p.ctlDioda1(i)->swieci();
        return l << p.ctlDiodaWyl()->swieci() << p.ctlDiodaZal()->swieci();
    }
    static QString przelaczniki(const fmpanel &p)
    {
        QString s;
        for (int i = 0; i < 12; ++i)
            s += p.ctlPrzel1(i)->Value() ? QLatin1Char('1') : QLatin1Char('0');
        return s;
    }
    const clsPozKolejki &ostatnie() const { return *std::prev(kolejka.end()); }

private Q_SLOTS:
    void init()
    {
        reg = std::make_unique<colRegulatory>();
        for (int i = 1; i <= 2; ++i)
            reg->Add(i, QStringLiteral("R%1").arg(i), QStringLiteral("R%1").arg(i)).Id = i;
        app = clsoApp();
        app.NrAktRegulatora = 1;
        kolejka = clsKolejka();
    }

    void refresh_decodesTheStateBytes_data()
    {
        QTest::addColumn<QByteArray>("stan"); // Diod1, Diod2, Diod3, Przel1, Display1..4
        QTest::addColumn<QList<bool>>("swieca");
        QTest::addColumn<QString>("pozycje");
        QTest::addColumn<QString>("wyswietlacz");
        const bool o = false, X = true;
        QTest::newRow("stage 1 only, switching off, 0.95")
            << QByteArray("\xFE\xFF\x80\x00\x00\x90\x50\xF0", 8) << QList<bool>{X, o, o, o, o, o, o, o, o, X, o}
            << "000000000000"
            << "0.95  ";
        QTest::newRow("stage 9 only, switching on, blank first digit")
            << QByteArray("\xFF\x7F\x40\x00\xA0\x10\x20\x30", 8) << QList<bool>{o, o, o, o, o, o, o, o, X, o, X}
            << "000000000000"
            << " .123 ";
        QTest::newRow("selector bits: 0 -> 11, 4 -> 3, 5 -> 2, 7 -> 0")
            << QByteArray("\xFF\xFF\xC0\xB1\x00\x00\x00\x00", 8) << QList<bool>{o, o, o, o, o, o, o, o, o, o, o}
            << "101100000001"
            << "0.000 ";
    }
    void refresh_decodesTheStateBytes()
    {
        QFETCH(QByteArray, stan);
        QFETCH(QList<bool>, swieca);
        QFETCH(QString, pozycje);
        QFETCH(QString, wyswietlacz);
        clsStan &s = r1().stan();
        const auto b = [&](int i) { return static_cast<std::uint8_t>(stan.at(i)); };
        s.StanDiod1 = b(0), s.StanDiod2 = b(1), s.StanDiod3 = b(2), s.StanPrzel1 = b(3);
        s.StanDisplay1 = b(4), s.StanDisplay2 = b(5), s.StanDisplay3 = b(6), s.StanDisplay4 = b(7);
        fmpanel p(*reg, app, kolejka);
        p.show();
        QCOMPARE(p.windowTitle(), QStringLiteral("Regulator 'R1'"));
        QCOMPARE(lampy(p), swieca);
        QCOMPARE(przelaczniki(p), pozycje);
        QCOMPARE(p.txtDisplay()->text(), wyswietlacz);
    }

    void operatorsSelectorChange_survivesRefreshesUntilSent_andOnlyForItsController()
    {
        r1().Zablokowany = true;
        r1().stan().StanPrzel1 = 0xFF;
        app.TrybSterowania = true;
        fmpanel p(*reg, app, kolejka);
        p.show();
        QVERIFY(p.ctlPrzel1(5)->isEnabled());
        QTest::mouseDClick(p.ctlPrzel1(5), Qt::LeftButton);
        r1().stan().StanPrzel2 = 0x01; // selector 4 on, 5 off in the controller
        r1().stan().StanPrzel1 = 0x00;
        p.OdswiezPanel();
        p.OdswiezPanel();
        QCOMPARE(przelaczniki(p), QStringLiteral("000011000000"));
        QVERIFY(p.ctlPrzel1(5)->Zmieniony());
        QCOMPARE(p.bajtPrzelacznikow(), 0x03);

        p.wyczyscZmienionePrzelaczniki(); // the setting went out
        p.OdswiezPanel();
        QCOMPARE(przelaczniki(p), QStringLiteral("000010000000"));

        // A change left pending on one controller is not carried to another.
        QTest::mouseDClick(p.ctlPrzel1(6), Qt::LeftButton);
        app.NrAktRegulatora = 2;
        p.OdswiezPanel();
        QCOMPARE(p.windowTitle(), QStringLiteral("Regulator 'R2'"));
        QCOMPARE(p.bajtPrzelacznikow(), 0);
        QVERIFY(!p.ctlPrzel1(6)->Zmieniony());
    }

    void blockingAndControlMode_decideWhatTheOperatorMayDo()
    {
        app.TrybSterowania = true;
        fmpanel p(*reg, app, kolejka);
        p.show();
        auto dostepne = [&p] {
            QString s;
            for (QWidget *w : {static_cast<QWidget *>(p.cmdUstaw()), static_cast<QWidget *>(p.cmdZalacz()),
                               static_cast<QWidget *>(p.ctlPrzel1(4)), static_cast<QWidget *>(p.ctlPrzel1(7)),
                               static_cast<QWidget *>(p.ctlPrzel1(3)), static_cast<QWidget *>(p.ctlPrzel1(8))})
                s += w->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
            return s;
        };
        QCOMPARE(p.cmdBlokuj()->text(), QStringLiteral("Zablokuj"));
        QCOMPARE(dostepne(), QStringLiteral("000000"));
        QVERIFY(p.cmdUstaw()->isVisible());

        p.UstawBlokade(true); // the hub's blocking notice
        QCOMPARE(p.cmdBlokuj()->text(), QStringLiteral("Odblokuj"));
        QCOMPARE(dostepne(), QStringLiteral("111100"));

        p.UstawTrybSterowania(false);
        QVERIFY(!p.cmdUstaw()->isVisible());
        // Blocking is a control action: not offered outside the control mode.
        QVERIFY(!p.cmdBlokuj()->isEnabled());
        p.UstawTrybSterowania(true);
        QVERIFY(p.cmdUstaw()->isVisible());
        QVERIFY(p.cmdBlokuj()->isEnabled());
    }

    void buttonsQueueTheirCommandsForTheCurrentController()
    {
        app.TrybSterowania = true;
        app.NrAktRegulatora = 2;
        fmpanel p(*reg, app, kolejka);
        p.show();
        p.cmdBlokuj()->click();
        const auto blokada = [this] { return std::get<polecenia::Blokuj>(ostatnie().polecenie).Blokada; };
        QVERIFY(ostatnie().NrRegul == 2 && blokada());
        reg->Item(2).Zablokowany = true;
        p.OdswiezPanel();
        p.cmdBlokuj()->click();
        QVERIFY(!blokada());
        reg->Item(2).stan().StanPrzel2 = 0x09; // switches 4 and 7 up
        p.OdswiezPanel();
        p.cmdUstaw()->click();
        QVERIFY(ostatnie().NrRegul == 2 && std::get<polecenia::UstawPrzel>(ostatnie().polecenie).bajt == 0x09);
        p.cmdZalacz()->click();
        QCOMPARE(kolejka.Count(), 3);
    }

    void formats_noMinusOnARoundedZero_localeSeparatorWithoutGrouping()
    {
        QCOMPARE(frmDane::formatuj(-0.0004, "0.000", QLocale::c()), "0.000");
        QCOMPARE(frmDane::formatuj(1234567.8915, "##########0.000", QLocale(QLocale::Polish)), "1234567,892");
    }

    void dataWindow_showsEachValueInItsRow_andQueuesAReadingNow()
    {
        QLocale::setDefault(QLocale::c());
        clRegulator &r = r1();
        r.PradCzynny = 1.5f, r.PradBiernSr = 10.5f, r.PradBiernPojSr = 12, r.TgFi = 0.4f;
        r.Napiecie = 399.6f, r.PradCalk = 0, r.PradBierny = 3.25f, r.Okres = 49.987f;
        frmDane d(*reg, app, kolejka);
        d.show();
        QStringList teksty;
        for (int i = 0; i < 8; ++i)
            teksty << d.txtDane(i)->text();
        QCOMPARE(teksty, (QStringList{"1.500", "-1.500", "12.000", "0.400", "400", "0.00", "3.25", "49.99"}));
        QCOMPARE(d.windowTitle(), QStringLiteral("Dane regulatora 'R1'"));

        d.cmdOdswiez()->click();
        QVERIFY(ostatnie().NrRegul == 1 && std::holds_alternative<polecenia::WczytajStanRegul>(ostatnie().polecenie));
        QVERIFY(d.cmdOdswiez()->isEnabled());
    }
};

QTEST_MAIN(TestPanel)
#include "tst_panel.moc"
