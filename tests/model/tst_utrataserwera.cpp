// The forwarder's thread against a private server that is stopped and
// started, then frozen and let go (a hung server, a network that drops
// packets): the spool takes every reading at once meanwhile, the operator
// hears of the outage and of the catch-up once each, a statement that hangs
// is cut off, and every reading reaches the server once, in order.

#include "db/bufor.h"
#include "db/przekaznik.h"
#include "db/schemat.h"
#include "db/zapispomiarow.h"
#include "serwerprywatny.h"
#include "testsupport.h"

#include <QSqlQuery>
#include <QTest>

class TestUtrataSerwera final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void serverStoppedThenFrozen_everyReadingArrivesOnce()
    {
        POMIN_BEZ_SILNIKA(Silnik::PostgreSQL);
        SerwerPrywatny serwer;
        QVERIFY2(!serwer.polaczenie.isEmpty(), qPrintable(serwer.katalog));
        const ZrodloBazy zrodlo = ZrodloBazy::serwer(serwer.polaczenie);
        Polaczenie cn;
        cn.otworz(zrodlo);
        for (const QString &sql : schematBazy(Silnik::PostgreSQL))
            QVERIFY(QSqlQuery(cn.db()).exec(sql));
        cn.Close();

        QTemporaryDir katalog;
        ZegarTestowy zegar;
        KomunikatyTestowe komunikaty;
        BuforZapisu bufor;
        bufor.otworz(katalog.filePath(QStringLiteral("bufor.sqlite")));
        ZapisPomiarow zapis(bufor, komunikaty);
        Przekaznik przekaznik(bufor.sciezka(), zrodlo, {1000000, 1 << 30});
        przekaznik.ustawNajdluzszaInstrukcje(2000);
        zapis.ustawPrzekaznik(przekaznik);
        bufor.poDodaniu = [&] {
            zapis.dodano();
            przekaznik.obudz();
        };
        przekaznik.start();
        WpisPomiaru w;
        w.adres = 5;
        auto odczyt = [&](int i) {
            w.data = zegar.teraz().plusMinuty(i);
            w.timerU = 60 * i;
            w.enCzynna = static_cast<float>(i);
            return zapis.zapisz(w);
        };
        auto wszystkoPrzekazane = [&] { return zapis.bazaDostepna() && zapis.zalegle() == 0; };
        QVERIFY(odczyt(0));
        QTRY_VERIFY_WITH_TIMEOUT(wszystkoPrzekazane(), 30000);

        QVERIFY(serwer.skrypt(QStringLiteral("pauza")));
        QVERIFY(odczyt(1));
        QVERIFY(odczyt(2));
        QTRY_VERIFY_WITH_TIMEOUT(!zapis.bazaDostepna(), 30000);
        QCOMPARE(zapis.zalegle(), 2);
        QCOMPARE(komunikaty.pokazane.size(), 1);
        QCOMPARE(komunikaty.pokazane[0].ikona, Ikona::Krytyczna);
        QVERIFY(serwer.skrypt(QStringLiteral("wznow")));
        QTRY_VERIFY_WITH_TIMEOUT(wszystkoPrzekazane(), 90000);
        QCOMPARE(komunikaty.pokazane.size(), 2);
        QCOMPARE(komunikaty.pokazane[1].ikona, Ikona::Informacja);

        QVERIFY(serwer.skrypt(QStringLiteral("zamroz")));
        QVERIFY(odczyt(3));
        QVERIFY(odczyt(4));
        QTRY_VERIFY_WITH_TIMEOUT(!zapis.bazaDostepna(), 60000); // cut off, then not answering
        QVERIFY(serwer.skrypt(QStringLiteral("odmroz")));
        QTRY_VERIFY_WITH_TIMEOUT(wszystkoPrzekazane(), 90000);
        QCOMPARE(komunikaty.pokazane.size(), 4);

        QCoro::waitFor(przekaznik.zakoncz(2000));
        cn.otworz(zrodlo);
        QCOMPARE(wierszeZapytania(cn, QStringLiteral("Select EnCzynna from Pomiary order by Data")),
                 (QList<QVariantList>{{0.0}, {1.0}, {2.0}, {3.0}, {4.0}}));
        QCOMPARE(wierszeZapytania(cn, QStringLiteral("Select PopTimerU from OstPomiar")), QList<QVariantList>{{240}});
    }
};

QTEST_GUILESS_MAIN(TestUtrataSerwera)
#include "tst_utrataserwera.moc"
