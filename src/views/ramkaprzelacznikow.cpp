#include "ramkaprzelacznikow.h"

#include "widgets/ctlprzel.h"

#include <QStyle>
#include <QStyleOptionGroupBox>

#include <algorithm>
#include <cmath>

namespace
{
constexpr int margines = 8;
}

RamkaPrzelacznikow::RamkaPrzelacznikow(const QString &podpis, bool podLiterami, QWidget *parent)
    : QGroupBox(podpis, parent), m_podLiterami(podLiterami)
{
    // A larger caption spreads the letters of "R   +    -   T" wide enough
    // for selectors a mouse can hit; the three frames share the size.
    QFont f = font();
    f.setPointSizeF(f.pointSizeF() * 1.5);
    setFont(f);
    // Centred, so that the outer selectors stay inside the frame.
    setAlignment(Qt::AlignHCenter);
}

void RamkaPrzelacznikow::ustaw(const std::array<ctlPrzel *, 4> &przelaczniki)
{
    m_przelaczniki = przelaczniki;
    for (ctlPrzel *p : m_przelaczniki)
        p->setParent(this);
    rozmiesc();
}

std::array<double, 4> RamkaPrzelacznikow::srodki() const
{
    const QFontMetricsF fm(font());
    const QString litery = podpisLiter();
    std::array<double, 4> s{};
    int n = 0;
    for (qsizetype i = 0; i < litery.size() && n < 4; ++i) {
        if (litery.at(i) == QLatin1Char(' '))
            continue;
        s.at(static_cast<std::size_t>(n++)) =
            fm.horizontalAdvance(litery.left(i)) + fm.horizontalAdvance(litery.at(i)) / 2.0;
    }
    if (!m_podLiterami) {
        // The same span, evenly divided.
        const double krok = (s[3] - s[0]) / 3.0;
        for (std::size_t i = 1; i < 4; ++i)
            s.at(i) = s[0] + krok * static_cast<double>(i);
    }
    return s;
}

int RamkaPrzelacznikow::szerokoscPrzelacznika() const
{
    const std::array<double, 4> s = srodki();
    const double najmniejszyOdstep = std::min({s[1] - s[0], s[2] - s[1], s[3] - s[2]});
    return std::max(8, static_cast<int>(std::floor(najmniejszyOdstep * 0.8)));
}

QRect RamkaPrzelacznikow::obszarPodpisu() const
{
    QStyleOptionGroupBox opcje;
    initStyleOption(&opcje);
    return style()->subControlRect(QStyle::CC_GroupBox, &opcje, QStyle::SC_GroupBoxLabel, this);
}

QSize RamkaPrzelacznikow::sizeHint() const
{
    const QRect podpis = obszarPodpisu();
    const QFontMetrics fm(font());
    const int w = szerokoscPrzelacznika();
    const int napisy = std::max(fm.horizontalAdvance(title()), fm.horizontalAdvance(podpisLiter()));
    return {napisy + w + 2 * margines, podpis.bottom() + 2 * w + 2 * margines};
}

void RamkaPrzelacznikow::resizeEvent(QResizeEvent *event)
{
    QGroupBox::resizeEvent(event);
    rozmiesc();
}

void RamkaPrzelacznikow::rozmiesc()
{
    const QRect podpis = obszarPodpisu();
    const int w = szerokoscPrzelacznika();
    const std::array<double, 4> s = srodki();
    // Under the letters of the caption, or the same spacing in the middle.
    const double od = m_podLiterami ? podpis.left() : width() / 2.0 - (s[0] + s[3]) / 2.0;
    for (std::size_t i = 0; i < m_przelaczniki.size(); ++i) {
        if (!m_przelaczniki.at(i))
            continue;
        const int x = static_cast<int>(std::lround(od + s.at(i))) - w / 2;
        m_przelaczniki.at(i)->setGeometry(x, podpis.bottom() + margines, w, 2 * w);
    }
}
