#pragma once

#include "platform/datacz.h"

#include <QObject>
#include <QString>
#include <QVector>

class Kontekst;

// One row of the active alarm list. The hidden columns of the window are
// kept here as the texts the window shows (built by the Str rule).
struct WierszAlarmu {
    DataCzas czas;
    QString kodRegulatora; // "Regulator"
    QString tresc;         // "Tresc alarmu": fixed text + comment
    QString nrRegul;       // hidden: Str(Id)
    QString kodAlarmu;     // hidden: Str(code), e.g. " 201"
    QString komentarz;     // hidden
    QString stan;          // hidden: "A" active, "N" inactive
    QString potwierdzenie; // hidden: "N" not acknowledged, "T" acknowledged
    QString idAlarmu;      // hidden: Str(Id_alarmu)
    bool aktywny() const { return stan == QLatin1String("A"); }
    bool potwierdzony() const { return potwierdzenie == QLatin1String("T"); }
};

// The running alarm state: one row per alarm raised since start. It lives
// in the context for the whole run; the window fmAlarmyN only shows it.
class ListaAlarmow final : public QObject
{
    Q_OBJECT
public:
    explicit ListaAlarmow(Kontekst &k, QObject *parent = nullptr);

    void NowyAlarm(DataCzas Czas, int NrRegulatora, int KodAlarmu, const QString &Komentarz);
    void DezaktywujAlarm(int NrAlarmu); // 1-based row index
    void Potwierdz(int NrAlarmu);       // the operator's double click; 1-based
    int Count() const { return static_cast<int>(m_wiersze.size()); }
    const WierszAlarmu &wiersz(int NrAlarmu) const { return m_wiersze.at(NrAlarmu - 1); }
    static QString tekstAlarmu(int KodAlarmu);

Q_SIGNALS:
    void dodano(int NrAlarmu);
    void zmieniono(int NrAlarmu);
    // The controller's node in the tree: red while it has an active alarm.
    void kolorWezla(const QString &kodRegulatora, bool alarm);

private:
    void zglosBladBazy(int numer, const QString &opis);
    Kontekst &m_k;
    QVector<WierszAlarmu> m_wiersze;
};
