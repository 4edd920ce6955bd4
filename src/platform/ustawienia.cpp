#include "ustawienia.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSettings>
#include <QStandardPaths>
#include <QSysInfo>

Q_LOGGING_CATEGORY(lcUstawienia, "tolvek.ustawienia")

QString domyslnaSciezkaUstawien()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Tolvek/Tolvek.conf");
}

namespace
{

constexpr QFileDevice::Permissions tylkoWlasciciel = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
constexpr QFileDevice::Permissions dlaInnych = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                               QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                               QFileDevice::WriteOther | QFileDevice::ExeOther;

// The file holds the administrator password's digest (in files from older
// versions, the password itself): only its owner may read it.
void zamknijDlaInnych(const QString &sciezka)
{
    QFile f(sciezka);
    if (f.exists() && (f.permissions() & dlaInnych))
        f.setPermissions(tylkoWlasciciel);
}

// Created empty with its final mode, so that it is never readable by others,
// not even between the first write and a chmod; later writes replace the
// file and keep its mode.
void utworzDlaWlasciciela(const QString &sciezka)
{
    if (QFileInfo::exists(sciezka))
        return;
    QDir().mkpath(QFileInfo(sciezka).absolutePath());
    QFile f(sciezka);
    f.open(QIODevice::WriteOnly | QIODevice::NewOnly, tylkoWlasciciel);
}

} // namespace

struct UstawieniaPlik::Impl {
    std::unique_ptr<QSettings> s;
    bool bladZgloszony = false;
};

UstawieniaPlik::UstawieniaPlik() : d(std::make_unique<Impl>())
{
    // QSettings' own user-scope INI file would be Tolvek.ini; outside tools
    // (the simulator, installers) rely on $XDG_CONFIG_HOME/Tolvek/Tolvek.conf.
    d->s = std::make_unique<QSettings>(domyslnaSciezkaUstawien(), QSettings::IniFormat);
    zamknijDlaInnych(d->s->fileName());
}

UstawieniaPlik::UstawieniaPlik(const QString &sciezka) : d(std::make_unique<Impl>())
{
    d->s = std::make_unique<QSettings>(sciezka, QSettings::IniFormat);
    zamknijDlaInnych(d->s->fileName());
}

UstawieniaPlik::~UstawieniaPlik() = default;

QString UstawieniaPlik::czytaj(const QString &sekcja, const QString &klucz, const QString &domyslna) const
{
    d->s->sync(); // another process (the simulator) may have written the file
    // A file that cannot be read leaves every value at its default (port 1):
    // the log says why, once.
    if (d->s->status() != QSettings::NoError && !d->bladZgloszony) {
        d->bladZgloszony = true;
        qCWarning(lcUstawienia).noquote()
            << "the settings file" << d->s->fileName() << "cannot be read ("
            << (d->s->status() == QSettings::FormatError ? QStringLiteral("not in INI format")
                                                         : QStringLiteral("no access, or not a file"))
            << "); the values it should give are taken at their defaults";
    }
    return d->s->value(sekcja + QLatin1Char('/') + klucz, domyslna).toString();
}

void UstawieniaPlik::zapisz(const QString &sekcja, const QString &klucz, const QString &wartosc)
{
    utworzDlaWlasciciela(d->s->fileName());
    d->s->setValue(sekcja + QLatin1Char('/') + klucz, wartosc);
    d->s->sync();
    zamknijDlaInnych(d->s->fileName());
}

QString UstawieniaPlik::sciezka() const
{
    return d->s->fileName();
}

QString sciezkaPortu(const Ustawienia &u, int numer)
{
    const QString z = u.czytaj(QStringLiteral("porty"), QStringLiteral("com%1").arg(numer), QString());
    if (!z.trimmed().isEmpty())
        return z.trimmed();
    return QStringLiteral("/dev/ttyS%1").arg(numer - 1);
}

QString domyslnyTekstPolaczenia()
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=tolvek.mdb;Persist Security Info=False");
}

QString tekstPolaczeniaBazy(const Ustawienia &u)
{
    const QString s = u.czytaj(QStringLiteral("baza"), QStringLiteral("polaczenie"), QString()).trimmed();
    return s.isEmpty() ? domyslnyTekstPolaczenia() : s;
}

QString nazwaStacji(const Ustawienia &u)
{
    const QString s = u.czytaj(QStringLiteral("stacja"), QStringLiteral("nazwa"), QString()).trimmed();
    if (!s.isEmpty())
        return s;
    const QString host = QSysInfo::machineHostName().trimmed();
    return host.isEmpty() ? QStringLiteral("stacja") : host;
}

QString sciezkaBufora(const Ustawienia &u, const QString &stacja)
{
    const QString plik = u.czytaj(QStringLiteral("bufor"), QStringLiteral("plik"), QString()).trimmed();
    if (!plik.isEmpty())
        return plik;
    QString nazwa;
    for (const QChar z : stacja)
        nazwa += (z.isLetterOrNumber() && z.unicode() < 128) || z == QLatin1Char('-') || z == QLatin1Char('_')
                     ? z.toLower()
                     : QLatin1Char('_');
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Tolvek/bufor-") +
           nazwa + QStringLiteral(".sqlite");
}

double liczbaUstawienia(const Ustawienia &u, const QString &sekcja, const QString &klucz, double domyslna)
{
    const QString tekst = u.czytaj(sekcja, klucz, QString()).trimmed();
    if (tekst.isEmpty())
        return domyslna;
    bool ok = false;
    const double w = tekst.toDouble(&ok);
    if (ok && w > 0)
        return w;
    qCWarning(lcUstawienia).noquote() << QLatin1Char('[') + sekcja + QLatin1Char(']') << klucz << "=" << tekst
                                      << "is not a positive number; the default" << domyslna << "is used";
    return domyslna;
}
