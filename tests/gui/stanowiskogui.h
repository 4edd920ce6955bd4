#pragma once

// A station started the way the operator starts it: a scratch tolvek.mdb
// in the working directory, an in-memory port, the test seams, and the
// real start-up with its real windows on the offscreen platform.

#include "alarms/fmalarmyn.h"
#include "app/start.h"
#include "testsupport.h"
#include "ui/main/fmglowny.h"
#include "ui/main/uruchomienie.h"
#include "views/fmregulatory.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTimer>
#include <QUuid>

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
template <class T>
void gdyOtwarte(std::function<void(T *)> f, int *licznik = nullptr)
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

// A line that never answers: the windows only open and close it.
class PortTestowy final : public PortSzeregowy {
public:
    bool otworz(const QString &urzadzenie) override
    {
        if (!bladOtwarcia.isEmpty())
            return false;
        otwarcia << urzadzenie;
        m_otwarty = true;
        return true;
    }
    QString opisBledu() const override { return bladOtwarcia; }
    void zamknij() override { m_otwarty = false; }
    bool otwarty() const override { return m_otwarty; }
    qint64 ileCzeka() const override { return 0; }
    void wyczyscWejscie() override {}
    bool zapisz(const QByteArray &) override { return m_otwarty; }
    int czytajBajt() override { return -1; }

    QString bladOtwarcia; // the next opens fail with this description
    QStringList otwarcia; // devices opened, in order

private:
    bool m_otwarty = false;
};

// Regulatory rows: address, code, type.
struct WierszRegulatora {
    int adres;
    QString kod;
    QString typ = QStringLiteral("regulator");
};

class StanowiskoGui {
public:
    explicit StanowiskoGui(const QList<WierszRegulatora> &regulatory = {{1, QStringLiteral("R1")},
                                                                        {2, QStringLiteral("R2")}})
        : kt([this] {
              auto p = std::make_unique<PortTestowy>();
              port = p.get();
              return p;
          })
    {
        QStringList sql;
        for (const WierszRegulatora &w : regulatory)
            sql << QStringLiteral("INSERT INTO Regulatory (Adres, Kod, Typ) VALUES (%1, '%2', '%3')")
                       .arg(w.adres)
                       .arg(w.kod, w.typ);
        if (!sql.isEmpty())
            baza.wykonaj(sql);
        poprzedni = QDir::currentPath();
        QDir::setCurrent(baza.katalog.path());
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
            glowny()->zakonczProces = [this] { ++zakonczenia; };
        return ok;
    }
    fmGlowny *glowny() const { return u ? u->glowny() : nullptr; }
    QAction *menu(const char *nazwa) const { return glowny()->menu(QString::fromLatin1(nazwa)); }

    QList<QVariantList> zapytaj(const QString &zapytanie) const
    {
        QList<QVariantList> wynik;
        const QString nazwa = QUuid::createUuid().toString();
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nazwa);
            db.setDatabaseName(baza.sciezka);
            db.open();
            QSqlQuery q(db);
            q.exec(zapytanie);
            while (q.next()) {
                QVariantList w;
                for (int i = 0; i < q.record().count(); ++i)
                    w << q.value(i);
                wynik << w;
            }
        }
        QSqlDatabase::removeDatabase(nazwa);
        return wynik;
    }
    QStringList operacjeLogu() const
    {
        QStringList w;
        for (const QVariantList &r : zapytaj(QStringLiteral("SELECT Operacja FROM Log ORDER BY rowid")))
            w << r.value(0).toString();
        return w;
    }

    BazaTestowa baza;
    PortTestowy *port = nullptr;
    KontekstTestowy kt;
    std::unique_ptr<Uruchomienie> u;
    int zakonczenia = 0;

private:
    QString poprzedni;
};
