#pragma once
// Writes pictures as GIF files (GIF89a, one frame, 256 colours, LZW), which Qt cannot write itself.
#include <QByteArray>
#include <QImage>
#include <QString>

namespace kav {

// The GIF bytes of `bild`; pictures with more than 256 colours are reduced with dithering.
// Transparent parts take the colour `hintergrund`. Empty for an empty picture.
QByteArray gifDaten(const QImage& bild, const QColor& hintergrund = Qt::white);
// Writes the GIF file; false when it cannot be written.
bool gifSchreiben(const QImage& bild, const QString& pfad, const QColor& hintergrund = Qt::white);

} // namespace kav
