#pragma once

#include <QString>

// What the controller model tells the views, through the event hub that
// implements it: the model knows the events, not the windows.
class ZdarzeniaRegulatora
{
public:
    virtual ~ZdarzeniaRegulatora() = default;

    virtual void eAlarm(int NrRegulatora, int KodAlarmu, const QString &TypAlarmu, bool Trwa) = 0;
    virtual void eZapisDB(bool Trwa) = 0;
    virtual void eOkresowyOdczyt(int NrRegulatora, bool Trwa) = 0;
    virtual void eZalaczanieBaterii(int NrRegulatora, bool Trwa) = 0;
    virtual void eWylaczanieBaterii(int NrRegulatora, bool Trwa) = 0;
    virtual void eNoweDane(int NrRegulatora, const QString &TypDanych) = 0;
    virtual void eBlokowanieRegul(int NrRegulatora, bool Stan, bool Trwa) = 0;
    virtual void eBlokadaRegul(int NrRegulatora, bool Zablokowany, bool OdtworzDzwiek) = 0;
    // The switch setting for the controller went out, or failed: a panel
    // may show the controller's own selectors again.
    virtual void eUstawionoPrzelaczniki(int NrRegulatora) = 0;
};
