#include "platform/bild.h"

#include "platform/rounding.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace kav::forms {

QPixmap eingepasst(const QImage& bild, const QSize& groesse, qreal dpr)
{
    if (bild.isNull() || groesse.isEmpty())
        return {};
    const qreal v = std::isfinite(dpr) && dpr > 0 ? dpr : 1.0;
    const QSize pixel(std::max(1, rundenGanz(groesse.width() * v)), std::max(1, rundenGanz(groesse.height() * v)));
    QPixmap p = QPixmap::fromImage(bild.scaled(pixel, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    p.setDevicePixelRatio(v);
    return p;
}

Bild::Bild(QWidget* eltern) : QWidget(eltern) { setAttribute(Qt::WA_TranslucentBackground, false); }

void Bild::setBild(const QIcon& bild)
{
    m_icon = bild;
    m_pixmap = QPixmap();
    update();
}

void Bild::setBild(const QPixmap& bild)
{
    m_pixmap = bild;
    m_icon = QIcon();
    update();
}

void Bild::leeren()
{
    m_icon = QIcon();
    m_pixmap = QPixmap();
    m_schluessel.clear();
    update();
}

void Bild::setStretch(bool s)
{
    if (m_stretch != s) {
        m_stretch = s;
        update();
    }
}

void Bild::paintEvent(QPaintEvent*)
{
    if (istLeer() || width() <= 0 || height() <= 0)
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!m_icon.isNull()) {
        const QSize s = m_stretch ? size() : m_icon.actualSize(size());
        m_icon.paint(&p, QRect(QPoint(0, 0), s), Qt::AlignCenter);
        return;
    }
    if (m_stretch)
        p.drawPixmap(rect(), m_pixmap);
    else
        p.drawPixmap(0, 0, m_pixmap);
}

void Bild::mouseDoubleClickEvent(QMouseEvent* e)
{
    e->accept();
    emit doppelklick();
}

} // namespace kav::forms
