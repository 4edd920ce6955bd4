// The alarm archive over a real database file.
#include "alarms/fmalarmyarch.h"
#include "app/clsoapp.h"
#include "baza/polaczenie.h"
#include "model/colregulatory.h"
#include "testsupport.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

class TestArchiwum final : public QObject
{
    Q_OBJECT

    std::unique_ptr<BazaTestowa> baza;
    ZrodloBazy zrodlo;
    std::unique_ptr<colRegulatory> reg;
    clsoApp app;
    ZegarTestowy zegar;
    KomunikatyTestowe komunikaty;

    void alarm(const QString &kod, const QString &data, const QString &tresc,
               const QString &potw = QStringLiteral("NULL"))
    {
        QString k = kod;
        baza->wykonaj(QStringLiteral("INSERT INTO Alarmy (Data, Typ, Tresc, Kod_Regul, Data_potw) VALUES ('%1', 'R', "
                                     "'%2', '%3', %4)")
                          .arg(data, tresc, k.replace(QLatin1Char('\''), QStringLiteral("''")), potw));
    }
    std::unique_ptr<fmAlarmyArch> okno()
    {
        auto o = std::make_unique<fmAlarmyArch>(*reg, app, zrodlo, zegar, komunikaty);
        o->show();
        return o;
    }
    // Column texts of every row, "|" between columns.
    static QStringList wiersze(const fmAlarmyArch &o)
    {
        QStringList w;
        for (int i = 0; i < o.lstAlarmy()->topLevelItemCount(); ++i) {
            QStringList c;
            for (int k = 0; k < 5; ++k)
                c << o.lstAlarmy()->topLevelItem(i)->text(k);
            w << c.join(QLatin1Char('|'));
        }
        return w;
    }
    static void nacisnij(const fmAlarmyArch &o, const char *nazwa)
    {
        o.findChild<QAbstractButton *>(QString::fromLatin1(nazwa))->click();
    }

private Q_SLOTS:
    void init()
    {
        baza = std::make_unique<BazaTestowa>();
        zrodlo = ZrodloBazy::zTekstuPolaczenia(baza->polaczenieTekst);
        reg = std::make_unique<colRegulatory>();
        reg->Add(1, QStringLiteral("R1"), QStringLiteral("R1")).Id = 1;
        reg->Add(7, QStringLiteral("Hala 'B'"), QStringLiteral("Hala 'B'")).Id = 2;
        app = clsoApp();
        app.NrAktRegulatora = 2;
        komunikaty = KomunikatyTestowe();
        alarm(QStringLiteral("Hala 'B'"), QStringLiteral("2026-12-05 23:59:59"), QStringLiteral("tg fi"),
              QStringLiteral("'2026-12-06 00:02:00'"));
        alarm(QStringLiteral("Hala 'B'"), QStringLiteral("2026-12-06 00:00:00"), QStringLiteral("napięcie"));
        alarm(QStringLiteral("R1"), QStringLiteral("2026-12-05 12:00:00"), QStringLiteral("prąd"));
    }

    void opensOnTheCurrentControllerAndToday_withAnEmptyList()
    {
        auto o = okno();
        QCOMPARE(o->cmbRegul()->currentText(), QStringLiteral("Hala 'B'"));
        QCOMPARE(o->cmbRegul()->currentData().toInt(), 7);
        QCOMPARE(o->dtData()->date(), QDate(2026, 12, 5));
        QCOMPARE(o->lstAlarmy()->topLevelItemCount(), 0);
        o->dtData()->setDate(QDate(2026, 12, 6)); // by hand: loads nothing yet
        QCOMPARE(o->lstAlarmy()->topLevelItemCount(), 0);
    }

    void aDayIsFromItsMidnightToTheNext_andACodeWithApostrophesIsLookedUpAsItIs()
    {
        auto o = okno();
        nacisnij(*o, "cmdOdswiez");
        QTRY_COMPARE(wiersze(*o), QStringList{"05/12/26 23:59:59|Hala 'B'|tg fi|06/12/26 00:02:00|"});
        QTRY_VERIFY(o->findChild<QAbstractButton *>("btnPrawo")->isEnabled());
        nacisnij(*o, "btnPrawo");
        QCOMPARE(o->dtData()->date(), QDate(2026, 12, 6));
        QTRY_COMPARE(wiersze(*o), QStringList{"06/12/26 00:00:00|Hala 'B'|napięcie||"});
        QVERIFY(komunikaty.pokazane.isEmpty());
    }

    void stepsBackOverTheEndOfFebruary_andPastTheYear2029()
    {
        alarm(QStringLiteral("R1"), QStringLiteral("2026-02-28 08:00:00"), QStringLiteral("luty"));
        alarm(QStringLiteral("R1"), QStringLiteral("2031-01-10 08:00:00"), QStringLiteral("później"));
        app.NrAktRegulatora = 1;
        auto o = okno();
        o->dtData()->setDate(QDate(2026, 3, 1));
        nacisnij(*o, "btnLewo");
        QCOMPARE(o->dtData()->date(), QDate(2026, 2, 28));
        QTRY_COMPARE(o->lstAlarmy()->topLevelItemCount(), 1);
        QTRY_VERIFY(o->findChild<QAbstractButton *>("btnLewo")->isEnabled());
        o->dtData()->setDate(QDate(2031, 1, 10));
        QCoro::waitFor(o->WczytajAlarmy());
        QCOMPARE(o->lstAlarmy()->topLevelItemCount(), 1);
    }

    void savesTheListAsShown_asCsv()
    {
        alarm(QStringLiteral("Hala 'B'"), QStringLiteral("2026-12-05 10:00:00"), QStringLiteral("a; \"b\""));
        auto o = okno();
        QCoro::waitFor(o->WczytajAlarmy());
        const QString plik = baza->katalog.filePath(QStringLiteral("alarmy.csv"));
        QVERIFY(o->ZapiszCsv(plik));
        QFile f(plik);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bajty = f.readAll();
        QVERIFY(bajty.startsWith("\xEF\xBB\xBF")); // UTF-8 with its mark, for spreadsheets
        const QStringList linie = QString::fromUtf8(bajty.mid(3)).split(QStringLiteral("\r\n"));
        QCOMPARE(linie.size(), 4); // header, two rows, the empty rest after the last line end
        QVERIFY(linie.mid(1).contains(QStringLiteral("05/12/26 10:00:00;Hala 'B';\"a; \"\"b\"\"\";;")));

        // A file that cannot be written: the operator is told, nothing pretends to have worked.
        QVERIFY(!o->ZapiszCsv(baza->katalog.path()));
        QCOMPARE(komunikaty.informacje.size(), 1);
    }
};

QTEST_MAIN(TestArchiwum)
#include "tst_archiwum.moc"
