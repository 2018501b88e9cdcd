#include "platform/twips.h"

#include "platform/farbkontrast.h"
#include "platform/rounding.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace kav::forms {

namespace {

const char* const kTwips = "kavTwips";
const char* const kPixel = "kavTwipsPixel";
const char* const kFarbe = "BackColor";
const char* const kTag = "Tag";

void pruefe(double v, bool groesse)
{
    if (!std::isfinite(v))
        throw FormsFehler(QStringLiteral("Ungültiger Wert"));
    if (groesse && v < 0)
        throw FormsFehler(QStringLiteral("Negative Größe"));
    if (std::fabs(v) > 2.0e9)
        throw FormsFehler(QStringLiteral("Wert zu groß"));
}

// Pixels from twips: the edges are rounded, so neighbours that share an edge meet without a gap.
QRect pixelRechteck(const QRectF& t)
{
    const int x0 = pixelVon(t.x());
    const int y0 = pixelVon(t.y());
    const int x1 = pixelVon(t.x() + t.width());
    const int y1 = pixelVon(t.y() + t.height());
    return QRect(x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0));
}

} // namespace

double twipsProPixel()
{
    const QScreen* s = QGuiApplication::primaryScreen();
    const double dpi = s ? s->logicalDotsPerInchY() : 96.0;
    return dpi > 1.0 ? 1440.0 / dpi : 15.0;
}

int pixelVon(double twips) { return rundenGanz(twips / twipsProPixel()); }

Tw::Tw(QWidget* w) : m_w(da(w, "Fenster")) {}
Tw::Tw(const QWidget* w) : m_w(const_cast<QWidget*>(da(w, "Fenster"))) {}

QRectF Tw::rechteck() const
{
    const QVariant t = m_w->property(kTwips);
    if (t.isValid() && m_w->property(kPixel).toRect() == m_w->geometry())
        return t.toRectF();
    // moved or sized in pixels by someone else: take what it shows
    const double tpp = twipsProPixel();
    const QRect g = m_w->geometry();
    return QRectF(g.x() * tpp, g.y() * tpp, g.width() * tpp, g.height() * tpp);
}

double Tw::ScaleWidth() const { return m_w->contentsRect().width() * twipsProPixel(); }
double Tw::ScaleHeight() const { return m_w->contentsRect().height() * twipsProPixel(); }

const Tw& Tw::setRechteck(const QRectF& r) const
{
    pruefe(r.x(), false);
    pruefe(r.y(), false);
    pruefe(r.width(), true);
    pruefe(r.height(), true);
    const QRect px = pixelRechteck(r);
    if (m_w->geometry() != px)
        m_w->setGeometry(px);
    m_w->setProperty(kTwips, r);
    m_w->setProperty(kPixel, m_w->geometry());
    return *this;
}

const Tw& Tw::setLeft(double v) const
{
    QRectF r = rechteck();
    r.moveLeft(v);
    return setRechteck(r);
}

const Tw& Tw::setTop(double v) const
{
    QRectF r = rechteck();
    r.moveTop(v);
    return setRechteck(r);
}

const Tw& Tw::setWidth(double v) const
{
    QRectF r = rechteck();
    r.setWidth(v);
    pruefe(v, true);
    return setRechteck(r);
}

const Tw& Tw::setHeight(double v) const
{
    QRectF r = rechteck();
    pruefe(v, true);
    r.setHeight(v);
    return setRechteck(r);
}

void setFontSize(QWidget* w, double punkte)
{
    da(w);
    if (!std::isfinite(punkte) || punkte < 1.0 || punkte > 2048.0)
        throw FormsFehler(QStringLiteral("Ungültige Schriftgröße"));
    QFont f = w->font();
    if (f.pointSizeF() != punkte) {
        f.setPointSizeF(punkte);
        w->setFont(f);
    }
}

double FontSize(const QWidget* w) { return da(w)->font().pointSizeF(); }

void setFontBold(QWidget* w, bool fett)
{
    QFont f = da(w)->font();
    if (f.bold() != fett) {
        f.setBold(fett);
        w->setFont(f);
    }
}

bool FontBold(const QWidget* w) { return da(w)->font().bold(); }

void setBackColor(QWidget* w, const QColor& c)
{
    da(w);
    if (!c.isValid())
        throw FormsFehler(QStringLiteral("Ungültige Farbe"));
    if (w->property(kFarbe).value<QColor>() == c && w->autoFillBackground())
        return;
    w->setProperty(kFarbe, c);
    QPalette p = w->palette();
    p.setColor(QPalette::Window, c);
    p.setColor(QPalette::Button, c);
    // the text of a control that is off stays readable on this colour (the style's grey may be the
    // colour itself): a shade of it, darker on a light colour, lighter on a dark one
    const QColor aus = ausgeschalteteSchrift({c});
    for (const QPalette::ColorRole rolle : {QPalette::ButtonText, QPalette::WindowText, QPalette::Text})
        p.setColor(QPalette::Disabled, rolle, aus);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

QColor BackColor(const QWidget* w)
{
    const QVariant v = da(w)->property(kFarbe);
    return v.isValid() ? v.value<QColor>() : w->palette().color(QPalette::Window);
}

void setVisible(QWidget* w, bool sichtbar)
{
    if (da(w)->isHidden() == sichtbar)
        w->setVisible(sichtbar);
}

void setTag(QWidget* w, const QString& tag) { da(w)->setProperty(kTag, tag); }
QString Tag(const QWidget* w) { return da(w)->property(kTag).toString(); }

} // namespace kav::forms
