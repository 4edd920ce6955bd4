#pragma once

// A station started the way the operator starts it: a scratch tolvek.mdb
// in the working directory, an in-memory port, the test seams, and the
// real start-up with its real windows on the offscreen platform.

#include "baza/polaczenie.h"
#include "kontekstestowy.h"
#include "portpamieciowy.h"
#include "ui/main/fmglowny.h"
#include "ui/main/uruchomienie.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTimer>

#include <functional>
#include <memory>

// The watchers of gdyOtwarte; a test's cleanup stops those that never
// fired, so that none outlives the variables it writes to.
inline QObject *obserwatorzy()
{
    static QObject o;
    return &o;
}
inline void zatrzymajObserwatorow()
{
    qDeleteAll(obserwatorzy()->children());
}

// Runs f on the next modal dialog of type T once it is up (the caller is
// then blocked in that dialog's exec()). Gives up after 5 s, closing
// whatever modal window is open, so that a missing dialog fails the test
// instead of hanging it.
template <class T> void gdyOtwarte(std::function<void(T *)> f, int *licznik = nullptr)
{
    auto *t = new QTimer(obserwatorzy());
    auto proby = std::make_shared<int>(0);
    t->setInterval(10);
    QObject::connect(t, &QTimer::timeout, [t, f, proby, licznik] {
        if (auto *d = qobject_cast<T *>(QApplication::activeModalWidget())) {
            t->stop();
            t->deleteLater();
            if (licznik)
                ++*licznik;
            f(d);
        } else if (++*proby > 500) {
            t->stop();
            t->deleteLater();
            if (QWidget *w = QApplication::activeModalWidget())
                w->close();
        }
    });
    t->start();
}

class StanowiskoGui
{
public:
    // Controllers R1, R2, ... at addresses 1, 2, ..., on a line that never
    // answers: the windows only open and close it.
    explicit StanowiskoGui(int regulatorow = 2) : kt(nowyKontekst())
    {
        for (int i = 1; i <= regulatorow; ++i)
            baza.wykonaj(
                QStringLiteral("INSERT INTO Regulatory (Adres, Kod, Typ) VALUES (%1, 'R%1', 'regulator')").arg(i));
        poprzedni = QDir::currentPath();
        QDir::setCurrent(baza.katalog.path());
    }
    // A later run of the station on the same database and spool.
    void ponownie()
    {
        u.reset();
        kt = nowyKontekst();
        zakonczenia = 0;
    }
    ~StanowiskoGui()
    {
        u.reset();
        kt.k.reset();
        QDir::setCurrent(poprzedni);
    }

    Kontekst &k() { return *kt.k; }
    // The start-up; the scheduler is stopped again unless asked to run, so
    // that the in-memory line stays quiet during a test.
    bool uruchom(bool zHarmonogramem = false)
    {
        u = std::make_unique<Uruchomienie>(k());
        const bool ok = u->start();
        if (ok && !zHarmonogramem)
            k().harmonogram.Timer1().stop();
        if (ok)
            u->poZatrzymaniu = [this] { ++zakonczenia; };
        return ok;
    }
    fmGlowny *glowny() const { return u ? u->glowny() : nullptr; }
    QAction *menu(const char *nazwa) const { return glowny()->menu(QString::fromLatin1(nazwa)); }

    // Through a connection of its own, as another program would look.
    QList<QVariantList> zapytaj(const QString &zapytanie) const
    {
        Polaczenie cn;
        cn.otworzPlik(baza.sciezka, false);
        return wierszeZapytania(cn, zapytanie);
    }

    BazaTestowa baza;
    PortPamieciowy *port = nullptr;
    KontekstTestowy kt;

    // A context over the test seams: the in-memory port, the spool beside
    // the database, not in the run's data folder that the other cases share.
    KontekstTestowy nowyKontekst()
    {
        KontekstTestowy k([this] {
            auto p = std::make_unique<PortPamieciowy>();
            port = p.get();
            return p;
        });
        k.ustawienia->zapisz(QStringLiteral("bufor"), QStringLiteral("plik"),
                             baza.katalog.filePath(QStringLiteral("bufor.sqlite")));
        return k;
    }
    std::unique_ptr<Uruchomienie> u;
    int zakonczenia = 0;

private:
    QString poprzedni;
};
