// Wire conformance: the station's own engine (clComm over the Qt serial
// port) against the real simulator on a pseudo-terminal, started once and
// reached the way the station finds it, through the port the simulator
// wrote into the settings. The frames are checked in the simulator's log,
// the values in what the engine delivers; the frame table itself is
// tst_protokol's, and how a command ends (Timer1, the line state) is
// tst_silnik's.

#include "comm/clcomm.h"
#include "platform/ustawienia.h"
#include "protokol/protokol.h"
#include "symulatorproces.h"
#include "testsupport.h"

#include <QLocalSocket>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace
{

// Controller numbers of the registry and their bus addresses; number 3 sits
// at address 2, whose every appearance in an answer travels as 02 02.
const QHash<int, int> ADRESY{{1, 0x05}, {2, 0x11}, {3, 0x02}};
// The frame that marks where a test's own frames begin (CZYTAJ_BLOK of
// controller 2).
constexpr const char *ZNACZNIK = "02 11 2F 05";

// Whether the frames are those of the commands in order. A command's frames
// go out once, or again in a later attempt when its answer came after the
// time-out: a loaded machine may hold the simulator up that long, and the
// engine is right to repeat them.
bool ramkiRozkazow(const QStringList &ramki, const QList<QStringList> &rozkazy)
{
    QString wzor = QStringLiteral("^");
    for (const QStringList &r : rozkazy)
        wzor += QStringLiteral("(?:%1\\|){1,4}").arg(QRegularExpression::escape(r.join(QLatin1Char('|'))));
    return QRegularExpression(wzor + QLatin1Char('$'))
        .match(ramki.join(QLatin1Char('|')) + QLatin1Char('|'))
        .hasMatch();
}

} // namespace

class TestPrzewodu final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void odczyt_inTheSchedulersOrder_pairsReadAsOneValue();
    void ustawBlok_returnsTheByteReadBack();
    void brakOdpowiedzi_dajDaneSucceedsCzytajFailsAfterFourAttempts();

private:
    bool wykonaj(const QString &rozkaz, DaneRozkazu *dane = nullptr, int parametr = 0, int nr = 1);
    // The frames received since this test function started, without the
    // marker's.
    QStringList ramki() const
    {
        QStringList r = odebraneRamki(m_log).mid(m_ramekPrzed);
        r.removeAll(QLatin1String(ZNACZNIK));
        return r;
    }
    void sprawdzRamki(const QList<QStringList> &rozkazy) const
    {
        QVERIFY2(ramkiRozkazow(ramki(), rozkazy), qPrintable(ramki().join(QStringLiteral(", "))));
    }

    QTemporaryDir m_dir;
    QString m_log;
    SymulatorProces m_sym;
    ZegarSystemowy m_zegar;
    KomunikatyTestowe m_komunikaty;
    std::unique_ptr<clComm> m_comm;
    qsizetype m_ramekPrzed = 0;
};

void TestPrzewodu::initTestCase()
{
    m_log = m_dir.filePath(QStringLiteral("ramki.log"));
    // The station's own settings store, under this test's private folder.
    QVERIFY(!qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME"));
    QVERIFY(m_sym.start({QStringLiteral("--adresy"), QStringLiteral("5,17,2"), QStringLiteral("--log"), m_log,
                         QStringLiteral("--gniazdo"), m_dir.filePath(QStringLiteral("sym.sock")),
                         QStringLiteral("--ustawienia"), QStringLiteral("--com"), QStringLiteral("3")}));
    QCOMPARE(m_sym.linia(), QStringLiteral("USTAWIENIA ") + UstawieniaPlik().sciezka());
    const QString port = sciezkaPortu(UstawieniaPlik(), 3);
    QCOMPARE(port, m_sym.port);

    m_comm = std::make_unique<clComm>(m_zegar, m_komunikaty);
    m_comm->ustawPort(utworzPortQt());
    QString blad;
    QVERIFY2(m_comm->otworz(port, &blad), qPrintable(blad));
    m_comm->ustawAdresy([](int nr) { return ADRESY.value(nr, 0x1FF); });
}

void TestPrzewodu::init()
{
    // A command repeated after its time-out may still be on its way when the
    // command ends. The line keeps frames in order, so once the marker is
    // answered every earlier frame is in the log; a late repeat of the
    // marker itself is left out of ramki().
    const qsizetype przed = odebraneRamki(m_log).size();
    DaneRozkazu d;
    QVERIFY(wykonaj(QStringLiteral("CZYTAJ_BLOK"), &d, 0, 2));
    QTRY_VERIFY_WITH_TIMEOUT(odebraneRamki(m_log).mid(przed).contains(QLatin1String(ZNACZNIK)), 30000);
    m_ramekPrzed = odebraneRamki(m_log).lastIndexOf(QLatin1String(ZNACZNIK)) + 1;
}

void TestPrzewodu::cleanup()
{
    QVERIFY(!m_comm->Zajety);
    QCOMPARE(m_sym.polecenie(QStringLiteral("ok *")), QStringLiteral("OK"));
}

void TestPrzewodu::cleanupTestCase()
{
    m_comm->zamknij();
    m_sym.zatrzymaj();
    QCOMPARE(m_sym.proces().exitCode(), 0);
}

bool TestPrzewodu::wykonaj(const QString &rozkaz, DaneRozkazu *dane, int parametr, int nr)
{
    const Wynik<bool> w = uruchom(m_comm->WyslijRozkaz(nr, rozkaz, dane, parametr));
    if (!w.wyjatek.isEmpty())
        qWarning("%s", qPrintable(w.wyjatek));
    return w.wartosc;
}

void TestPrzewodu::odczyt_inTheSchedulersOrder_pairsReadAsOneValue()
{
    DaneRozkazu diody, jeden, blok;
    QVERIFY(wykonaj(QStringLiteral("Czytaj_Diody"), &diody, 0, 3));
    QVERIFY(wykonaj(QStringLiteral("daj_dane"), nullptr, 0, 3));
    QVERIFY(wykonaj(QStringLiteral("czytaj"), &jeden, 0, 3));
    QVERIFY(wykonaj(QStringLiteral("czytaj32"), &blok, 0, 3));
    QCOMPARE((QList<int>{diody.bajty[1], diody.bajty[2], diody.bajty[3]}), (QList<int>{0xF0, 0xFF, 0xFF}));
    // The first value is the address, 2: it came as 02 02 and reads as one,
    // and so the block that follows is in step.
    QCOMPARE(jeden.wartosc, 2);
    const protokol::BlokPomiarow w = protokol::dekodujBlok(blok);
    QCOMPARE(static_cast<int>(w.okres), 2303); // 50 Hz
    QCOMPARE(w.wyswietlacz[0] >> 4, 0);        // cos fi 0.xyz

    // A one-byte answer of value 2 as well, and nothing left behind to
    // spoil the next command.
    QCOMPARE(m_sym.polecenie(QStringLiteral("stan 2 0x90 0x02")), QStringLiteral("OK"));
    DaneRozkazu k1, blokada;
    QVERIFY(wykonaj(QStringLiteral("CZYTAJ_KOND1"), &k1, 0, 3));
    QCOMPARE(k1.wartosc, 2);
    QVERIFY(wykonaj(QStringLiteral("CZYTAJ_BLOK"), &blokada, 0, 3));
    QCOMPARE(blokada.wartosc, 0x41);
    sprawdzRamki({{"02 02 90 04", "02 02 A0 04", "02 02 B0 04"}, {"02 02 4F 06"}, {"02 02 90 04"}, {"02 02 2F 05"}});
}

void TestPrzewodu::ustawBlok_returnsTheByteReadBack()
{
    DaneRozkazu d;
    QVERIFY(wykonaj(QStringLiteral("CZYTAJ_BLOK"), &d));
    QCOMPARE(d.wartosc, 0x41);
    QVERIFY(wykonaj(QStringLiteral("USTAW_BLOK"), &d, d.wartosc | 0x20));
    QCOMPARE(d.wartosc, 0x61);
    QVERIFY(wykonaj(QStringLiteral("USTAW_BLOK"), &d, d.wartosc & ~0x20));
    QCOMPARE(d.wartosc, 0x41);
    sprawdzRamki({{"02 05 2F 05"}, {"02 05 2F 03 61", "02 05 2F 05"}, {"02 05 2F 03 41", "02 05 2F 05"}});
}

void TestPrzewodu::brakOdpowiedzi_dajDaneSucceedsCzytajFailsAfterFourAttempts()
{
    // Through the control socket this time.
    QLocalSocket s;
    s.connectToServer(m_dir.filePath(QStringLiteral("sym.sock")));
    QVERIFY(s.waitForConnected(30000));
    s.write("cisza 5\n");
    QTRY_VERIFY_WITH_TIMEOUT(s.canReadLine(), 30000);
    QCOMPARE(s.readLine(), QByteArray("OK\n"));

    QVERIFY(wykonaj(QStringLiteral("daj_dane")));
    DaneRozkazu d;
    QVERIFY(!wykonaj(QStringLiteral("czytaj"), &d));
    // Its attempts only read again: nothing more went out.
    QTRY_COMPARE(ramki(), QStringList{"02 05 4F 06"});
    // The other controllers still answer.
    QVERIFY(wykonaj(QStringLiteral("CZYTAJ_BLOK"), &d, 0, 2));
    QCOMPARE(d.wartosc, 0x41);
}

QTEST_GUILESS_MAIN(TestPrzewodu)
#include "tst_przewod.moc"
