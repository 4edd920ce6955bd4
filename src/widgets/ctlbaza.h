#pragma once

#include <QColor>
#include <QPixmap>
#include <QString>
#include <QWidget>

class QPainter;

// What the four indicator widgets share: their own fore and back colours,
// the background style (0 transparent, 1 opaque) and the border style
// (0 none, 1 single line). Each widget draws itself; a picture property,
// when set, replaces the widget's own drawing.
class ctlBaza : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QColor ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(QColor BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(int BackStyle READ BackStyle WRITE setBackStyle)
    Q_PROPERTY(int BorderStyle READ BorderStyle WRITE setBorderStyle)
public:
    explicit ctlBaza(QWidget *parent = nullptr);

    QColor ForeColor() const { return m_foreColor; }
    void setForeColor(const QColor &c);
    QColor BackColor() const { return m_backColor; }
    void setBackColor(const QColor &c);
    int BackStyle() const { return m_backStyle; }
    void setBackStyle(int s);
    int BorderStyle() const { return m_borderStyle; }
    void setBorderStyle(int s);

    // Repaint.
    void Refresh() { update(); }

    // What assistive technology is told: the role, whether the lamp is lit
    // or the switch in position 1, the state as words, and the operator's
    // toggle (false when the widget does not take it now).
    virtual bool rolaPrzelacznika() const { return false; }
    virtual bool zaznaczony() const = 0;
    virtual QString opisStanu() const = 0;
    virtual bool przelacz() { return false; }

    // How many times the widget was painted (for checks that a write which
    // changes nothing does not repaint).
    int malowania() const { return m_malowania; }

protected:
    void paintEvent(QPaintEvent *event) final;
    // The widget's face, inside the border.
    virtual void rysuj(QPainter &g, const QRectF &obszar) = 0;
    // A single-line border on top of the face (BorderStyle 1, or a selection).
    virtual bool ramka() const { return m_borderStyle == 1; }
    virtual QColor kolorRamki() const { return m_foreColor; }
    // Draws a picture scaled into the area, keeping its proportions.
    static void rysujObraz(QPainter &g, const QRectF &obszar, const QPixmap &obraz);
    // Tells assistive technology that the checked state changed.
    void oglosZmianeStanu();

private:
    QColor m_foreColor;
    QColor m_backColor;
    int m_backStyle = 0;
    int m_borderStyle = 0;
    int m_malowania = 0;
};
