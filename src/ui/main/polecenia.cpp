// The main window's commands. Nothing here talks to the line: commands on
// a controller go into the queue and run on a later tick.
#include "admin/frmoptions.h"
#include "app/clsoapp.h"
#include "app/operacje.h"
#include "baza/bladbazy.h"
#include "diagnostyka.h"
#include "fmglowny.h"
#include "frmsplash.h"
#include "okna.h"
#include "platform/komunikaty.h"
#include "wykresyraporty.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

namespace
{
const QString tytulAplikacji = QStringLiteral("Tolvek");
}

void fmGlowny::polaczPolecenia(const Zaleznosci &z)
{
    auto podlacz = [this](const char *nazwa, void (fmGlowny::*polecenie)()) {
        connect(menu(QString::fromLatin1(nazwa)), &QAction::triggered, this, polecenie);
    };
    podlacz("mnuKoniec", &fmGlowny::zamknijProgram);
    podlacz("mnuRegulBatZal", &fmGlowny::zalaczStopien);
    podlacz("mnuRegulZablok", &fmGlowny::zablokujRegulator);
    connect(menu(QStringLiteral("mnuRegulUsun")), &QAction::triggered, this, [this] { usunRegulator(); });
    podlacz("mnuSterWlacz", &fmGlowny::przelaczSterowanie);
    podlacz("mnuNarzOpcje", &fmGlowny::pokazOpcje);
    podlacz("mnuPomocOProgramie", &fmGlowny::pokazOProgramie);

    // A checkable item has toggled before triggered: its new state is the
    // negation of the old check mark.
    connect(menu(QStringLiteral("mnuRegulPanel")), &QAction::triggered, this, &fmGlowny::PokazPanel);
    connect(menu(QStringLiteral("mnureguldane")), &QAction::triggered, this, &fmGlowny::PokazDane);
    connect(menu(QStringLiteral("mnuregulmonit")), &QAction::triggered, this, &fmGlowny::UstawMonitoring);

    m_okna = new OknaOperatora(*this, z.okna);
    auto okno = [this](const char *nazwa, void (OknaOperatora::*polecenie)()) {
        connect(menu(QString::fromLatin1(nazwa)), &QAction::triggered, m_okna, polecenie);
    };
    okno("mnuStruktura", &OknaOperatora::pokazStrukture);
    okno("mnuBDNowyRegul", &OknaOperatora::nowyRegulator);
    okno("mnuRegulAlarmy", &OknaOperatora::alarmyZDoby);
    okno("mnuRegulEdytuj", &OknaOperatora::edytujRegulator);
    connect(menu(QStringLiteral("mnuNarzAlarmy")), &QAction::triggered, m_okna, [this] { m_okna->pokazArchiwum(); });

    polaczWykresyIRaporty(*this, z.wykresy);

    m_diagnostyka = new OknaDiagnostyczne(*this, z.diagnostyka);
    connect(menu(QStringLiteral("mnuNarzSzukaj")), &QAction::triggered, m_diagnostyka,
            [this] { m_diagnostyka->pokazSzukaj(); });
    connect(menu(QStringLiteral("mnuNarzPodglad")), &QAction::triggered, m_diagnostyka,
            [this] { m_diagnostyka->pokazPodglad(); });
    connect(menu(QStringLiteral("mnuNarzStatystyka")), &QAction::triggered, m_diagnostyka,
            [this] { m_diagnostyka->pokazStatystyke(); });
    connect(menu(QStringLiteral("mnuRegulStatystyka")), &QAction::triggered, m_diagnostyka,
            [this] { m_diagnostyka->pokazStatystyke(m_app.NrAktRegulatora); });
}

void fmGlowny::zamknijProgram()
{
    close();
}

void fmGlowny::PokazPanel(bool Value)
{
    zaznaczPrzycisk(QStringLiteral("Panel"), Value);
    m_okna->pokazPanel(Value);
}

void fmGlowny::PokazDane(bool Value)
{
    zaznaczPrzycisk(QStringLiteral("Dane"), Value);
    m_okna->pokazDane(Value);
}

void fmGlowny::UstawMonitoring(bool Value)
{
    zaznaczPrzycisk(QStringLiteral("Monit"), Value);
    m_operacje.ustawMonitoring(Value);
}

void fmGlowny::zalaczStopien()
{
    if (m_operacje.przelaczStopien() == OperacjeOperatora::Stopien::NieWybrano)
        m_komunikaty.informuj(QStringLiteral("Proszę najpierw zaznaczyć stopień!"), tytulAplikacji, Ikona::Wykrzyknik);
}

void fmGlowny::zablokujRegulator()
{
    m_operacje.przelaczBlokade();
}

QCoro::Task<void> fmGlowny::usunRegulator()
{
    if (!m_operacje.biezacy())
        co_return;
    if (m_komunikaty.pytaj(QStringLiteral("Czy napewno usunąć wybrany regulator z systemu Tolvek?"),
                           QStringLiteral("UWAGA"), Ikona::Pytanie) != Odpowiedz::OK)
        co_return;
    const QPointer<fmGlowny> okno(this);
    QString blad;
    try {
        co_await m_operacje.usunRegulator();
    } catch (const BladBazy &b) {
        blad = b.opis();
    }
    if (!okno)
        co_return;
    if (!blad.isNull()) {
        m_komunikaty.informuj(blad, tytulAplikacji, Ikona::Krytyczna);
        co_return;
    }
    m_komunikaty.informuj(
        QStringLiteral("Nowe ustawienia zostaną uwzględnione po ponownym uruchomieniu programu Tolvek."),
        QStringLiteral("Uwaga"), Ikona::Informacja);
}

void fmGlowny::przelaczSterowanie()
{
    m_app.PrzelaczTrybSterowania();
}

void fmGlowny::pokazOpcje()
{
    if (!m_opcje) {
        m_opcje = new frmOptions(m_app, m_ustawienia, m_komunikaty, m_wizual, this);
        m_opcje->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_opcje->show();
    m_opcje->raise();
    m_opcje->activateWindow();
}

void fmGlowny::pokazOProgramie()
{
    frmSplash oProgramie(frmSplash::Rodzaj::OProgramie, this);
    oProgramie.exec();
}

void fmGlowny::pokazAlarmy()
{
    if (!m_oknoAlarmow)
        return;
    for (QMdiSubWindow *s : m_mdi->subWindowList()) {
        if (s->widget() == m_oknoAlarmow) {
            pokazRamke(s);
            return;
        }
    }
}
