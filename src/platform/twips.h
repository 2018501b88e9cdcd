#pragma once
// Window geometry in twips. The program computes every place and size in twips (1/1440 inch) as
// double values; a widget is given the rounded pixels and reads back exactly what was set.
#include <QColor>
#include <QRectF>
#include <QString>
#include <stdexcept>

class QWidget;

namespace kav::forms {

// A statement on a window or control that cannot be carried out (missing control, bad value).
class FormsFehler : public std::runtime_error {
public:
    explicit FormsFehler(const QString& what) : std::runtime_error(what.toStdString()) {}
};

// Twips per pixel: 1440 / logical DPI of the primary screen (15 at 96 DPI).
double twipsProPixel();
// Pixel position of a twips position (rounded, a half to even).
int pixelVon(double twips);

// Twips geometry of one widget. Positions are relative to the parent.
class Tw {
public:
    explicit Tw(QWidget* w); // throws FormsFehler for a missing widget
    explicit Tw(const QWidget* w);

    QRectF rechteck() const;
    double Left() const { return rechteck().x(); }
    double Top() const { return rechteck().y(); }
    double Width() const { return rechteck().width(); }
    double Height() const { return rechteck().height(); }
    // Inner size (without a frame) in twips.
    double ScaleWidth() const;
    double ScaleHeight() const;

    // Each setter throws FormsFehler for a value that is not finite or a negative size.
    const Tw& setLeft(double v) const;
    const Tw& setTop(double v) const;
    const Tw& setWidth(double v) const;
    const Tw& setHeight(double v) const;
    const Tw& setRechteck(const QRectF& r) const;

private:
    QWidget* m_w;
};

// Font, colour, visibility and tag of a control, each as one statement.
void setFontSize(QWidget* w, double punkte); // throws for a size below 1
double FontSize(const QWidget* w);
void setFontBold(QWidget* w, bool fett);
bool FontBold(const QWidget* w);
void setBackColor(QWidget* w, const QColor& c);
QColor BackColor(const QWidget* w);
void setVisible(QWidget* w, bool sichtbar);
void setTag(QWidget* w, const QString& tag);
QString Tag(const QWidget* w);

// Checked access: throws FormsFehler for a null pointer.
template <class T>
T* da(T* p, const char* was = "Steuerelement")
{
    if (!p)
        throw FormsFehler(QStringLiteral("%1 fehlt").arg(QLatin1String(was)));
    return p;
}

} // namespace kav::forms
