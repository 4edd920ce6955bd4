#include "csv.h"

#include <QSaveFile>

QString poleCsv(const QString &tekst)
{
    if (!tekst.contains(QLatin1Char(';')) && !tekst.contains(QLatin1Char('"')) && !tekst.contains(QLatin1Char('\n')) &&
        !tekst.contains(QLatin1Char('\r')))
        return tekst;
    QString t = tekst;
    t.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return QLatin1Char('"') + t + QLatin1Char('"');
}

QString wierszCsv(const QStringList &pola, QStringView koniec)
{
    QString w;
    for (qsizetype i = 0; i < pola.size(); ++i) {
        if (i > 0)
            w += QLatin1Char(';');
        w += poleCsv(pola.at(i));
    }
    return w + koniec;
}

bool zapiszTekst(const QString &plik, const QString &tekst, QString *blad)
{
    QSaveFile f(plik);
    if (f.open(QIODevice::WriteOnly) && f.write(tekst.toUtf8()) >= 0 && f.commit())
        return true;
    if (blad)
        *blad = f.errorString();
    return false;
}
