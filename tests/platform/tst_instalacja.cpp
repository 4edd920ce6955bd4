// What an installed station relies on outside its database: the password
// digest, a settings file only its owner reads, sounds found outside the
// working directory, warnings that reach the system journal.
#include "platform/dzienniksystemowy.h"
#include "platform/dzwiek.h"
#include "platform/ustawienia.h"
#include "platform/ustawieniahaslo.h"

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
        const QString a = HasloAdministratora::skrot(QStringLiteral("tuplak"));
        QVERIFY(a != HasloAdministratora::skrot(QStringLiteral("tuplak")));
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
