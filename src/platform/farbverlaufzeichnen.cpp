#include "platform/farbverlaufzeichnen.h"

#include "platform/farbkontrast.h"
#include "platform/farbverlauf.h"
#include "platform/twips.h"

#include <QList>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

namespace kav {

namespace {

// The height and colours of the gradient a window shows.
constexpr const char* kVerlauf = "kavVerlauf";
// The bands run across the whole window: a narrow strip of them, repeated, is the window's background.
constexpr int kStreifen = 8;

// Disabled text of the window and its controls stays readable: labels on the gradient's colours,
// the text of boxes and lists on their own background.
void ausgeschalteteSchriftSetzen(QPalette& pal, const std::array<FarbBand, 64>& baender)
{
    QList<QColor> verlauf;
    for (const FarbBand& b : baender)
        verlauf.append(b.farbe);
    pal.setColor(QPalette::Disabled, QPalette::WindowText, ausgeschalteteSchrift(verlauf));
    for (const auto& [rolle, hinten] : {std::pair{QPalette::Text, QPalette::Base}, {QPalette::ButtonText, QPalette::Button}})
        pal.setColor(QPalette::Disabled, rolle, ausgeschalteteSchrift({pal.color(QPalette::Disabled, hinten)}));
}

void zeichnen(QWidget* ziel, int r1, int g1, int b1, int r2, int g2, int b2)
{
    const QSize s = ziel->size();
    if (s.isEmpty())
        return;
    // a layout pass paints every window again: the same height in the same colours is already there
    const QList<int> schluessel{s.height(), r1, g1, b1, r2, g2, b2};
    const QSize streifen(kStreifen, s.height());
    if (ziel->property(kVerlauf).value<QList<int>>() == schluessel && ziel->autoFillBackground()
        && ziel->palette().brush(QPalette::Window).texture().size() == streifen)
        return;
    ziel->setProperty(kVerlauf, QVariant::fromValue(schluessel));
    QPixmap bild(streifen);
    QPainter p(&bild);
    const auto baender = farbverlaufBaender(s.height(), r1, g1, b1, r2, g2, b2);
    for (const FarbBand& band : baender)
        if (band.unten > band.oben)
            p.fillRect(QRect(0, band.oben, kStreifen, band.unten - band.oben), band.farbe);
    p.end();
    QPalette pal = ziel->palette();
    pal.setBrush(QPalette::Window, QBrush(bild));
    ausgeschalteteSchriftSetzen(pal, baender);
    ziel->setPalette(pal);
    ziel->setAutoFillBackground(true);
    ziel->update();
}

} // namespace

void FarbverlaufZeichnen(QWidget* ziel, int r1, int g1, int b1, int r2, int g2, int b2)
{
    if (ziel)
        zeichnen(ziel, r1, g1, b1, r2, g2, b2);
}

void FarbverlaufZeichnenBild(QWidget* ziel, int r1, int g1, int b1, int r2, int g2, int b2)
{
    zeichnen(forms::da(ziel, "Bildfeld"), r1, g1, b1, r2, g2, b2);
}

} // namespace kav
