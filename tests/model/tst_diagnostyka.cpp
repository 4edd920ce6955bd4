// Commissioning and line diagnostics against the real simulator on a
// pseudo-terminal: the scan (in the station's link and as tolvek-skan), the
// per-controller statistics and the line monitor over real readings.

#include "comm/podglad.h"
#include "comm/skaner.h"
#include "model/ladowanie.h"
#include "stanowisko.h"
#include "symulatorproces.h"

#include <QSerialPort>
#include <QTemporaryDir>
#include <QTest>

class TestDiagnostyki final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_log = m_dir.filePath(QStringLiteral("ramki.log"));
        QVERIFY(m_sym.start({QStringLiteral("--adresy"), QStringLiteral("1,3,7"), QStringLiteral("--log"), m_log}));
        // 7 is on the bus but deaf; 3 blocked, and its blocks carry a
        // negative voltage, which no installation gives.
        QCOMPARE(m_sym.polecenie(QStringLiteral("cisza 7")), QStringLiteral("OK"));
        QCOMPARE(m_sym.polecenie(QStringLiteral("blok 3 0x61")), QStringLiteral("OK"));
        QCOMPARE(m_sym.polecenie(QStringLiteral("napiecie 3 -5")), QStringLiteral("OK"));
    }

    void skan_findsExactlyTheAnsweringAddresses_sendsOnlyReads_toolPrintsTheSame()
    {
        StanowiskoModelu s(utworzPortQt(), std::make_unique<ZegarSystemowy>());
        QString opis;
        QVERIFY2(s.comm.otworz(m_sym.port, &opis), qPrintable(opis));
        const qsizetype przed = odebraneRamki(m_log).size();
        SkanerMagistrali skaner(s.komunikator, *s.zegarWlasny);
        int postepy = 0;
        connect(&skaner, &SkanerMagistrali::postep, this, [&postepy] { ++postepy; });
        const Wynik<QList<WynikSkanu>> w = uruchom(skaner.skanuj(1, 32));
        QVERIFY2(w.wyjatek.isEmpty(), qPrintable(w.wyjatek));
        QCOMPARE(w.wartosc.size(), 32);
        QStringList znalezione;
        for (const WynikSkanu &r : w.wartosc)
            if (r.odpowiada)
                znalezione << QStringLiteral("%1 %2 %3 %4")
                                  .arg(r.adres)
                                  .arg(r.zablokowany() ? "zablokowany" : "odblokowany")
                                  .arg(r.stopnie1, 2, 16)
                                  .arg(r.stopnie2, 2, 16);
        QCOMPARE(znalezione, (QStringList{"1 odblokowany f0 ff", "3 zablokowany f0 ff"}));
        QCOMPARE(postepy, 33);
        // A scan never writes: every frame it sent is a read (04, 05).
        const QStringList ramki = odebraneRamki(m_log).mid(przed);
        QVERIFY(ramki.size() >= 32);
        for (const QString &r : ramki)
            QVERIFY2(r.endsWith(QLatin1String(" 04")) || r.endsWith(QLatin1String(" 05")), qPrintable(r));
        s.comm.zamknij();

        const WynikProgramu p = uruchomProgram(
            skan(), {QStringLiteral("--port"), m_sym.port, QStringLiteral("--adresy"), QStringLiteral("1-8")});
        QCOMPARE(p.kod, 0);
        QCOMPARE(p.wyjscie.split(QLatin1Char('\n'), Qt::SkipEmptyParts), (QStringList{"1;41;F0;FF", "3;61;F0;FF"}));

        // A port that another process holds through its lock is refused, and
        // so is a wrong range.
        QSerialPort trzymany(m_sym.port);
        QVERIFY(trzymany.open(QIODevice::ReadWrite));
        const WynikProgramu zajety = uruchomProgram(skan(), {QStringLiteral("--port"), m_sym.port});
        QCOMPARE(zajety.kod, 1);
        QVERIFY2(zajety.bledy.contains(QStringLiteral("zajęty")), qPrintable(zajety.bledy));
        trzymany.close();
        QCOMPARE(uruchomProgram(
                     skan(), {QStringLiteral("--port"), m_sym.port, QStringLiteral("--adresy"), QStringLiteral("9-3")})
                     .kod,
                 2);
    }

    void statystykaIPodglad_countTimeOutsAndRefusals_showOneReadingInOrder()
    {
        StanowiskoModelu s(utworzPortQt(), std::make_unique<ZegarSystemowy>());
        s.baza.wykonaj({QStringLiteral("INSERT INTO Regulatory (Adres, Kod, Typ) VALUES (1, 'R1', 'regulator')"),
                        QStringLiteral("INSERT INTO Regulatory (Adres, Kod, Typ) VALUES (7, 'R7', 'regulator')"),
                        QStringLiteral("INSERT INTO Regulatory (Adres, Kod, Typ) VALUES (3, 'R3', 'regulator')")});
        const DaneStartowe d = s.daneStartowe();
        WczytajRegulatory(d.regulatory, d.ostPomiar, s.rejestr, s.komunikaty);
        QCOMPARE(s.rejestr.Count(), 3);
        QString opis;
        QVERIFY2(s.comm.otworz(m_sym.port, &opis), qPrintable(opis));
        PodgladLinii podglad;
        s.comm.ustawObserwatora(&podglad);

        for (int nr = 1; nr <= 3; ++nr)
            QVERIFY(uruchom(s.odczyt.WczytajStanRegul(s.rejestr.Item(nr), s.teraz())).wyjatek.isEmpty());
        s.comm.ustawObserwatora(nullptr);

        const std::int64_t teraz = s.zegarWlasny->msMonotoniczne();
        const StatystykaKomunikacji::Wiersz dobry = s.comm.statystyka().wiersz(1, teraz);
        QVERIFY(dobry.odpowiedzi >= 5); // three LED bytes, the first value, the block
        QCOMPARE(dobry.nieudaneOdczyty, 0);
        QVERIFY(dobry.medianaMs >= 0 && dobry.medianaMs <= dobry.najdluzszaMs);
        QVERIFY(!dobry.ostatniaOdpowiedz.nigdy());
        QVERIFY(dobry.udzialLinii > 0);
        // The deaf one: the first LED frame once, then czytaj four times.
        const StatystykaKomunikacji::Wiersz gluchy = s.comm.statystyka().wiersz(2, teraz);
        QCOMPARE(gluchy.odpowiedzi, 0);
        QCOMPARE(gluchy.bezOdpowiedzi, 5);
        QCOMPARE(gluchy.powtorzenia, 3);
        QCOMPARE(gluchy.nieudaneOdczyty, 1);
        QVERIFY(gluchy.ostatniaOdpowiedz.nigdy());
        const StatystykaKomunikacji::Wiersz smieci = s.comm.statystyka().wiersz(3, teraz);
        QCOMPARE(smieci.odrzucone, 1);
        QCOMPARE(smieci.nieudaneOdczyty, 1);

        // The monitor: controller 1's reading frame by answer, in order (a
        // late answer on a loaded machine may add a repeat of a step).
        QStringList kroki;
        for (const WpisLinii &w : podglad.wpisy()) {
            if (w.nrRegulatora != 1 || w.rodzaj == ZdarzenieLinii::Rodzaj::BrakOdpowiedzi)
                continue;
            const QString krok = QStringLiteral("%1 %2 %3 %4")
                                     .arg(w.rodzaj == ZdarzenieLinii::Rodzaj::Zapytanie ? "→" : "←")
                                     .arg(QString::fromLatin1(w.rozkaz))
                                     .arg(w.lokacja, 0, 16)
                                     .arg(w.wartosci.size());
            if (kroki.isEmpty() || kroki.constLast() != krok)
                kroki << krok;
        }
        QCOMPARE(kroki, (QStringList{"→ CZYTAJ_DIODY 90 0", "← CZYTAJ_DIODY 90 1", "→ CZYTAJ_DIODY a0 0",
                                     "← CZYTAJ_DIODY a0 1", "→ CZYTAJ_DIODY b0 0", "← CZYTAJ_DIODY b0 1",
                                     "→ DAJ_DANE 4f 0", "← CZYTAJ 4f 1", "← CZYTAJ32 4f 32"}));
        // The block shows as its values; controller 3's is marked refused.
        const auto blok = std::find_if(podglad.wpisy().rbegin(), podglad.wpisy().rend(), [](const WpisLinii &w) {
            return w.nrRegulatora == 3 && w.wartosci.size() == 32;
        });
        QVERIFY(blok != podglad.wpisy().rend());
        QVERIFY(blok->odrzucony);
        QVERIFY2(podglad::wartosci(*blok).contains(QStringLiteral(", U -")), qPrintable(podglad::wartosci(*blok)));
        QVERIFY(podglad::uwagi(*blok).contains(QStringLiteral("odrzucony")));
    }

    void cleanupTestCase() { m_sym.zatrzymaj(); }

private:
    static QString skan() { return qEnvironmentVariable("TOLVEK_SKAN"); }
    QTemporaryDir m_dir;
    QString m_log;
    SymulatorProces m_sym;
};

QTEST_GUILESS_MAIN(TestDiagnostyki)
#include "tst_diagnostyka.moc"
