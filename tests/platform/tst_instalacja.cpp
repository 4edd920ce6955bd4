// What an installed station relies on outside its database: the password
// digest, a settings file only its owner reads, sounds found outside the
// working directory and told when they cannot be played, warnings that reach
// the system journal.
#include "platform/dzienniksystemowy.h"
#include "platform/dzwiek.h"
#include "platform/ustawienia.h"
#include "platform/ustawieniahaslo.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <syslog.h>

namespace
{

mode_t tryb(const QString &sciezka)
{
    struct stat st {
    };
    return stat(QFile::encodeName(sciezka).constData(), &st) == 0 ? (st.st_mode & 07777) : 0;
}

void utworz(const QString &sciezka)
{
    QFile f(sciezka);
    QVERIFY(f.open(QIODevice::WriteOnly));
}

struct Wpis {
    int priorytet;
    QByteArray kategoria;
    QString tekst;
};
QList<Wpis> dziennik;
void doTestu(int priorytet, const QByteArray &kategoria, const QString &tekst)
{
    dziennik.append({priorytet, kategoria, tekst});
}

Q_LOGGING_CATEGORY(lcTest, "tolvek.test")

} // namespace

class TestInstalacja final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void digest_agreesWithAnIndependentVector()
    {
        // PBKDF2-HMAC-SHA256, P "passwd", S "salt", c 1 (RFC 7914, 11),
        // its first 32 bytes, written the way the settings keep digests.
        const auto b64 = QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals;
        const QString zapisane = QStringLiteral("pbkdf2-sha256$1$") +
                                 QString::fromLatin1(QByteArray("salt").toBase64(b64)) + QLatin1Char('$') +
                                 QString::fromLatin1(QByteArray::fromHex("55ac046e56e3089fec1691c22544b605"
                                                                         "f94185216dde0465e68b9d57c20dacbc")
                                                         .toBase64(b64));
        QVERIFY(HasloAdministratora::zgodne(QStringLiteral("passwd"), zapisane));
        QVERIFY(!HasloAdministratora::zgodne(QStringLiteral("Passwd"), zapisane));
        QVERIFY(!HasloAdministratora::zgodne(QString(), zapisane));
        QCOMPARE(HasloAdministratora::doZapisu(zapisane), zapisane);
    }

    void digest_isSaltedAfresh()
    {
        const QString a = HasloAdministratora::skrot(QStringLiteral("haslo"));
        QVERIFY(a != HasloAdministratora::skrot(QStringLiteral("haslo")));
        QVERIFY(!HasloAdministratora::zgodne(a, a)); // the digest itself is no password
    }

    void damagedDigest_letsNobodyIn_data()
    {
        QTest::addColumn<QString>("zapisane");
        const QString sol = QStringLiteral("c2FsdA");
        const QString skrot = QString::fromLatin1(
            QByteArray(32, 'x').toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
        QTest::newRow("field missing") << QStringLiteral("pbkdf2-sha256$1$") + sol;
        QTest::newRow("count zero") << QStringLiteral("pbkdf2-sha256$0$") + sol + QLatin1Char('$') + skrot;
        QTest::newRow("count beyond an int")
            << QStringLiteral("pbkdf2-sha256$99999999999$") + sol + QLatin1Char('$') + skrot;
        QTest::newRow("salt not base64") << QStringLiteral("pbkdf2-sha256$1$*$") + skrot;
        QTest::newRow("digest too short") << QStringLiteral("pbkdf2-sha256$1$") + sol + QStringLiteral("$eHh4");
    }
    void damagedDigest_letsNobodyIn()
    {
        QFETCH(QString, zapisane);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("damaged")));
        // Not even as a plain password equal to the damaged text.
        QVERIFY(!HasloAdministratora::zgodne(zapisane, zapisane));
    }

    void settingsFile_isCreatedForItsOwnerOnly()
    {
        QTemporaryDir katalog;
        const mode_t maska = umask(022);
        const QString plik = katalog.filePath(QStringLiteral("nowy/Tolvek.conf"));
        UstawieniaPlik u(plik);
        QVERIFY(!QFile::exists(plik)); // reading creates nothing
        u.zapisz(QStringLiteral("port"), QStringLiteral("nr_portu"), QStringLiteral("2"));
        umask(maska);
        QCOMPARE(tryb(plik), mode_t(0600));
    }

    void sounds_workingDirectoryFirst_thenTheDataFolder()
    {
        QTemporaryDir roboczy, dane;
        utworz(roboczy.filePath(QStringLiteral("alarm.wav")));
        utworz(dane.filePath(QStringLiteral("alarm.wav")));
        utworz(dane.filePath(QStringLiteral("zablokregul.wav")));
        const QString poprzedni = QDir::currentPath();
        QDir::setCurrent(roboczy.path());
        const QStringList katalogi{QStringLiteral("."), dane.path()};
        QCOMPARE(znajdzPlik(QStringLiteral("alarm.wav"), katalogi), roboczy.filePath(QStringLiteral("alarm.wav")));
        QCOMPARE(znajdzPlik(QStringLiteral("zablokregul.wav"), katalogi),
                 dane.filePath(QStringLiteral("zablokregul.wav")));
        QCOMPARE(znajdzPlik(QStringLiteral("odblokregul.wav"), katalogi), QString());
        QDir::setCurrent(poprzedni);
        QCOMPARE(katalogiDzwiekow().first(), QStringLiteral("."));
    }

    // A sound that cannot be played says so: which sound and why in the log,
    // once per sound, and the operator once (without waiting), whether the
    // player or a file is missing or the player fails as aplay does
    // without a sound card.
    void soundThatCannotBePlayed_isLoggedWithWhy_andToldOnce()
    {
        DziennikTestowy dziennik;
        QTemporaryDir dane;
        utworz(dane.filePath(QStringLiteral("alarm.wav")));
        const QStringList katalogi{dane.path()};
        KomunikatyTestowe bezGracza;
        {
            DzwiekAplay d(&bezGracza, katalogi, QString());
            d.sprawdz({QStringLiteral("alarm.wav"), QStringLiteral("zablokregul.wav")});
            d.graj(QStringLiteral("alarm.wav"));
        }
        QCOMPARE(bezGracza.pokazane.size(), 1);
        QVERIFY2(bezGracza.pokazane.first().tekst.contains(
                     QStringLiteral("alarm.wav, zablokregul.wav: brak programu aplay")),
                 qPrintable(bezGracza.pokazane.first().tekst));
        QCOMPARE(dziennik.wpisy("tolvek.dzwiek").size(), 2);

        const QString gracz = dane.filePath(QStringLiteral("aplay"));
        {
            QFile f(gracz);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("#!/bin/sh\necho 'aplay: main:831: audio open error: No such file or directory' >&2\nexit 1\n");
            f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
        }
        KomunikatyTestowe zGraczem;
        DzwiekAplay d(&zGraczem, katalogi, gracz);
        d.sprawdz({QStringLiteral("alarm.wav")});
        QVERIFY(zGraczem.pokazane.isEmpty());
        d.graj(QStringLiteral("alarm.wav"));
        QTRY_COMPARE_WITH_TIMEOUT(zGraczem.pokazane.size(), 1, 30000);
        QVERIFY2(zGraczem.pokazane.first().tekst.contains(QStringLiteral("audio open error")),
                 qPrintable(zGraczem.pokazane.first().tekst));
        d.graj(QStringLiteral("odblokregul.wav"));
        d.graj(QStringLiteral("odblokregul.wav"));
        QCOMPARE(zGraczem.pokazane.size(), 1);
        QCOMPARE(dziennik.wpisy("tolvek.dzwiek").filter(QStringLiteral("odblokregul.wav")).size(), 1);
    }

    void journal_getsWarningsAndErrors_notDebugOrInfo()
    {
        DziennikSystemowy::wlacz(doTestu);
        dziennik.clear();
        qCDebug(lcTest) << "debug";
        qCInfo(lcTest) << "info";
        qCWarning(lcTest) << "warning";
        qCCritical(lcTest) << "error";
        QCOMPARE(dziennik.size(), 2);
        QCOMPARE(dziennik.at(0).priorytet, LOG_WARNING);
        QCOMPARE(dziennik.at(0).kategoria, QByteArray("tolvek.test"));
        QCOMPARE(dziennik.at(0).tekst, QStringLiteral("warning"));
        QCOMPARE(dziennik.at(1).priorytet, LOG_ERR);
    }

    void journal_isNotWrittenTwiceWhenStderrLeadsToIt()
    {
        struct stat st {
        };
        QCOMPARE(fstat(2, &st), 0);
        const QByteArray poprzedni = qgetenv("JOURNAL_STREAM");
        qputenv("JOURNAL_STREAM",
                QByteArray::number(qulonglong(st.st_dev)) + ':' + QByteArray::number(qulonglong(st.st_ino)));
        QVERIFY(DziennikSystemowy::stderrDoDziennika());
        qputenv("JOURNAL_STREAM",
                QByteArray::number(qulonglong(st.st_dev)) + ':' + QByteArray::number(qulonglong(st.st_ino) + 1));
        QVERIFY(!DziennikSystemowy::stderrDoDziennika());
        qputenv("JOURNAL_STREAM", poprzedni);
    }
};

QTEST_GUILESS_MAIN(TestInstalacja)
#include "tst_instalacja.moc"
