// The main window's commands. Nothing here talks to the line: commands on
// a controller go into the queue and run on a later tick.
#include "admin/frmoptions.h"
#include "app/kontekst.h"
#include "fmglowny.h"
#include "frmsplash.h"
#include "platform/bladbazy.h"
#include "platform/tekst.h"
#include "wykresyraporty.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QVariantList>

namespace
{
const QString tytulAplikacji = QStringLiteral("Tolvek");
}

void fmGlowny::polaczPolecenia()
{
    auto podlacz = [this](const char *nazwa, void (fmGlowny::*polecenie)()) {
        connect(menu(QString::fromLatin1(nazwa)), &QAction::triggered, this, polecenie);
    };
    podlacz("mnuKoniec", &fmGlowny::koniec);
    podlacz("mnuRegulBatZal", &fmGlowny::zalaczStopien);
    podlacz("mnuRegulZablok", &fmGlowny::zablokujRegulator);
    podlacz("mnuRegulUsun", &fmGlowny::usunRegulator);
    podlacz("mnuSterWlacz", &fmGlowny::przelaczSterowanie);
    podlacz("mnuNarzOpcje", &fmGlowny::pokazOpcje);
    podlacz("mnuPomocOProgramie", &fmGlowny::pokazOProgramie);

    // A checkable item has toggled before triggered: its new state is the
    // negation of the old check mark.
    connect(menu(QStringLiteral("mnuRegulPanel")), &QAction::triggered, this, &fmGlowny::PokazPanel);
    connect(menu(QStringLiteral("mnureguldane")), &QAction::triggered, this, &fmGlowny::PokazDane);
    connect(menu(QStringLiteral("mnuregulmonit")), &QAction::triggered, this, &fmGlowny::UstawMonitoring);

    polaczWykresyIRaporty(*this, m_k);
}

void fmGlowny::koniec()
{
    close();
}

void fmGlowny::PokazPanel(bool Value)
{
    zaznaczPrzycisk(QStringLiteral("Panel"), Value);
    if (oknoPanelu)
        oknoPanelu(Value);
}

void fmGlowny::PokazDane(bool Value)
{
    zaznaczPrzycisk(QStringLiteral("Dane"), Value);
    if (oknoDanych)
        oknoDanych(Value);
}

void fmGlowny::UstawMonitoring(bool Value)
{
    zaznaczPrzycisk(QStringLiteral("Monit"), Value);
    if (clRegulator *r = m_k.oRegulatory.znajdz(m_k.oApp.NrAktRegulatora))
        r->Monitoring = Value;
}

void fmGlowny::zalaczStopien()
{
    clRegulator *r = m_k.oRegulatory.znajdz(m_k.oApp.NrAktRegulatora);
    if (!r)
        return;
    const int n = r->NrAktBaterii;
    if (n == 0) {
        m_k.komunikaty().informuj(QStringLiteral("Proszę najpierw zaznaczyć stopień!"), tytulAplikacji,
                                  Ikona::Wykrzyknik);
        return;
    }
    const QVariantList parametry = {QVariant(n - 1), QVariant(!r->SprawdzStanDiody(n - 1)), QVariant()};
    m_k.oKolejka.Add(m_k.oApp.NrAktRegulatora, QStringLiteral("UstawKondensator"), parametry, 0, QString());
}

void fmGlowny::zablokujRegulator()
{
    clRegulator *r = m_k.oRegulatory.znajdz(m_k.oApp.NrAktRegulatora);
    if (!r)
        return;
    m_k.oKolejka.Add(m_k.oApp.NrAktRegulatora, QStringLiteral("Blokuj"), QVariant(!r->Zablokowany), 0, QString());
}

void fmGlowny::usunRegulator()
{
    clRegulator *r = m_k.oRegulatory.znajdz(m_k.oApp.NrAktRegulatora);
    if (!r)
        return;
    if (m_k.komunikaty().pytaj(QStringLiteral("Czy napewno usunąć wybrany regulator z systemu Tolvek?"),
                               QStringLiteral("UWAGA"), Ikona::Pytanie) != Odpowiedz::OK)
        return;
    try {
        m_k.rsRegulatory.MoveFirst();
        m_k.rsRegulatory.Find(QStringLiteral("Adres=") + Str(r->adres));
        // Deleted already in this run: the row is gone, the restart is still due.
        if (!m_k.rsRegulatory.EOF_())
            m_k.rsRegulatory.Delete();
    } catch (const BladBazy &b) {
        m_k.komunikaty().informuj(b.opis(), tytulAplikacji, Ikona::Krytyczna);
        return;
    }
    m_k.komunikaty().informuj(
        QStringLiteral("Nowe ustawienia zostaną uwzględnione po ponownym uruchomieniu programu Tolvek."),
        QStringLiteral("Uwaga"), Ikona::Informacja);
}

void fmGlowny::przelaczSterowanie()
{
    m_k.oApp.PrzelaczTrybSterowania();
}

void fmGlowny::pokazOpcje()
{
    if (!m_opcje) {
        m_opcje = new frmOptions(m_k, this);
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
            if (s->isMinimized())
                s->showNormal();
            else
                s->show();
            m_oknoAlarmow->show();
            m_mdi->setActiveSubWindow(s);
            m_oknoAlarmow->setFocus();
            return;
        }
    }
}
