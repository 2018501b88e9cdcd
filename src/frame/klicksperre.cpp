#include "frame/klicksperre.h"

#include "frame/oberflaeche.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QStyleHints>

#include <utility>

namespace kav {

namespace {

// Notes the time of every mouse button event the window system delivers, before any widget sees it.
class Mausuhr final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            if (e->spontaneous())
                ui().mausZeit = static_cast<QInputEvent*>(e)->timestamp();
            break;
        default:
            break;
        }
        return QObject::eventFilter(o, e);
    }
};

void uhrAnbringen()
{
    static QPointer<Mausuhr> uhr;
    if (!uhr && qApp) {
        uhr = new Mausuhr(qApp);
        qApp->installEventFilter(uhr);
    }
}

} // namespace

Klicksperre::Klicksperre(QAbstractButton* knopf) : QObject(knopf) { knopf->installEventFilter(this); }

void Klicksperre::schuetzen(QAbstractButton* knopf)
{
    uhrAnbringen();
    if (knopf)
        new Klicksperre(knopf);
}

void Klicksperre::seiteGezeigt()
{
    Oberflaeche& o = ui();
    o.seiteGezeigt = jetzt();
    o.gedruecktSeitSeite = false;
}

Klicksperre::Zeitpunkt Klicksperre::jetzt()
{
    uhrAnbringen();
    return ui().mausZeit;
}

bool Klicksperre::innerhalb(Zeitpunkt seit, quint64 druck)
{
    if (!seit)
        return false;
    const auto vergangen = static_cast<qint64>(druck - *seit);
    return vergangen >= 0 && vergangen < QGuiApplication::styleHints()->mouseDoubleClickInterval();
}

bool Klicksperre::eventFilter(QObject* o, QEvent* e)
{
    switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        // The second press of a double-click reaches a widget as a double-click event alone (Qt gives
        // it no press of its own), and a button takes it as a press: one rule for both.
        Oberflaeche& ob = ui();
        const bool erster = !std::exchange(ob.gedruecktSeitSeite, true);
        m_druckGesperrt = erster && innerhalb(ob.seiteGezeigt, static_cast<QMouseEvent*>(e)->timestamp());
        return m_druckGesperrt;
    }
    case QEvent::MouseButtonRelease:
        return std::exchange(m_druckGesperrt, false);
    default:
        return QObject::eventFilter(o, e);
    }
}

} // namespace kav
