#pragma once
// Paints the two-colour gradient as the lasting background of a window or picture box.
class QWidget;

namespace kav {

// The background stays until the next call (it survives repaints; controls stand on top of it).
// Does nothing for a missing or empty target.
void FarbverlaufZeichnen(QWidget* ziel, int r1, int g1, int b1, int r2, int g2, int b2);
// The same for a picture box; a missing target is reported (throws forms::FormsFehler).
void FarbverlaufZeichnenBild(QWidget* ziel, int r1, int g1, int b1, int r2, int g2, int b2);

} // namespace kav
