#pragma once

#include "platform/datacz.h"

#include <QString>

class clRegulator;
class ListaAlarmow;
class Zegar;
class ZdarzeniaRegulatora;

// A controller's alarms: raised into the running alarm list and told to
// the views, cleared when their condition is gone, and the threshold
// checks of a decoded reading.
class AlarmyRegulatora final
{
public:
    AlarmyRegulatora(ListaAlarmow &alarmy, ZdarzeniaRegulatora &zdarzenia, const Zegar &zegar)
        : m_alarmy(alarmy), m_zdarzenia(zdarzenia), m_zegar(zegar)
    {
    }

    void DodajAlarm(clRegulator &r, DataCzas Data, int KodAlarmu, const QString &Komentarz);
    void SprawdzAlarm(const clRegulator &r, int KodAlarmu);
    // The threshold checks of a decoded reading: raises or clears the
    // alarms 201 (current), 202 (voltage) and 203 (tg fi), at the clock's now.
    void sprawdzProgi(clRegulator &r);

private:
    ListaAlarmow &m_alarmy;
    ZdarzeniaRegulatora &m_zdarzenia;
    const Zegar &m_zegar;
};
