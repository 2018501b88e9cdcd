#pragma once
// One click, one step. A step button (Next, Back, Cancel of a wizard page) and a navigation button
// stand at the same place on the page their click shows: the clicks after it of a double-click or a
// triple click would be taken there at once and pass steps the user never saw. So no press on such a
// button is taken within the double-click time (QStyleHints::mouseDoubleClickInterval) after the end of
// the click that showed the page, nor the release of such a press, whatever the mouse button. Every
// later press is taken, whatever Qt calls it: a "double-click" made of a click not taken and a
// deliberate retry is a click. The keyboard (Space, Enter on a focused button) is not touched.
//
// One clock: the mouse events' own times (QInputEvent::timestamp), on which Qt decides what a
// double-click is. A click runs from a press (or the double-click event a widget gets for the second
// press of a double-click) to the release that leaves no button down; a page is stamped with the click
// being handled, and its time counts from that click's release, however long the button was held
// and whether the page showed on the press or on the release. A busy program that handles a click
// late still sees it as the user made it.
//
//   Klicksperre::schuetzen(knopf);   // after the button's own event filters: the guard sees first
//   ...Seite::showEvent: Klicksperre::seiteGezeigt();
//
// A list that is built anew by a click keeps the same rule from its rebuild (jetzt, innerhalb).
#include <QObject>

#include <memory>

class QAbstractButton;

namespace kav {

// A click on the clock of the mouse events (ms).
struct Mausklick {
    quint64 zeit = 0;    // of its latest button event: its release once it is over
    bool vorbei = false; // every button up again (or a new click began without the release)
};

class Klicksperre : public QObject {
    Q_OBJECT
public:
    // A click that showed something; none before the program received a mouse event.
    using Klick = std::shared_ptr<const Mausklick>;

    // Starts the clock (once); every call below starts it too.
    static void uhrStarten();
    // Guards `knopf`; the guard belongs to the button.
    static void schuetzen(QAbstractButton* knopf);
    // A page was shown now.
    static void seiteGezeigt();
    // The click being handled, or the latest one.
    static Klick jetzt();
    // Whether a press at `druck` comes within the double-click time after the end of `seit`: never
    // without `seit`, nor before its end (a clock of the window system that started again); always
    // while it goes on (a press of another button).
    static bool innerhalb(const Klick& seit, quint64 druck);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    explicit Klicksperre(QAbstractButton* knopf);
    bool m_druckGesperrt = false; // a press not taken: its release is not taken either
};

} // namespace kav
