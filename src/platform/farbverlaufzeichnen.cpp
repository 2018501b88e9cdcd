#include "platform/farbverlaufzeichnen.h"

#include "platform/farbverlauf.h"
#include "platform/twips.h"

#include <QPainter>
#include <QPixmap>
#include <QWidget>

namespace kav {

namespace {

void zeichnen(QWidget* ziel, int r1, int g1, int b1, int r2, int g2, int b2)
{
    const QSize s = ziel->size();
    if (s.isEmpty())
        return;
    QPixmap bild(s);
    QPainter p(&bild);
    for (const FarbBand& band : farbverlaufBaender(s.height(), r1, g1, b1, r2, g2, b2))
        if (band.unten > band.oben)
            p.fillRect(QRect(0, band.oben, s.width(), band.unten - band.oben), band.farbe);
    p.end();
    QPalette pal = ziel->palette();
    pal.setBrush(QPalette::Window, QBrush(bild));
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
