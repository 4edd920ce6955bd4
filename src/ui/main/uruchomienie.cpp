#include "uruchomienie.h"

#include "alarms/fmalarmyn.h"
#include "app/kontekst.h"
#include "app/start.h"
#include "fmglowny.h"
#include "frmsplash.h"
#include "obrazy.h"
#include "platform/bladbazy.h"
#include "platform/komunikatyokna.h"
#include "sygnaly.h"
#include "views/fmregulatory.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <exception>

Uruchomienie::Uruchomienie(Kontekst &k) : m_k(k) {}

Uruchomienie::~Uruchomienie()
{
    if (auto *okna = dynamic_cast<KomunikatyOkna *>(&m_k.komunikaty()))
        okna->ustawRodzica(nullptr);
}

bool Uruchomienie::start()
{
    QApplication::setWindowIcon(Obrazy::ikonaAplikacji());
    m_splash = std::make_unique<frmSplash>(frmSplash::Rodzaj::Start);
    m_splash->show();
    m_splash->repaint();
    m_splash->ustawPostep(QStringLiteral("Otwieram bazę danych i wczytuje regulatory..."));

    QString blad;
    try {
        Start::otworzBazeIWczytaj(m_k);
    } catch (const BladBazy &b) {
        blad = b.opis();
    } catch (const std::exception &e) {
        // A registry that cannot take a row is as fatal as a missing table.
        blad = QString::fromUtf8(e.what());
    }
    if (!blad.isNull()) {
        m_splash.reset();
        m_k.komunikaty().informuj(blad, QStringLiteral("Tolvek"), Ikona::Krytyczna);
        return false;
    }

    m_glowny = std::make_unique<fmGlowny>(m_k);
    m_glowny->zaladuj();
    m_glowny->show();
    if (auto *okna = dynamic_cast<KomunikatyOkna *>(&m_k.komunikaty()))
        okna->ustawRodzica(m_glowny.get());

    m_regulatory = new fmRegulatory(m_k);
    m_glowny->pokazOkno(m_regulatory);
    m_alarmy = new fmAlarmyN(m_k);
    m_glowny->pokazOkno(m_alarmy);
    m_glowny->ustawOknoAlarmow(m_alarmy);

    m_splash.reset();
    m_k.harmonogram.Timer1().start();
    return true;
}

void Uruchomienie::zatrzymajBezPytania()
{
    Start::zamknij(m_k);
    std::fflush(nullptr);
    std::_Exit(0);
}

void nazwijAplikacje()
{
    QApplication::setApplicationName(QStringLiteral("Tolvek"));
    // Ties the windows to the installed desktop entry (its name and icon).
    QApplication::setDesktopFileName(QStringLiteral("pl.tolvek.Tolvek"));
}

int Main(Kontekst &k)
{
    // The main window ends the process itself after its unload; the event
    // loop must not end on its own when a dialog of the port loop closes.
    QApplication::setQuitOnLastWindowClosed(false);
    Uruchomienie uruchomienie(k);
    ZatrzymanieSygnalem sygnaly([&uruchomienie] { uruchomienie.zatrzymajBezPytania(); });
    if (!uruchomienie.start())
        return 1;
    return QApplication::exec();
}
