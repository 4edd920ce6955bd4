#pragma once

#include <QObject>
#include <QString>

class Kontekst;

// The event hub (oWizual): the one object through which the logic tells
// the views what happened. It decides what each view should show and
// announces it through signals; the windows connect to them. It touches no
// widget itself, so the logic can be tested without a display.
class clsWizual final : public QObject
{
    Q_OBJECT
public:
    explicit clsWizual(Kontekst &k, QObject *parent = nullptr);

    void eZmianaTrybuSterowania(bool AktTryb);
    void eAlarm(int NrRegulatora, int KodAlarmu, const QString &TypAlarmu, bool Trwa);
    void eZapisDB(bool Trwa);
    void eKomunikacja(int Status);
    void eMonitoring(int NrRegulatora, bool Trwa);
    void eOkresowyOdczyt(int NrRegulatora, bool Trwa);
    void eZalaczanieBaterii(int NrRegulatora, bool Trwa);
    void eWylaczanieBaterii(int NrRegulatora, bool Trwa);
    void eNoweDane(int NrRegulatora, const QString &TypDanych);
    void eZmianaBaterii(int NrRegulatora, int NrBaterii);
    void eZmianaAlarmow();
    void eZmianaRegulatora(int NrRegulatora);
    void eBlokowanieRegul(int NrRegulatora, bool Stan, bool Trwa);
    void eBlokadaRegul(int NrRegulatora, bool Zablokowany, bool OdtworzDzwiek = false);
    void GrajDzwiek(const QString &plik);

    // Timer2: toggles the alarm picture of panel 3 while an alarm is active.
    void mrugnij();
    bool panel3MaObraz() const { return m_panel3; }

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
    // Views that later windows show; emitted whatever is open.
    void odswiezPanel(int NrRegulatora);
    void odswiezDane(int NrRegulatora);
    void trybPanelu(bool sterowanie);
    void blokadaPanelu(int NrRegulatora, bool zablokowany);
    // Tree nodes by key: image index and text colour (24-bit, red lowest).
    void wezelObraz(const QString &klucz, int obraz);
    void wezelKolor(const QString &klucz, int kolor);

private:
    void ustawPanel3(bool obraz);
    QString kodRegulatora(int NrRegulatora) const;
    Kontekst &m_k;
    bool m_panel3 = false;
};
