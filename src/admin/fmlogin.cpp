#include "fmlogin.h"

#include "app/clsoapp.h"
#include "platform/komunikaty.h"

#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

fmLogin::fmLogin(clsoApp &app, Komunikaty &komunikaty, QWidget *parent)
    : QDialog(parent), m_app(app), m_komunikaty(komunikaty), m_txtUserName(new QLineEdit), m_txtPassword(new QLineEdit),
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
    m_txtUserName->setAccessibleName(QStringLiteral("Użytkownik"));
    m_txtPassword->setAccessibleName(QStringLiteral("Hasło"));
    m_cmdOK->setAccessibleName(QStringLiteral("OK"));
    m_cmdCancel->setAccessibleName(QStringLiteral("Anuluj"));

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

    // The operator types the user name at once, Tab, the password, Enter.
    setTabOrder(m_txtUserName, m_txtPassword);
    setTabOrder(m_txtPassword, m_cmdOK);
    setTabOrder(m_cmdOK, m_cmdCancel);
    m_txtUserName->setFocus();

    connect(m_cmdOK, &QPushButton::clicked, this, &fmLogin::sprawdz);
    connect(m_cmdCancel, &QPushButton::clicked, this, &fmLogin::reject);
}

void fmLogin::sprawdz()
{
    // The digest takes a noticeable moment by design.
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool zalogowany = m_app.Zaloguj(m_txtUserName->text(), m_txtPassword->text());
    QGuiApplication::restoreOverrideCursor();
    if (zalogowany) {
        accept();
        return;
    }
    m_komunikaty.informuj(QStringLiteral("Błędne hasło lub nazwa użytkownika"), QStringLiteral("Logowanie"),
                          Ikona::Brak);
    m_txtPassword->setFocus();
    m_txtPassword->selectAll();
}

void fmLogin::reject()
{
    // Every way out other than a good login counts as giving up, so that a
    // login accepted earlier in the run cannot carry over to this one.
    m_app.ParametrGlob = false;
    QDialog::reject();
}
