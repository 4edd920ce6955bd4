// The options and login dialogs and the message boxes.
#include "admin/fmlogin.h"
#include "admin/frmoptions.h"
#include "app/kontekst.h"
#include "kontekstestowy.h"
#include "platform/ustawieniahaslo.h"
#include "ui/main/komunikatyokna.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>

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

    void options_cancelStoresNothing_applyStoresCurrentValues_passwordFollowsControlModeWhileOpen()
    {
        k().oApp.nr_portu = 3;
        const QString wUzyciu = k().oApp.AdmHaslo;
        frmOptions d(k().oApp, k().ustawienia(), k().komunikaty(), k().oWizual);
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        auto *port = d.findChild<QComboBox *>(QStringLiteral("cmbPort"));
        QCOMPARE(QApplication::focusWidget(), port); // the dialog starts in the port number
        QCOMPARE(port->currentText(), QStringLiteral("3"));
        auto *haslo = d.findChild<QLineEdit *>(QStringLiteral("txtHaslo"));
        QCOMPARE(haslo->text(), QString()); // a mask, never the password
        QCOMPARE(haslo->echoMode(), QLineEdit::Password);
        QVERIFY(!haslo->isEnabled());
        // A login unlocks it while open; a logout locks it again and drops
        // what was typed.
        k().oApp.pokazLogin = [this] { k().oApp.ParametrGlob = true; };
        for (bool tryb : {true, false}) {
            k().oApp.UstawTrybSterowania(tryb);
            QCOMPARE(haslo->isEnabled(), tryb);
            QTest::keyClicks(haslo, "nowe");
        }

        nacisnij(d, "cmdApply");
        QCOMPARE(zapisane("port", "nr_portu"), QStringLiteral("3"));
        QVERIFY(HasloAdministratora::zgodne(wUzyciu, zapisane("adm_haslo", "wartosc")));
        port->setEditText(QStringLiteral("2"));
        nacisnij(d, "cmdCancel");
        QVERIFY(!d.isVisible());
        QCOMPARE(zapisane("port", "nr_portu"), QStringLiteral("3"));
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
        frmOptions d(k().oApp, k().ustawienia(), k().komunikaty(), k().oWizual);
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

    // An older file keeps the password in plain text and lets others read
    // it: once a new password and port are given only the new digest is
    // kept, in a file only its owner reads; the password holds at once, the
    // port from the next start. (That a plain password logs in, and that the
    // check minds the letter case, is tst_glowny's.)
    void newPasswordAndPort_replaceAnOldPlainPassword_inAFileOnlyTheOwnerReads()
    {
        QTemporaryDir katalog;
        const QString plik = katalog.filePath(QStringLiteral("Tolvek.conf"));
        {
            QFile f(plik);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("[adm_haslo]\nwartosc=stare\n");
        }
        QVERIFY(QFile::setPermissions(plik, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                                                QFileDevice::ReadOther));
        UstawieniaPlik u(plik);
        k().oApp.WczytajOpcje(u);
        k().oApp.TrybSterowania = true;
        frmOptions d(k().oApp, u, k().komunikaty(), k().oWizual);
        d.show();
        QTest::keyClicks(d.findChild<QLineEdit *>(QStringLiteral("txtHaslo")), QStringLiteral("nowe"));
        d.findChild<QComboBox *>(QStringLiteral("cmbPort"))->setEditText(QStringLiteral(" 5 "));
        nacisnij(d, "cmdOK");
        QVERIFY(!d.isVisible());
        QCOMPARE(k().oApp.nr_portu, 1); // the port in use until it is opened again
        QVERIFY(HasloAdministratora::zgodne(QStringLiteral("nowe"), k().oApp.AdmHaslo));
        QFile f(plik);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray tresc = f.readAll();
        QVERIFY2(!tresc.contains("stare") && !tresc.contains("nowe") && tresc.contains("wartosc=pbkdf2-sha256$"),
                 tresc.constData());
        struct stat st {
        };
        QCOMPARE(stat(QFile::encodeName(plik).constData(), &st), 0);
        QCOMPARE(st.st_mode & 0777, mode_t(0600));

        k().oApp.WczytajOpcje(UstawieniaPlik(plik)); // a restart
        QCOMPARE(k().oApp.nr_portu, 5);
        QVERIFY(HasloAdministratora::zgodne(QStringLiteral("nowe"), k().oApp.AdmHaslo));
    }

    void login_byKeyboardAlone_userNameTabPasswordEnter()
    {
        fmLogin d(k().oApp, k().komunikaty());
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("txtUserName"));
        QTest::keyClicks(QApplication::focusWidget(), HasloAdministratora::uzytkownik);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClicks(QApplication::focusWidget(), k().oApp.AdmHaslo);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(k().oApp.ParametrGlob, QVariant(true));
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
