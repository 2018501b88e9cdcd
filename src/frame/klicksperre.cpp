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

// Follows the clicks in the mouse button events the window system delivers, before any widget sees
// them. The window and then each widget on the way get every event: a press seen again begins no new
// click, and a release that ends no click (its press went elsewhere) changes nothing.
class Mausuhr final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->spontaneous()) {
            switch (e->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick:
                gedrueckt(*static_cast<QMouseEvent*>(e));
                break;
            case QEvent::MouseButtonRelease:
                losgelassen(*static_cast<QMouseEvent*>(e));
                break;
            default:
                break;
            }
        }
        return QObject::eventFilter(o, e);
    }

private:
    static void gedrueckt(const QMouseEvent& m)
    {
        std::shared_ptr<Mausklick>& k = ui().mausklick;
        const quint64 t = m.timestamp();
        const bool weitereTaste = (m.buttons() & ~m.button()) != Qt::NoButton;
        if (k && !k->vorbei && (k->zeit == t || weitereTaste)) {
            k->zeit = t; // the same press again, or another button's during the click
            return;
        }
        if (k)
            k->vorbei = true; // a click whose release never came ends with its latest event
        k = std::make_shared<Mausklick>(Mausklick{t, false});
    }
    static void losgelassen(const QMouseEvent& m)
    {
        Mausklick* k = ui().mausklick.get();
        if (!k || k->vorbei)
            return;
        k->zeit = m.timestamp();
        k->vorbei = m.buttons() == Qt::NoButton;
    }
};

} // namespace

void Klicksperre::uhrStarten()
{
    static QPointer<Mausuhr> uhr;
    if (!uhr && qApp) {
        uhr = new Mausuhr(qApp);
        qApp->installEventFilter(uhr);
    }
}

Klicksperre::Klicksperre(QAbstractButton* knopf) : QObject(knopf) { knopf->installEventFilter(this); }

void Klicksperre::schuetzen(QAbstractButton* knopf)
{
    uhrStarten();
    if (knopf)
        new Klicksperre(knopf);
}

void Klicksperre::seiteGezeigt() { ui().seiteGezeigt = jetzt(); }

Klicksperre::Klick Klicksperre::jetzt()
{
    uhrStarten();
    return ui().mausklick;
}

bool Klicksperre::innerhalb(const Klick& seit, quint64 druck)
{
    if (!seit)
        return false;
    if (!seit->vorbei)
        return true;
    const auto vergangen = static_cast<qint64>(druck - seit->zeit);
    return vergangen >= 0 && vergangen < QGuiApplication::styleHints()->mouseDoubleClickInterval();
}

bool Klicksperre::eventFilter(QObject* o, QEvent* e)
{
    switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        // The second press of a double-click reaches a widget as a double-click event alone (Qt gives
        // it no press of its own), and a button takes it as a press: one rule for both.
        m_druckGesperrt = innerhalb(ui().seiteGezeigt, static_cast<QMouseEvent*>(e)->timestamp());
        return m_druckGesperrt;
    case QEvent::MouseButtonRelease:
        return std::exchange(m_druckGesperrt, false);
    default:
        return QObject::eventFilter(o, e);
    }
}

} // namespace kav
