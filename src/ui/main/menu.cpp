// The menu bar of the main window, in display order.
#include "fmglowny.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

QMenu *fmGlowny::dodajMenu(QMenu *rodzic, const QString &nazwa, const QString &podpis)
{
    QMenu *m = rodzic ? rodzic->addMenu(podpis) : menuBar()->addMenu(podpis);
    m->setObjectName(nazwa);
    m->menuAction()->setObjectName(nazwa);
    m_menu.insert(nazwa, m->menuAction());
    return m;
}

QAction *fmGlowny::dodajPozycje(QMenu *rodzic, const QString &nazwa, const QString &podpis)
{
    QAction *a = podpis == QLatin1String("-") ? rodzic->addSeparator() : rodzic->addAction(podpis);
    a->setObjectName(nazwa);
    m_menu.insert(nazwa, a);
    return a;
}

void fmGlowny::zbudujMenu()
{
    QMenu *plik = dodajMenu(nullptr, QStringLiteral("mnuPlik"), QStringLiteral("&Plik"));
    dodajPozycje(plik, QStringLiteral("mnuStruktura"), QStringLiteral("&Struktura"));
    dodajPozycje(plik, QStringLiteral("mnuKoniec"), QStringLiteral("&Koniec"));

    // Not available by design: nothing in the station makes it available.
    m_mnuBaza = dodajMenu(nullptr, QStringLiteral("mnuBaza"), QStringLiteral("&Baza danych"));
    dodajPozycje(m_mnuBaza, QStringLiteral("mnuBDNowyRegul"), QStringLiteral("&Nowy regulator"));
    m_mnuBaza->menuAction()->setEnabled(false);

    m_popmnuRegul = dodajMenu(nullptr, QStringLiteral("popmnuRegul"), QStringLiteral("&Regulator"));
    QAction *panel = dodajPozycje(m_popmnuRegul, QStringLiteral("mnuRegulPanel"), QStringLiteral("wyświetl panel"));
    QAction *dane = dodajPozycje(m_popmnuRegul, QStringLiteral("mnureguldane"), QStringLiteral("wyświetl dane"));
    QAction *monit = dodajPozycje(m_popmnuRegul, QStringLiteral("mnuregulmonit"), QStringLiteral("&Monitoring"));
    for (QAction *a : {panel, dane, monit})
        a->setCheckable(true);
    panel->setEnabled(false);
    dane->setEnabled(false);

    m_mnuRegulBat = dodajMenu(m_popmnuRegul, QStringLiteral("mnuRegulBat"), QStringLiteral("&Stopień"));
    dodajPozycje(m_mnuRegulBat, QStringLiteral("mnuRegulBatZal"), QStringLiteral("&Załącz stopień"))->setEnabled(false);
    dodajPozycje(m_mnuRegulBat, QStringLiteral("mnuRegulBatTestuj"), QStringLiteral("&Testuj stopień"))
        ->setEnabled(false);
    dodajPozycje(m_popmnuRegul, QStringLiteral("mnunic2"), QStringLiteral("-"));
    dodajPozycje(m_popmnuRegul, QStringLiteral("mnuRegRapDob"), QStringLiteral("&Raport z akt. doby"));
    dodajPozycje(m_popmnuRegul, QStringLiteral("mnyRegWykrDob"), QStringLiteral("&Wykres z akt. doby"));
    dodajPozycje(m_popmnuRegul, QStringLiteral("mnuRegulAlarmy"), QStringLiteral("&Alarmy z doby"));
    dodajPozycje(m_popmnuRegul, QStringLiteral("mnunic4"), QStringLiteral("-"));
    dodajPozycje(m_popmnuRegul, QStringLiteral("mnuRegulZablok"), QStringLiteral("&Zablokuj regulator"))
        ->setEnabled(false);
    dodajPozycje(m_popmnuRegul, QStringLiteral("mnunic"), QStringLiteral("-"));
    dodajPozycje(m_popmnuRegul, QStringLiteral("mnuRegulEdytuj"), QStringLiteral("edytuj"));
    dodajPozycje(m_popmnuRegul, QStringLiteral("mnuRegulUsun"), QStringLiteral("usuń"));
    dodajPozycje(m_popmnuRegul, QStringLiteral("mnuRegulStatystyka"), QStringLiteral("Statystyka &komunikacji"));

    QMenu *raporty = dodajMenu(nullptr, QStringLiteral("mnuRaporty"), QStringLiteral("&Raporty"));
    dodajPozycje(raporty, QStringLiteral("mnuRaportyDobowy"), QStringLiteral("Raport &dobowy"));
    dodajPozycje(raporty, QStringLiteral("mnuRapOkresowy"), QStringLiteral("Raport &okresowy"));

    QMenu *wykresy = dodajMenu(nullptr, QStringLiteral("mnuWykresy"), QStringLiteral("&Wykresy"));
    dodajPozycje(wykresy, QStringLiteral("mnuWykresDob"), QStringLiteral("Wykres &dobowy"));
    dodajPozycje(wykresy, QStringLiteral("mnuWykresMies"), QStringLiteral("Wykres &okresowy"));

    QMenu *ster = dodajMenu(nullptr, QStringLiteral("mnuSter"), QStringLiteral("&Sterowanie"));
    dodajPozycje(ster, QStringLiteral("mnuSterWlacz"), QStringLiteral("Włącz tryb &sterowania"));

    QMenu *narz = dodajMenu(nullptr, QStringLiteral("mnuNarzedzia"), QStringLiteral("&Narzędzia"));
    dodajPozycje(narz, QStringLiteral("mnuNarzOpcje"), QStringLiteral("&Opcje"));
    dodajPozycje(narz, QStringLiteral("mnuNarzAlarmy"), QStringLiteral("Archiwum &alarmów"));
    // Commissioning and line diagnostics; the scan stops the polling, so it
    // waits for the control mode.
    dodajPozycje(narz, QStringLiteral("mnuNarzSzukaj"), QStringLiteral("&Szukaj regulatorów…"))->setEnabled(false);
    dodajPozycje(narz, QStringLiteral("mnuNarzPodglad"), QStringLiteral("&Podgląd linii"));
    dodajPozycje(narz, QStringLiteral("mnuNarzStatystyka"), QStringLiteral("Statystyka &komunikacji"));

    zbudujMenuOkna();

    QMenu *pomoc = dodajMenu(nullptr, QStringLiteral("mnuPomoc"), QStringLiteral("&Pomoc"));
    dodajPozycje(pomoc, QStringLiteral("mnuPomocOProgramie"), QStringLiteral("&O programie"));
}
