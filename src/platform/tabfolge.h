#pragma once
// The tab chain of a window in reading order, worked out from where its controls stand as laid out,
// so that it stays right at every size of the window: top to bottom, left to right, a column beside
// another (a tree beside the boxes of its entry) read to its end before the next.
//
// The order is found by cutting the window apart along gaps that nothing crosses (no control, no
// caption, no picture): between columns where there is such a gap wider than the 2 px that rounding
// leaves between controls meant to meet (the left column first), else between rows (the top row
// first), else between controls that meet side by side (left to right), and so on within each part.
// A column that stands beside only the rows above a gap between rows (a box beside a picture, with
// rows under both) is read with those rows, before the rows below the gap. An option group counts as
// one control.
// The links (captions that act on a click) come after the other controls of their page or dialog, so
// that Tab from a box goes on to the next box whatever captions stand between them.
#include <functional>

class QWidget;

namespace kav::forms {

// Sets the tab chain of the window `fenster` in reading order (the windows of the program run it
// when they are shown); returns its first tab stop that is no link, as ersterTabStopp.
QWidget* tabfolgeSetzen(QWidget* fenster);

// Tab (`next`) or Shift+Tab in `fenster`: sets the chain, then moves the focus with `schritt` (the
// window's own move to the next control in the chain) on to a control that can be seen; a control
// another window of the work area lies over is passed over. Returns what `schritt` returned.
bool tabSchritt(QWidget* fenster, bool next, const std::function<bool(bool)>& schritt);

// The first tab stop of `bereich` in reading order that is no link, nullptr when it has none.
QWidget* ersterTabStopp(QWidget* bereich);

} // namespace kav::forms
