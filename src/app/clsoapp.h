#pragma once

#include <QString>
#include <QVariant>

#include <functional>
#include <optional>

class Ustawienia;

// The application object (oApp): the two persistent settings, the current
// controller and its selected stage, the window-open flags, the SQL date delimiter, the dialog
// result slot and the control mode. The alarm counts belong to the alarm
// list (ListaAlarmow), which keeps and announces them.
class clsoApp final
{
public:
    bool Loaded_Panel = false;
    int NrAktRegulatora = 0;
    // The stage of the current controller the operator selected in a tree,
    // 1..9; 0 = none.
    int NrAktBaterii = 0;
    bool Loaded_Dane = false;
    int nr_portu = 0;
    QString Znakdaty;
    bool TrybSterowania = false;
    QVariant ParametrGlob;
    QString AdmHaslo;

    // Makes NrRegulatora the current controller. A stage selected on
    // another one is dropped: the stage commands act only on a stage the
    // operator picked on the controller they act on.
    void wybierzRegulator(int NrRegulatora);
    // Reads "port"/"nr_portu" (default "1") and "adm_haslo"/"wartosc"
    // (default "tuplak"). A port text that is not a number in 0..255 gives 1.
    void WczytajOpcje(const Ustawienia &u);
    // The login's verdict for what the operator typed: the administrator's
    // user name and the password AdmHaslo stands for. A success stores true
    // in ParametrGlob. Takes about 0.1 s by design.
    bool Zaloguj(const QString &uzytkownik, const QString &haslo);
    // Stores the options: the port number (in use from the next opening of
    // the port) and the password, never in plain text: noweHaslo when given,
    // else the stored one, a plain value from an older file becoming its
    // digest. AdmHaslo follows at once.
    void ZapiszOpcje(Ustawienia &u, int port, const std::optional<QString> &noweHaslo);
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
