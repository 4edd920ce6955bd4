#include "formaty.h"

#include "platform/datacz.h"

#include <QDate>
#include <QDateTime>

#include <cmath>

namespace
{

bool jestWzoremLiczby(const QString &wzor)
{
    for (const QChar c : wzor) {
        if (QStringLiteral("dMyHhmsz").contains(c))
            return false;
    }
    return true;
}

struct Sekcja {
    QString przed, po;
    int miejsc = 0;
};

// The number placeholder is the run of 0, # and one comma; what stands
// around it is copied as it is.
Sekcja rozbierz(const QString &s)
{
    Sekcja w;
    qsizetype poczatek = -1;
    qsizetype koniec = -1;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        const bool cyfra = c == QLatin1Char('0') || c == QLatin1Char('#');
        if (cyfra || (c == QLatin1Char(',') && poczatek >= 0 && koniec == i)) {
            if (poczatek < 0)
                poczatek = i;
            koniec = i + 1;
        } else if (poczatek >= 0) {
            break;
        }
    }
    if (poczatek < 0) {
        w.przed = s;
        return w;
    }
    const QString liczba = s.mid(poczatek, koniec - poczatek);
    const qsizetype przecinek = liczba.indexOf(QLatin1Char(','));
    w.miejsc = przecinek < 0 ? 0 : static_cast<int>(liczba.size() - przecinek - 1);
    w.przed = s.left(poczatek);
    w.po = s.mid(koniec);
    return w;
}

} // namespace

QString formatujLiczbe(double v, const QString &wzor)
{
    const QStringList sekcje = wzor.split(QLatin1Char(';'));
    const Sekcja dodatnia = rozbierz(sekcje.value(0));
    const double skala = std::pow(10.0, dodatnia.miejsc);
    double zaokraglona = std::round(v * skala) / skala;
    if (zaokraglona == 0.0)
        zaokraglona = 0.0; // also -0.0
    Sekcja s = dodatnia;
    if (zaokraglona < 0 && sekcje.size() > 1 && !sekcje.at(1).isEmpty()) {
        s = rozbierz(sekcje.at(1));
        zaokraglona = -zaokraglona;
    }
    QString liczba = QString::number(zaokraglona, 'f', s.miejsc);
    if (liczba.startsWith(QLatin1Char('-')) && liczba.mid(1).toDouble() == 0.0)
        liczba.remove(0, 1);
    liczba.replace(QLatin1Char('.'), QLatin1Char(','));
    return s.przed + liczba + s.po;
}

bool liczba(const QVariant &v, double *wynik)
{
    if (!v.isValid() || v.isNull())
        return false;
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (ok && wynik)
        *wynik = d;
    return ok;
}

QString formatujWartosc(const QVariant &v, const QString &wzor)
{
    if (!v.isValid() || v.isNull())
        return {};
    if (wzor.isEmpty())
        return v.toString();
    if (jestWzoremLiczby(wzor)) {
        double d = 0;
        return liczba(v, &d) ? formatujLiczbe(d, wzor) : QString();
    }
    DataCzas dc;
    if (v.typeId() == QMetaType::QDate) {
        dc = DataCzas::z(v.toDate());
    } else if (v.typeId() == QMetaType::QDateTime) {
        dc = DataCzas::z(v.toDateTime());
    } else {
        bool ok = false;
        dc = DataCzas::zTekstu(v.toString(), &ok);
        if (!ok)
            return {};
    }
    return dc.format(wzor);
}

QString liczbaCsv(double v)
{
    // Twelve digits: a sum of single-precision readings carries no more,
    // and 976.4550000000028 would only be noise.
    QString t = QString::number(v, 'g', 12);
    t.replace(QLatin1Char('.'), QLatin1Char(','));
    return t;
}
