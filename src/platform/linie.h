#pragma once
// A line control: a straight line inside its parent from (X1, Y1) to (X2, Y2) in twips, solid or
// dotted, in its border colour. It takes no mouse input.
#include <QColor>
#include <QLineF>
#include <QWidget>

namespace kav::forms {

class Linie : public QWidget {
    Q_OBJECT
public:
    explicit Linie(QWidget* eltern = nullptr);

    // End points in twips; each setter places the control anew. Values that are not finite throw
    // FormsFehler.
    void setLinie(const QLineF& twips);
    QLineF linie() const { return m_linie; }
    double X1() const { return m_linie.x1(); }
    double Y1() const { return m_linie.y1(); }
    double X2() const { return m_linie.x2(); }
    double Y2() const { return m_linie.y2(); }

    // 1 solid, 3 dotted.
    void setBorderStyle(int stil);
    int BorderStyle() const { return m_stil; }
    void setBorderColor(const QColor& c);
    QColor BorderColor() const { return m_farbe; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QLineF m_linie;
    int m_stil = 1;
    QColor m_farbe = Qt::black;
};

} // namespace kav::forms
