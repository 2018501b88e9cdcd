#include "settings/dialogmitte.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace kav {

void DialogZentrieren(QWidget* dialog, const QWidget* bezug)
{
    if (!dialog || !bezug)
        return;
    const QRect b = bezug->frameGeometry();
    const QRect d = dialog->frameGeometry();
    QPoint ziel(b.x() + (b.width() - d.width()) / 2, b.y() + (b.height() - d.height()) / 2);
    const QScreen* s = bezug->screen() ? bezug->screen() : QGuiApplication::primaryScreen();
    if (s) {
        const QRect f = s->availableGeometry();
        ziel.setX(std::clamp(ziel.x(), f.left(), std::max(f.left(), f.right() + 1 - d.width())));
        ziel.setY(std::clamp(ziel.y(), f.top(), std::max(f.top(), f.bottom() + 1 - d.height())));
    }
    dialog->move(ziel);
}

} // namespace kav
