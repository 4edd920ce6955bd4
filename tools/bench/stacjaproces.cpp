#include "stacjaproces.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <csignal>
#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

namespace
{
double cpuZeStat(const QString &plik)
{
    QFile f(plik);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray s = f.readAll();
    const QList<QByteArray> pola = s.mid(s.lastIndexOf(')') + 2).split(' ');
    const double tiki = static_cast<double>(sysconf(_SC_CLK_TCK));
    return (pola.value(11).toDouble() + pola.value(12).toDouble()) / tiki;
}
} // namespace

double cpuProcesu(qint64 pid)
{
    return cpuZeStat(QStringLiteral("/proc/%1/stat").arg(pid));
}

double cpuTegoProcesu()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

double cpuWatku(const QByteArray &nazwa)
{
    const QDir watki(QStringLiteral("/proc/self/task"));
    for (const QString &tid : watki.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(watki.filePath(tid + QStringLiteral("/comm")));
        if (comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == nazwa)
            return cpuZeStat(watki.filePath(tid + QStringLiteral("/stat")));
    }
    return -1;
}

long rssProcesu(qint64 pid)
{
    QFile f(QStringLiteral("/proc/%1/status").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &l : f.readAll().split('\n'))
        if (l.startsWith("VmRSS:"))
            return l.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

bool StacjaNaSymulatorze::przygotuj(const QString &bin, const QString &katalog, int regulatorow)
{
    QProcess::execute(bin + QStringLiteral("/baza/tolvek-baza"),
                      {QStringLiteral("init"), QStringLiteral("--plik"), QStringLiteral("tolvek.mdb")});
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("instalacja"));
        db.setDatabaseName(QStringLiteral("tolvek.mdb"));
        db.open();
        for (int a = 1; a <= regulatorow; ++a) {
            QSqlQuery q(db);
            q.exec(QStringLiteral("INSERT INTO Regulatory (Adres, Kod, Typ, CzestOdczytu, CzestTrans, NapieciePomiar, "
                                  "ProgNapiecie, ProgPrad, ProgTgFiMin, ProgTgFi, Przekladnia, PrzekladniaNap) VALUES "
                                  "(%1, 'R%1', 'regulator', 1, 1, 380, 440, 400, 0, 0.6, 40, 1)")
                       .arg(a));
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("instalacja"));

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), katalog + QStringLiteral("/config"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    sim.setProcessEnvironment(env);
    sim.start(bin + QStringLiteral("/sim/tolvek-sim"),
              {QStringLiteral("--baza"), QStringLiteral("tolvek.mdb"), QStringLiteral("--ustawienia"),
               katalog + QStringLiteral("/config/Tolvek/Tolvek.conf"), QStringLiteral("--com"), QStringLiteral("1")});
    if (!sim.waitForReadyRead(5000)) {
        std::fprintf(stderr, "tolvek-sim did not start\n");
        return false;
    }
    port = QString::fromUtf8(sim.readLine()).trimmed().section(QLatin1Char(' '), 1);
    return true;
}

bool StacjaNaSymulatorze::uruchom(const QString &bin, const QString &katalog, int regulatorow)
{
    if (!przygotuj(bin, katalog, regulatorow))
        return false;
    stacja.setProcessEnvironment(sim.processEnvironment());
    stacja.start(bin + QStringLiteral("/../src/tolvek"), {});
    if (!stacja.waitForStarted()) {
        std::fprintf(stderr, "tolvek did not start\n");
        return false;
    }
    return true;
}

void StacjaNaSymulatorze::zatrzymaj()
{
    if (stacja.state() != QProcess::NotRunning) {
        ::kill(static_cast<pid_t>(stacja.processId()), SIGTERM);
        stacja.waitForFinished(15000);
    }
    if (sim.state() != QProcess::NotRunning) {
        sim.terminate();
        sim.waitForFinished();
    }
}

int uruchomProgram(const QString &program, const QStringList &argumenty, QString *wyjscie)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(program, argumenty);
    if (!p.waitForStarted() || !p.waitForFinished(-1))
        return -1;
    if (wyjscie)
        *wyjscie = QString::fromUtf8(p.readAllStandardOutput());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

SerwerTrwaly::SerwerTrwaly()
    : m_katalog(QStringLiteral("/tmp/tolvek-bench-pg-%1").arg(QCoreApplication::applicationPid()))
{
    qputenv("TOLVEK_PG_SZYBKO", "0");
    QString w;
    if (uruchomProgram(QStringLiteral(TOLVEK_SKRYPTY "/serwer-pg"), {QStringLiteral("start"), m_katalog}, &w) == 0 &&
        w.contains(QLatin1String("host=")))
        polaczenie = w.trimmed();
    else
        std::fprintf(stderr, "no PostgreSQL server: %s\n", qPrintable(w));
}

SerwerTrwaly::~SerwerTrwaly()
{
    if (!polaczenie.isEmpty())
        skrypt(QStringLiteral("odmroz"));
    skrypt(QStringLiteral("stop"));
}

bool SerwerTrwaly::skrypt(const QString &polecenie, bool czekaj)
{
    const QString program = QStringLiteral(TOLVEK_SKRYPTY "/serwer-pg");
    if (!czekaj)
        return QProcess::startDetached(program, {polecenie, m_katalog});
    return uruchomProgram(program, {polecenie, m_katalog}) == 0;
}

bool SerwerTrwaly::wypelnij(const QString &bin, const QString &plik)
{
    const QString baza = bin + QStringLiteral("/baza/tolvek-baza");
    return uruchomProgram(baza, {QStringLiteral("init"), QStringLiteral("--do"), polaczenie}) == 0 &&
           uruchomProgram(
               baza, {QStringLiteral("kopiuj"), QStringLiteral("--z"), plik, QStringLiteral("--do"), polaczenie}) == 0;
}
