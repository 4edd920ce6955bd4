// The options dialog and the message boxes.
#include "admin/frmoptions.h"
#include "app/kontekst.h"
#include "platform/komunikatyokna.h"
#include "testsupport.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class TestDialogi final : public QObject
{
    Q_OBJECT

    std::unique_ptr<KontekstTestowy> kt;
    Kontekst &k() { return *kt->k; }
    QString zapisane(const char *sekcja, const char *klucz)
    {
        return kt->ustawienia->czytaj(QString::fromLatin1(sekcja), QString::fromLatin1(klucz), QStringLiteral("-"));
    }
    static void nacisnij(frmOptions &d, const char *przycisk)
    {
        d.findChild<QPushButton *>(QString::fromLatin1(przycisk))->click();
    }

private Q_SLOTS:
    void init()
    {
        kt = std::make_unique<KontekstTestowy>();
        k().oApp.WczytajOpcje(k().ustawienia());
    }
    void cleanup() { kt.reset(); }

    void options_cancelStoresNothing_applyStoresCurrentValues_passwordLockedOutsideControlMode()
    {
        k().oApp.nr_portu = 3;
        frmOptions d(k());
        d.show();
        auto *port = d.findChild<QComboBox *>(QStringLiteral("cmbPort"));
        QCOMPARE(port->currentText(), QStringLiteral("3"));
        auto *haslo = d.findChild<QLineEdit *>(QStringLiteral("txtHaslo"));
        QCOMPARE(haslo->text(), QStringLiteral("tuplak"));
        QCOMPARE(haslo->echoMode(), QLineEdit::Password);
        QVERIFY(!haslo->isEnabled());

        nacisnij(d, "cmdApply");
        QCOMPARE(zapisane("port", "nr_portu"), QStringLiteral("3"));
        QCOMPARE(zapisane("adm_haslo", "wartosc"), QStringLiteral("tuplak"));
        port->setEditText(QStringLiteral("2"));
        nacisnij(d, "cmdCancel");
        QVERIFY(!d.isVisible());
        QCOMPARE(zapisane("port", "nr_portu"), QStringLiteral("3"));
    }

    void newPasswordAndPort_holdNowAndAfterRestart()
    {
        k().oApp.TrybSterowania = true;
        frmOptions d(k());
        d.show();
        auto *haslo = d.findChild<QLineEdit *>(QStringLiteral("txtHaslo"));
        QVERIFY(haslo->isEnabled());
        haslo->setText(QStringLiteral("nowe"));
        d.findChild<QComboBox *>(QStringLiteral("cmbPort"))->setEditText(QStringLiteral(" 5 "));
        nacisnij(d, "cmdOK");
        QVERIFY(!d.isVisible());
        QCOMPARE(k().oApp.AdmHaslo, QStringLiteral("nowe"));
        QCOMPARE(k().oApp.nr_portu, 1); // the port in use until it is opened again

        clsoApp poRestarcie;
        poRestarcie.WczytajOpcje(k().ustawienia());
        QCOMPARE(poRestarcie.AdmHaslo, QStringLiteral("nowe"));
        QCOMPARE(poRestarcie.nr_portu, 5);
    }

    void portTextThatIsNoPortNumberIsRefused_data()
    {
        QTest::addColumn<QString>("tekst");
        QTest::newRow("letters") << "COM1";
        QTest::newRow("empty") << "";
        QTest::newRow("above a byte") << "256";
        QTest::newRow("negative") << "-1";
        QTest::newRow("fraction") << "1.5";
    }
    void portTextThatIsNoPortNumberIsRefused()
    {
        QFETCH(QString, tekst);
        frmOptions d(k());
        d.show();
        d.findChild<QComboBox *>(QStringLiteral("cmbPort"))->setEditText(tekst);
        nacisnij(d, "cmdOK");
        QVERIFY(d.isVisible());
        QCOMPARE(zapisane("port", "nr_portu"), QStringLiteral("-"));
        QCOMPARE(zapisane("adm_haslo", "wartosc"), QStringLiteral("-"));
        QCOMPARE(kt->komunikaty->informacje.size(), 1);
        QCOMPARE(kt->komunikaty->informacje.first().ikona, Ikona::Wykrzyknik);
        QVERIFY(kt->komunikaty->informacje.first().tekst.contains(QStringLiteral("255")));
    }

    void messageDoesNotWaitAndIsNotStacked()
    {
        QWidget rodzic;
        KomunikatyOkna m(&rodzic);
        const QString tekst = QStringLiteral("Błąd zapisu\rdrugi wiersz");
        m.pokaz(tekst, QStringLiteral("Tolvek"), Ikona::Krytyczna);
        m.pokaz(tekst, QStringLiteral("Tolvek"), Ikona::Krytyczna);
        QCOMPARE(m.otwarte(), 1);
        m.pokaz(tekst, QStringLiteral("Inny"), Ikona::Krytyczna);
        QCOMPARE(m.otwarte(), 2);
        const auto okna = rodzic.findChildren<QMessageBox *>();
        QCOMPARE(okna.size(), 2);
        QMessageBox *pierwsze = okna.first();
        QVERIFY(pierwsze->isVisible());
        QCOMPARE(pierwsze->windowModality(), Qt::NonModal);
        QCOMPARE(pierwsze->text(), QStringLiteral("Błąd zapisu\ndrugi wiersz"));
        QCOMPARE(pierwsze->icon(), QMessageBox::Critical);
        QVERIFY(QApplication::activeModalWidget() == nullptr);

        // Once read and closed, the same message may come again.
        pierwsze->button(QMessageBox::Ok)->click();
        QTRY_COMPARE(m.otwarte(), 1);
        m.pokaz(tekst, QStringLiteral("Tolvek"), Ikona::Krytyczna);
        QCOMPARE(m.otwarte(), 2);
    }

    void questionAnswersWithTheButtonPressed_data()
    {
        QTest::addColumn<int>("przycisk");
        QTest::addColumn<int>("odpowiedz");
        QTest::newRow("OK") << int(QMessageBox::Ok) << int(Odpowiedz::OK);
        QTest::newRow("Cancel") << int(QMessageBox::Cancel) << int(Odpowiedz::Anuluj);
    }
    void questionAnswersWithTheButtonPressed()
    {
        QFETCH(int, przycisk);
        QFETCH(int, odpowiedz);
        KomunikatyOkna m;
        QString tekst, anuluj;
        QMessageBox::Icon ikona = QMessageBox::NoIcon;
        // Presses the button once the box is up; the question waits for it.
        QTimer t;
        connect(&t, &QTimer::timeout, &t, [&] {
            if (auto *o = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                t.stop();
                tekst = o->text();
                ikona = o->icon();
                anuluj = o->button(QMessageBox::Cancel)->text();
                o->button(static_cast<QMessageBox::StandardButton>(przycisk))->click();
            }
        });
        t.start(10);
        const Odpowiedz o = m.pytaj(QStringLiteral("Czy zakończyć działanie programu Tolvek?"),
                                    QStringLiteral("Koniec programu"), Ikona::Pytanie);
        QCOMPARE(int(o), odpowiedz);
        QCOMPARE(tekst, QStringLiteral("Czy zakończyć działanie programu Tolvek?"));
        QCOMPARE(ikona, QMessageBox::Question);
        QCOMPARE(anuluj, QStringLiteral("Anuluj"));
    }
};

QTEST_MAIN(TestDialogi)
#include "tst_dialogi.moc"
