#pragma once
// Readable text on the user's colours: the contrast ratio of two colours (relative luminance as the
// web accessibility guidelines define it) and the colour of disabled text on a background.
#include <QColor>
#include <QList>

namespace kav {

// Contrast ratio of two colours, from 1 (the same) to 21 (black on white).
double kontrastVerhaeltnis(const QColor& a, const QColor& b);

// Least contrast disabled text keeps against its background.
inline constexpr double kKontrastAusgeschaltet = 3.0;

// The colour of disabled text on a background made of the colours `hinten` (one colour, or the
// bands of a gradient): a shade of the background toward black (on a light one) or white (on a dark
// one), dimmed as a style dims, and further only as far as a contrast of at least 3:1 against every
// colour needs.
QColor ausgeschalteteSchrift(const QList<QColor>& hinten);

} // namespace kav
