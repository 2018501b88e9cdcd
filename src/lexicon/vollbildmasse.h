#pragma once
// Size and place of the full-size picture window: the picture at its natural pixel size, never
// enlarged, at most three quarters of the main window's inner width and height, its aspect kept;
// the window centred on the main window and a third of the free height down.
#include <QRectF>
#include <QSizeF>

namespace kav {

// The picture's size fitted into 3/4 of the inner size of the main window.
QSizeF bildEinpassen(const QSizeF& natur, const QSizeF& hauptInnen);

struct VollbildMasse {
    QRectF fenster; // on the screen
    QRectF bild;    // inside the window
    QRectF quelle;  // source line inside the window; empty when there is none
    QRectF ende;    // close image inside the window
};

// All lengths in pixels. `hauptAussen` is the main window's outer rectangle on the screen,
// `hauptInnen` its inner size; `quelleHoehe` the height of the source line (0: no source line) and
// `quelleBreite` the width its text needs; `ende` the size of the close image.
VollbildMasse vollbildMasse(const QSizeF& natur, const QRectF& hauptAussen, const QSizeF& hauptInnen,
                            double quelleHoehe, double quelleBreite, const QSizeF& ende);

} // namespace kav
