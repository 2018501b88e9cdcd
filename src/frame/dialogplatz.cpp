#include "frame/dialogplatz.h"

#include "frame/fensterplatz.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

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
    // a window larger than the free area keeps its size and stands at the area's top left
    const QRect frei = schirm->availableGeometry();
    const QRect platz = imFreienBereich(QRect(ziel, fenster->frameGeometry().size()), frei);
    fenster->move(platz.topLeft());
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
