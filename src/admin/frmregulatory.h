#pragma once

#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class clsRegulatory;
class Komunikaty;
class QComboBox;
class QLineEdit;
class QPushButton;

// The controller editor (caption "Regulator"): one row of Regulatory as a
// form of fields bound to the editor's own cursor (clsRegulatory). Typing
// edits the row in memory; "&Zapisz" writes it, checks the code and the
// address first, shows a refusal of the database with its reason and keeps
// the input, and closes after a successful save. The station sees the
// change at its next start.
class frmRegulatory final : public QWidget
{
    Q_OBJECT
public:
    explicit frmRegulatory(Komunikaty &komunikaty, const QString &polaczenieTekst = {}, QWidget *parent = nullptr);
    ~frmRegulatory() override;

    // The row of the controller at that bus address (searched from the first
    // row), or a new, empty row of type "regulator". With typing not yet
    // saved the editor beeps and stays on its row, as it does for the keys.
    void EdytujRekord(int adres);
    void NowyRekord();

    // Whether the editor's connection opened; when not, the window tells
    // the operator why and closes as soon as it is shown.
    bool gotowe() const { return m_dane != nullptr; }
    clsRegulatory *dane() const { return m_dane.get(); }

    // The fields by their index; null for an index that has no field.
    QLineEdit *txtFields(int i) const;
    QComboBox *Combo() const { return m_combo; }
    QPushButton *Command1() const { return m_command1; }
    QPushButton *Command2() const { return m_command2; }

    // The save of "&Zapisz"; true when the row was written (the window closes).
    bool Zapisz();
    // Why the database cannot take changes now (away); empty when it can.
    // A save is refused with that reason instead of waiting on it.
    std::function<QString()> bazaNiedostepna;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    // Up, Down, Page Up and Page Down move between rows from a field too
    // (a one-line field has no use for them); Home and End stay editing keys.
    bool eventFilter(QObject *obiekt, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void zbuduj();
    QLineEdit *pole(int indeks, const QString &nazwa);
    // The widget a field stands in: its own line, or the list it types into.
    static QWidget *widzetPola(QLineEdit *pole);
    void wypelnij();
    void edytowano(int indeks, const QString &tekst);
    void przejdz(void (clsRegulatory::*ruch)());
    // False (with a beep) while the operator's typing is unsaved; drops an
    // untouched new row.
    bool moznaOpuscicWiersz();
    void odmowa(const QString &tekst, const QString &tytul, QLineEdit *gdzie);

    Komunikaty &m_komunikaty;
    std::unique_ptr<clsRegulatory> m_dane;
    QString m_bladOtwarcia;
    std::array<QLineEdit *, 41> m_pola{};
    QComboBox *m_combo = nullptr;
    QPushButton *m_command1 = nullptr;
    QPushButton *m_command2 = nullptr;
    bool m_wypelnianie = false;
    bool m_edytowano = false; // the operator typed into the current row
    bool m_pokazane = false;
};
