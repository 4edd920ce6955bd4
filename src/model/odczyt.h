#pragma once

#include "platform/datacz.h"

#include <QCoro/QCoroTask>

class AlarmyRegulatora;
class clRegulator;
class Komunikator;
class OcenaBloku;
class Zegar;
class ZapisRegulatora;
class ZdarzeniaRegulatora;

// The reading of a controller over the line: the periodic reading on its
// grid, with the storing of what it read, and the reading of its state on
// request. A block is decoded, judged and only then taken into the record.
class OdczytRegulatora final
{
public:
    OdczytRegulatora(Komunikator &komunikator, ZdarzeniaRegulatora &zdarzenia, const Zegar &zegar,
                     AlarmyRegulatora &alarmy, OcenaBloku &ocena, ZapisRegulatora &zapis)
        : m_komunikator(komunikator), m_zdarzenia(zdarzenia), m_zegar(zegar), m_alarmy(alarmy), m_ocena(ocena),
          m_zapis(zapis)
    {
    }

    QCoro::Task<bool> OkresowyOdczyt(clRegulator &r, DataCzas Teraz);
    QCoro::Task<bool> WczytajStanRegul(clRegulator &r, DataCzas Teraz);

    // The next point of the grid N + k*F (k >= 1) not earlier than Teraz.
    static DataCzas nastepnyOdczyt(DataCzas N, DataCzas Teraz, int F);
    // A controller whose block is refused is asked again on the next ticks
    // at most this many times for one grid point, then waits for the next.
    static constexpr int ponowieniaOdrzuconego = 3;

private:
    // After a scheduled reading whose block was refused: stays due, or after
    // its retries moves on to the next grid point.
    static void odlozPoOdrzuceniu(clRegulator &r, DataCzas Teraz);

    Komunikator &m_komunikator;
    ZdarzeniaRegulatora &m_zdarzenia;
    const Zegar &m_zegar;
    AlarmyRegulatora &m_alarmy;
    OcenaBloku &m_ocena;
    ZapisRegulatora &m_zapis;
};
