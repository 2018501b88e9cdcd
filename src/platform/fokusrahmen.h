#pragma once
// The focus mark: while a control has the keyboard focus, a ring of a dark line and a light line
// outside it lies around the control, so that it is seen on every colour a window or a control may
// have. One mark for the
// whole program, drawn over the window of the control that has the focus; it follows the control
// when the control or one of its parents moves, and it lets every mouse event through.
class QWidget;

namespace kav::forms {

// How far the mark reaches out of a control, in pixels: a control that lies closer to the next one
// has its mark over that one's edge.
inline constexpr int kFokusrahmenBreite = 4;
// How far it reaches out of a control with a caption taken into it (setFokusBegleiter).
inline constexpr int kFokusrahmenBreiteMitBegleiter = kFokusrahmenBreite * 3 / 2;

// Starts the mark (once; later calls do nothing). Needs the application object.
void fokusrahmenStarten();

// The caption `begleiter` of an option drawn as a picture is taken into the mark of `feld`.
void setFokusBegleiter(QWidget* feld, QWidget* begleiter);

// The control the mark goes around when `w` has the focus: the control itself, or the composite
// control it is the inner part of (the grid of a calendar, the box of a date field); a button of a row
// of dialog buttons is a control of its own.
QWidget* fokusSteuerelement(QWidget* w);

// Whether `w` is the mark itself (no control: checks of a window's controls pass it over).
bool istFokusrahmen(const QWidget* w);

} // namespace kav::forms
