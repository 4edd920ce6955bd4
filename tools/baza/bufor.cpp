#include "bufor.h"

#include "db/przekazywanie.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include <stdexcept>

namespace
{

QString rodzaj(RodzajWpisu r)
{
    switch (r) {
    case RodzajWpisu::Pomiar:
        return QStringLiteral("pomiar");
    case RodzajWpisu::Alarm:
        return QStringLiteral("alarm");
    case RodzajWpisu::ZmianaAlarmu:
        return QStringLiteral("zmiana alarmu");
    case RodzajWpisu::Log:
        return QStringLiteral("wpis dziennika");
    }
    return QStringLiteral("?");
}

// A spool that is not there is not made by a look at it.
void sprawdzIstnienie(const QString &sciezka)
{
    if (!QFileInfo(sciezka).isFile())
        throw std::runtime_error(QStringLiteral("nie ma pliku bufora „%1”").arg(sciezka).toStdString());
}

} // namespace

QString opisKwarantanny(const QString &sciezkaBufora, int *ile)
{
    sprawdzIstnienie(sciezkaBufora);
    BuforZapisu b;
    b.otworz(sciezkaBufora);
    const QVector<WpisKwarantanny> wpisy = b.kwarantanna();
    QString t;
    for (const WpisKwarantanny &w : wpisy)
        t += QStringLiteral("%1  %2  odłożony %3: %4\n    %5\n")
                 .arg(w.wpis.nr)
                 .arg(rodzaj(w.wpis.rodzaj), w.kiedy, w.powod,
                      QString::fromUtf8(
                          QJsonDocument(QJsonObject::fromVariantMap(w.wpis.dane)).toJson(QJsonDocument::Compact)));
    if (ile)
        *ile = static_cast<int>(wpisy.size());
    return t;
}

int przywrocKwarantanne(const QString &sciezkaBufora)
{
    sprawdzIstnienie(sciezkaBufora);
    BuforZapisu b;
    b.otworz(sciezkaBufora);
    return b.przywrocKwarantanne();
}

WynikPrzekazania przekazBufor(const QString &sciezkaBufora, const ZrodloBazy &baza)
{
    sprawdzIstnienie(sciezkaBufora);
    Przekazywanie p(sciezkaBufora, baza);
    WynikPrzekazania w;
    p.naKwarantanne = [&w](const WpisBufora &, const QString &) { ++w.odlozone; };
    const qint64 przed = p.bufor().liczbaWpisow();
    Przekazywanie::Wynik wynik;
    while ((wynik = p.krok()) == Przekazywanie::Wynik::Przekazano) {
    }
    w.zostalo = p.bufor().liczbaWpisow();
    w.przekazane = przed - w.zostalo - w.odlozone;
    if (wynik == Przekazywanie::Wynik::Niedostepna)
        w.powod = p.powod();
    return w;
}
