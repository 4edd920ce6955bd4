#include "dzwiek.h"

#include "komunikaty.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QProcess>
#include <QStandardPaths>

Q_LOGGING_CATEGORY(lcDzwiek, "tolvek.dzwiek")

#ifndef TOLVEK_KATALOG_DANYCH
#define TOLVEK_KATALOG_DANYCH "/usr/share/tolvek"
#define TOLVEK_KATALOG_DANYCH_WZGLEDNY "share/tolvek"
#define TOLVEK_KATALOG_PROGRAMOW_WZGLEDNY "bin"
#endif

QStringList katalogiDzwiekow()
{
    QStringList k{QStringLiteral(".")};
    // A package installs under /usr, a build may have been configured for
    // /usr/local or installed with another --prefix: the executable's own
    // prefix is asked first.
    if (QCoreApplication::instance()) {
        const int poziomy = int(QStringLiteral(TOLVEK_KATALOG_PROGRAMOW_WZGLEDNY).count(QLatin1Char('/'))) + 1;
        QString prefiks = QCoreApplication::applicationDirPath();
        for (int i = 0; i < poziomy; ++i)
            prefiks += QStringLiteral("/..");
        k << QDir::cleanPath(prefiks + QStringLiteral("/" TOLVEK_KATALOG_DANYCH_WZGLEDNY));
    }
    const QString wbudowany = QStringLiteral(TOLVEK_KATALOG_DANYCH);
    if (!k.contains(wbudowany))
        k << wbudowany;
    return k;
}

QString znajdzPlik(const QString &plik, const QStringList &katalogi)
{
    for (const QString &katalog : katalogi) {
        const QFileInfo fi(QDir::current().filePath(QDir(katalog).filePath(plik)));
        if (fi.isFile())
            return fi.absoluteFilePath();
    }
    return {};
}

namespace
{
// Players that have not ended (a sound device that blocks them) are not
// piled up: a sound asked for while this many still run is left out.
constexpr int maksGrajacych = 3;
} // namespace

DzwiekAplay::DzwiekAplay(Komunikaty *komunikaty, QStringList katalogi, std::optional<QString> odtwarzacz)
    : m_komunikaty(komunikaty), m_katalogi(std::move(katalogi)),
      m_odtwarzacz(odtwarzacz ? *odtwarzacz : QStandardPaths::findExecutable(QStringLiteral("aplay")))
{
}

DzwiekAplay::~DzwiekAplay()
{
    // A player cut off at shutdown is no failure to report.
    for (QProcess *p : m_procesy.findChildren<QProcess *>()) {
        p->disconnect();
        p->kill();
        p->waitForFinished(1000);
    }
}

std::optional<DzwiekAplay::Przeszkoda> DzwiekAplay::przeszkoda(const QString &plik, QString *sciezka) const
{
    if (m_odtwarzacz.isEmpty())
        return Przeszkoda{QStringLiteral("the player aplay is not installed (package alsa-utils)"),
                          QStringLiteral("brak programu aplay (pakiet alsa-utils)")};
    *sciezka = znajdzPlik(plik, m_katalogi);
    if (sciezka->isEmpty())
        return Przeszkoda{QStringLiteral("no such file in ") + m_katalogi.join(QStringLiteral(", ")),
                          QStringLiteral("nie ma tego pliku w ") + m_katalogi.join(QStringLiteral(", "))};
    return std::nullopt;
}

void DzwiekAplay::zglos(const QStringList &pliki, const QList<Przeszkoda> &przeszkody)
{
    // One line a reason: without the player every sound has the same one.
    QStringList opisy;
    QList<QStringList> plikiOpisow;
    for (qsizetype i = 0; i < pliki.size(); ++i) {
        const QString &plik = pliki.at(i);
        if (!m_zgloszone.contains(plik)) {
            m_zgloszone.insert(plik);
            qCWarning(lcDzwiek).noquote() << "the sound" << plik << "cannot be played:" << przeszkody.at(i).powod;
        }
        const qsizetype j = opisy.indexOf(przeszkody.at(i).opis);
        if (j < 0) {
            opisy << przeszkody.at(i).opis;
            plikiOpisow << QStringList{plik};
        } else {
            plikiOpisow[j] << plik;
        }
    }
    if (m_powiedziano || !m_komunikaty || opisy.isEmpty())
        return;
    QStringList linie;
    for (qsizetype j = 0; j < opisy.size(); ++j)
        linie << plikiOpisow.at(j).join(QStringLiteral(", ")) + QStringLiteral(": ") + opisy.at(j);
    m_powiedziano = true;
    m_komunikaty->pokaz(QStringLiteral("Nie można odtworzyć dźwięków alarmów:") + QLatin1Char('\r') +
                            linie.join(QLatin1Char('\r')) + QLatin1Char('\r') +
                            QStringLiteral("Alarmy są sygnalizowane tylko na ekranie."),
                        QStringLiteral("Tolvek"), Ikona::Wykrzyknik);
}

void DzwiekAplay::sprawdz(const QStringList &pliki)
{
    QStringList zle;
    QList<Przeszkoda> przeszkody;
    for (const QString &plik : pliki) {
        QString sciezka;
        if (const auto p = przeszkoda(plik, &sciezka)) {
            zle << plik;
            przeszkody << *p;
        }
    }
    zglos(zle, przeszkody);
}

void DzwiekAplay::graj(const QString &plik)
{
    QString sciezka;
    if (const auto p = przeszkoda(plik, &sciezka)) {
        zglos({plik}, {*p});
        return;
    }
    if (m_grajace >= maksGrajacych) {
        zglos({plik}, {Przeszkoda{QStringLiteral("%1 players of earlier sounds have not ended").arg(m_grajace),
                                  QStringLiteral("wcześniejsze dźwięki wciąż nie zostały odtworzone (urządzenie "
                                                 "dźwiękowe nie odpowiada)")}});
        return;
    }
    // A process of its own, not waited for: the station learns how it ended
    // without being held up by a busy or missing sound device.
    auto *proces = new QProcess(&m_procesy);
    proces->setProgram(m_odtwarzacz);
    proces->setArguments({QStringLiteral("-q"), sciezka});
    proces->setStandardOutputFile(QProcess::nullDevice());
    ++m_grajace;
    QObject::connect(proces, &QProcess::finished, &m_procesy, [this, proces, plik](int kod, QProcess::ExitStatus s) {
        --m_grajace;
        if (s != QProcess::NormalExit || kod != 0) {
            const QString blad =
                QString::fromLocal8Bit(proces->readAllStandardError()).trimmed().section(QLatin1Char('\n'), 0, 0);
            zglos({plik}, {Przeszkoda{QStringLiteral("%1 ended with %2: %3").arg(m_odtwarzacz).arg(kod).arg(blad),
                                      QStringLiteral("program aplay zakończył się błędem (%1)").arg(blad)}});
        }
        proces->deleteLater();
    });
    QObject::connect(proces, &QProcess::errorOccurred, &m_procesy, [this, proces, plik](QProcess::ProcessError e) {
        if (e != QProcess::FailedToStart)
            return;
        --m_grajace;
        zglos({plik},
              {Przeszkoda{QStringLiteral("%1 could not be started: %2").arg(m_odtwarzacz, proces->errorString()),
                          QStringLiteral("nie można uruchomić programu aplay (%1)").arg(proces->errorString())}});
        proces->deleteLater();
    });
    proces->start();
}
