#pragma once
// One click, one step. A step button (Next, Back, Cancel of a wizard page) and a navigation button
// stand at the same place on the page their click shows: the second click of a double-click would be
// taken there at once and pass a step the user never saw. So the first press on such a button after a
// page was shown is not taken when it comes within the double-click time
// (QStyleHints::mouseDoubleClickInterval) after the click that showed the page (the second click of
// that double-click, or a quick one), nor the release of that press, whatever the mouse button. Every
// later press is taken, whatever Qt calls it: a "double-click" made of a click not taken and a
// deliberate retry is a click. The keyboard (Space, Enter on a focused button) is not touched.
//
// One clock: the mouse events' own times (QInputEvent::timestamp), on which Qt decides what a
// double-click is. A page is stamped with the time of the latest mouse button event the program
// received, the click that is being handled; a busy program that handles a press late still sees it
// as the user made it.
//
//   Klicksperre::schuetzen(knopf);   // after the button's own event filters: the guard sees first
//   ...Seite::showEvent: Klicksperre::seiteGezeigt();
//
// A list that is built anew by a click keeps the same rule from its rebuild (jetzt, innerhalb).
#include <QObject>

#include <optional>

class QAbstractButton;

namespace kav {

class Klicksperre : public QObject {
    Q_OBJECT
public:
    // A moment on the clock of the mouse events (ms); none before the program received a mouse event.
    using Zeitpunkt = std::optional<quint64>;

    // Guards `knopf`; the guard belongs to the button.
    static void schuetzen(QAbstractButton* knopf);
    // A page was shown now.
    static void seiteGezeigt();
    // The time of the latest mouse button event the program received.
    static Zeitpunkt jetzt();
    // Whether a press at `druck` comes within the double-click time after `seit`: never without `seit`,
    // nor before it (a clock of the window system that started again).
    static bool innerhalb(Zeitpunkt seit, quint64 druck);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    explicit Klicksperre(QAbstractButton* knopf);
    bool m_druckGesperrt = false; // a press not taken: its release is not taken either
};

} // namespace kav
