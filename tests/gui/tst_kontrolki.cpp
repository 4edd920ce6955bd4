// The indicator widgets and the station's pictures.
#include "widgets/ctldioda.h"
#include "widgets/ctldioda3d.h"
#include "widgets/ctlprzel.h"
#include "widgets/ctlswitch.h"
#include "widgets/obrazysvg.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTest>

class TestKontrolki final : public QObject
{
    Q_OBJECT

    static QPixmap obraz(Qt::GlobalColor kolor)
    {
        QPixmap p(4, 4);
        p.fill(kolor);
        return p;
    }
    static void dwuklik(QWidget *w) { QTest::mouseDClick(w, Qt::LeftButton); }

private Q_SLOTS:
    void lamp_writingTheSameStateDoesNotRepaint_fillFollowsItsColours()
    {
        ctlDioda d;
        d.setZapalKolor(Qt::red);
        d.setZgasKolor(Qt::darkRed);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QCOMPARE(d.kolorWypelnienia(), QColor(Qt::darkRed));
        const int przed = d.malowania();
        d.setStan(true);
        QApplication::processEvents();
        QCOMPARE(d.malowania(), przed + 1);
        QCOMPARE(d.kolorWypelnienia(), QColor(Qt::red));
        d.setStan(true);
        QApplication::processEvents();
        QCOMPARE(d.malowania(), przed + 1);
    }

    void pictureLamp_emptyOrFalseShowsPicture1_selectionOnlyWhileEnabled()
    {
        ctlDioda3d d;
        d.setPicture1(obraz(Qt::black));
        d.setPicture2(obraz(Qt::green));
        d.show();
        d.setZapalona(true);
        QCOMPARE(d.Picture().cacheKey(), d.Picture2().cacheKey());
        d.setZapalona(QVariant());
        QCOMPARE(d.Picture().cacheKey(), d.Picture1().cacheKey());
        QVERIFY(!d.swieci());

        QTest::mouseClick(&d, Qt::LeftButton);
        QVERIFY(d.Selected());
        QTest::mouseClick(&d, Qt::LeftButton);
        QVERIFY(!d.Selected());
        d.setEnabled(false);
        QTest::mouseClick(&d, Qt::LeftButton);
        d.setSelected(true);
        QVERIFY(!d.Selected());
    }

    void selector_operatorChangeIsMarked_programWriteClearsIt()
    {
        ctlPrzel p;
        p.show();
        dwuklik(&p);
        QVERIFY(p.Value());
        QVERIFY(p.Zmieniony());
        p.setValue(true); // a refresh
        QVERIFY(!p.Zmieniony());
        // Space does what the double-click does, for the keyboard.
        QTest::keyClick(&p, Qt::Key_Space);
        QVERIFY(!p.Value());
        QVERIFY(p.Zmieniony());

        p.setValue(false);
        p.setEnabled(false);
        dwuklik(&p);
        QTest::keyClick(&p, Qt::Key_Space);
        QVERIFY(!p.Value());
        QVERIFY(!p.Zmieniony());
    }

    void switch_doubleClickFlipsItEvenWhenDisabled()
    {
        ctlSwitch s;
        s.setPicture1(obraz(Qt::white));
        s.setPicture2(obraz(Qt::black));
        s.show();
        s.setEnabled(false);
        dwuklik(&s);
        QVERIFY(s.Value());
        QCOMPARE(s.Picture().cacheKey(), s.Picture1().cacheKey());
    }

    void assistiveTechnologySeesAndTogglesTheState()
    {
        ctlPrzel p;
        ctlDioda3d d;
        p.show();
        d.show();
        QAccessibleInterface *ip = QAccessible::queryAccessibleInterface(&p);
        QAccessibleInterface *id = QAccessible::queryAccessibleInterface(&d);
        QVERIFY(ip && id);
        QCOMPARE(ip->role(), QAccessible::CheckBox);
        QCOMPARE(id->role(), QAccessible::Indicator);
        QVERIFY(!ip->state().checked);
        ip->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(p.Value() && p.Zmieniony());
        QVERIFY(ip->state().checked);
        d.setZapalona(true);
        QVERIFY(id->state().checked);
        QCOMPARE(id->text(QAccessible::Value), QStringLiteral("zapalona"));
    }

    // Every picture built in is a drawable SVG, drawn at the asked size and
    // sharp on a scaled screen. (The toolbar's pictures are checked on the
    // main window, in tst_wykresyraporty.)
    void builtInPictures_drawAtTheAskedSize()
    {
        for (int i = 1; i <= 6; ++i) // the trees' images; this also loads the resources
            QVERIFY(!ObrazySvg::obrazDrzewa(i).isNull());
        const QStringList pliki = QDir(QStringLiteral(":/obrazy")).entryList();
        QVERIFY(pliki.size() > 6);
        for (const QString &plik : pliki) {
            const QPixmap p = ObrazySvg::obraz(QFileInfo(plik).completeBaseName(), 16, 2.0);
            QVERIFY2(!p.isNull(), qPrintable(plik));
            QCOMPARE(p.size(), QSize(32, 32));
            QCOMPARE(p.deviceIndependentSize(), QSizeF(16, 16));
        }
    }
};

QTEST_MAIN(TestKontrolki)
#include "tst_kontrolki.moc"
