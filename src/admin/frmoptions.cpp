#include "frmoptions.h"

#include "app/clsoapp.h"
#include "app/clswizual.h"
#include "platform/komunikaty.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

frmOptions::frmOptions(clsoApp &app, Ustawienia &ustawienia, Komunikaty &komunikaty, const clsWizual &wizual,
                       QWidget *parent)
    : QDialog(parent), m_app(app), m_ustawienia(ustawienia), m_komunikaty(komunikaty),
      m_tbsOptions(new QTabWidget(this)), m_cmbPort(new QComboBox), m_txtHaslo(new QLineEdit),
      m_chkDzwieki(new QCheckBox(QStringLiteral("sygnalizacja dźwiękowa"))),
      m_cmdOK(new QPushButton(QStringLiteral("&OK"), this)),
      m_cmdCancel(new QPushButton(QStringLiteral("&Anuluj"), this)),
      m_cmdApply(new QPushButton(QStringLiteral("&Zastosuj"), this))
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Opcje programu"));

    m_tbsOptions->setObjectName(QStringLiteral("tbsOptions"));
    auto *strona = new QWidget;
    strona->setObjectName(QStringLiteral("picOptions"));
    auto *formularz = new QFormLayout(strona);

    m_cmbPort->setObjectName(QStringLiteral("cmbPort"));
    m_cmbPort->setEditable(true);
    m_cmbPort->addItems({QStringLiteral("1"), QStringLiteral("2")});
    m_cmbPort->setInsertPolicy(QComboBox::NoInsert);
    formularz->addRow(QStringLiteral("Port szeregowy:"), m_cmbPort);

    m_txtHaslo->setObjectName(QStringLiteral("txtHaslo"));
    m_txtHaslo->setEchoMode(QLineEdit::Password);
    m_txtHaslo->setStyleSheet(QStringLiteral("lineedit-password-character: 42")); // '*'
    // The settings keep only a digest: the box shows a mask, never the
    // password, and stays empty until the operator types a new one.
    m_txtHaslo->setPlaceholderText(QStringLiteral("********"));
    formularz->addRow(QStringLiteral("Hasło administartora"), m_txtHaslo);

    // Shown as in every installation, but the station has no switch for
    // its sounds: the box is greyed so that nobody expects it to work.
    m_chkDzwieki->setObjectName(QStringLiteral("chkDzwieki"));
    m_chkDzwieki->setEnabled(false);
    formularz->addRow(m_chkDzwieki);
    m_tbsOptions->addTab(strona, QStringLiteral("Ustawienia ogólne"));

    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cmdApply->setObjectName(QStringLiteral("cmdApply"));
    m_cmdOK->setDefault(true);
    m_tbsOptions->setAccessibleName(QStringLiteral("Ustawienia ogólne"));
    m_cmbPort->setAccessibleName(QStringLiteral("Port szeregowy"));
    m_txtHaslo->setAccessibleName(QStringLiteral("Hasło administratora"));
    m_chkDzwieki->setAccessibleName(QStringLiteral("sygnalizacja dźwiękowa"));
    m_cmdOK->setAccessibleName(QStringLiteral("OK"));
    m_cmdCancel->setAccessibleName(QStringLiteral("Anuluj"));
    m_cmdApply->setAccessibleName(QStringLiteral("Zastosuj"));
    auto *przyciski = new QHBoxLayout;
    przyciski->addStretch(1);
    przyciski->addWidget(m_cmdOK);
    przyciski->addWidget(m_cmdCancel);
    przyciski->addWidget(m_cmdApply);

    auto *uklad = new QVBoxLayout(this);
    uklad->addWidget(m_tbsOptions);
    uklad->addLayout(przyciski);

    // The dialog is mostly opened to pick another port: the cursor starts
    // there, then the password, the buttons, and last the tab strip.
    setTabOrder(m_cmbPort, m_txtHaslo);
    setTabOrder(m_txtHaslo, m_chkDzwieki);
    setTabOrder(m_chkDzwieki, m_cmdOK);
    setTabOrder(m_cmdOK, m_cmdCancel);
    setTabOrder(m_cmdCancel, m_cmdApply);
    setTabOrder(m_cmdApply, m_tbsOptions);
    m_cmbPort->setFocus();

    connect(m_cmdOK, &QPushButton::clicked, this, &frmOptions::ok);
    connect(m_cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_cmdApply, &QPushButton::clicked, this, &frmOptions::zastosuj);

    m_cmbPort->setEditText(QString::number(m_app.nr_portu));
    // Modeless: a login or a logout while it is open changes what it allows.
    ustawTryb(m_app.TrybSterowania);
    connect(&wizual, &clsWizual::trybSterowania, this, &frmOptions::ustawTryb);
}

void frmOptions::ustawTryb(bool sterowanie)
{
    m_txtHaslo->setEnabled(sterowanie);
    // A password typed before the logout is not applied after it.
    if (!sterowanie) {
        m_txtHaslo->clear();
        m_txtHaslo->setModified(false);
    }
}

void frmOptions::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // A port number typed at once replaces the one shown.
    m_cmbPort->lineEdit()->selectAll();
    if (QScreen *ekran = screen()) {
        QRect r = frameGeometry();
        r.moveCenter(ekran->availableGeometry().center());
        move(r.topLeft());
    }
}

std::optional<int> frmOptions::numerPortu(const QString &tekst)
{
    bool ok = false;
    const int n = tekst.trimmed().toInt(&ok, 10);
    if (!ok || n < 0 || n > 255)
        return std::nullopt;
    return n;
}

bool frmOptions::zastosuj()
{
    const std::optional<int> port = numerPortu(m_cmbPort->currentText());
    if (!port) {
        m_komunikaty.informuj(QStringLiteral("Numer portu szeregowego musi być liczbą od 0 do 255."),
                              QStringLiteral("Opcje programu"), Ikona::Wykrzyknik);
        m_cmbPort->setFocus();
        m_cmbPort->lineEdit()->selectAll();
        return false;
    }
    // Unchanged, the password is stored again as it is; typed after a
    // logout, not at all.
    std::optional<QString> nowe;
    if (m_txtHaslo->isModified() && m_app.TrybSterowania)
        nowe = m_txtHaslo->text();
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    m_app.ZapiszOpcje(m_ustawienia, *port, nowe);
    QGuiApplication::restoreOverrideCursor();
    m_txtHaslo->clear();
    m_txtHaslo->setModified(false);
    return true;
}

void frmOptions::ok()
{
    if (zastosuj())
        accept();
}
