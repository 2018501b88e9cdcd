#pragma once
// An image control: shows a picture stretched to its own size (or at its natural size), drawn
// anew for every size so that it stays sharp.
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QWidget>

namespace kav::forms {

// A picture fitted into `groesse` device-independent pixels, its aspect kept, with the pixels that a
// screen of device pixel ratio `dpr` shows there. A picture scaled to the device-independent size
// alone would be drawn enlarged, and blurred, on a high-density screen. Null for a null picture or
// an empty size.
QPixmap eingepasst(const QImage& bild, const QSize& groesse, qreal dpr);

class Bild : public QWidget {
    Q_OBJECT
public:
    explicit Bild(QWidget* eltern = nullptr);

    void setBild(const QIcon& bild);
    void setBild(const QPixmap& bild);
    void leeren();
    bool istLeer() const { return m_icon.isNull() && m_pixmap.isNull(); }
    // Key of the picture shown, when it came from an image list (empty: none).
    QString schluessel() const { return m_schluessel; }
    void setSchluessel(const QString& s) { m_schluessel = s; }

    void setStretch(bool s);
    bool Stretch() const { return m_stretch; }

signals:
    void doppelklick();

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    QIcon m_icon;
    QPixmap m_pixmap;
    QString m_schluessel;
    bool m_stretch = true;
};

} // namespace kav::forms
