#include "raport.h"

#include "csv.h"
#include "formaty.h"

#include <QStringList>

QString dataSql(QDate d)
{
    return QLatin1Char('#') + d.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char('#');
}

QString doNazwyPliku(const QString &tekst)
{
    QString w;
    for (const QChar c : tekst.trimmed())
        w += (c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_')) ? c : QLatin1Char('_');
    return w;
}

QString csvRaportu(const Raport &r)
{
    QStringList naglowki;
    for (const KolumnaCsv &k : r.csv)
        naglowki << k.naglowek;
    QString w = wierszCsv(naglowki);
    for (int i = 0; i < r.dane.liczbaWierszy(); ++i) {
        QStringList pola;
        for (const KolumnaCsv &k : r.csv) {
            const QVariant v = r.dane.wartosc(i, k.kolumna);
            double d = 0;
            if (!k.format.isEmpty())
                pola << formatujWartosc(v, k.format);
            else if (liczba(v, &d))
                pola << liczbaCsv(d);
            else
                pola << v.toString();
        }
        w += wierszCsv(pola);
    }
    return w;
}
