#include "frame/klicksperre.h"

#include "frame/oberflaeche.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>

#include <utility>

namespace kav {

Klicksperre::Klicksperre(QAbstractButton* knopf) : QObject(knopf) { knopf->installEventFilter(this); }

void Klicksperre::schuetzen(QAbstractButton* knopf)
{
    if (knopf)
        new Klicksperre(knopf);
}

void Klicksperre::seiteGezeigt() { ui().seiteGezeigt = jetzt(); }

QDateTime Klicksperre::jetzt() { return ui().klickUhr->now(); }

bool Klicksperre::gesperrt() { return gesperrt(ui().seiteGezeigt); }

bool Klicksperre::gesperrt(const QDateTime& seit)
{
    if (!seit.isValid())
        return false;
    const qint64 vergangen = seit.msecsTo(jetzt());
    // a clock set back since (negative) blocks nothing
    return vergangen >= 0 && vergangen < QApplication::doubleClickInterval();
}

bool Klicksperre::eventFilter(QObject* o, QEvent* e)
{
    switch (e->type()) {
    case QEvent::MouseButtonPress:
        m_druckGesperrt = gesperrt();
        return m_druckGesperrt;
    case QEvent::MouseButtonDblClick:
        // The second press of a double-click reaches a widget as this event alone (Qt gives it no press
        // of its own), and a button takes it as a press: never a click, whenever the page showed. Its
        // release is not taken either (the step buttons step on the release of any mouse button).
        m_druckGesperrt = true;
        return true;
    case QEvent::MouseButtonRelease:
        return std::exchange(m_druckGesperrt, false);
    default:
        return QObject::eventFilter(o, e);
    }
}

} // namespace kav
