#include "fmlogin.h"

#include "app/kontekst.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

fmLogin::fmLogin(Kontekst &k, QWidget *parent)
    : QDialog(parent), m_k(k), m_txtUserName(new QLineEdit), m_txtPassword(new QLineEdit),
      m_cmdOK(new QPushButton(QStringLiteral("&OK"), this)),
      m_cmdCancel(new QPushButton(QStringLiteral("&Anuluj"), this))
{
    setObjectName(QStringLiteral("fmLogin"));
    setWindowTitle(QStringLiteral("Login"));
    setModal(true);

    m_txtUserName->setObjectName(QStringLiteral("txtUserName"));
    m_txtPassword->setObjectName(QStringLiteral("txtPassword"));
    m_txtPassword->setEchoMode(QLineEdit::Password);
    m_txtPassword->setStyleSheet(QStringLiteral("lineedit-password-character: 42")); // '*'
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cmdOK->setDefault(true);

    auto *formularz = new QFormLayout;
    formularz->addRow(QStringLiteral("Użytkownik:"), m_txtUserName);
    formularz->addRow(QStringLiteral("Hasło:"), m_txtPassword);
    auto *przyciski = new QHBoxLayout;
    przyciski->addStretch(1);
    przyciski->addWidget(m_cmdOK);
    przyciski->addWidget(m_cmdCancel);
    auto *uklad = new QVBoxLayout(this);
    uklad->addLayout(formularz);
    uklad->addLayout(przyciski);

    connect(m_cmdOK, &QPushButton::clicked, this, &fmLogin::sprawdz);
    connect(m_cmdCancel, &QPushButton::clicked, this, &fmLogin::reject);
}

void fmLogin::sprawdz()
{
    const QString nazwa = m_txtUserName->text();
    const QString haslo = m_txtPassword->text();
    if (haslo == m_k.oApp.AdmHaslo && nazwa == uzytkownik()) {
        m_k.oApp.ParametrGlob = true;
        accept();
        return;
    }
    m_k.komunikaty().informuj(QStringLiteral("Błędne hasło lub nazwa użytkownika"), QStringLiteral("Logowanie"),
                              Ikona::Brak);
    m_txtPassword->setFocus();
    m_txtPassword->selectAll();
}

void fmLogin::reject()
{
    // Every way out other than a good login counts as giving up, so that a
    // login accepted earlier in the run cannot carry over to this one.
    m_k.oApp.ParametrGlob = false;
    QDialog::reject();
}
