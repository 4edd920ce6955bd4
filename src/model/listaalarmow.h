#pragma once

#include "platform/datacz.h"

#include <QObject>
#include <QString>
#include <QVector>

#include <cstdint>

class clsBD;
class colRegulatory;
class Komunikaty;
class Zegar;

// One row of the active alarm list. The hidden columns of the window are
// kept here as the texts the window shows (built by the Str rule).
struct WierszAlarmu {
    DataCzas czas;
    QString kodRegulatora;     // "Regulator"
    QString tresc;             // "Tresc alarmu": fixed text + comment
    QString nrRegul;           // hidden: Str(Id)
    QString kodAlarmu;         // hidden: Str(code), e.g. " 201"
    QString komentarz;         // hidden
    QString stan;              // hidden: "A" active, "N" inactive
    QString potwierdzenie;     // hidden: "N" not acknowledged, "T" acknowledged
    QString idAlarmu;          // hidden: Str(Id_alarmu), once the database has the row
    std::int64_t nrBufora = 0; // the alarm's number in the spool (0: its row could not be written)
    bool aktywny() const { return stan == QLatin1String("A"); }
    bool potwierdzony() const { return potwierdzenie == QLatin1String("T"); }
};

// The running alarm state: one row per alarm raised since start, and the
// counts of active and of unacknowledged alarms, which it owns and
// announces. It lives for the whole run; the window fmAlarmyN only shows it.
// Rows are journalled in Alarmy through the alarm store (by way of the
// station's spool: a row's Id_alarmu is known once the database has it).
class ListaAlarmow final : public QObject
{
    Q_OBJECT
public:
    ListaAlarmow(const colRegulatory &regulatory, clsBD &bd, const Zegar &zegar, Komunikaty &komunikaty,
                 QObject *parent = nullptr);

    void NowyAlarm(DataCzas Czas, int NrRegulatora, int KodAlarmu, const QString &Komentarz);
    void DezaktywujAlarm(int NrAlarmu); // 1-based row index
    void Potwierdz(int NrAlarmu);       // the operator's double click; 1-based
    int Count() const { return static_cast<int>(m_wiersze.size()); }
    const WierszAlarmu &wiersz(int NrAlarmu) const { return m_wiersze.at(NrAlarmu - 1); }
    static QString tekstAlarmu(int KodAlarmu);

    // The database gave the alarm of that spool number its Id_alarmu.
    void ustawIdAlarmu(std::int64_t nrBufora, std::int64_t idAlarmu);

    int IloscAktywnychAlarmow() const { return m_aktywne; }
    int IloscNiePotwAlarmow() const { return m_niePotwierdzone; }

Q_SIGNALS:
    void dodano(int NrAlarmu);
    void zmieniono(int NrAlarmu);
    // The controller's node in the tree: red while it has an active alarm.
    // By number: the tree keys a controller without a code of its own (empty
    // or repeated) by its number, not by the code another controller owns.
    void kolorWezla(int NrRegulatora, bool alarm);
    // The counts changed: on every new alarm and acknowledgement, and when
    // the last active alarm ended.
    void liczbyAlarmowZmienione();

private:
    void zglosBladBazy(int numer, const QString &opis);
    const colRegulatory &m_regulatory;
    clsBD &m_bd;
    const Zegar &m_zegar;
    Komunikaty &m_komunikaty;
    QVector<WierszAlarmu> m_wiersze;
    int m_aktywne = 0;
    int m_niePotwierdzone = 0;
};
