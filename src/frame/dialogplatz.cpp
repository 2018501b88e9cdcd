#include "frame/dialogplatz.h"

#include "frame/fensterplatz.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

namespace kav {

namespace {

QMargins raender(const QWidget* w)
{
    const QRect f = w->frameGeometry();
    const QRect g = w->geometry();
    return QMargins(g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom());
}

// The window's size with the frame the window system draws around it: known once the window is shown;
// before, that of a window of the program that is shown (a dialog gets the same title bar and edges).
QSize mitRahmen(const QWidget* fenster)
{
    if (fenster->windowFlags() & Qt::FramelessWindowHint)
        return fenster->size();
    QMargins r = raender(fenster);
    if (r.isNull()) {
        for (const QWidget* w : QApplication::topLevelWidgets()) {
            if (w != fenster && w->isVisible() && !(w->windowFlags() & Qt::FramelessWindowHint) && !raender(w).isNull()) {
                r = raender(w);
                break;
            }
        }
    }
    return fenster->size().grownBy(r);
}

} // namespace

void InsBildschirmRuecken(QWidget* fenster, const QPoint& ziel, const QScreen* schirm)
{
    if (!fenster)
        return;
    if (!schirm)
        schirm = QGuiApplication::screenAt(ziel);
    if (!schirm)
        schirm = QGuiApplication::primaryScreen();
    if (!schirm) {
        fenster->move(ziel);
        return;
    }
    // a window larger than the free area keeps its size and stands at the area's top left
    const QRect frei = schirm->availableGeometry();
    const QRect platz = imFreienBereich(QRect(ziel, mitRahmen(fenster)), frei);
    fenster->move(platz.topLeft());
}

void DialogZentrieren(QWidget* dialog, const QWidget* bezug)
{
    if (!dialog || !bezug)
        return;
    const QRect b = bezug->frameGeometry();
    const QSize d = mitRahmen(dialog);
    const QPoint ziel(b.x() + (b.width() - d.width()) / 2, b.y() + (b.height() - d.height()) / 2);
    InsBildschirmRuecken(dialog, ziel, bezug->screen());
}

} // namespace kav
