// The database server goes away while the station stores readings and comes
// back: the readings wait, the operator hears of it once each way, the
// station reconnects by itself and nothing is lost.

#include "db/schemat.h"
#include "db/zapispomiarow.h"
#include "platform/rekordy.h"
#include "testsupport.h"

#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QTest>
#include <QUuid>

namespace
{
// A private server: stopping the run's shared one would fail the tests
// that use it at the same time.
class SerwerPrywatny final
{
public:
    SerwerPrywatny() : katalog(QStringLiteral("/tmp/tolvek-pgu-") + QUuid::createUuid().toString(QUuid::Id128).left(8))
    {
        if (!skrypt(QStringLiteral("start")))
            return;
        QFile p(katalog + QStringLiteral("/polaczenie"));
        if (p.open(QIODevice::ReadOnly))
            polaczenie = QString::fromUtf8(p.readAll()).trimmed();
    }
    ~SerwerPrywatny() { skrypt(QStringLiteral("stop")); }
    bool skrypt(const QString &polecenie)
    {
        return QProcess::execute(qEnvironmentVariable("TOLVEK_SERWER_PG"), {polecenie, katalog}) == 0;
    }
    QString katalog;
    QString polaczenie;
};
} // namespace

class TestUtrataSerwera final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void serverStoppedAndStarted_readingsWaitAndAreStored()
    {
        POMIN_BEZ_SILNIKA(Silnik::PostgreSQL);
        SerwerPrywatny serwer;
        QVERIFY2(!serwer.polaczenie.isEmpty(), qPrintable(serwer.katalog));
        ZegarTestowy zegar;
        KomunikatyTestowe komunikaty;
        Polaczenie cn;
        cn.ustawCzasOczekiwania(Polaczenie::czasOczekiwaniaStacjiMs);
        cn.otworz(ZrodloBazy::serwer(serwer.polaczenie));
        for (const QString &sql : schematBazy(Silnik::PostgreSQL))
            QVERIFY(QSqlQuery(cn.db()).exec(sql));
        Rekordy rsPomiary, rsOstPomiar, rsRegulatory;
        rsPomiary.Open(QStringLiteral("Pomiary"), cn);
        rsOstPomiar.Open(QStringLiteral("OstPomiar"), cn);
        ZapisPomiarow zapis(cn, rsPomiary, rsOstPomiar, rsRegulatory, zegar, komunikaty);
        WpisPomiaru w;
        w.adres = 5;
        auto odczyt = [&](int i) {
            w.data = zegar.teraz().plusMinuty(i);
            w.timerU = 60 * i;
            w.enCzynna = static_cast<float>(i);
            return zapis.zapisz(w);
        };
        QVERIFY(odczyt(0));

        QVERIFY(serwer.skrypt(QStringLiteral("pauza")));
        QVERIFY(!odczyt(1));
        QVERIFY(!odczyt(2));
        QVERIFY(zapis.serwerUtracony());
        QVERIFY(!cn.otwarte());
        QCOMPARE(zapis.zalegle(), 2);
        QCOMPARE(komunikaty.pokazane.size(), 1);
        QCOMPARE(komunikaty.pokazane[0].ikona, Ikona::Krytyczna);

        QVERIFY(serwer.skrypt(QStringLiteral("wznow")));
        QVERIFY(!odczyt(3)); // still away for the station until it reconnects
        QTRY_VERIFY_WITH_TIMEOUT(!zapis.serwerUtracony(), 60000);
        QTRY_COMPARE_WITH_TIMEOUT(zapis.zalegle(), 0, 10000);
        QCOMPARE(wierszeZapytania(cn, QStringLiteral("Select EnCzynna from Pomiary order by Data")),
                 (QList<QVariantList>{{0.0}, {1.0}, {2.0}, {3.0}}));
        QCOMPARE(wierszeZapytania(cn, QStringLiteral("Select PopTimerU from OstPomiar")), QList<QVariantList>{{180}});
        QCOMPARE(komunikaty.pokazane.size(), 2);
        QCOMPARE(komunikaty.pokazane[1].ikona, Ikona::Informacja);
        zapis.zakoncz();
    }
};

QTEST_GUILESS_MAIN(TestUtrataSerwera)
#include "tst_utrataserwera.moc"
