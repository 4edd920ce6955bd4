#pragma once

#include "ctlbaza.h"

#include <QVariant>

// A picture lamp that the operator can select with a click. Picture1 is
// shown while dark, Picture2 while lit; without pictures the lamp draws
// itself in KolorLampy. A selected lamp has a single-line border.
class ctlDioda3d final : public ctlBaza
{
    Q_OBJECT
    Q_PROPERTY(QVariant Zapalona READ Zapalona WRITE setZapalona)
    Q_PROPERTY(QPixmap Picture1 READ Picture1 WRITE setPicture1)
    Q_PROPERTY(QPixmap Picture2 READ Picture2 WRITE setPicture2)
    Q_PROPERTY(QPixmap Picture READ Picture WRITE setPicture)
    Q_PROPERTY(bool Selected READ Selected WRITE setSelected)
    Q_PROPERTY(QColor KolorLampy READ KolorLampy WRITE setKolorLampy)
public:
    explicit ctlDioda3d(QWidget *parent = nullptr);

    QVariant Zapalona() const { return m_zapalona; }
    // True lights the lamp; false or an empty value darkens it.
    void setZapalona(const QVariant &v);
    QPixmap Picture1() const { return m_picture1; }
    void setPicture1(const QPixmap &p) { m_picture1 = p; }
    QPixmap Picture2() const { return m_picture2; }
    void setPicture2(const QPixmap &p) { m_picture2 = p; }
    QPixmap Picture() const { return m_picture; }
    void setPicture(const QPixmap &p);
    bool Selected() const { return m_selected; }
    // Only an enabled lamp takes a new selection.
    void setSelected(bool s);
    QColor KolorLampy() const { return m_kolor; }
    void setKolorLampy(const QColor &c);

    // Whether the lamp shows its lit face.
    bool swieci() const { return m_swieci; }

    QSize sizeHint() const override;
    bool zaznaczony() const override { return m_swieci; }
    QString opisStanu() const override;

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void rysuj(QPainter &g, const QRectF &obszar) override;
    bool ramka() const override { return m_selected || ctlBaza::ramka(); }
    QColor kolorRamki() const override;

private:
    QVariant m_zapalona;
    QPixmap m_picture1, m_picture2, m_picture;
    bool m_swieci = false;
    bool m_selected = false;
    QColor m_kolor;
};
