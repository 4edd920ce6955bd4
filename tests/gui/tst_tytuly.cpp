// Titles as the window system shows them: on X11 a display name set on the
// application would be appended to every title ("Opcje programu — Tolvek").
// Runs on the xcb platform under a virtual X server (xvfb-run).
#include "admin/frmoptions.h"
#include "kontekstestowy.h"
#include "ui/main/komunikatyokna.h"
#include "ui/main/uruchomienie.h"

#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QTest>

class TestTytuly final : public QObject
{
    Q_OBJECT

    // The title the X server holds for the window (_NET_WM_NAME).
    static QString tytulX11(QWidget *okno)
    {
        QProcess xprop;
        xprop.start(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(okno->winId()),
                                              QStringLiteral("-notype"), QStringLiteral("_NET_WM_NAME")});
        if (!xprop.waitForFinished(10000))
            return QStringLiteral("<xprop failed>");
        // _NET_WM_NAME = "Opcje programu"
        const QString w = QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
        const qsizetype cudzyslow = w.indexOf(QLatin1Char('"'));
        return cudzyslow < 0 ? w : w.mid(cudzyslow + 1).chopped(1);
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs the xcb platform");
        nazwijAplikacje();
    }

    void dialogAndMessageTitles_areExactlyTheirOwn()
    {
        KontekstTestowy kt;
        Kontekst &k = *kt.k;
        frmOptions opcje(k.oApp, k.ustawienia(), k.komunikaty(), k.oWizual);
        opcje.show();
        QVERIFY(QTest::qWaitForWindowExposed(&opcje));
        QCOMPARE(opcje.windowTitle(), QStringLiteral("Opcje programu"));
        QCOMPARE(tytulX11(&opcje), QStringLiteral("Opcje programu"));

        KomunikatyOkna komunikaty;
        komunikaty.pokaz(QStringLiteral("Czy zakończyć działanie programu Tolvek?"), QStringLiteral("Koniec programu"),
                         Ikona::Pytanie);
        QMessageBox *m = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *b = qobject_cast<QMessageBox *>(w))
                m = b;
        QVERIFY(m);
        QVERIFY(QTest::qWaitForWindowExposed(m));
        QCOMPARE(m->windowTitle(), QStringLiteral("Koniec programu"));
        QCOMPARE(tytulX11(m), QStringLiteral("Koniec programu"));
    }
};

QTEST_MAIN(TestTytuly)
#include "tst_tytuly.moc"
