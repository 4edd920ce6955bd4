#pragma once

#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

class Komunikaty;

// The sound player seam. Playing never blocks the station.
class Dzwiek
{
public:
    virtual ~Dzwiek() = default;
    // plik is the bare file name, looked up as katalogiDzwiekow() says.
    virtual void graj(const QString &plik) = 0;
    // At start: whether each of the station's sounds can be played. An
    // alarm board that cannot sound is a safety matter for a station that
    // runs unattended, so what cannot is said, not left silent.
    virtual void sprawdz(const QStringList &pliki) { Q_UNUSED(pliki); }
};

// Where sounds are looked for, in this order: the working directory (a
// plant's own sounds), then the installed data folder: <prefix>/share/tolvek
// of the prefix the executable runs from, then the one this build installs to.
QStringList katalogiDzwiekow();

// The absolute path of plik in the first of katalogi that holds it; empty
// when none does. A relative folder is taken from the working directory.
QString znajdzPlik(const QString &plik, const QStringList &katalogi);

// Plays through aplay (alsa-utils), a process of its own that the station
// does not wait for. A sound that cannot be played (no player, no file, a
// player that fails, e.g. without a sound card) is logged once per sound,
// with why, and the operator is told once, without waiting.
class DzwiekAplay final : public Dzwiek
{
public:
    explicit DzwiekAplay(Komunikaty *komunikaty = nullptr, QStringList katalogi = katalogiDzwiekow(),
                         std::optional<QString> odtwarzacz = std::nullopt);
    ~DzwiekAplay() override;
    void graj(const QString &plik) override;
    void sprawdz(const QStringList &pliki) override;

private:
    // Why plik cannot be played here, known before playing: a text for the
    // log and one for the operator; *sciezka gets its path otherwise.
    struct Przeszkoda {
        QString powod, opis;
    };
    std::optional<Przeszkoda> przeszkoda(const QString &plik, QString *sciezka) const;
    void zglos(const QStringList &pliki, const QList<Przeszkoda> &przeszkody);

    Komunikaty *m_komunikaty;
    QStringList m_katalogi;
    QString m_odtwarzacz;
    QSet<QString> m_zgloszone; // sounds whose failure is in the log
    bool m_powiedziano = false;
    int m_grajace = 0;
    QObject m_procesy; // the players still running
};
