#pragma once
// The font size of a layout pass from the main window's outer size in pixels.
namespace kav {

// 8, 10, 12, 14 or 16: the smaller of the size by height (up to 600, 700, 900, 1100 pixels) and the
// size by width (up to 800, 900, 1100, 1200 pixels); a threshold belongs to the smaller size.
int schriftGroesseFuer(double hoehePixel, double breitePixel);

} // namespace kav
