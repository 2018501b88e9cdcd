#include "exchange/ladeanimation.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace kav::exchange {

namespace {
constexpr int kSchrittMs = 40;      // 25 pictures a second
constexpr double kSchleife = 1600.; // one loop in ms
} // namespace

LadeAnimation::LadeAnimation(QWidget* eltern) : QWidget(eltern)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    m_timer.setInterval(kSchrittMs);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_phase = std::fmod(m_phase + kSchrittMs / kSchleife, 1.0);
        update();
    });
}

void LadeAnimation::oeffnen(Clip c)
{
    m_clip = c;
    m_phase = 0;
    if (c == Clip::Ruhe)
        m_timer.stop();
    else if (isVisible())
        m_timer.start();
    update();
}

void LadeAnimation::setPhase(double p)
{
    m_phase = std::fmod(std::fabs(p), 1.0);
    update();
}

void LadeAnimation::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (m_clip != Clip::Ruhe)
        m_timer.start();
}

void LadeAnimation::hideEvent(QHideEvent* e)
{
    QWidget::hideEvent(e);
    m_timer.stop();
}

void LadeAnimation::zeichneServer(QPainter& p, const QRectF& r) const
{
    const QColor rahmen = palette().color(QPalette::WindowText);
    const double h = r.height() / 3.0;
    for (int i = 0; i < 3; ++i) {
        const QRectF einschub(r.left(), r.top() + i * h + 1, r.width(), h - 2);
        p.setPen(QPen(rahmen, 1.2));
        p.setBrush(QColor(235, 235, 235));
        p.drawRoundedRect(einschub, 3, 3);
        p.setBrush(i == 0 && m_clip != Clip::Ruhe && m_phase < 0.5 ? QColor(40, 170, 60) : QColor(120, 120, 120));
        p.drawEllipse(QPointF(einschub.right() - 7, einschub.center().y()), 2.5, 2.5);
        p.drawLine(QPointF(einschub.left() + 6, einschub.center().y()), QPointF(einschub.left() + r.width() * 0.45, einschub.center().y()));
    }
}

void LadeAnimation::zeichneOrdner(QPainter& p, const QRectF& r) const
{
    QPainterPath ordner;
    const double lasche = r.height() * 0.18;
    ordner.moveTo(r.left(), r.top() + lasche);
    ordner.lineTo(r.left(), r.bottom());
    ordner.lineTo(r.right(), r.bottom());
    ordner.lineTo(r.right(), r.top() + lasche);
    ordner.lineTo(r.left() + r.width() * 0.45, r.top() + lasche);
    ordner.lineTo(r.left() + r.width() * 0.38, r.top());
    ordner.lineTo(r.left(), r.top());
    ordner.closeSubpath();
    p.setPen(QPen(palette().color(QPalette::WindowText), 1.2));
    p.setBrush(QColor(238, 200, 90));
    p.drawPath(ordner);
    p.setBrush(QColor(248, 220, 120));
    p.drawRect(QRectF(r.left(), r.top() + lasche * 2, r.width(), r.height() - lasche * 2));
}

void LadeAnimation::zeichneBlatt(QPainter& p, const QPointF& mitte, double groesse) const
{
    const QRectF blatt(mitte.x() - groesse * 0.38, mitte.y() - groesse * 0.5, groesse * 0.76, groesse);
    p.setPen(QPen(palette().color(QPalette::WindowText), 1));
    p.setBrush(Qt::white);
    p.drawRect(blatt);
    for (int i = 1; i <= 3; ++i)
        p.drawLine(QPointF(blatt.left() + 3, blatt.top() + i * groesse / 4.5),
                   QPointF(blatt.right() - 3, blatt.top() + i * groesse / 4.5));
}

void LadeAnimation::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF flaeche = QRectF(rect()).adjusted(4, 4, -4, -4);
    const double h = flaeche.height();
    const double b = qMin(h * 0.8, flaeche.width() * 0.2);
    const QRectF server(flaeche.left() + flaeche.width() * 0.08, flaeche.center().y() - h * 0.4, b * 0.8, h * 0.8);
    const QRectF ordner(flaeche.right() - flaeche.width() * 0.08 - b, flaeche.center().y() - h * 0.3, b, h * 0.6);
    zeichneServer(p, server);
    zeichneOrdner(p, ordner);

    const QPointF von(server.right() + 6, server.center().y()), nach(ordner.left() - 6, ordner.center().y());
    if (m_clip == Clip::Verbinden) {
        // pulses running from the server to the folder
        for (int i = 0; i < 5; ++i) {
            const double t = std::fmod(m_phase + i / 5.0, 1.0);
            const QPointF punkt = von + (nach - von) * t;
            const double r = 2.0 + 2.5 * std::sin(t * M_PI);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(60, 110, 180, static_cast<int>(80 + 160 * std::sin(t * M_PI))));
            p.drawEllipse(punkt, r, r);
        }
    } else if (m_clip == Clip::Kopieren) {
        // two sheets on an arc, half a loop apart
        for (const double versatz : {0.0, 0.5}) {
            const double t = std::fmod(m_phase + versatz, 1.0);
            QPointF punkt = von + (nach - von) * t;
            punkt.ry() -= std::sin(t * M_PI) * h * 0.3;
            zeichneBlatt(p, punkt, h * 0.32);
        }
    } else {
        p.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
        p.drawLine(von, nach);
    }
}

} // namespace kav::exchange
