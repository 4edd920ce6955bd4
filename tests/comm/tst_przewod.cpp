// Wire conformance: the station's own engine (clComm and Komunikator over
// the Qt serial port) against the real simulator on a pseudo-terminal. The
// frames are checked in the simulator's log, the values in what the engine
// delivers.

#include "../tools/dekodowanie.h"
#include "../tools/symulatorproces.h"
#include "comm/clcomm.h"
#include "comm/komunikator.h"
#include "stanowisko.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace
{

// Controller numbers of the registry and their bus addresses; number 3 sits
// at address 2, whose every appearance in an answer travels as 02 02.
const QHash<int, int> ADRESY{{1, 0x05}, {2, 0x11}, {3, 0x02}};

QList<int> stany(const QSignalSpy &spy)
{
    QList<int> w;
    for (const auto &a : spy)
        w << a.at(0).toInt();
    return w;
}

} // namespace

class TestPrzewodu final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void rozkaz_sendsItsFramesAndDeliversTheAnswer_data();
    void rozkaz_sendsItsFramesAndDeliversTheAnswer();
    void pelnyOdczyt_delivers33ValuesAndCollapsesPairs();
    void czytajDiody_partialAnswers_data();
    void czytajDiody_partialAnswers();
    void ustawBlok_returnsTheByteReadBack();
    void spoznionaOdpowiedz_isTakenAndStaleBytesAreDiscarded();
    void brakOdpowiedzi_dajDaneSucceedsCzytajFailsAfterFourAttempts();
    void nieznanyRozkaz_showsTheMessageFourTimesAndSendsNothing();

private:
    QCoro::Task<bool> wykonaj(const QString &rozkaz, DaneRozkazu *dane = nullptr, int parametr = 0, int nr = 1);
    bool wykonajTeraz(const QString &rozkaz, DaneRozkazu *dane = nullptr, int parametr = 0, int nr = 1);
    QStringList ramki() const { return odebraneRamki(m_log); }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_log;
    std::unique_ptr<SymulatorProces> m_sym;
    std::unique_ptr<ZegarSystemowy> m_zegar;
    std::unique_ptr<KomunikatyTestowe> m_komunikaty;
    std::unique_ptr<clComm> m_comm;
    std::unique_ptr<Komunikator> m_k;
    std::unique_ptr<QTimer> m_timer1;
    std::unique_ptr<QSignalSpy> m_stany;
    // Timer1 seen running while an answer byte came in during a command: it
    // must never be.
    bool m_timer1WTrakcie = false;
    int m_powiadomienia = 0;
};

void TestPrzewodu::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_log = m_dir->filePath(QStringLiteral("ramki.log"));
    m_sym = std::make_unique<SymulatorProces>();
    QVERIFY(m_sym->start({QStringLiteral("--adresy"), QStringLiteral("5,17,2"), QStringLiteral("--log"), m_log}));
    m_zegar = std::make_unique<ZegarSystemowy>();
    m_komunikaty = std::make_unique<KomunikatyTestowe>();
    m_comm = std::make_unique<clComm>(*m_zegar, *m_komunikaty);
    m_comm->ustawPort(utworzPortQt());
    QString blad;
    QVERIFY2(m_comm->otworz(m_sym->port, &blad), qPrintable(blad));
    m_comm->ustawAdresy([](int nr) {
        if (!ADRESY.contains(nr))
            throw std::out_of_range("no controller with this number");
        return ADRESY.value(nr);
    });
    m_k = std::make_unique<Komunikator>(*m_comm);
    m_timer1 = std::make_unique<QTimer>();
    m_timer1->setInterval(100);
    m_timer1->start();
    polaczTimer1(*m_k, *m_timer1);
    m_stany = std::make_unique<QSignalSpy>(m_k.get(), &Komunikator::stanLinii);
    m_timer1WTrakcie = false;
    m_powiadomienia = 0;
    connect(m_comm->port(), &PortSzeregowy::daneGotowe, this, [this] {
        if (!m_comm->Zajety)
            return; // an answer nobody waits for (DAJ_DANE's block)
        ++m_powiadomienia;
        m_timer1WTrakcie = m_timer1WTrakcie || m_timer1->isActive();
    });
}

void TestPrzewodu::cleanup()
{
    m_stany.reset();
    m_k.reset();
    m_timer1.reset();
    if (m_comm)
        m_comm->zamknij();
    m_comm.reset();
    m_sym.reset();
    m_dir.reset();
}

QCoro::Task<bool> TestPrzewodu::wykonaj(const QString &rozkaz, DaneRozkazu *dane, int parametr, int nr)
{
    return m_k->WykonajRozkaz(nr, rozkaz, dane, parametr);
}

bool TestPrzewodu::wykonajTeraz(const QString &rozkaz, DaneRozkazu *dane, int parametr, int nr)
{
    const Wynik<bool> w = uruchom(wykonaj(rozkaz, dane, parametr, nr));
    if (!w.wyjatek.isEmpty())
        qWarning("%s", qPrintable(w.wyjatek));
    return w.wartosc;
}

void TestPrzewodu::rozkaz_sendsItsFramesAndDeliversTheAnswer_data()
{
    QTest::addColumn<QString>("rozkaz");
    QTest::addColumn<int>("parametr");
    QTest::addColumn<QStringList>("oczekiwaneRamki");
    QTest::addColumn<QList<int>>("wartosci"); // one value, or Dane(1..3)
    QTest::newRow("daj_dane") << "daj_dane" << 0 << QStringList{"02 05 4F 06"} << QList<int>{};
    QTest::newRow("Czytaj_Diody") << "Czytaj_Diody" << 0 << QStringList{"02 05 90 04", "02 05 A0 04", "02 05 B0 04"}
                                  << QList<int>{0xF0, 0xFF, 0xFF};
    // Every frame of the command table is tst_protokol's; these kinds of
    // exchange cross the real line.
    QTest::newRow("BADAJ_KOND 8") << "BADAJ_KOND" << 8 << QStringList{"02 05 78 05"} << QList<int>{0};
    QTest::newRow("WLACZ_KOND FE") << "WLACZ_KOND" << 0xFE << QStringList{"02 05 90 01 FE"} << QList<int>{};
    QTest::newRow("USTAW_BLOK 61") << "USTAW_BLOK" << 0x61 << QStringList{"02 05 2F 03 61", "02 05 2F 05"}
                                   << QList<int>{0x61};
}

void TestPrzewodu::rozkaz_sendsItsFramesAndDeliversTheAnswer()
{
    QFETCH(QString, rozkaz);
    QFETCH(int, parametr);
    QFETCH(QStringList, oczekiwaneRamki);
    QFETCH(QList<int>, wartosci);
    DaneRozkazu d;
    QVERIFY(wykonajTeraz(rozkaz, &d, parametr));
    QTRY_COMPARE_WITH_TIMEOUT(ramki().size(), oczekiwaneRamki.size(), 2000);
    QCOMPARE(ramki(), oczekiwaneRamki);
    if (wartosci.size() == 1)
        QCOMPARE(d.wartosc, wartosci.at(0));
    if (wartosci.size() == 3)
        QCOMPARE((QList<int>{d.bajty[1], d.bajty[2], d.bajty[3]}), wartosci);
    QCOMPARE(stany(*m_stany), (QList<int>{1, 0}));
    QVERIFY(m_timer1->isActive());
    QVERIFY(!m_timer1WTrakcie);
    QVERIFY(wartosci.isEmpty() || m_powiadomienia > 0);
    QVERIFY(!m_comm->Zajety);
}

void TestPrzewodu::pelnyOdczyt_delivers33ValuesAndCollapsesPairs()
{
    // The reading of one controller, in the order the scheduler sends it.
    DaneRozkazu diody, jeden, blok;
    QVERIFY(wykonajTeraz(QStringLiteral("Czytaj_Diody"), &diody, 0, 3));
    QVERIFY(wykonajTeraz(QStringLiteral("daj_dane"), nullptr, 0, 3));
    QVERIFY(wykonajTeraz(QStringLiteral("czytaj"), &jeden, 0, 3));
    QVERIFY(wykonajTeraz(QStringLiteral("czytaj32"), &blok, 0, 3));
    QCOMPARE(stany(*m_stany), (QList<int>{1, 0, 1, 0, 1, 0, 1, 0}));
    QVERIFY(m_timer1->isActive());
    // The first value is the address, 2: it came as 02 02 and reads as one.
    QCOMPARE(jeden.wartosc, 2);
    QByteArray b;
    for (const int v : blok.bajty)
        b.append(char(v));
    const OdczytBloku o = dekoduj(b);
    QVERIFY2(o.napiecie > 380 && o.napiecie < 420, qPrintable(QString::number(o.napiecie)));
    QCOMPARE(o.okres, 50.0);
    QVERIFY(o.pradCalk > 0 && std::abs(o.pradBierny) < o.pradCalk);

    // A one-byte answer of value 2 as well.
    QCOMPARE(m_sym->polecenie(QStringLiteral("stan 2 0x90 0x02")), QStringList{"OK"});
    DaneRozkazu k1;
    QVERIFY(wykonajTeraz(QStringLiteral("CZYTAJ_KOND1"), &k1, 0, 3));
    QCOMPARE(k1.wartosc, 2);
    QTRY_VERIFY(czytajLog(m_log).size() > 0 && czytajLog(m_log).constLast().rodzaj == QLatin1String("TX"));
    QCOMPARE(czytajLog(m_log).constLast().tresc, QStringLiteral("02 02"));
    // And nothing was left behind to spoil the next command.
    DaneRozkazu blokada;
    QVERIFY(wykonajTeraz(QStringLiteral("CZYTAJ_BLOK"), &blokada, 0, 3));
    QCOMPARE(blokada.wartosc, 0x41);
}

void TestPrzewodu::czytajDiody_partialAnswers_data()
{
    QTest::addColumn<QString>("usterka");
    QTest::addColumn<QStringList>("oczekiwaneRamki");
    const QString d90 = QStringLiteral("02 05 90 04"), dA0 = QStringLiteral("02 05 A0 04"),
                  dB0 = QStringLiteral("02 05 B0 04");
    // Silent after the first answer: the 0xA0 read fails and ends the command.
    QTest::newRow("first frame only") << "pierwsze 5 1" << QStringList{d90, dA0};
    // Silent after two: the 0xB0 read fails, the sequence starts again, and
    // its first read fails at once.
    QTest::newRow("first two frames only") << "pierwsze 5 2" << QStringList{d90, dA0, dB0, d90};
    // 0x90 and 0xA0 always answered, 0xB0 never: four full sequences.
    QTest::newRow("third frame never") << "pomija 5 0xB0"
                                       << QStringList{d90, dA0, dB0, d90, dA0, dB0, d90, dA0, dB0, d90, dA0, dB0};
}

void TestPrzewodu::czytajDiody_partialAnswers()
{
    QFETCH(QString, usterka);
    QFETCH(QStringList, oczekiwaneRamki);
    QCOMPARE(m_sym->polecenie(usterka), QStringList{"OK"});
    DaneRozkazu d;
    QVERIFY(!wykonajTeraz(QStringLiteral("CZYTAJ_DIODY"), &d));
    QCOMPARE(ramki(), oczekiwaneRamki);
    QCOMPARE(d.bajty[1], 0xF0);
    QCOMPARE(stany(*m_stany), (QList<int>{1, 2}));
    QVERIFY(m_timer1->isActive());
    QVERIFY(!m_timer1WTrakcie);
}

void TestPrzewodu::ustawBlok_returnsTheByteReadBack()
{
    DaneRozkazu d;
    QVERIFY(wykonajTeraz(QStringLiteral("CZYTAJ_BLOK"), &d));
    QCOMPARE(d.wartosc, 0x41);
    QVERIFY(wykonajTeraz(QStringLiteral("USTAW_BLOK"), &d, d.wartosc | 0x20));
    QCOMPARE(d.wartosc, 0x61);
    QVERIFY(wykonajTeraz(QStringLiteral("USTAW_BLOK"), &d, d.wartosc & ~0x20));
    QCOMPARE(d.wartosc, 0x41);
    QCOMPARE(ramki(), (QStringList{"02 05 2F 05", "02 05 2F 03 61", "02 05 2F 05", "02 05 2F 03 41", "02 05 2F 05"}));
    QCOMPARE(stany(*m_stany), (QList<int>{1, 0, 1, 0, 1, 0}));
}

void TestPrzewodu::spoznionaOdpowiedz_isTakenAndStaleBytesAreDiscarded()
{
    QCOMPARE(m_sym->polecenie(QStringLiteral("pozno 5 400")), QStringList{"OK"});
    DaneRozkazu d;
    QElapsedTimer t;
    t.start();
    QVERIFY(wykonajTeraz(QStringLiteral("CZYTAJ_BLOK"), &d));
    QVERIFY(t.elapsed() >= 400);
    QCOMPARE(d.wartosc, 0x41);
    QCOMPARE(ramki().size(), 1);

    // A measurement block nobody read waits in the input...
    QVERIFY(wykonajTeraz(QStringLiteral("DAJ_DANE")));
    QTRY_VERIFY_WITH_TIMEOUT(m_comm->port()->ileCzeka() >= 33, 2000);
    // ...and is gone once the next frame is sent: the answer is the blocking
    // byte, not the block's first value (the address, 5).
    QCOMPARE(m_sym->polecenie(QStringLiteral("blok 5 0x43")), QStringList{"OK"});
    QVERIFY(wykonajTeraz(QStringLiteral("CZYTAJ_BLOK"), &d));
    QCOMPARE(d.wartosc, 0x43);
    QCOMPARE(stany(*m_stany), (QList<int>{1, 0, 1, 0, 1, 0}));
}

void TestPrzewodu::brakOdpowiedzi_dajDaneSucceedsCzytajFailsAfterFourAttempts()
{
    QCOMPARE(m_sym->polecenie(QStringLiteral("cisza 5")), QStringList{"OK"});
    QVERIFY(wykonajTeraz(QStringLiteral("daj_dane")));
    DaneRozkazu d;
    QVERIFY(!wykonajTeraz(QStringLiteral("czytaj"), &d));
    // Its attempts only read again: nothing more went out.
    QCOMPARE(ramki(), QStringList{"02 05 4F 06"});
    QCOMPARE(stany(*m_stany), (QList<int>{1, 0, 1, 2}));
    QVERIFY(m_timer1->isActive());
}

void TestPrzewodu::nieznanyRozkaz_showsTheMessageFourTimesAndSendsNothing()
{
    QVERIFY(!wykonajTeraz(QStringLiteral("skacz")));
    QCOMPARE(m_komunikaty->pokazane.size(), 4);
    for (const auto &k : std::as_const(m_komunikaty->pokazane)) {
        QCOMPARE(k.tekst, QStringLiteral("Nieznany rozkaz: 'SKACZ'"));
        QCOMPARE(k.tytul, QStringLiteral("Błąd - moduł oCOmm"));
        QCOMPARE(k.ikona, Ikona::Krytyczna);
    }
    QTest::qWait(100);
    QVERIFY(ramki().isEmpty());
    QCOMPARE(stany(*m_stany), (QList<int>{1, 2}));
    QVERIFY(m_timer1->isActive());
}

QTEST_GUILESS_MAIN(TestPrzewodu)
#include "tst_przewod.moc"
