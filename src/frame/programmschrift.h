#pragma once
// The program's own font. Every page and dialog is laid out for one family, DejaVu Sans: the program brings
// it along (resources/schrift, with its licence) and makes it the font of every window, whatever family the
// desktop prefers, so that the layout is the same on every desktop.

namespace kav {

// The family of every window.
inline constexpr char kProgrammschrift[] = "DejaVu Sans";

// Loads the program's font from its resources (once) and makes it the application's font, at the point
// size the desktop gives. Call before the first window. Returns false, leaving the desktop's font, when the
// font could not be loaded.
bool programmschriftSetzen();

} // namespace kav
