#pragma once

#include <QDialog>

#include <optional>

class clsoApp;
class clsWizual;
class Komunikaty;
class Ustawienia;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

// The options: the serial port number and the administrator password, both
// kept in the per-user settings. The port in use changes only when the
// port is next opened.
class frmOptions final : public QDialog
{
    Q_OBJECT
public:
    // wizual tells the control mode while the dialog is open.
    frmOptions(clsoApp &app, Ustawienia &ustawienia, Komunikaty &komunikaty, const clsWizual &wizual,
               QWidget *parent = nullptr);

    // Stores the port number and the password. A port text that is not a
    // number 0..255 stores nothing, tells the operator and returns false.
    bool zastosuj();

    // A port text as the number it stands for, when it is one in 0..255.
    static std::optional<int> numerPortu(const QString &tekst);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void ok();
    // The password can be changed only in control mode.
    void ustawTryb(bool sterowanie);

    clsoApp &m_app;
    Ustawienia &m_ustawienia;
    Komunikaty &m_komunikaty;
    QTabWidget *m_tbsOptions;
    QComboBox *m_cmbPort;
    QLineEdit *m_txtHaslo;
    QCheckBox *m_chkDzwieki;
    QPushButton *m_cmdOK;
    QPushButton *m_cmdCancel;
    QPushButton *m_cmdApply;
};
