#pragma once

#include <QCoro/QCoroTask>
#include <QString>

class clRegulator;
class clsBD;
class Komunikator;
class Komunikaty;
class OdczytRegulatora;
class Zegar;
class ZdarzeniaRegulatora;

// The operator's control operations on a controller: blocking, switching a
// stage with its discharge guard and its journal row, and sending the
// switch setting. Each tells the views its start and its end.
class SterowanieRegulatora final
{
public:
    SterowanieRegulatora(Komunikator &komunikator, ZdarzeniaRegulatora &zdarzenia, clsBD &bd, Komunikaty &komunikaty,
                         const Zegar &zegar, OdczytRegulatora &odczyt)
        : m_komunikator(komunikator), m_zdarzenia(zdarzenia), m_bd(bd), m_komunikaty(komunikaty), m_zegar(zegar),
          m_odczyt(odczyt)
    {
    }

    QCoro::Task<bool> BlokujRegul(clRegulator &r, bool Blokada);
    QCoro::Task<bool> UstawKondensator(clRegulator &r, int NrDiody, bool Wlacz);
    // Sends the switch setting of selectors 4..7 (bit 0 = selector 4), then
    // reads the controller.
    QCoro::Task<int> UstawRegulator(clRegulator &r, int bajtPrzelacznikow);

private:
    // The Log row of a switched stage.
    void zapiszStopienDoLoga(const QString &kod, int NrDiody, bool Wlacz);

    Komunikator &m_komunikator;
    ZdarzeniaRegulatora &m_zdarzenia;
    clsBD &m_bd;
    Komunikaty &m_komunikaty;
    const Zegar &m_zegar;
    OdczytRegulatora &m_odczyt;
};
