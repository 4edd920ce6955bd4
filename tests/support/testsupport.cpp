#include "testsupport.h"

#include "baza/zapytanie.h"
#include "db/schemat.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include <stdexcept>

QStringList ZdarzeniaTestowe::te(const char *nazwa) const
{
    QStringList w;
    for (const QString &z : wszystkie)
        if (z.startsWith(QLatin1String(nazwa) + QLatin1Char(' ')))
            w.append(z);
    return w;
}

std::optional<QString> serwerTestowy(QString *powod)
{
    const QString katalog = qEnvironmentVariable("TOLVEK_PG");
    QString brak;
    if (katalog.isEmpty())
        brak = QStringLiteral("no test server (TOLVEK_PG unset: run through ctest)");
    else if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
        brak = QStringLiteral("Qt's PostgreSQL driver is not installed (libqt6sql6-psql)");
    QFile plik(katalog + QStringLiteral("/polaczenie"));
    if (brak.isEmpty() && plik.open(QIODevice::ReadOnly))
        return QString::fromUtf8(plik.readAll()).trimmed();
    if (brak.isEmpty()) {
        QFile opis(katalog + QStringLiteral("/brak"));
        brak = opis.open(QIODevice::ReadOnly) ? QString::fromUtf8(opis.readAll()).trimmed()
                                              : QStringLiteral("the test server did not start (see %1)").arg(katalog);
    }
    if (powod)
        *powod = brak;
    return std::nullopt;
}

namespace
{

// Statements on the server's maintenance database (CREATE/DROP DATABASE).
void naSerwerze(const QString &polaczenie, const QString &sql)
{
    Polaczenie cn;
    cn.otworz(ZrodloBazy::serwer(polaczenie));
    QSqlQuery q(cn.db());
    q.exec(QStringLiteral("SET client_min_messages = warning")); // no list of what a drop took with it
    if (!q.exec(sql))
        throw std::runtime_error(QString(sql + QStringLiteral(": ") + q.lastError().text()).toStdString());
}

} // namespace

namespace
{
QList<QPair<QByteArray, QString>> wpisyDziennika;

void zbierzWpis(QtMsgType, const QMessageLogContext &kontekst, const QString &tekst)
{
    wpisyDziennika.append({QByteArray(kontekst.category), tekst});
}
} // namespace

DziennikTestowy::DziennikTestowy()
{
    wpisyDziennika.clear();
    qInstallMessageHandler(zbierzWpis);
}

DziennikTestowy::~DziennikTestowy()
{
    qInstallMessageHandler(nullptr);
}

QStringList DziennikTestowy::wpisy(const char *kategoria) const
{
    QStringList w;
    for (const auto &[k, t] : std::as_const(wpisyDziennika))
        if (k == kategoria)
            w.append(t);
    return w;
}

BazaTestowa::BazaTestowa(Silnik s, Pusta pusta) : silnik(s)
{
    if (!katalog.isValid())
        throw std::runtime_error("no temporary folder");
    if (silnik == Silnik::PostgreSQL) {
        QString powod;
        const std::optional<QString> serwer = serwerTestowy(&powod);
        if (!serwer)
            throw std::runtime_error(powod.toStdString());
        // A database of its own: its catalogs too are its own, so a test
        // that drops its tables never touches another test's catalog query
        // (a schema of its own shared the catalogs, and pg_indexes or the
        // layer's table description could meet a relation dropped meanwhile).
        nazwaBazy = QStringLiteral("t_") + QUuid::createUuid().toString(QUuid::Id128).left(16);
        naSerwerze(*serwer, QStringLiteral("CREATE DATABASE ") + nazwaBazy);
        polaczenieTekst = QString(*serwer).replace(QRegularExpression(QStringLiteral("dbname=\\S+")),
                                                   QStringLiteral("dbname=") + nazwaBazy);
    } else {
        sciezka = katalog.filePath(QStringLiteral("tolvek.mdb"));
        polaczenieTekst =
            QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1;Persist Security Info=False").arg(sciezka);
    }
    if (pusta == Pusta::Nie)
        wykonaj(schematBazy(silnik));
}

BazaTestowa::~BazaTestowa()
{
    if (nazwaBazy.isEmpty())
        return;
    try {
        // Connections a test left open (a station's, a tool's) go with it.
        naSerwerze(*serwerTestowy(nullptr), QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(nazwaBazy));
    } catch (const std::exception &e) {
        qWarning("test database %s left on the server: %s", qPrintable(nazwaBazy), e.what());
    }
}

void BazaTestowa::wykonaj(const QStringList &sql) const
{
    const QString nazwa = QUuid::createUuid().toString();
    {
        // A plain driver connection: the file keeps the journal it was made
        // with until the station's layer opens it.
        QSqlDatabase db;
        if (silnik == Silnik::PostgreSQL) {
            db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), nazwa);
            db.setConnectOptions(polaczenieTekst);
        } else {
            db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nazwa);
            db.setDatabaseName(sciezka);
        }
        if (!db.open())
            throw std::runtime_error(db.lastError().text().toStdString());
        for (const QString &s : sql) {
            QSqlQuery q(db);
            if (!q.exec(s))
                throw std::runtime_error(QString(s + QStringLiteral(": ") + q.lastError().text()).toStdString());
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(nazwa);
}

void BazaTestowa::dodajPomiary(const QList<QStringList> &wiersze) const
{
    QStringList sql;
    for (const QStringList &w : wiersze)
        sql << QStringLiteral("INSERT INTO Pomiary (Adres, Data, EnCzynna, EnBiernaCalk, EnBiernaPoj, Napiecie, "
                              "PradCalk, Czestotliwosc) VALUES (%1, '%2', %3, %4, %5, 230, 10, 50)")
                   .arg(w.value(0), w.value(1), w.value(2), w.value(3), w.value(4, QStringLiteral("0")));
    wykonaj(sql);
}

WynikProgramu uruchomProgram(const QString &program, const QStringList &argumenty, const QString &katalog)
{
    QProcess p;
    p.setWorkingDirectory(katalog);
    p.start(program, argumenty);
    if (!p.waitForStarted() || !p.waitForFinished(120000))
        return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

QList<QVariantList> wierszeZapytania(Polaczenie &polaczenie, const QString &sql)
{
    Zapytanie z;
    z.Open(sql, polaczenie);
    QList<QVariantList> w;
    for (z.MoveFirst(); !z.EOF_(); z.MoveNext()) {
        QVariantList r;
        for (const QString &c : z.kolumny())
            r << z.pole(c);
        w << r;
    }
    return w;
}
