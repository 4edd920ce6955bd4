// The options dialog and the message boxes.
#include "admin/frmoptions.h"
#include "app/kontekst.h"
#include "platform/komunikatyokna.h"
#include "testsupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

namespace {
QString &podpisAnuluj()
{
    static QString p;
    return p;
}

// Presses a button of the next modal message box once it is up.
void odpowiedzNaOkno(QMessageBox::StandardButton przycisk, QString *tekst = nullptr, QString *tytul = nullptr,
                     QMessageBox::Icon *ikona = nullptr)
{
    auto *t = new QTimer;
    t->setInterval(10);
    QObject::connect(t, &QTimer::timeout, [=] {
        auto *m = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!m)
            return;
        t->stop();
        t->deleteLater();
        if (tekst)
            *tekst = m->text();
        if (tytul)
            *tytul = m->windowTitle();
        if (ikona)
            *ikona = m->icon();
        if (QAbstractButton *anuluj = m->button(QMessageBox::Cancel))
            podpisAnuluj() = anuluj->text();
        m->button(przycisk)->click();
    });
    t->start();
}
} // namespace

class TestDialogi final : public QObject {
    Q_OBJECT

    std::unique_ptr<KontekstTestowy> kt;
    Kontekst &k() { return *kt->k; }
    QString zapisane(const char *sekcja, const char *klucz)
    {
        return kt->ustawienia->czytaj(QString::fromLatin1(sekcja), QString::fromLatin1(klucz), QStringLiteral("-"));
    }

private Q_SLOTS:
    void init()
    {
        kt = std::make_unique<KontekstTestowy>();
        k().oApp.WczytajOpcje(k().ustawienia());
    }
    void cleanup() { kt.reset(); }

    void optionsShowCurrentValuesAndLockPasswordOutsideControlMode()
    {
        k().oApp.nr_portu = 3;
        frmOptions d(k());
        QCOMPARE(d.windowTitle(), QStringLiteral("Opcje programu"));
        auto *tabs = d.findChild<QTabWidget *>(QStringLiteral("tbsOptions"));
        QCOMPARE(tabs->count(), 1);
        QCOMPARE(tabs->tabText(0), QStringLiteral("Ustawienia ogólne"));
        auto *port = d.findChild<QComboBox *>(QStringLiteral("cmbPort"));
        QVERIFY(port->isEditable());
        QCOMPARE(port->count(), 2);
        QCOMPARE(port->itemText(0), QStringLiteral("1"));
        QCOMPARE(port->itemText(1), QStringLiteral("2"));
        QCOMPARE(port->currentText(), QStringLiteral("3"));
        auto *haslo = d.findChild<QLineEdit *>(QStringLiteral("txtHaslo"));
        QCOMPARE(haslo->text(), QStringLiteral("tuplak"));
        QCOMPARE(haslo->echoMode(), QLineEdit::Password);
        QVERIFY(!haslo->isEnabled());
        QCOMPARE(d.findChild<QCheckBox *>(QStringLiteral("chkDzwieki"))->text(), QStringLiteral("sygnalizacja dźwiękowa"));
        QCOMPARE(d.findChild<QPushButton *>(QStringLiteral("cmdApply"))->text(), QStringLiteral("&Zastosuj"));

        // Apply stores the port and the unchanged password again.
        d.findChild<QPushButton *>(QStringLiteral("cmdApply"))->click();
        QCOMPARE(zapisane("port", "nr_portu"), QStringLiteral("3"));
        QCOMPARE(zapisane("adm_haslo", "wartosc"), QStringLiteral("tuplak"));
    }

    void newPasswordHoldsNowAndAfterRestart()
    {
        k().oApp.TrybSterowania = true;
        frmOptions d(k());
        d.show();
        auto *haslo = d.findChild<QLineEdit *>(QStringLiteral("txtHaslo"));
        QVERIFY(haslo->isEnabled());
        haslo->setText(QStringLiteral("nowe"));
        d.findChild<QComboBox *>(QStringLiteral("cmbPort"))->setEditText(QStringLiteral(" 5 "));
        d.findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
        QVERIFY(!d.isVisible());
        QCOMPARE(k().oApp.AdmHaslo, QStringLiteral("nowe"));
        QCOMPARE(zapisane("port", "nr_portu"), QStringLiteral("5"));
        // Port in use stays as it was until the port is opened again.
        QCOMPARE(k().oApp.nr_portu, 1);

        clsoApp poRestarcie;
        poRestarcie.WczytajOpcje(k().ustawienia());
        QCOMPARE(poRestarcie.AdmHaslo, QStringLiteral("nowe"));
        QCOMPARE(poRestarcie.nr_portu, 5);
    }

    void cancelStoresNothing()
    {
        frmOptions d(k());
        d.show();
        d.findChild<QComboBox *>(QStringLiteral("cmbPort"))->setEditText(QStringLiteral("2"));
        d.findChild<QPushButton *>(QStringLiteral("cmdCancel"))->click();
        QVERIFY(!d.isVisible());
        QCOMPARE(zapisane("port", "nr_portu"), QStringLiteral("-"));
        QCOMPARE(zapisane("adm_haslo", "wartosc"), QStringLiteral("-"));
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
        d.findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
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
        m.pokaz(QStringLiteral("Błąd zapisu\rdrugi wiersz"), QStringLiteral("Tolvek"), Ikona::Krytyczna);
        m.pokaz(QStringLiteral("Błąd zapisu\rdrugi wiersz"), QStringLiteral("Tolvek"), Ikona::Krytyczna);
        QCOMPARE(m.otwarte(), 1);
        m.pokaz(QStringLiteral("Błąd zapisu\rdrugi wiersz"), QStringLiteral("Inny"), Ikona::Krytyczna);
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
        m.pokaz(QStringLiteral("Błąd zapisu\rdrugi wiersz"), QStringLiteral("Tolvek"), Ikona::Krytyczna);
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
        QString tekst, tytul;
        QMessageBox::Icon ikona = QMessageBox::NoIcon;
        odpowiedzNaOkno(static_cast<QMessageBox::StandardButton>(przycisk), &tekst, &tytul, &ikona);
        const Odpowiedz o = m.pytaj(QStringLiteral("Czy zakończyć działanie programu Tolvek?"),
                                    QStringLiteral("Koniec programu"), Ikona::Pytanie);
        QCOMPARE(int(o), odpowiedz);
        QCOMPARE(tekst, QStringLiteral("Czy zakończyć działanie programu Tolvek?"));
        QCOMPARE(tytul, QStringLiteral("Koniec programu"));
        QCOMPARE(ikona, QMessageBox::Question);
        QCOMPARE(podpisAnuluj(), QStringLiteral("Anuluj"));
    }

    void informationWaitsForOk()
    {
        KomunikatyOkna m;
        QMessageBox::Icon ikona = QMessageBox::Critical;
        QString tekst;
        odpowiedzNaOkno(QMessageBox::Ok, &tekst, nullptr, &ikona);
        m.informuj(QStringLiteral("Błędne hasło lub nazwa użytkownika"), QStringLiteral("Logowanie"), Ikona::Brak);
        QCOMPARE(tekst, QStringLiteral("Błędne hasło lub nazwa użytkownika"));
        QCOMPARE(ikona, QMessageBox::NoIcon);
    }
};

QTEST_MAIN(TestDialogi)
#include "tst_dialogi.moc"
