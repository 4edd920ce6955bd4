#include "uruchomienie.h"

#include "admin/frmoptions.h"
#include "alarms/fmalarmyn.h"
#include "app/kontekst.h"
#include "app/start.h"
#include "baza/bladbazy.h"
#include "fmglowny.h"
#include "frmsplash.h"
#include "komunikatyokna.h"
#include "sygnaly.h"
#include "views/fmregulatory.h"
#include "widgets/obrazysvg.h"

#include <QApplication>
#include <QEventLoop>
#include <QLibraryInfo>
#include <QLoggingCategory>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>
#include <QTranslator>

#include <algorithm>
#include <exception>

Q_LOGGING_CATEGORY(lcUruchomienie, "tolvek.start")

namespace
{

// Each window gets the parts it uses.
fmGlowny::Zaleznosci czesciGlownego(Kontekst &k)
{
    return {.app = k.oApp,
            .wizual = k.oWizual,
            .harmonogram = k.harmonogram,
            .zapis = k.zapisPomiarow,
            .linia = k.linia,
            .operacje = k.operacje,
            .ustawienia = k.ustawienia(),
            .komunikaty = k.komunikaty(),
            .dzwiek = k.dzwiek(),
            .okna = {.wizual = k.oWizual,
                     .regulatory = k.oRegulatory,
                     .zaklad = k.oRegulatoryZakladu,
                     .app = k.oApp,
                     .kolejka = k.oKolejka,
                     .operacje = k.operacje,
                     .zapis = k.zapisPomiarow,
                     .zrodlo = k.zrodloBazy,
                     .zegar = k.zegar(),
                     .ustawienia = k.ustawienia(),
                     .komunikaty = k.komunikaty(),
                     .stacja = k.stacja},
            .diagnostyka = {.linia = k.linia,
                            .comm = k.oComm,
                            .komunikator = k.oKomunikator,
                            .regulatory = k.oRegulatory,
                            .zaklad = k.oRegulatoryZakladu,
                            .app = k.oApp,
                            .zegar = k.zegar(),
                            .ustawienia = k.ustawienia(),
                            .komunikaty = k.komunikaty(),
                            .stacja = k.stacja},
            .wykresy = {.zaklad = k.oRegulatoryZakladu,
                        .zrodlo = k.zrodloBazy,
                        .app = k.oApp,
                        .zegar = k.zegar(),
                        .komunikaty = k.komunikaty()}};
}

} // namespace

Uruchomienie::Uruchomienie(Kontekst &k) : m_k(k) {}

Uruchomienie::~Uruchomienie()
{
    if (auto *okna = dynamic_cast<KomunikatyOkna *>(&m_k.komunikaty()))
        okna->ustawRodzica(nullptr);
}

bool Uruchomienie::start()
{
    QApplication::setWindowIcon(ObrazySvg::ikonaAplikacji());
    m_splash = std::make_unique<frmSplash>(frmSplash::Rodzaj::Start);
    QObject::connect(m_splash.get(), &frmSplash::przerwano, m_splash.get(), [this] { zatrzymaj(); });
    m_splash->show();
    m_splash->repaint();
    m_splash->ustawPostep(QStringLiteral("Otwieram bazę danych i wczytuje regulatory..."));

    QString blad;
    bool wczytano = false;
    try {
        Start::przygotujBaze(m_k);
        wczytano = wczytajBaze();
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
    if (!wczytano) {
        // Stopped while it waited for the database.
        m_splash.reset();
        return false;
    }

    m_glowny = std::make_unique<fmGlowny>(czesciGlownego(m_k));
    QObject::connect(m_glowny.get(), &fmGlowny::zamknieciePotwierdzone, m_glowny.get(), [this] { zatrzymaj(); });
    // The alarm sound timer runs from the main window's load on; without an
    // active alarm its ticks do nothing.
    m_k.harmonogram.Timer3().start();
    if (!petlaPortu()) {
        // Stopped by the system while the port loop waited for the operator.
        m_splash.reset();
        QCoro::waitFor(Start::zamknij(m_k));
        return false;
    }
    m_glowny->zaladuj();
    m_k.oApp.Znakdaty = QStringLiteral("#");
    Start::zapiszStart(m_k);
    // The station is the operator's whole screen.
    m_glowny->showMaximized();
    if (auto *okna = dynamic_cast<KomunikatyOkna *>(&m_k.komunikaty()))
        okna->ustawRodzica(m_glowny.get());

    m_regulatory = new fmRegulatory(m_k.oRegulatory, m_k.oApp, m_k.oWizual, m_k.listaAlarmow,
                                    {m_glowny->menuRegulatora(), m_glowny->menuBazy(), m_glowny->menuStopnia()});
    QMdiSubWindow *drzewo = m_glowny->pokazOkno(m_regulatory);
    m_alarmy = new fmAlarmyN(m_k.listaAlarmow);
    m_glowny->pokazOkno(m_alarmy);
    m_glowny->ustawOknoAlarmow(m_alarmy);
    // The operator starts by choosing a controller: the tree has the keys.
    m_glowny->mdi()->setActiveSubWindow(drzewo);

    m_splash.reset();
    m_k.harmonogram.Timer1().start();
    m_dziala = true;
    return true;
}

bool Uruchomienie::petlaPortu()
{
    return Start::petlaPortu(
        m_k,
        [this] {
            frmOptions opcje(m_k.oApp, m_k.ustawienia(), m_k.komunikaty(), m_k.oWizual);
            opcje.exec();
        },
        [this] { return m_zatrzymywana; });
}

bool Uruchomienie::wczytajBaze()
{
    int przerwaMs = pierwszaPrzerwaMs;
    for (;;) {
        const OdczytStartowy odczyt = QCoro::waitFor(Start::czytajBaze(m_k));
        if (m_zatrzymywana)
            return false;
        if (odczyt.dane) {
            Start::wczytaj(m_k, *odczyt.dane);
            return true;
        }
        const QString powod = odczyt.blad ? odczyt.blad->opis() : QString();
        if (!odczyt.niedostepna)
            throw BladBazy(odczyt.blad ? odczyt.blad->numer() : 1, powod);
        if (Start::maKopie(m_k)) {
            Start::wczytajZKopii(m_k, powod);
            return true;
        }
        // A first start with the database away: nothing to poll from yet, so
        // the station waits for it, saying so, instead of ending.
        qCWarning(lcUruchomienie).noquote()
            << "the database" << m_k.zrodloBazy.opis() << "is away and the spool has "
            << "no copy to start from; looking again in" << przerwaMs / 1000 << "s:" << powod;
        m_splash->czekajNaBaze(QStringLiteral("Baza danych (%1) jest niedostępna:\n%2\n\nStacja czeka na nią; "
                                              "następna próba za %3 s.")
                                   .arg(m_k.zrodloBazy.opis(), powod)
                                   .arg(przerwaMs / 1000));
        if (!czekaj(przerwaMs))
            return false;
        przerwaMs = std::min(przerwaMs * 2, najdluzszaPrzerwaMs);
        m_splash->ustawPostep(QStringLiteral("Otwieram bazę danych i wczytuje regulatory..."));
    }
}

bool Uruchomienie::czekaj(int ms)
{
    QEventLoop petla;
    m_petla = &petla;
    QTimer::singleShot(ms, &petla, &QEventLoop::quit);
    petla.exec();
    m_petla = nullptr;
    return !m_zatrzymywana;
}

void Uruchomienie::zatrzymaj()
{
    if (m_zatrzymywana)
        return;
    m_zatrzymywana = true;
    if (!m_dziala) {
        // The start-up waits in a dialog of its own, or for the database:
        // ending the wait lets start() see the request and end.
        if (m_petla)
            m_petla->quit();
        if (QWidget *okno = QApplication::activeModalWidget())
            okno->close();
        return;
    }
    zatrzymajPoKolei(); // runs on by itself; its frame is freed when it finishes
}

QCoro::Task<void> Uruchomienie::zatrzymajPoKolei()
{
    Start::zatrzymajPrace(m_k);
    // A tick suspended on the line has been woken; it unwinds before the
    // database it may still write to is closed.
    co_await m_k.harmonogram.koniecTaktu();
    co_await Start::zamknij(m_k);
    if (poZatrzymaniu)
        poZatrzymaniu();
}

void nazwijAplikacje()
{
    QApplication::setApplicationName(QStringLiteral("Tolvek"));
    // Ties the windows to the installed desktop entry (its name and icon).
    QApplication::setDesktopFileName(QStringLiteral("pl.tolvek.Tolvek"));
}

void przetlumaczQt()
{
    const QString katalog = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto *t = new QTranslator(QCoreApplication::instance());
    if (t->load(QLocale(QLocale::Polish, QLocale::Poland), QStringLiteral("qtbase"), QStringLiteral("_"), katalog)) {
        QCoreApplication::installTranslator(t);
        return;
    }
    delete t;
    qInfo().noquote() << "Qt's Polish translation (qtbase_pl.qm) is not in" << katalog
                      << "- Qt's own dialogs stay in English (package qt6-translations-l10n)";
}

int Main(Kontekst &k)
{
    // The event loop ends after the orderly shutdown, never on its own when
    // a dialog of the port loop closes.
    QApplication::setQuitOnLastWindowClosed(false);
    Uruchomienie uruchomienie(k);
    uruchomienie.poZatrzymaniu = [] { QCoreApplication::exit(0); };
    ZatrzymanieSygnalem sygnaly([&uruchomienie] { uruchomienie.zatrzymaj(); });
    if (!uruchomienie.start())
        return uruchomienie.zatrzymywana() ? 0 : 1;
    // Windows go with uruchomienie, then main destroys the context.
    return QApplication::exec();
}
