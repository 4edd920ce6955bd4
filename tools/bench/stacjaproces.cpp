#include "stacjaproces.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <csignal>
#include <cstdio>
#include <unistd.h>

double cpuProcesu(qint64 pid)
{
    QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray s = f.readAll();
    const QList<QByteArray> pola = s.mid(s.lastIndexOf(')') + 2).split(' ');
    const double tiki = static_cast<double>(sysconf(_SC_CLK_TCK));
    return (pola.value(11).toDouble() + pola.value(12).toDouble()) / tiki;
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
