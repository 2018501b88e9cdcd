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
#include <QShowEvent>
#include <QWindow>

#include <utility>

namespace kav {

namespace {
QSize breiteUndHoehe(const QMargins& m) { return QSize(m.left() + m.right(), m.top() + m.bottom()); }
} // namespace

// Kav-Left/Top is the place of the window's outer corner (its frame's, where the title bar begins),
// Kav-Breite/Hoehe the size of its inner area: what move() and resize() take. The start gives the stored
// values so and the end stores them so from the normal window, so a start and an end leave them as they
// were under any frame, on any edge.
void mdiZentral::fensterPlatzieren()
{
    Rahmen& r = app().rahmen;
    const int zustand = startZustandAus(r.strAnsicht);
    fensterPlatzBegrenzen(r);
    const double tpp = forms::twipsProPixel();
    // A first start has no stored size: the window gets the smallest size, at the work area's corner.
    // (fensterPlatzBegrenzen cut a stored size to the work area)
    const double hoehe = r.sngHoehe > 0 ? r.sngHoehe : hoeheBegrenzt(0, r.sngArbeitsbereichHoehe);
    const double breite = r.sngBreite > 0 ? r.sngBreite : breiteBegrenzt(0, r.sngArbeitsbereichBreite);
    QRect platz(rundenGanz(r.sngLeft / tpp), rundenGanz(r.sngTop / tpp), rundenGanz(breite / tpp), rundenGanz(hoehe / tpp));
    // A place beyond a side of the screens (a screen unplugged since) comes into the free area of the
    // screen the window is on, or else of the main screen; that screen's work area counts from now on.
    // The frame's right and bottom edge follow once the frame is known (rahmenPruefen).
    const QScreen* s = QGuiApplication::screenAt(platz.center());
    if (!s)
        s = QGuiApplication::primaryScreen();
    if (s) {
        ArbeitsbereichErmitteln(s);
        platz = imFreienBereich(platz, freierBereich());
    }
    move(platz.topLeft());
    resize(platz.size());
    m_normalGeometrie = m_normalZuvor = m_startGeometrie = platz;
    create(); // the place is the frame's from now on too
    // The smallest size counts with the frame: set now where the window system knows the frame before the
    // window shows, else once it is known and the window normal (normalPruefen). A minimum without the
    // frame would keep the window larger than a small screen, and a window manager may then maximise it of
    // its own accord.
    if (!fensterRand().isNull())
        mindestGroesseSetzen();
    setWindowState(zustand == 2 ? Qt::WindowMaximized : Qt::WindowNoState);
    if (r.sngHoeheStart <= 0 || r.sngBreiteStart <= 0)
        referenzGroesseSetzen();
}

void mdiZentral::zeigen()
{
    // A maximised start shows the normal window and maximises it once its frame is checked: the window
    // manager keeps the normal place and size for the restore from the normal window (one that maps a
    // window maximised may take the maximised size for the normal one), and the smallest size must fit
    // the work area with the frame before the window is maximised.
    m_maximieren = WindowState() == 2;
    showNormal();
}

void mdiZentral::showEvent(QShowEvent* e)
{
    QMainWindow::showEvent(e);
    QWindow* w = windowHandle();
    if (m_geprueft || !w || e->spontaneous())
        return;
    w->installEventFilter(this); // its exposure and the states the window system reports
    m_freilegungAbwarten = !w->isExposed();
    if (!m_freilegungAbwarten)
        gezeigt();
}

void mdiZentral::gezeigt()
{
    // The frame (title bar) is known once the window manager has taken the window; some frame it only a
    // while after they mapped it.
    if (!fensterRand().isNull())
        rahmenPruefen();
    else
        m_timRahmen.start();
}

void mdiZentral::rahmenTimer()
{
    if (!m_geprueft) {
        rahmenPruefen();
    } else if (std::exchange(m_maximierenOffen, false)) {
        // The window system did not answer the program's maximise: the window manager refused it, the
        // window is normal. The state is the one it reports (a report that still comes sets it).
        overrideWindowState(windowState() & ~Qt::WindowMaximized);
    } else if (m_normalOffen && WindowState() == 0) {
        normalPruefen(platzImFenstersystem());
    }
}

void mdiZentral::rahmenPruefen()
{
    if (m_beendet || m_geprueft)
        return;
    m_geprueft = true;
    m_normalOffen = true;
    // A window manager may map the window maximised (one stored near the screen's size) or minimised: the
    // normal window is checked the first time it is normal. A maximised start it maximised needs no
    // maximise of the program's.
    if (WindowState() == 2)
        m_maximieren = false;
    if (WindowState() == 0)
        normalPruefen(m_startGeometrie);
}

void mdiZentral::normalPruefen(const QRect& normal)
{
    // The smallest size, and the place and size the start gave (at the frame check: the window's own
    // geometry may not show the window manager's placing yet) or the window manager gave the first normal
    // window, with the frame now known: the whole frame within the work area (the window smaller where the
    // work area is), never below the smallest size. That is the normal window (one the window manager sized
    // to the work area when it mapped it too, though it reaches across).
    m_normalOffen = false;
    m_timRahmen.stop();
    const QMargins rand = fensterRand();
    mindestGroesseSetzen();
    const QRect aussen(normal.topLeft(), normal.size().expandedTo(minimumSize()) + breiteUndHoehe(rand));
    const QRect platz = imFreienBereich(aussen, freierBereich());
    normalSetzen(QRect(platz.topLeft(), platz.size() - breiteUndHoehe(rand)));
    m_normalZuvor = m_normalGeometrie;
    if (platz != aussen)
        setGeometry(platz.marginsRemoved(rand));
    // the pages are laid out for the size with the frame
    timerScharfMachen();
    if (std::exchange(m_maximieren, false))
        maximieren();
}

void mdiZentral::ersteNormalePruefen(bool sonstWarten)
{
    // The first normal window after a window manager that mapped it maximised or minimised: checked once
    // it has its normal size (a size reaching across the work area may still be the maximised one), else,
    // where asked, a while later.
    if (!m_normalOffen || WindowState() != 0 || !isVisible())
        return;
    if (!reichtUeberArbeitsbereich(geometry()))
        normalPruefen(platzImFenstersystem());
    else if (sonstWarten)
        m_timRahmen.start();
}

void mdiZentral::maximieren()
{
    // A window manager may refuse (one that finds the window's minimum too large for the work area): the
    // state is the maximised one only where it answers. Without a window manager (no frame) nothing gives
    // the window the maximised size: it takes it itself a while later.
    const bool ohneFensterManager = fensterRand().isNull();
    m_maximierenOffen = !ohneFensterManager;
    setWindowState(Qt::WindowMaximized);
    if (ohneFensterManager)
        QTimer::singleShot(m_timRahmen.interval(), this, &mdiZentral::ohneFensterManagerMaximieren);
    else
        m_timRahmen.start();
}

void mdiZentral::ohneFensterManagerMaximieren()
{
    // A new geometry ends the maximised state (for a moment, with its size and move events): the state
    // comes back, the normal geometry stays as it was.
    const QScreen* s = screen();
    if (m_beendet || !s || WindowState() != 2 || !fensterRand().isNull())
        return;
    const QRect frei = s->availableGeometry();
    if (width() < frei.width() || height() < frei.height()) {
        m_normalHalten = true;
        setGeometry(frei);
        setWindowState(Qt::WindowMaximized);
        m_normalHalten = false;
    }
}

QRect mdiZentral::freierBereich() const
{
    const Rahmen& r = app().rahmen;
    const double tpp = forms::twipsProPixel();
    return QRect(rundenGanz(r.sngArbeitsbereichLinks), rundenGanz(r.sngArbeitsbereichOben),
                 rundenGanz(r.sngArbeitsbereichBreite / tpp), rundenGanz(r.sngArbeitsbereichHoehe / tpp));
}

QRect mdiZentral::platzUndGroesse() const
{
    const QMargins rand = fensterRand();
    return QRect(geometry().topLeft() - QPoint(rand.left(), rand.top()), size());
}

QRect mdiZentral::platzImFenstersystem() const
{
    // the window's own geometry learns a new place only after the new size
    const QMargins rand = fensterRand();
    const QRect g = windowHandle()->geometry();
    return QRect(g.topLeft() - QPoint(rand.left(), rand.top()), g.size());
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
    if (e->type() == QEvent::WindowStateChange && !m_blnLaden && !m_beendet)
        zustandGewechselt();
}

void mdiZentral::zustandGemeldet()
{
    // the window system answered the program's maximise (the window's own state was the maximised one
    // already: where the report confirms it, no change of it follows)
    if (std::exchange(m_maximierenOffen, false))
        m_timRahmen.stop();
}

void mdiZentral::zustandGewechselt()
{
    // A window manager reports a new state and its size in either order. A size that reached across the
    // work area just before the maximised state came was the maximised one (or a step to it), not the
    // normal window's. A restored window whose size came first has its normal size now; one whose state
    // came first still has the maximised size: that is not kept (the window manager's resize follows).
    // The state change lays the pages out again.
    if (WindowState() == 2 && !m_normalHalten && reichtUeberArbeitsbereich(m_normalGeometrie))
        normalSetzen(m_normalZuvor);
    else if (WindowState() == 0 && !reichtUeberArbeitsbereich(geometry()))
        normalMerken();
    ersteNormalePruefen(true);
    timerScharfMachen();
}

void mdiZentral::MDIForm_Resize()
{
    if (m_blnLaden || m_beendet)
        return;
    ersteNormalePruefen(false);
    // The window keeps the size the window manager gave it (a resize in answer would end a maximise
    // reported after its size); the smallest size is the window's minimum, which the window manager keeps
    // to. One that does not (a resize asked of it directly) gets the normal window back to the minimum.
    if (WindowState() == 0 && isVisible() && !m_normalHalten && size() != size().expandedTo(minimumSize()))
        resize(size().expandedTo(minimumSize()));
    normalMerken();
    timerScharfMachen();
}

void mdiZentral::normalMerken()
{
    if (WindowState() != 0 || !isVisible() || m_blnLaden || m_beendet || m_normalHalten)
        return;
    m_rand = m_rand.expandedTo(breiteUndHoehe(fensterRand()));
    const QRect normal = platzUndGroesse();
    normalSetzen(QRect(normal.topLeft(), normal.size().expandedTo(minimumSize())));
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
    // Set once the frame is known, while the window is normal (a new minimum tells the window manager the
    // window's size too, and one takes that for the normal size). The window manager keeps to it, a
    // maximised window too.
    setMinimumSize(kleinsteInnen(fensterRand()));
}

QSize mdiZentral::kleinsteInnen(const QMargins& rand) const
{
    // The frame at least the smallest size, and below the work area where that is not larger: a window
    // manager maximises only a window whose minimum leaves it room (mutter).
    const double tpp = forms::twipsProPixel();
    const QSize kleinste(rundenGanz(kMindestBreite / tpp), rundenGanz(kMindestHoehe / tpp));
    return (kleinste.boundedTo(freierBereich().size() - QSize(1, 1)) - breiteUndHoehe(rand)).expandedTo(QSize(1, 1));
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
