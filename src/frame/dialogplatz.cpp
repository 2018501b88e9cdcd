#include "frame/dialogplatz.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace kav {

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
    const QRect frei = schirm->availableGeometry();
    const QSize g = fenster->frameGeometry().size();
    fenster->move(std::clamp(ziel.x(), frei.left(), std::max(frei.left(), frei.right() + 1 - g.width())),
                  std::clamp(ziel.y(), frei.top(), std::max(frei.top(), frei.bottom() + 1 - g.height())));
}

void DialogZentrieren(QWidget* dialog, const QWidget* bezug)
{
    if (!dialog || !bezug)
        return;
    const QRect b = bezug->frameGeometry();
    const QRect d = dialog->frameGeometry();
    const QPoint ziel(b.x() + (b.width() - d.width()) / 2, b.y() + (b.height() - d.height()) / 2);
    InsBildschirmRuecken(dialog, ziel, bezug->screen());
}

} // namespace kav
