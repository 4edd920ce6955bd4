#include "konfiguracja.h"

#include <QFileInfo>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardPaths>
#include <QVariant>

#include <memory>
#include <set>

namespace sim
{

namespace
{

// Reads the rows through a connection of its own, closed before returning.
bool czytajWiersze(QSqlDatabase &db, std::vector<ParametryRegulatora> *wynik, QStringList *ostrzezenia, QString *blad)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT * FROM Regulatory WHERE Typ = 'regulator'"))) {
        *blad = q.lastError().text();
        return false;
    }
    const QSqlRecord rec = q.record();
    auto kolumna = [&](const char *nazwa) { return rec.indexOf(QString::fromLatin1(nazwa)); };
    const int kAdres = kolumna("Adres");
    if (kAdres < 0) {
        *blad = QStringLiteral("tabela Regulatory nie ma kolumny Adres");
        return false;
    }
    const int kKod = kolumna("Kod");
    const int kPrz = kolumna("Przekladnia");
    const int kPrzNap = kolumna("PrzekladniaNap");
    const int kKlasa = kolumna("NapieciePomiar");
    int kStopnie[9];
    for (int i = 0; i < 9; ++i)
        kStopnie[i] = rec.indexOf(QStringLiteral("BKSt%1").arg(i + 1));

    std::set<int> adresy;
    while (q.next()) {
        ParametryRegulatora p;
        const QVariant adres = q.value(kAdres);
        bool ok = false;
        p.adres = adres.toInt(&ok);
        p.kod = kKod >= 0 ? q.value(kKod).toString().trimmed() : QString();
        if (adres.isNull() || !ok || p.adres < 0 || p.adres > 255) {
            *ostrzezenia
                << QStringLiteral("regulator '%1': adres '%2' poza 0..255, pominięty").arg(p.kod, adres.toString());
            continue;
        }
        if (!adresy.insert(p.adres).second) {
            *ostrzezenia << QStringLiteral("regulator '%1': adres %2 powtórzony, pominięty").arg(p.kod).arg(p.adres);
            continue;
        }
        if (kPrz >= 0 && !q.value(kPrz).isNull() && q.value(kPrz).toDouble() > 0)
            p.przekladnia = q.value(kPrz).toDouble();
        if (kPrzNap >= 0 && !q.value(kPrzNap).isNull() && q.value(kPrzNap).toInt() > 0)
            p.przekladniaNap = q.value(kPrzNap).toInt();
        if (kKlasa >= 0 && !q.value(kKlasa).isNull())
            p.napieciePomiar = q.value(kKlasa).toInt();
        for (int i = 0; i < 9; ++i) {
            if (kStopnie[i] < 0)
                continue;
            const QVariant v = q.value(kStopnie[i]);
            // A stage power left empty keeps the default; 0 means no stage.
            if (!v.isNull() && v.toDouble() >= 0)
                p.stopnieKvar[std::size_t(i)] = v.toDouble();
        }
        wynik->push_back(p);
    }
    return true;
}

} // namespace

bool czytajBaze(const QString &plik, std::vector<ParametryRegulatora> *wynik, QStringList *ostrzezenia, QString *blad)
{
    // SQLite would create a missing file; a typo must not pass as an empty bus.
    if (!QFileInfo(plik).isFile()) {
        *blad = QStringLiteral("%1: nie ma takiego pliku").arg(plik);
        return false;
    }
    const QString nazwa = QStringLiteral("tolvek-sim-baza");
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nazwa);
        db.setDatabaseName(plik);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!db.open()) {
            *blad = QStringLiteral("%1: %2").arg(plik, db.lastError().text());
        } else {
            ok = czytajWiersze(db, wynik, ostrzezenia, blad);
            if (!ok)
                *blad = QStringLiteral("%1: %2").arg(plik, *blad);
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(nazwa);
    return ok;
}

QString zapiszUstawienia(const QString &plik, int com, const QString &sciezkaPortu, QString *blad)
{
    // The same store the station opens: $XDG_CONFIG_HOME/Tolvek/Tolvek.conf, INI.
    const QString sciezka = plik.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                                                 QStringLiteral("/Tolvek/Tolvek.conf")
                                           : plik;
    auto s = std::make_unique<QSettings>(sciezka, QSettings::IniFormat);
    s->setValue(QStringLiteral("porty/com%1").arg(com), sciezkaPortu);
    s->setValue(QStringLiteral("port/nr_portu"), QString::number(com));
    s->sync();
    if (s->status() != QSettings::NoError) {
        *blad = QStringLiteral("%1: nie można zapisać ustawień").arg(s->fileName());
        return {};
    }
    return s->fileName();
}

} // namespace sim
