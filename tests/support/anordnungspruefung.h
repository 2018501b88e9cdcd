#pragma once
// The layout check every window of the program gets: at the usual screen sizes no visible control
// is cut by its parent, covers a sibling or cuts its own text. It checks what the user sees, not
// the formulas that placed the controls.
#include <QList>
#include <QSize>
#include <QWidget>

#include <string>

class QCalendarWidget;
class QToolButton;

namespace kav::test {

// The outer sizes of the main window a window is checked at: the smallest the window takes (760 × 570
// at 96 dpi), 800 × 600, 1024 × 768, 1920 × 1080.
QList<QSize> pruefgroessen();

// Brings the started main window to the outer size `groesse` (frame included, normal state) and
// sets the reference size the layout pass reads, as the resize timer leaves them. Lays nothing out.
void hauptfensterGroesse(QSize groesse);

// Checks `fenster` as it is laid out now, at every level of plain container widgets (the focus mark
// is no control and is passed over): each visible control lies inside its parent and overlaps no
// visible sibling (a label by the text it shows), and no text is cut by its control (labels, input
// boxes, lists, buttons) or shown in another family than the program's own. The last layout pass
// skipped no statement; a dialog has no edge to drag (no resize handle at its foot). Controls in
// `ausgenommen` may overlap others (a frame drawn around a picture). Failures are recorded (EXPECT)
// and name `wo`.
void anordnungJetztPruefen(const QWidget* fenster, const std::string& wo, const QList<const QWidget*>& ausgenommen = {});

// The day names in the head of `kalender` stand whole in their cells (recorded, naming `wo`).
void tagesnamenGanz(const QCalendarWidget* kalender, const std::string& wo);
// The weeks of `kalender` stand whole in its view, each row as high as its text, and nothing of the
// calendar's own (the line of a date typed) lies over them (recorded, naming `wo`).
void wochenGanz(const QCalendarWidget* kalender, const std::string& wo);

// The focus mark is seen in `fenster` and lies over the text of no label but the control's own caption
// taken into it (recorded, naming `wo`).
void fokusrahmenLaesstTexteFrei(const QWidget* fenster, const std::string& wo);

// The navigation bar's captions as the gardener sees them: each within its button and at the size the
// layout gave (`soll`), or where that does not fit at the largest size that does: half a point more and
// its words, split as the bar splits them, would be wider than the button, or the captions of the bar
// would leave its pictures less than 1¼ lines (recorded, naming `wo`).
void beschriftungenAmGroesstenDiePassen(const QList<const QToolButton*>& knoepfe, double soll, const std::string& wo);

// Lays the program out at each of pruefgroessen() and checks `fenster` there as above. A page test
// brings its page into the state to check (long texts, hidden buttons) and calls
//     test::nichtsUeberdecktOderAbgeschnitten(seite);
void nichtsUeberdecktOderAbgeschnitten(const QWidget* fenster, const QList<const QWidget*>& ausgenommen = {});

} // namespace kav::test
