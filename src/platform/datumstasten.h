#pragma once
// What the date inputs share: the keys as a date being typed sees them, the telling of a date
// refused, and the watch that ends a date being typed when the mouse is pressed anywhere.
#include "platform/datumsfeld.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

#include <functional>
#include <utility>

class QFocusEvent;
class QKeyEvent;

namespace kav::forms {

enum class DatumsTaste { Zeichen, Zurueck, Entfernen, Bestaetigen, Abbrechen, Umschalter, Andere };

DatumsTaste tasteVon(const QKeyEvent* e);

// The focus leaves the input for good (not for another window or a menu over it).
bool fokusVerlaesst(const QFocusEvent* e);

// `an` is told `a`; `spaeter`: once the event being handled is over (the focus moving), so that the
// message box takes no part in it (`kontext` gone, nothing is told).
void abweisungMelden(QObject* kontext, const DatumAbgewiesen& an, const DatumsAbweisung& a, bool spaeter);

// While a date is typed into an input, a mouse press anywhere ends the typing first, as the press
// reaches the window (before the focus moves or a button goes down); a press that ended an unfinished
// date, refused, goes no further. A press that moved the focus before it reached the window (Qt's own
// delivery to a widget, as a test clicks) and so ended a date refused goes no further either.
class Tippwache : public QObject {
public:
    Tippwache(QObject* eltern, std::function<bool()> beenden) : QObject(eltern), m_beenden(std::move(beenden)) {}
    void an()
    {
        m_tippt = true;
        QCoreApplication::instance()->installEventFilter(this);
    }
    void aus()
    {
        m_tippt = false;
        if (!m_schlucken)
            QCoreApplication::instance()->removeEventFilter(this);
    }
    // The focus moved by the press being delivered now ended a date refused: the press is dropped (only
    // while this event is delivered).
    void klickSchlucken()
    {
        m_schlucken = true;
        QCoreApplication::instance()->installEventFilter(this);
        QTimer::singleShot(0, this, [this] {
            m_schlucken = false;
            if (!m_tippt)
                aus();
        });
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() != QEvent::MouseButtonPress && e->type() != QEvent::MouseButtonDblClick)
            return QObject::eventFilter(o, e);
        if (std::exchange(m_schlucken, false))
            return true;
        return m_tippt && !m_beenden();
    }

private:
    std::function<bool()> m_beenden;
    bool m_tippt = false, m_schlucken = false;
};

} // namespace kav::forms
