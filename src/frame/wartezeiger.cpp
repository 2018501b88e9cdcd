#include "frame/wartezeiger.h"

#include "services/appcontext.h"
#include "services/server.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <vector>

namespace kav {

namespace {

int g_tiefe = 0; // waits on, one inside the other
std::vector<std::function<void()>> g_danach;

QWidget* widgetVon(const QWindow* fenster)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->windowHandle() == fenster)
            return w;
    return nullptr;
}

// Drops the user's input to every window while a wait is on; a window the user closes stays until
// the wait is over.
class Eingabesperre final : public QObject {
public:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
            return true;
        case QEvent::Close:
            // the window manager's close reaches the window before its widget
            if (e->spontaneous() && o->isWindowType()) {
                e->ignore();
                WarteZeiger::danach([w = QPointer<QWidget>(widgetVon(static_cast<QWindow*>(o)))] {
                    if (w)
                        w->close();
                });
                return true;
            }
            return false;
        default:
            return false;
        }
    }
};

Eingabesperre* sperre()
{
    static QPointer<Eingabesperre> s;
    if (!s) {
        s = new Eingabesperre;
        s->setParent(QCoreApplication::instance()); // goes with the application object
    }
    return s;
}

void danachPruefen()
{
    if (g_tiefe > 0 || QApplication::activeModalWidget()) {
        QTimer::singleShot(50, QCoreApplication::instance(), &danachPruefen);
        return;
    }
    std::vector<std::function<void()>> jetzt;
    jetzt.swap(g_danach);
    for (const auto& f : jetzt)
        f();
}

} // namespace

WarteZeiger::WarteZeiger(QWidget* knopf) : m_knopf(knopf)
{
    if (g_tiefe++ == 0)
        QCoreApplication::instance()->installEventFilter(sperre());
    if (m_knopf)
        m_knopf->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // the cursor reaches the screen before the wait begins; no input is handled here
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

WarteZeiger::~WarteZeiger()
{
    // what was clicked or typed during the wait arrives now, and is dropped
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    if (--g_tiefe == 0)
        QCoreApplication::instance()->removeEventFilter(sperre());
    if (m_knopf)
        m_knopf->setEnabled(true);
    QApplication::restoreOverrideCursor();
}

bool WarteZeiger::aktiv() { return g_tiefe > 0; }

void WarteZeiger::danach(std::function<void()> dann)
{
    if (g_tiefe > 0 && app().server)
        app().server->abbrechen();
    const bool erstes = g_danach.empty();
    g_danach.push_back(std::move(dann));
    if (erstes)
        QTimer::singleShot(0, QCoreApplication::instance(), &danachPruefen);
}

} // namespace kav
