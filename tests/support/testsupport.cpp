#include "testsupport.h"

#include "db/schemat.h"
#include "platform/zapytanie.h"

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

BazaTestowa::BazaTestowa()
{
    if (!katalog.isValid())
        throw std::runtime_error("no temporary folder");
    sciezka = katalog.filePath(QStringLiteral("tolvek.mdb"));
    polaczenieTekst =
        QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1;Persist Security Info=False").arg(sciezka);
    wykonaj(schematBazy());
}

void BazaTestowa::wykonaj(const QStringList &sql) const
{
    const QString nazwa = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nazwa);
        db.setDatabaseName(sciezka);
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
