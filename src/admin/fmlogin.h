#pragma once

#include <QDialog>

class clsoApp;
class Komunikaty;
class QLineEdit;
class QPushButton;

// The login before the control mode: it asks, the application object
// checks (clsoApp::Zaloguj). Its outcome goes to ParametrGlob: true when the
// user name and the administrator password matched, false when the
// operator gave up (with "Anuluj", Escape or the close box).
class fmLogin final : public QDialog
{
    Q_OBJECT
public:
    fmLogin(clsoApp &app, Komunikaty &komunikaty, QWidget *parent = nullptr);

public Q_SLOTS:
    void reject() override;

private:
    void sprawdz();

    clsoApp &m_app;
    Komunikaty &m_komunikaty;
    QLineEdit *m_txtUserName;
    QLineEdit *m_txtPassword;
    QPushButton *m_cmdOK;
    QPushButton *m_cmdCancel;
};
