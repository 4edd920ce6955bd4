#pragma once

#include <QGroupBox>

#include <array>

class ctlPrzel;

// A frame of four selectors in a row, index growing from left to right.
// The selectors stand under the letters of the caption "R   +    -   T",
// one under each: that frame places them under its own letters, and the
// other frames use the same spacing, so the three frames line up.
class RamkaPrzelacznikow final : public QGroupBox
{
public:
    RamkaPrzelacznikow(const QString &podpis, bool podLiterami, QWidget *parent = nullptr);

    // Takes the four selectors as children.
    void ustaw(const std::array<ctlPrzel *, 4> &przelaczniki);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    // The caption whose letters the selectors stand under.
    static QString podpisLiter() { return QStringLiteral("R   +    -   T"); }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    // Centres of the four selectors, from the left edge of the caption.
    std::array<double, 4> srodki() const;
    int szerokoscPrzelacznika() const;
    QRect obszarPodpisu() const;
    void rozmiesc();

    bool m_podLiterami;
    std::array<ctlPrzel *, 4> m_przelaczniki{};
};
