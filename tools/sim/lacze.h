#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <deque>
#include <memory>

class QSocketNotifier;
class QTimer;

namespace sim
{

class Terminal;

// Bytes in and out of the terminal at the pace of a real line. Every byte
// takes ten bit times (start, 8 data, stop); an answer goes out byte by byte
// on a timer, so that a station on a pseudo-terminal sees the same timing it
// would see on a 4800-baud cable. Times are nanoseconds of a monotonic clock
// (teraz()).
class Lacze final : public QObject
{
    Q_OBJECT
public:
    // predkosc 0 turns the pacing off (bytes go out at once).
    Lacze(std::unique_ptr<Terminal> terminal, int predkosc, QObject *parent = nullptr);
    ~Lacze() override;

    QString sciezka() const;
    qint64 teraz() const { return m_zegar.nsecsElapsed(); }
    qint64 nsNaBajt() const { return m_nsNaBajt; }

    // Queues an answer whose first bit leaves not before odNs and not before
    // the previous answer has gone.
    void wyslij(const QByteArray &bajty, qint64 odNs);
    // Forgets everything not sent yet (the bus was cut off).
    void porzucNadawanie();
    bool nadaje() const { return !m_kolejka.empty(); }

Q_SIGNALS:
    // A chunk of received bytes; czasKoncaNs is when the last of them had
    // fully arrived on the modelled line.
    void odebrano(const QByteArray &bajty, qint64 czasKoncaNs);
    // An answer's last byte went out.
    void wyslano(const QByteArray &bajty);
    void awaria(const QString &opis);

private:
    struct Wpis {
        QByteArray bajty;
        qint64 startNs = 0;
        qsizetype wyslane = 0;
    };
    void czytaj();
    void pompuj();
    void zaplanuj();
    void zapiszNaLinie(const QByteArray &bajty);

    std::unique_ptr<Terminal> m_terminal;
    QSocketNotifier *m_notyfikator = nullptr;
    QTimer *m_timer = nullptr;
    QElapsedTimer m_zegar;
    qint64 m_nsNaBajt = 0;
    qint64 m_odbiorWolnyOd = 0;
    qint64 m_nadawanieWolneOd = 0;
    std::deque<Wpis> m_kolejka;
};

} // namespace sim
