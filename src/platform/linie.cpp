#include "platform/linie.h"

#include "platform/twips.h"

#include <QPainter>
#include <cmath>

namespace kav::forms {

Linie::Linie(QWidget* eltern) : QWidget(eltern)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void Linie::setLinie(const QLineF& twips)
{
    for (const double v : {twips.x1(), twips.y1(), twips.x2(), twips.y2()})
        if (!std::isfinite(v))
            throw FormsFehler(QStringLiteral("Ungültiger Wert"));
    m_linie = twips;
    // the control covers the line's pixels, at least one pixel wide and high
    const int x0 = pixelVon(std::min(twips.x1(), twips.x2()));
    const int y0 = pixelVon(std::min(twips.y1(), twips.y2()));
    const int x1 = pixelVon(std::max(twips.x1(), twips.x2()));
    const int y1 = pixelVon(std::max(twips.y1(), twips.y2()));
    setGeometry(x0, y0, std::max(1, x1 - x0 + 1), std::max(1, y1 - y0 + 1));
    update();
}

void Linie::setBorderStyle(int stil)
{
    m_stil = stil;
    update();
}

void Linie::setBorderColor(const QColor& c)
{
    m_farbe = c;
    update();
}

void Linie::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QPen stift(m_farbe, 1, m_stil == 3 ? Qt::DotLine : Qt::SolidLine);
    stift.setCosmetic(true);
    p.setPen(stift);
    const double tpp = twipsProPixel();
    QPointF a(m_linie.x1() / tpp - x() + 0.5, m_linie.y1() / tpp - y() + 0.5);
    QPointF b(m_linie.x2() / tpp - x() + 0.5, m_linie.y2() / tpp - y() + 0.5);
    // a level or upright line runs through the middle of the control's pixels: at a fractional
    // screen scale a line on the control's edge would fall between two device pixels and vanish
    if (m_linie.y1() == m_linie.y2()) {
        a.setY(height() / 2.0);
        b.setY(height() / 2.0);
    }
    if (m_linie.x1() == m_linie.x2()) {
        a.setX(width() / 2.0);
        b.setX(width() / 2.0);
    }
    p.drawLine(a, b);
}

} // namespace kav::forms
