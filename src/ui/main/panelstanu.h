#pragma once

#include <QFrame>
#include <QPixmap>
#include <QString>

class QLabel;

// One panel of the main window's status bar: a picture and a text. A panel
// that can carry a picture keeps its place for it, so that a blinking
// picture does not make the bar jump.
class PanelStanu final : public QFrame
{
    Q_OBJECT
public:
    PanelStanu(int numer, bool zObrazem, QWidget *parent = nullptr);

    int numer() const { return m_numer; }
    void ustawTekst(const QString &tekst);
    QString tekst() const;
    // The picture by the name the event hub gives it ("20", "21", "blysk",
    // "tryb"); "" clears it.
    void ustawObraz(const QString &nazwa);
    const QString &obraz() const { return m_nazwaObrazu; }
    static QPixmap obrazPanelu(const QString &nazwa, int rozmiar, qreal skala);

private:
    int m_numer;
    QLabel *m_obraz;
    QLabel *m_tekst;
    QString m_nazwaObrazu;
};
