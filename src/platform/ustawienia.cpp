#include "ustawienia.h"

#include <QSettings>
#include <QStandardPaths>

QString domyslnaSciezkaUstawien()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Tolvek/Tolvek.conf");
}

struct UstawieniaPlik::Impl {
    std::unique_ptr<QSettings> s;
};

UstawieniaPlik::UstawieniaPlik() : d(std::make_unique<Impl>())
{
    // QSettings' own user-scope INI file would be Tolvek.ini; outside tools
    // (the simulator, installers) rely on $XDG_CONFIG_HOME/Tolvek/Tolvek.conf.
    d->s = std::make_unique<QSettings>(domyslnaSciezkaUstawien(), QSettings::IniFormat);
}

UstawieniaPlik::UstawieniaPlik(const QString &sciezka) : d(std::make_unique<Impl>())
{
    d->s = std::make_unique<QSettings>(sciezka, QSettings::IniFormat);
}

UstawieniaPlik::~UstawieniaPlik() = default;

QString UstawieniaPlik::czytaj(const QString &sekcja, const QString &klucz, const QString &domyslna) const
{
    d->s->sync(); // another process (the simulator) may have written the file
    return d->s->value(sekcja + QLatin1Char('/') + klucz, domyslna).toString();
}

void UstawieniaPlik::zapisz(const QString &sekcja, const QString &klucz, const QString &wartosc)
{
    d->s->setValue(sekcja + QLatin1Char('/') + klucz, wartosc);
    d->s->sync();
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
