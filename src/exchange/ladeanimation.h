#pragma once
// The animation of the update window: the server on the left, the program's folder on the right;
// while connecting pulses run between them, while copying sheets fly across, at rest both stand.
#include <QTimer>
#include <QWidget>

class QPainter;

namespace kav::exchange {

class LadeAnimation : public QWidget {
    Q_OBJECT
public:
    enum class Clip { Verbinden, Kopieren, Ruhe };

    explicit LadeAnimation(QWidget* eltern = nullptr);

    void oeffnen(Clip c);
    Clip clip() const { return m_clip; }
    bool laeuft() const { return m_timer.isActive(); }
    // Position within the loop, 0 to 1 (tests and screenshots).
    void setPhase(double p);

protected:
    void paintEvent(QPaintEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void zeichneServer(QPainter& p, const QRectF& r) const;
    void zeichneOrdner(QPainter& p, const QRectF& r) const;
    void zeichneBlatt(QPainter& p, const QPointF& mitte, double groesse) const;

    Clip m_clip = Clip::Ruhe;
    QTimer m_timer;
    double m_phase = 0;
};

} // namespace kav::exchange
