#include "dni.h"

#include <QStringList>

#include <algorithm>

QDate dzienGrupy(const QString &tekst, QDate od, QDate doDnia)
{
    const QStringList czesci = tekst.trimmed().split(QLatin1Char('/'));
    if (czesci.size() != 3 || czesci.at(2).size() != 2)
        return {};
    bool ok1 = false, ok2 = false, ok3 = false;
    const int dzien = czesci.at(0).toInt(&ok1);
    const int miesiac = czesci.at(1).toInt(&ok2);
    const int rok = czesci.at(2).toInt(&ok3);
    if (!ok1 || !ok2 || !ok3)
        return {};
    const int wiek = (od.isValid() ? od.year() : QDate::currentDate().year()) / 100 * 100;
    for (const int w : {wiek, wiek + 100, wiek - 100}) {
        const QDate d(w + rok, miesiac, dzien);
        if (d.isValid() && (!od.isValid() || d >= od) && (!doDnia.isValid() || d <= doDnia))
            return d;
    }
    return QDate(wiek + rok, miesiac, dzien);
}

QVector<int> porzadekDni(const Tabela &t, const QString &kolumna, QDate od, QDate doDnia)
{
    const int k = t.kolumna(kolumna);
    QVector<QDate> dni(t.liczbaWierszy());
    QVector<int> porzadek(t.liczbaWierszy());
    for (int i = 0; i < t.liczbaWierszy(); ++i) {
        dni[i] = dzienGrupy(t.wartosc(i, k).toString(), od, doDnia);
        porzadek[i] = i;
    }
    std::stable_sort(porzadek.begin(), porzadek.end(), [&dni](int a, int b) {
        if (dni.at(a).isValid() != dni.at(b).isValid())
            return dni.at(a).isValid();
        return dni.at(a).isValid() && dni.at(a) < dni.at(b);
    });
    return porzadek;
}
