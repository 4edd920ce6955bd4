#pragma once

#include <QDialog>

class Kontekst;
class QLineEdit;
class QPushButton;

// The login before the control mode. Its outcome goes to oApp.ParametrGlob:
// true when the user name and the administrator password matched, false
// when the operator gave up (with "Anuluj", Escape or the close box).
class fmLogin final : public QDialog
{
    Q_OBJECT
public:
    explicit fmLogin(Kontekst &k, QWidget *parent = nullptr);

    static QString uzytkownik() { return QStringLiteral("dorsek"); }

public Q_SLOTS:
    void reject() override;

private:
    void sprawdz();

    Kontekst &m_k;
    QLineEdit *m_txtUserName;
    QLineEdit *m_txtPassword;
    QPushButton *m_cmdOK;
    QPushButton *m_cmdCancel;
};
