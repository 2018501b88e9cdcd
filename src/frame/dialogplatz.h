#pragma once
// Where the program's dialog windows go: at a point or over another window, always wholly inside the
// free area of the screen.
class QPoint;
class QScreen;
class QWidget;

namespace kav {

// Moves `fenster` (its frame) to `ziel`, then into the free area of `schirm` (the screen at `ziel`,
// else the primary screen, when none is given). Before a window is first shown, its frame is taken as
// wide as that of a window of the program on the screen.
void InsBildschirmRuecken(QWidget* fenster, const QPoint& ziel, const QScreen* schirm = nullptr);

// Places a dialog window over the middle of `bezug`, within the screen.
void DialogZentrieren(QWidget* dialog, const QWidget* bezug);

} // namespace kav
