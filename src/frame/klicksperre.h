#pragma once
// One click, one step. A step button (Next, Back, Cancel of a wizard page) and a navigation button
// stand at the same place on the page their click shows: the second click of a double-click would be
// taken there at once and pass a step the user never saw. Such a button takes no mouse click that
// comes within the double-click time (QApplication::doubleClickInterval) after a page was shown: not
// its press, nor the release of a press it did not take, whatever the mouse button. The second click of
// a double-click (a double-click event and its release) is never taken. A slower click is taken; the
// keyboard (Space, Enter on a focused button) is not touched.
//
//   Klicksperre::schuetzen(knopf);   // after the button's own event filters: the guard sees first
//   ...Seite::showEvent: Klicksperre::seiteGezeigt();
//
// A list that is built anew by a click keeps the same time from its rebuild (jetzt, gesperrt(seit)).
// The time comes from ui().klickUhr (tests give it a clock of their own).
#include <QDateTime>
#include <QObject>

class QAbstractButton;

namespace kav {

class Klicksperre : public QObject {
    Q_OBJECT
public:
    // Guards `knopf`; the guard belongs to the button.
    static void schuetzen(QAbstractButton* knopf);
    // A page was shown now.
    static void seiteGezeigt();
    // Whether a mouse click now falls within the double-click time after the last page shown.
    static bool gesperrt();
    // The same after `seit` (never for an invalid time), and now on the clock of the clicks.
    static bool gesperrt(const QDateTime& seit);
    static QDateTime jetzt();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    explicit Klicksperre(QAbstractButton* knopf);
    bool m_druckGesperrt = false; // a press not taken: its release is not taken either
};

} // namespace kav
