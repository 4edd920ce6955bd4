#pragma once

#include <QString>
#include <QVariant>

#include <functional>

class Ustawienia;

// The application object (oApp): the two persistent settings, the current
// controller, the window-open flags, the SQL date delimiter, the dialog
// result slot and the control mode. The alarm counts belong to the alarm
// list (ListaAlarmow), which keeps and announces them.
class clsoApp final
{
public:
    bool Loaded_Panel = false;
    int NrAktRegulatora = 0;
    bool Loaded_Dane = false;
    int nr_portu = 0;
    QString Znakdaty;
    bool TrybSterowania = false;
    QVariant ParametrGlob;
    QString AdmHaslo;

    // Reads "port"/"nr_portu" (default "1") and "adm_haslo"/"wartosc"
    // (default "tuplak"). A port text that is not a number in 0..255 gives 1.
    void WczytajOpcje(const Ustawienia &u);
    // Switching on shows the login (through pokazLogin) and keeps the mode
    // off unless ParametrGlob came back true.
    bool UstawTrybSterowania(bool &Tryb);
    bool PrzelaczTrybSterowania();

    // The login dialog, shown modally by the window layer.
    std::function<void()> pokazLogin;
    // Called whenever the mode was set (to the same value too); the context
    // lets the hub show it.
    std::function<void(bool AktTryb)> poUstawieniuTrybu;
};
