// The operator's pause of the line ("Komun") on the real simulator: paused,
// the port is closed (another process scans the device) and the scheduler
// sends nothing; resumed, every controller is read at once. Both leave a
// Log row.

#include "app/start.h"
#include "baza/polaczenie.h"
#include "kontekstestowy.h"
#include "symulatorproces.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestLinii final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void wstrzymanie_closesThePortAndSendsNothing_wznowienie_readsEveryControllerAtOnce()
    {
        QTemporaryDir katalog;
        const QString log = katalog.filePath(QStringLiteral("ramki.log"));
        SymulatorProces sym;
        QVERIFY(sym.start({QStringLiteral("--adresy"), QStringLiteral("1,2"), QStringLiteral("--log"), log}));
        BazaTestowa baza;
        baza.wykonaj({QStringLiteral("INSERT INTO Regulatory (Adres, Kod, Typ) VALUES (1, 'R1', 'regulator')"),
                      QStringLiteral("INSERT INTO Regulatory (Adres, Kod, Typ) VALUES (2, 'R2', 'regulator')")});
        const QString poprzedni = QDir::currentPath();
        QDir::setCurrent(baza.katalog.path());
        {
            KontekstTestowy t(utworzPortQt, std::make_unique<ZegarSystemowy>());
            Kontekst &k = *t.k;
            t.ustawienia->zapisz(QStringLiteral("porty"), QStringLiteral("com1"), sym.port);
            Start::otworzBazeIWczytaj(k);
            QString opis;
            QVERIFY2(Start::otworzPort(k, &opis), qPrintable(opis));
            QSignalSpy panele(&k.oWizual, &clsWizual::panelTekst);

            QCoro::waitFor(k.harmonogram.takt());
            QVERIFY(odebraneRamki(log).contains(QStringLiteral("02 02 4F 06")));

            QCoro::waitFor(k.linia.wstrzymaj());
            QVERIFY(k.linia.wstrzymana());
            QVERIFY(!k.oComm.port()->otwarty());
            QVERIFY(panele.contains(QVariantList{4, QStringLiteral("wstrzymana")}));
            const qsizetype przed = odebraneRamki(log).size();
            for (const auto &r : k.oRegulatory)
                r->NastepnyOdczyt = k.teraz().plusMinuty(-1);    // both due
            QCoro::waitFor(k.harmonogram.takt());                // a tick that slipped through sends nothing
            QCOMPARE(k.listaAlarmow.IloscAktywnychAlarmow(), 0); // and raises no communication alarm
            // Another program opens the device meanwhile.
            const WynikProgramu skan = uruchomProgram(qEnvironmentVariable("TOLVEK_SKAN"),
                                                      {QStringLiteral("--port"), sym.port, QStringLiteral("--adresy"),
                                                       QStringLiteral("1-2"), QStringLiteral("--cicho")});
            QCOMPARE(skan.kod, 0);
            QCOMPARE(skan.wyjscie.count(QLatin1Char('\n')), 2);
            for (const QString &r : odebraneRamki(log).mid(przed))
                QVERIFY2(!r.endsWith(QLatin1String("4F 06")) && !r.endsWith(QLatin1String("B0 04")), qPrintable(r));

            // Neither controller is due by its grid: only the resume reads them.
            for (const auto &r : k.oRegulatory)
                r->NastepnyOdczyt = k.teraz().plusMinuty(60);
            const Wynik<bool> wznowiono = uruchom(k.linia.wznow(&opis));
            QVERIFY2(wznowiono.wartosc, qPrintable(opis + wznowiono.wyjatek));
            QVERIFY(k.oComm.port()->otwarty());
            QVERIFY(k.harmonogram.Timer1().isActive());
            k.harmonogram.Timer1().stop();
            const qsizetype poWznowieniu = odebraneRamki(log).size();
            QCoro::waitFor(k.harmonogram.takt());
            const QStringList poTakcie = odebraneRamki(log).mid(poWznowieniu);
            QVERIFY2(poTakcie.contains(QStringLiteral("02 01 4F 06")) &&
                         poTakcie.contains(QStringLiteral("02 02 4F 06")),
                     qPrintable(poTakcie.join(QStringLiteral(", "))));

            // Through the spool, as every row; another connection sees them.
            Polaczenie cn;
            cn.otworzPlik(baza.sciezka, false);
            QTRY_COMPARE(wierszeZapytania(cn, QStringLiteral("SELECT Operacja, Typ FROM Log WHERE Typ = 'L' "
                                                             "ORDER BY rowid")),
                         (QList<QVariantList>{{"Wstrzymano komunikację", "L"}, {"Wznowiono komunikację", "L"}}));
            QCoro::waitFor(Start::zamknij(k));
        }
        QDir::setCurrent(poprzedni);
    }
};

QTEST_GUILESS_MAIN(TestLinii)
#include "tst_linia.moc"
