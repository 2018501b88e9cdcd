// The main window's place, size and state: placed by the start from the settings, then left to the
// window manager; the normal window's place and size kept for the end, and the relayout after a change.
#include "frame/mdizentral.h"

#include "frame/anordnung.h"
#include "frame/fensterplatz.h"
#include "frame/oberflaeche.h"
#include "frame/schritte.h"
#include "platform/rounding.h"
#include "services/appcontext.h"

#include <QGuiApplication>
#include <QMoveEvent>
#include <QScreen>
#include <QWindow>

namespace kav {

namespace {
QSize breiteUndHoehe(const QMargins& m) { return QSize(m.left() + m.right(), m.top() + m.bottom()); }
} // namespace

void mdiZentral::fensterPlatzieren()
{
    Rahmen& r = app().rahmen;
    const int zustand = startZustandAus(r.strAnsicht);
    fensterPlatzBegrenzen(r);
    const double tpp = forms::twipsProPixel();
    // The stored size is the inner one: the window gets it as it was (the frame, unknown before the
    // window shows, is brought within the work area once it is known: rahmenPruefen). A first start has
    // no stored size: the window gets the smallest size for its normal state.
    // (fensterPlatzBegrenzen cut it to the work area)
    const double hoehe = r.sngHoehe > 0 ? r.sngHoehe : hoeheBegrenzt(0, r.sngArbeitsbereichHoehe);
    const double breite = r.sngBreite > 0 ? r.sngBreite : breiteBegrenzt(0, r.sngArbeitsbereichBreite);
    QRect platz(rundenGanz(r.sngLeft / tpp), rundenGanz(r.sngTop / tpp), rundenGanz(breite / tpp), rundenGanz(hoehe / tpp));
    // a place beyond a side of the screens (a screen unplugged since) comes into the free area of
    // the screen the window is on, or else of the main screen
    const QScreen* s = QGuiApplication::screenAt(platz.center());
    if (!s)
        s = QGuiApplication::primaryScreen();
    const QRect frei = s ? s->availableGeometry() : QRect();
    if (s)
        platz = imFreienBereich(platz, frei);
    // A place on the top or left edge of the free area (a first start has 0,0) is the frame's: the window
    // manager puts the title bar there, not above the screen. Any other place is the inner one, as the end
    // stored it.
    if (s && (platz.top() <= frei.top() || platz.left() <= frei.left())) {
        resize(platz.size());
        move(platz.topLeft());
    } else {
        setGeometry(platz);
    }
    m_normalGeometrie = m_normalZuvor = platz;
    create();
    mindestGroesseSetzen();
    setWindowState(zustand == 2 ? Qt::WindowMaximized : Qt::WindowNoState);
    if (r.sngHoeheStart <= 0 || r.sngBreiteStart <= 0)
        referenzGroesseSetzen();
}

void mdiZentral::zeigen()
{
    // A maximised start shows the normal window and maximises it once the window manager has mapped it:
    // the window manager keeps the normal place and size for the restore from the normal window (one that
    // maps a window maximised may take the maximised size for the normal one).
    m_maximieren = WindowState() == 2;
    showNormal();
    QWindow* w = windowHandle();
    if (w && !w->isExposed())
        w->installEventFilter(this);
    else
        gezeigt();
}

void mdiZentral::gezeigt()
{
    if (m_maximieren) {
        m_maximieren = false;
        setWindowState(Qt::WindowMaximized);
    }
    // the frame (title bar) is known once the window manager has taken the window (some frame it only
    // after they mapped it)
    m_timRahmen.start();
}

void mdiZentral::rahmenPruefen()
{
    const QScreen* s = screen();
    if (m_beendet || !s)
        return;
    const QMargins rand = fensterRand();
    const QRect frei = s->availableGeometry();
    if (WindowState() == 2) {
        // Without a window manager (no frame, and the maximise gave no new size) the window takes the free
        // area itself. A new geometry ends the maximised state (for a moment, with its size and move
        // events): the state comes back, the normal geometry stays as it was.
        if (rand.isNull() && (width() < frei.width() || height() < frei.height())) {
            m_normalHalten = true;
            setGeometry(frei);
            setWindowState(Qt::WindowMaximized);
            m_normalHalten = false;
        }
        return;
    }
    if (WindowState() != 0)
        return;
    // The place and size the start gave from the settings, with the frame now known: the frame within the
    // free area and at least the minimum. The size kept is the inner one, as the start gives it to the
    // window (a frame size given as the inner size would grow by the frame at every start).
    mindestGroesseSetzen();
    const QRect aussen = geometry().marginsAdded(rand);
    const QRect platz = imFreienBereich(aussen, frei);
    if (platz != aussen)
        setGeometry(platz.marginsRemoved(rand));
}

QMargins mdiZentral::fensterRand() const
{
    // the window system's (frameGeometry() of the widget learns a new frame only with the next move or resize)
    return windowHandle() ? windowHandle()->frameMargins() : QMargins();
}

void mdiZentral::referenzGroesseSetzen()
{
    Rahmen& r = app().rahmen;
    if (WindowState() == 2) {
        r.sngHoeheStart = 0.95f * r.sngArbeitsbereichHoehe;
        r.sngBreiteStart = r.sngArbeitsbereichBreite;
    } else if (WindowState() == 0) {
        r.sngHoeheStart = static_cast<float>(0.9 * Height());
        r.sngBreiteStart = static_cast<float>(Width());
    }
}

// ---------------------------------------------------------------- resize

void mdiZentral::resizeEvent(QResizeEvent* e)
{
    QMainWindow::resizeEvent(e);
    MDIForm_Resize();
}

void mdiZentral::moveEvent(QMoveEvent* e)
{
    QMainWindow::moveEvent(e);
    normalMerken();
}

void mdiZentral::changeEvent(QEvent* e)
{
    QMainWindow::changeEvent(e);
    if (e->type() != QEvent::WindowStateChange || m_blnLaden || m_beendet)
        return;
    // A window manager reports a new state and its size in either order. A size that reached across the
    // work area just before the maximised state came was the maximised one (or a step to it), not the
    // normal window's. A restored window whose size came first has its normal size now; one whose state
    // came first still has the maximised size: that is not kept (the window manager's resize follows).
    // The state change lays the pages out again.
    if (WindowState() == 2 && !m_normalHalten && reichtUeberArbeitsbereich(m_normalGeometrie))
        normalSetzen(m_normalZuvor);
    else if (WindowState() == 0 && !reichtUeberArbeitsbereich(geometry()))
        normalMerken();
    timerScharfMachen();
}

void mdiZentral::MDIForm_Resize()
{
    if (m_blnLaden || m_beendet)
        return;
    // The window keeps the size the window manager gave it (a resize in answer would end a maximise
    // reported after its size); the smallest size is the window's minimum, which the window manager keeps to.
    normalMerken();
    timerScharfMachen();
}

void mdiZentral::normalMerken()
{
    if (WindowState() != 0 || !isVisible() || m_blnLaden || m_beendet || m_normalHalten)
        return;
    m_rand = m_rand.expandedTo(breiteUndHoehe(fensterRand()));
    normalSetzen(geometry());
    if (!reichtUeberArbeitsbereich(m_normalGeometrie))
        m_normalZuvor = m_normalGeometrie;
}

void mdiZentral::normalSetzen(const QRect& normal)
{
    Rahmen& r = app().rahmen;
    const double tpp = forms::twipsProPixel();
    m_normalGeometrie = normal;
    r.sngHoehe = massInTwips(r.sngHoehe, normal.height(), tpp);
    r.sngBreite = massInTwips(r.sngBreite, normal.width(), tpp);
}

void mdiZentral::mindestGroesseSetzen()
{
    // The frame at least the smallest size (the work area wins where it is smaller): the window manager
    // keeps to the minimum. Set at the start, and with the frame known while the window is normal only (a
    // new minimum tells the window manager the window's size too, and one takes that for the normal size).
    const Rahmen& r = app().rahmen;
    const double tpp = forms::twipsProPixel();
    const QSize kleinste(rundenGanz(breiteBegrenzt(0, r.sngArbeitsbereichBreite) / tpp),
                         rundenGanz(hoeheBegrenzt(0, r.sngArbeitsbereichHoehe) / tpp));
    setMinimumSize(kleinste - breiteUndHoehe(fensterRand()));
}

bool mdiZentral::reichtUeberArbeitsbereich(const QRect& innen) const
{
    // with its frame (the thickest one the normal window had: a window manager may take the thinner
    // maximised frame before it reports the state) as wide or as high as the work area
    const Rahmen& r = app().rahmen;
    const double tpp = forms::twipsProPixel();
    const QSize aussen = innen.size() + m_rand.expandedTo(breiteUndHoehe(fensterRand()));
    return aussen.width() >= rundenGanz(r.sngArbeitsbereichBreite / tpp) || aussen.height() >= rundenGanz(r.sngArbeitsbereichHoehe / tpp);
}

void mdiZentral::timerScharfMachen()
{
    // a running timer keeps its interval: a drag gives one relayout
    if (m_timResize.isActive())
        return;
    m_timResize.setInterval(relayoutVerzoegerungFuer(windowTitle()));
    m_timResize.start();
}

void mdiZentral::timResize_Timer()
{
    if (WindowState() == 1) {
        // no ticking while minimised; restoring the window arms the timer again
        m_timResize.stop();
        return;
    }
    ++m_relayouts;
    ArbeitsbereichAnordnen(objectName());
    referenzGroesseSetzen();
    const QString seite = relayoutFensterFuer(app().rahmen.strFensterZeigen);
    if (!seite.isEmpty())
        ArbeitsbereichAnordnen(seite);
    m_timResize.stop();
    m_timResize.setInterval(0);
}

} // namespace kav
