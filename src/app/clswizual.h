#pragma once

#include "model/zdarzenia.h"

#include <QObject>
#include <QString>
#include <QStringList>

class clRegulator;
class clsoApp;
class colRegulatory;
class Dzwiek;
class ListaAlarmow;

// The event hub (oWizual): the one object through which the logic tells
// the views what happened. It maps the state it is told about (and what it
// reads from the registry, the application object and the alarm list) to
// what each view should show, and announces that through signals; the
// windows connect to them. It keeps no state of the station and touches no
// widget, so the logic can be tested without a display.
class clsWizual final : public QObject, public ZdarzeniaRegulatora
{
    Q_OBJECT
public:
    clsWizual(const colRegulatory &regulatory, const clsoApp &app, const ListaAlarmow &alarmy, Dzwiek &dzwiek,
              QObject *parent = nullptr);

    void eZmianaTrybuSterowania(bool AktTryb);
    void eAlarm(int NrRegulatora, int KodAlarmu, const QString &TypAlarmu, bool Trwa) override;
    void eZapisDB(bool Trwa) override;
    void eKomunikacja(int Status);
    // The operator paused or resumed the line: panel 4 and the "Komun" button.
    void eWstrzymanieKomunikacji(bool wstrzymana);
    void eMonitoring(int NrRegulatora, bool Trwa);
    void eOkresowyOdczyt(int NrRegulatora, bool Trwa) override;
    void eZalaczanieBaterii(int NrRegulatora, bool Trwa) override;
    void eWylaczanieBaterii(int NrRegulatora, bool Trwa) override;
    void eNoweDane(int NrRegulatora, const QString &TypDanych) override;
    void eZmianaBaterii(int NrRegulatora, int NrBaterii);
    // Panel 3 after a change of the alarm counts (the alarm timers are the
    // scheduler's own).
    void eZmianaAlarmow();
    void eZmianaRegulatora(int NrRegulatora);
    void eBlokowanieRegul(int NrRegulatora, bool Stan, bool Trwa) override;
    void eBlokadaRegul(int NrRegulatora, bool Zablokowany, bool OdtworzDzwiek = false) override;
    void eUstawionoPrzelaczniki(int NrRegulatora) override { Q_EMIT przelacznikiUstawione(NrRegulatora); }
    void GrajDzwiek(const QString &plik);
    // The station's sounds: the alarm, a controller blocked and unblocked.
    static QStringList dzwieki()
    {
        return {QStringLiteral("alarm.wav"), QStringLiteral("zablokregul.wav"), QStringLiteral("odblokregul.wav")};
    }

    // Timer2: toggles the alarm picture of panel 3 while an alarm is active.
    void mrugnij();
    bool panel3MaObraz() const { return m_panel3; }

    // The key of a controller's tree node: its code, or "#" and its number
    // when the registry holds it without a key (an empty or repeated code).
    QString kluczWezla(int NrRegulatora) const;
    // The key of stage n's node under the controller's node: "_b" and n
    // with its leading blank ("R1_b 3").
    static QString kluczStopnia(const QString &kluczRegulatora, int n);

    // Image names the views map to pictures.
    static QString obrazBezczynny() { return QStringLiteral("20"); }
    static QString obrazAktywny() { return QStringLiteral("21"); }
    static QString obrazAlarmu() { return QStringLiteral("blysk"); }
    static QString obrazTrybu() { return QStringLiteral("tryb"); }

Q_SIGNALS:
    // Status bar, panels 1..6. An empty picture name clears the picture.
    void panelTekst(int panel, const QString &tekst);
    void panelObraz(int panel, const QString &obraz);
    // Main window menu items and toolbar buttons, by their names and keys.
    void menuPodpis(const QString &nazwa, const QString &podpis);
    void menuDostepne(const QString &nazwa, bool dostepne);
    void przyciskWcisniety(const QString &klucz, bool wcisniety);
    void przyciskDostepny(const QString &klucz, bool dostepny);
    // Views that later windows show; emitted whatever is open.
    void panelDoOdswiezenia(int NrRegulatora);
    void daneDoOdswiezenia(int NrRegulatora);
    void trybPanelu(bool sterowanie);
    // The control mode, whichever window is open (the options dialog locks
    // the password outside it).
    void trybSterowania(bool sterowanie);
    void blokadaPanelu(int NrRegulatora, bool zablokowany);
    void przelacznikiUstawione(int NrRegulatora);
    // Tree nodes by key: image index and text colour (24-bit, red lowest).
    void wezelObraz(const QString &klucz, int obraz);
    void wezelKolor(const QString &klucz, int kolor);

private:
    void ustawPanel3(bool obraz);
    QString kodRegulatora(int NrRegulatora) const;
    // The captions of the commands that act on the current controller.
    void podpisZablokuj(bool zablokowany);
    void podpisStopnia(const clRegulator *r);
    const colRegulatory &m_regulatory;
    const clsoApp &m_app;
    const ListaAlarmow &m_alarmy;
    Dzwiek &m_dzwiek;
    bool m_panel3 = false;
};
