#include "fmglowny.h"

#include "admin/fmlogin.h"
#include "app/clsoapp.h"
#include "app/clswizual.h"
#include "app/harmonogram.h"
#include "app/linia.h"
#include "db/zapispomiarow.h"
#include "panelstanu.h"
#include "platform/dzwiek.h"
#include "platform/komunikaty.h"
#include "widgets/klawiszmenu.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace
{
const QString tytulAplikacji = QStringLiteral("Tolvek");
} // namespace

fmGlowny::fmGlowny(Zaleznosci z, QWidget *parent)
    : QMainWindow(parent), m_app(z.app), m_wizual(z.wizual), m_harmonogram(z.harmonogram), m_zapis(z.zapis),
      m_linia(z.linia), m_operacje(z.operacje), m_ustawienia(z.ustawienia), m_komunikaty(z.komunikaty),
      m_dzwiek(z.dzwiek), m_mdi(new QMdiArea(this))
{
    setObjectName(QStringLiteral("fmGlowny"));
    setWindowTitle(tytulAplikacji);
    m_mdi->setObjectName(QStringLiteral("mdi"));
    m_mdi->setBackground(QColor(128, 128, 128));
    setCentralWidget(m_mdi);
    resize(1024, 720);

    zbudujMenu();
    zbudujPasek();
    zbudujPasekStanu();
    polaczPolecenia(z);
    polaczWizual();
    qApp->installEventFilter(new KlawiszMenu(this));

    m_app.pokazLogin = [this] {
        fmLogin login(m_app, m_komunikaty, isVisible() ? this : nullptr);
        login.exec();
    };
}

fmGlowny::~fmGlowny()
{
    m_app.pokazLogin = nullptr;
}

QMdiSubWindow *fmGlowny::pokazOkno(QWidget *okno)
{
    QMdiSubWindow *ramka = nullptr;
    for (QMdiSubWindow *s : m_mdi->subWindowList()) {
        if (s->widget() == okno)
            ramka = s;
    }
    if (!ramka) {
        ramka = m_mdi->addSubWindow(okno);
        // A window that closes itself (the editor after a save) takes its
        // frame with it.
        connect(okno, &QObject::destroyed, ramka, &QWidget::close, Qt::QueuedConnection);
    }
    ramka->show();
    okno->show();
    return ramka;
}

void fmGlowny::zaladuj()
{
    // Whether the alarms can sound, once the window is up: a message about
    // it stands in front of the window, not behind it.
    QTimer::singleShot(0, this, [this] { m_dzwiek.sprawdz(clsWizual::dzwieki()); });
    ustawPodpowiedzi();
}

void fmGlowny::ustawPodpowiedzi()
{
    static const char *const podpowiedziPaneli[6] = {"Aktualny stan Tolveka", "Monitoring", "Alarmy",
                                                     "Komunikacja",           "Tryb pracy", "Aktualny czas"};
    for (int i = 0; i < 6; ++i)
        m_panele.at(static_cast<std::size_t>(i))->setToolTip(QString::fromUtf8(podpowiedziPaneli[i]));
    panel(2)->ustawObraz(QStringLiteral("20"));
    panel(2)->ustawTekst(QStringLiteral("Monitoring"));
    panel(4)->ustawObraz(QStringLiteral("20"));
    panel(3)->ustawObraz(QString());

    const QList<QPair<QString, QString>> wgKlucza = {
        {QStringLiteral("Komun"), QStringLiteral("Włączanie/wyłaczanie komunikacji")},
        {QStringLiteral("Panel"), QStringLiteral("Pokaż/ukryj panel")},
        {QStringLiteral("Alarm"), QStringLiteral("Pokaż/ukryj alarmy")},
        {QStringLiteral("Dane"), QStringLiteral("Pokaż/ukryj dane z regulatora")},
        {QStringLiteral("Monit"), QStringLiteral("Włącz/wyłącz monitoring")},
    };
    for (const auto &[klucz, tekst] : wgKlucza)
        m_przyciski.value(klucz)->setToolTip(tekst);

    // Positions count the separators too, 1-based.
    const QList<QAction *> pozycje = m_pasek->actions();
    const QStringList wgPozycji = {QStringLiteral("Twórz wykresy"), QStringLiteral("Pokaż okno alarmów"),
                                   QStringLiteral("Czarodziej ustawień")};
    for (int i = 0; i < wgPozycji.size(); ++i) {
        if (6 + i <= pozycje.size())
            pozycje.at(5 + i)->setToolTip(wgPozycji.at(i));
    }

    // The buttons show only pictures and the panels mostly pictures: what
    // assistive technology says is what their tooltips say.
    for (QAction *a : pozycje)
        if (QWidget *przycisk = m_pasek->widgetForAction(a))
            przycisk->setAccessibleName(a->toolTip());
    for (PanelStanu *p : m_panele)
        p->setAccessibleName(p->toolTip());
    // The pause button says its state rather than its tooltip.
    zaznaczPrzycisk(QStringLiteral("Komun"), !m_linia.wstrzymana());
}

void fmGlowny::polaczWizual()
{
    const clsWizual &w = m_wizual;
    connect(&w, &clsWizual::panelTekst, this, [this](int numer, const QString &tekst) {
        if (numer >= 1 && numer <= 6)
            panel(numer)->ustawTekst(tekst);
    });
    connect(&w, &clsWizual::panelObraz, this, [this](int numer, const QString &obraz) {
        if (numer >= 1 && numer <= 6)
            panel(numer)->ustawObraz(obraz);
    });
    connect(&w, &clsWizual::menuPodpis, this, [this](const QString &nazwa, const QString &podpis) {
        if (QAction *a = menu(nazwa))
            a->setText(podpis);
    });
    connect(&w, &clsWizual::menuDostepne, this, [this](const QString &nazwa, bool dostepne) {
        if (QAction *a = menu(nazwa))
            a->setEnabled(dostepne);
    });
    connect(&w, &clsWizual::przyciskWcisniety, this, &fmGlowny::zaznaczPrzycisk);
    connect(&w, &clsWizual::przyciskDostepny, this, [this](const QString &klucz, bool dostepny) {
        if (QAction *a = przycisk(klucz))
            a->setEnabled(dostepny);
    });
    connect(&m_harmonogram, &Harmonogram::zegarZmieniony, this,
            [this](const QString &hhmmss) { panel(6)->ustawTekst(hhmmss); });
    connect(&m_zapis, &ZapisPomiarow::stanZmieniony, this, &fmGlowny::pokazStanZapisu);
    pokazStanZapisu();
}

void fmGlowny::closeEvent(QCloseEvent *event)
{
    // A second request while the question is still open is not asked twice.
    if (m_zamykanie) {
        event->ignore();
        return;
    }
    m_zamykanie = true;
    const Odpowiedz odp = m_komunikaty.pytaj(QStringLiteral("Czy zakończyć działanie programu Tolvek?"),
                                             QStringLiteral("Koniec programu"), Ikona::Pytanie);
    if (odp != Odpowiedz::OK) {
        m_zamykanie = false;
        event->ignore();
        return;
    }
    event->accept();
    Q_EMIT zamknieciePotwierdzone();
}
