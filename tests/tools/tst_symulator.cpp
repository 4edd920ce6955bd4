// The real tolvek-sim on a real pseudo-terminal: what goes on the wire,
// how fast, with which faults, and what it writes for the station.

#include "dekodowanie.h"
#include "platform/ustawienia.h"
#include "symulatorproces.h"

#include <QDateTime>
#include <QFile>
#include <QLocalSocket>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdlib>

namespace
{

QByteArray h(const char *s)
{
    return QByteArray::fromHex(s);
}

QByteArray ramka(int adres, int lokacja, int kod, int parametr = -1)
{
    QByteArray b;
    b.append(char(0x02)).append(char(adres)).append(char(lokacja)).append(char(kod));
    if (parametr >= 0)
        b.append(char(parametr));
    return b;
}

// Milliseconds from the RX of `rx` to the TX that follows it.
qint64 odRxDoTx(const QList<WpisLogu> &log, const QString &rx)
{
    for (qsizetype i = 0; i < log.size(); ++i) {
        if (log[i].rodzaj != QLatin1String("RX") || log[i].tresc != rx)
            continue;
        for (qsizetype j = i + 1; j < log.size(); ++j)
            if (log[j].rodzaj == QLatin1String("TX"))
                return log[i].czas.msecsTo(log[j].czas);
    }
    return -1;
}

} // namespace

class TestSymulatora final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void odczyty_answerOneByteWithTheControllersState_data();
    void odczyty_answerOneByteWithTheControllersState();
    void zapisy_getNoAnswerAndAreReadBack();
    void pomiar_answers33ValuesThatDecodePlausibly();
    void wartoscDwa_goesOnTheWireAsAPair();
    void obcyAdres_andUnknownFrames_getNoAnswer();
    void smieciPrzedRamka_areSkippedAndLogged();
    void tempo_logStampsShowAtLeastTheLineTime();
    void usterki_silenceFirstKDroppedGarbageLateSkippedDisconnected();
    void portZamknietyIOtwartyPonownie_keepsWorking();
    void urzadzenie_servesAnExistingSerialDevice();
    void ustawienia_writePortPathIntoTheStationsSettings();
    void ustawienia_defaultFileIsTheStations();
    void polecenia_answerOkOrAnError();
    void baza_emulatesExactlyTheRegulatorRowsWithTheirRatios();
    void gniazdo_takesCommandsAndAnswersTheClient();
    void wyjscie_exitCodesForBadArgumentsMissingDatabaseAndSigterm();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<SymulatorProces> m_sym;
    std::unique_ptr<LiniaTestowa> m_linia;
    QString m_log;
    void uruchom(QStringList argumenty);
};

void TestSymulatora::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_log = m_dir->filePath(QStringLiteral("ramki.log"));
    m_sym = std::make_unique<SymulatorProces>();
    m_linia = std::make_unique<LiniaTestowa>();
}

void TestSymulatora::cleanup()
{
    m_linia.reset();
    m_sym.reset();
    m_dir.reset();
}

void TestSymulatora::uruchom(QStringList argumenty)
{
    argumenty << QStringLiteral("--log") << m_log;
    if (!m_sym->start(argumenty))
        QFAIL(qPrintable(m_sym->proces().readAllStandardError()));
    QVERIFY(m_linia->otworz(m_sym->port));
}

void TestSymulatora::odczyty_answerOneByteWithTheControllersState_data()
{
    QTest::addColumn<QByteArray>("zapytanie");
    QTest::addColumn<QByteArray>("odpowiedz");
    QTest::newRow("stages 1..8 (0x90)") << ramka(1, 0x90, 0x04) << h("f0");
    QTest::newRow("stage 9 (0xA0)") << ramka(1, 0xA0, 0x04) << h("ff");
    QTest::newRow("third state byte (0xB0)") << ramka(1, 0xB0, 0x04) << h("ff");
    QTest::newRow("blocking byte (0x2F)") << ramka(1, 0x2F, 0x05) << h("41");
    QTest::newRow("countdown of stage 1 (0x70)") << ramka(1, 0x70, 0x05) << h("00");
    QTest::newRow("countdown of stage 9 (0x78)") << ramka(1, 0x78, 0x05) << h("00");
    QTest::newRow("second controller") << ramka(7, 0x2F, 0x05) << h("41");
}

void TestSymulatora::odczyty_answerOneByteWithTheControllersState()
{
    QFETCH(QByteArray, zapytanie);
    QFETCH(QByteArray, odpowiedz);
    uruchom({QStringLiteral("--adresy"), QStringLiteral("1,7")});
    QCOMPARE(m_linia->wymiana(zapytanie, 1).toHex(' '), odpowiedz.toHex(' '));
    // Exactly one byte: nothing follows.
    QVERIFY(m_linia->wszystko(150).isEmpty());
}

void TestSymulatora::zapisy_getNoAnswerAndAreReadBack()
{
    uruchom({QStringLiteral("--adresy"), QStringLiteral("1")});
    // Stage 3 on (WLACZ_KOND with 0xFB).
    QVERIFY(m_linia->wymiana(ramka(1, 0x90, 0x01, 0xFB), 1, 200).isEmpty());
    QCOMPARE(m_linia->wymiana(ramka(1, 0x90, 0x04), 1).toHex(), QByteArray("fb"));
    // Stage 9 (WLACZ_KOND2).
    QVERIFY(m_linia->wymiana(ramka(1, 0xA0, 0x01, 0x7F), 1, 200).isEmpty());
    QCOMPARE(m_linia->wymiana(ramka(1, 0xA0, 0x04), 1).toHex(), QByteArray("7f"));
    // USTAW_BLOK: the write and the read back in one go.
    QCOMPARE(m_linia->wymiana(ramka(1, 0x2F, 0x03, 0x61) + ramka(1, 0x2F, 0x05), 1).toHex(), QByteArray("61"));
    // USTAW_KOND for stage 4 starts its 60 s countdown.
    QVERIFY(m_linia->wymiana(ramka(1, 0x73, 0x03, 0x3C), 1, 200).isEmpty());
    const int zostalo = quint8(m_linia->wymiana(ramka(1, 0x73, 0x05), 1).at(0));
    QVERIFY2(zostalo == 60 || zostalo == 59, qPrintable(QString::number(zostalo)));
    // USTAW_SR: the switch byte comes back in B26 of the measurement block.
    QVERIFY(m_linia->wymiana(ramka(1, 0x6A, 0x03, 0x09), 1, 200).isEmpty());
    const QByteArray pomiar = LiniaTestowa::zwin(m_linia->wymiana(ramka(1, 0x4F, 0x06), 33));
    QCOMPARE(pomiar.size(), 33);
    QCOMPARE(quint8(pomiar.at(1 + 26)), quint8(0x09));
}

void TestSymulatora::pomiar_answers33ValuesThatDecodePlausibly()
{
    uruchom({QStringLiteral("--adresy"), QStringLiteral("1")});
    const QByteArray pomiar = LiniaTestowa::zwin(m_linia->wymiana(ramka(1, 0x4F, 0x06), 33));
    QCOMPARE(pomiar.size(), 33);
    QVERIFY(m_linia->wszystko(150).isEmpty());
    const OdczytBloku o = dekoduj(pomiar.mid(1));
    QVERIFY2(o.napiecie > 380 && o.napiecie < 420, qPrintable(QString::number(o.napiecie)));
    QCOMPARE(o.okres, 50.0);
    QVERIFY(o.pradCalk > 20 && o.pradCalk < 500);
    QVERIFY(std::abs(o.pradBierny) < o.pradCalk);
    QVERIFY(o.calkSurowy < 2147483648LL);
    QVERIFY(o.timerU >= 0 && o.timerU < 32 * 86400);
    QVERIFY(o.tgFi > -1 && o.tgFi < 2);
}

void TestSymulatora::wartoscDwa_goesOnTheWireAsAPair()
{
    uruchom({QStringLiteral("--adresy"), QStringLiteral("1,2")});
    QCOMPARE(m_sym->polecenie(QStringLiteral("stan 1 0x90 0x02")), QStringList{"OK"});
    QCOMPARE(m_linia->wymiana(ramka(1, 0x90, 0x04), 1).toHex(' '), QByteArray("02 02"));
    // Controller 2 repeats its address as the first measurement value.
    const QByteArray b = m_linia->wymiana(ramka(2, 0x4F, 0x06), 33);
    QVERIFY(b.startsWith(h("0202")));
    QCOMPARE(LiniaTestowa::zwin(b).size(), 33);
    QCOMPARE(b.size(), 33 + b.count('\x02') / 2);
}

void TestSymulatora::obcyAdres_andUnknownFrames_getNoAnswer()
{
    uruchom({QStringLiteral("--adresy"), QStringLiteral("1")});
    QVERIFY(m_linia->wymiana(ramka(9, 0x90, 0x04), 1, 300).isEmpty());
    QVERIFY(m_linia->wymiana(ramka(1, 0x90, 0x09), 1, 300).isEmpty());
    QVERIFY(m_linia->wymiana(ramka(1, 0x4F, 0x04), 1, 300).isEmpty());
    // And the line is still in step afterwards.
    QCOMPARE(m_linia->wymiana(ramka(1, 0x2F, 0x05), 1).toHex(), QByteArray("41"));
}

void TestSymulatora::smieciPrzedRamka_areSkippedAndLogged()
{
    uruchom({QStringLiteral("--adresy"), QStringLiteral("1")});
    QCOMPARE(m_linia->wymiana(h("ff0201") + ramka(1, 0x90, 0x04), 1).toHex(), QByteArray("f0"));
    // A torn frame alone is given up after a pause, and the next one is served.
    m_linia->pisz(h("0201"));
    QTest::qWait(150);
    QCOMPARE(m_linia->wymiana(ramka(1, 0x2F, 0x05), 1).toHex(), QByteArray("41"));
    const auto log = czytajLog(m_log);
    QStringList odrzucone;
    for (const WpisLogu &w : log)
        if (w.rodzaj == QLatin1String("??"))
            odrzucone << w.tresc;
    QCOMPARE(odrzucone, (QStringList{"FF 02 01", "02 01"}));
}

void TestSymulatora::tempo_logStampsShowAtLeastTheLineTime()
{
    uruchom({QStringLiteral("--adresy"), QStringLiteral("1"), QStringLiteral("--opoznienie"), QStringLiteral("100")});
    QCOMPARE(LiniaTestowa::zwin(m_linia->wymiana(ramka(1, 0x4F, 0x06), 33)).size(), 33);
    QCOMPARE(m_linia->wymiana(ramka(1, 0x90, 0x04), 1).size(), 1);
    QTest::qWait(50);
    const auto log = czytajLog(m_log);
    // 100 ms of delay, then at least 33 bytes of 10 bits at 4800 baud
    // (68.75 ms) before the last one is out.
    const qint64 pomiar = odRxDoTx(log, QStringLiteral("02 01 4F 06"));
    QVERIFY2(pomiar >= 100 + 66, qPrintable(QString::number(pomiar)));
    const qint64 jeden = odRxDoTx(log, QStringLiteral("02 01 90 04"));
    QVERIFY2(jeden >= 100, qPrintable(QString::number(jeden)));
}

void TestSymulatora::usterki_silenceFirstKDroppedGarbageLateSkippedDisconnected()
{
    uruchom(
        {QStringLiteral("--adresy"), QStringLiteral("1,3"), QStringLiteral("--polecenie"), QStringLiteral("cisza 3")});
    const QByteArray czytaj90 = ramka(1, 0x90, 0x04);
    QVERIFY(m_linia->wymiana(ramka(3, 0x90, 0x04), 1, 300).isEmpty());
    QCOMPARE(m_sym->polecenie(QStringLiteral("ok 3")), QStringList{"OK"});
    QCOMPARE(m_linia->wymiana(ramka(3, 0x90, 0x04), 1).size(), 1);

    // The first two frames, then silence - also for writes.
    QCOMPARE(m_sym->polecenie(QStringLiteral("pierwsze 1 2")), QStringList{"OK"});
    QCOMPARE(m_linia->wymiana(czytaj90, 1).size(), 1);
    QCOMPARE(m_linia->wymiana(ramka(1, 0xA0, 0x04), 1).size(), 1);
    QVERIFY(m_linia->wymiana(ramka(1, 0xB0, 0x04), 1, 300).isEmpty());
    m_linia->pisz(ramka(1, 0x2F, 0x03, 0x61));
    QCOMPARE(m_sym->polecenie(QStringLiteral("ok 1")), QStringList{"OK"});
    QCOMPARE(m_linia->wymiana(ramka(1, 0x2F, 0x05), 1).toHex(), QByteArray("41"));

    // One value of each answer is lost: 32 of 33, none of 1.
    QCOMPARE(m_sym->polecenie(QStringLiteral("gubi 1")), QStringList{"OK"});
    QCOMPARE(LiniaTestowa::zwin(m_linia->wymiana(ramka(1, 0x4F, 0x06), 33, 600)).size(), 32);
    QVERIFY(m_linia->wymiana(czytaj90, 1, 300).isEmpty());

    QCOMPARE(m_sym->polecenie(QStringLiteral("ok 1")), QStringList{"OK"});
    QCOMPARE(m_sym->polecenie(QStringLiteral("smieci 1")), QStringList{"OK"});
    QVERIFY(!m_linia->wymiana(czytaj90, 1).isEmpty());

    QCOMPARE(m_sym->polecenie(QStringLiteral("ok 1")), QStringList{"OK"});
    QCOMPARE(m_sym->polecenie(QStringLiteral("pozno 1 400")), QStringList{"OK"});
    QVERIFY(m_linia->wymiana(czytaj90, 1, 250).isEmpty());
    QCOMPARE(m_linia->czytaj(1, 1000).toHex(), QByteArray("f0"));

    // One location never answered, the others as usual.
    QCOMPARE(m_sym->polecenie(QStringLiteral("ok 1")), QStringList{"OK"});
    QCOMPARE(m_sym->polecenie(QStringLiteral("pomija 1 0xB0")), QStringList{"OK"});
    QVERIFY(m_linia->wymiana(ramka(1, 0xB0, 0x04), 1, 300).isEmpty());
    QCOMPARE(m_linia->wymiana(czytaj90, 1).toHex(), QByteArray("f0"));

    QCOMPARE(m_sym->polecenie(QStringLiteral("ok *")), QStringList{"OK"});
    QCOMPARE(m_sym->polecenie(QStringLiteral("odlacz")), QStringList{"OK"});
    QVERIFY(m_linia->wymiana(czytaj90, 1, 300).isEmpty());
    QVERIFY(m_linia->wymiana(ramka(3, 0x90, 0x04), 1, 300).isEmpty());
    QCOMPARE(m_sym->polecenie(QStringLiteral("podlacz")), QStringList{"OK"});
    QCOMPARE(m_linia->wymiana(czytaj90, 1).toHex(), QByteArray("f0"));

    const auto log = czytajLog(m_log);
    bool milczy = false;
    for (const WpisLogu &w : log)
        milczy = milczy || w.tresc == QLatin1String("03 milczy");
    QVERIFY(milczy);
}

void TestSymulatora::portZamknietyIOtwartyPonownie_keepsWorking()
{
    uruchom({QStringLiteral("--adresy"), QStringLiteral("1")});
    QCOMPARE(m_linia->wymiana(ramka(1, 0x90, 0x04), 1).size(), 1);
    // An answer in flight when the station closes its port is lost, not fatal.
    m_linia->pisz(ramka(1, 0x4F, 0x06));
    m_linia->zamknij();
    QTest::qWait(300);
    QVERIFY(m_linia->otworz(m_sym->port));
    QCOMPARE(m_linia->wymiana(ramka(1, 0x2F, 0x05), 1).toHex(), QByteArray("41"));
    QCOMPARE(m_sym->proces().state(), QProcess::Running);
}

void TestSymulatora::urzadzenie_servesAnExistingSerialDevice()
{
    // A pseudo-terminal's slave side stands in for /dev/ttyUSB0; the test
    // holds the other end of the "cable".
    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    QVERIFY(master >= 0);
    QVERIFY(grantpt(master) == 0 && unlockpt(master) == 0);
    const QString urzadzenie = QString::fromLocal8Bit(ptsname(master));
    m_linia->przejmij(master);
    QVERIFY(
        m_sym->start({QStringLiteral("--adresy"), QStringLiteral("1"), QStringLiteral("--urzadzenie"), urzadzenie}));
    QCOMPARE(m_sym->port, urzadzenie);
    QCOMPARE(m_linia->wymiana(ramka(1, 0x2F, 0x05), 1).toHex(), QByteArray("41"));
    QCOMPARE(LiniaTestowa::zwin(m_linia->wymiana(ramka(1, 0x4F, 0x06), 33)).size(), 33);

    QProcess p;
    p.start(
        QString::fromLocal8Bit(qgetenv("TOLVEK_SIM")),
        {QStringLiteral("--adresy"), QStringLiteral("1"), QStringLiteral("--urzadzenie"), QStringLiteral("/dev/brak")});
    QVERIFY(p.waitForFinished(5000));
    QCOMPARE(p.exitCode(), 1);
    QVERIFY(p.readAllStandardError().contains("/dev/brak"));
}

void TestSymulatora::ustawienia_writePortPathIntoTheStationsSettings()
{
    const QString plik = m_dir->filePath(QStringLiteral("Tolvek.conf"));
    {
        QSettings s(plik, QSettings::IniFormat);
        s.setValue(QStringLiteral("adm_haslo/wartosc"), QStringLiteral("tajne"));
    }
    uruchom({QStringLiteral("--adresy"), QStringLiteral("1"), QStringLiteral("--ustawienia"), plik,
             QStringLiteral("--com"), QStringLiteral("3")});
    QCOMPARE(m_sym->linia(), QStringLiteral("USTAWIENIA ") + plik);
    QSettings s(plik, QSettings::IniFormat);
    QCOMPARE(s.value(QStringLiteral("porty/com3")).toString(), m_sym->port);
    QCOMPARE(s.value(QStringLiteral("port/nr_portu")).toString(), QStringLiteral("3"));
    QCOMPARE(s.value(QStringLiteral("adm_haslo/wartosc")).toString(), QStringLiteral("tajne"));
}

void TestSymulatora::ustawienia_defaultFileIsTheStations()
{
    // The station's own store, under the private config folder of this test.
    if (qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME"))
        QSKIP("XDG_CONFIG_HOME unset: would write the user's own settings");
    uruchom({QStringLiteral("--adresy"), QStringLiteral("1"), QStringLiteral("--ustawienia"), QStringLiteral("--com"),
             QStringLiteral("2")});
    UstawieniaPlik stacja;
    QCOMPARE(m_sym->linia(), QStringLiteral("USTAWIENIA ") + stacja.sciezka());
    QCOMPARE(stacja.czytaj(QStringLiteral("port"), QStringLiteral("nr_portu"), QString()), QStringLiteral("2"));
    QCOMPARE(sciezkaPortu(stacja, 2), m_sym->port);
}

void TestSymulatora::polecenia_answerOkOrAnError()
{
    uruchom({QStringLiteral("--adresy"), QStringLiteral("1,2")});
    QCOMPARE(m_sym->polecenie(QStringLiteral("blok 1 0x61")), QStringList{"OK"});
    QCOMPARE(m_linia->wymiana(ramka(1, 0x2F, 0x05), 1).toHex(), QByteArray("61"));
    QCOMPARE(m_sym->polecenie(QStringLiteral("odliczanie 1 3 45")), QStringList{"OK"});
    const int zostalo = quint8(m_linia->wymiana(ramka(1, 0x73, 0x05), 1).at(0));
    QVERIFY(zostalo == 45 || zostalo == 44);
    QCOMPARE(m_sym->polecenie(QStringLiteral("stan 2 0xA0 0x0F")), QStringList{"OK"});
    QCOMPARE(m_linia->wymiana(ramka(2, 0xA0, 0x04), 1).toHex(), QByteArray("0f"));

    QCOMPARE(m_sym->polecenie(QStringLiteral("skacz 1")),
             QStringList{QStringLiteral("BŁĄD: nieznane polecenie 'skacz' (pomoc: pomoc)")});
    QCOMPARE(m_sym->polecenie(QStringLiteral("cisza 9")),
             QStringList{QStringLiteral("BŁĄD: brak regulatora o adresie 9")});
    QCOMPARE(m_sym->polecenie(QStringLiteral("odliczanie 1 9 10")),
             QStringList{QStringLiteral("BŁĄD: zły indeks stopnia '9' (0..8)")});
    QCOMPARE(m_sym->polecenie(QStringLiteral("stan 1 0x4F 1")).value(0).left(17), QStringLiteral("BŁĄD: zła lokacja"));
    QCOMPARE(m_sym->polecenie(QStringLiteral("pierwsze 1")).value(0),
             QStringLiteral("BŁĄD: pierwsze wymaga 2 argumentów"));

    const QStringList pokaz = m_sym->polecenie(QStringLiteral("pokaz"));
    QCOMPARE(pokaz.size(), 3);
    QVERIFY(pokaz.at(0).startsWith(QStringLiteral("01 90=F0 A0=FF B0=FF 2F=61 ")));
    QVERIFY(pokaz.at(1).startsWith(QStringLiteral("02 90=F0 A0=0F ")));
    QCOMPARE(pokaz.at(2), QStringLiteral("OK"));
}

void TestSymulatora::baza_emulatesExactlyTheRegulatorRowsWithTheirRatios()
{
    const QString plik = m_dir->filePath(QStringLiteral("tolvek.mdb"));
    {
        auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("baza"));
        db.setDatabaseName(plik);
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral("CREATE TABLE Regulatory (Adres INTEGER, Kod TEXT, Typ TEXT, Przekladnia REAL, "
                                      "PrzekladniaNap INTEGER, NapieciePomiar INTEGER, BKSt1 REAL)")));
        QVERIFY(
            q.exec(QStringLiteral("INSERT INTO Regulatory VALUES (1, 'R1', 'regulator', 40, 1, 380, 5), "
                                  "(2, 'R2', 'Regulator', 40, 1, 380, 5), (3, 'L3', 'licznik', 40, 1, 380, 0), "
                                  "(4, 'R4', 'regulator', 80, 1, 500, NULL), (1, 'R1b', 'regulator', 40, 1, 380, 5)")));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("baza"));
    uruchom({QStringLiteral("--baza"), plik});
    for (const int a : {2, 3})
        QVERIFY2(m_linia->wymiana(ramka(a, 0x90, 0x04), 1, 300).isEmpty(), qPrintable(QString::number(a)));
    QCOMPARE(m_sym->polecenie(QStringLiteral("prad * 100")), QStringList{"OK"});
    QCOMPARE(m_sym->polecenie(QStringLiteral("napiecie 4 500")), QStringList{"OK"});
    const QByteArray b1 = LiniaTestowa::zwin(m_linia->wymiana(ramka(1, 0x4F, 0x06), 33));
    const QByteArray b4 = LiniaTestowa::zwin(m_linia->wymiana(ramka(4, 0x4F, 0x06), 33));
    QCOMPARE(b1.size(), 33);
    QCOMPARE(b4.size(), 33);
    // Raw current = amps x 200 / Przekladnia; raw voltage = volts / SkalaNapiecia.
    QCOMPARE(quint8(b1.at(1 + 17)) * 256 + quint8(b1.at(1 + 18)), 500);
    QCOMPARE(quint8(b4.at(1 + 17)) * 256 + quint8(b4.at(1 + 18)), 250);
    QCOMPARE(quint8(b4.at(1 + 15)) * 256 + quint8(b4.at(1 + 16)), 400);
    // The repeated address was skipped with a warning.
    m_sym->zatrzymaj();
    const QString bledy = QString::fromUtf8(m_sym->proces().readAllStandardError());
    QVERIFY2(bledy.contains(QStringLiteral("adres 1 powtórzony")), qPrintable(bledy));
}

void TestSymulatora::gniazdo_takesCommandsAndAnswersTheClient()
{
    const QString nazwa = m_dir->filePath(QStringLiteral("sym.sock"));
    uruchom({QStringLiteral("--adresy"), QStringLiteral("1"), QStringLiteral("--gniazdo"), nazwa});
    QLocalSocket s;
    s.connectToServer(nazwa);
    QVERIFY(s.waitForConnected(2000));
    s.write("cisza 1\n");
    QTRY_VERIFY(s.canReadLine());
    QCOMPARE(s.readLine(), QByteArray("OK\n"));
    QVERIFY(m_linia->wymiana(ramka(1, 0x90, 0x04), 1, 300).isEmpty());
    s.write("ok 1\npokaz 5\n");
    QTRY_COMPARE(s.bytesAvailable() > 0 && s.peek(200).count('\n') >= 2, true);
    QCOMPARE(s.readLine(), QByteArray("OK\n"));
    QCOMPARE(QString::fromUtf8(s.readLine()), QStringLiteral("BŁĄD: brak regulatora o adresie 5\n"));
}

void TestSymulatora::wyjscie_exitCodesForBadArgumentsMissingDatabaseAndSigterm()
{
    const QString program = QString::fromLocal8Bit(qgetenv("TOLVEK_SIM"));
    QProcess p;
    p.start(program, {QStringLiteral("--adresy"), QStringLiteral("1,300")});
    QVERIFY(p.waitForFinished(5000));
    QCOMPARE(p.exitCode(), 2);
    QVERIFY(p.readAllStandardError().contains("(0..255)"));

    p.start(program, {QStringLiteral("--baza"), m_dir->filePath(QStringLiteral("brak.mdb"))});
    QVERIFY(p.waitForFinished(5000));
    QCOMPARE(p.exitCode(), 1);
    QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("brak.mdb"))));

    p.start(program, {QStringLiteral("--help")});
    QVERIFY(p.waitForFinished(5000));
    QCOMPARE(p.exitCode(), 0);
    QVERIFY(p.readAllStandardOutput().contains("--adresy"));

    uruchom({QStringLiteral("--adresy"), QStringLiteral("1")});
    ::kill(pid_t(m_sym->proces().processId()), SIGTERM);
    QVERIFY(m_sym->proces().waitForFinished(5000));
    QCOMPARE(m_sym->proces().exitStatus(), QProcess::NormalExit);
    QCOMPARE(m_sym->proces().exitCode(), 0);
}

QTEST_GUILESS_MAIN(TestSymulatora)
#include "tst_symulator.moc"
