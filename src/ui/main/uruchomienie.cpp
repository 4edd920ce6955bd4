#include "uruchomienie.h"

#include "alarms/fmalarmyn.h"
#include "app/kontekst.h"
#include "app/start.h"
#include "fmglowny.h"
#include "frmsplash.h"
#include "platform/bladbazy.h"
#include "platform/komunikatyokna.h"
#include "sygnaly.h"
#include "views/fmregulatory.h"
#include "widgets/obrazysvg.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLoggingCategory>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTranslator>

#include <exception>

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
    QObject::connect(m_glowny.get(), &fmGlowny::zamknieciePotwierdzone, m_glowny.get(), [this] { zatrzymaj(); });
    if (m_zatrzymywana || !m_glowny->zaladuj()) {
        // Stopped by the system while the port loop waited for the operator.
        m_splash.reset();
        Start::zamknij(m_k);
        return false;
    }
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

void Uruchomienie::zatrzymaj()
{
    if (m_zatrzymywana)
        return;
    m_zatrzymywana = true;
    if (!m_dziala) {
        // The start-up waits in a dialog of its own: closing it lets start()
        // see the request and end.
        if (m_glowny)
            m_glowny->przerwijStart();
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
    Start::zamknij(m_k);
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
