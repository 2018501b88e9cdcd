#pragma once
// The page of the lexicon: a read-only text that loads nothing from outside the lexicon folder,
// shows the hand over links and reports clicks.
#include <QCursor>
#include <QTextBrowser>

namespace kav {

class LexikonText : public QTextBrowser {
    Q_OBJECT
public:
    explicit LexikonText(QWidget* eltern = nullptr);

    void setLexikonOrdner(const QString& ordner) { m_ordner = ordner; }
    void setHand(const QCursor& hand) { m_hand = hand; }

    // Target of the link at a point of the viewport; empty when no link is there.
    QString verweisBei(const QPoint& punkt) const;
    // The first character shown at the top, and scrolling so that it is at the top again.
    int obersteStelle() const;
    void zuStelle(int stelle);

    QVariant loadResource(int type, const QUrl& name) override;

Q_SIGNALS:
    // A click in the page (not the end of a selection by dragging), with the link's target there.
    void geklickt(const QString& verweis);

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    QString m_ordner;
    QCursor m_hand{Qt::PointingHandCursor};
    QPoint m_druck{-1000, -1000};
};

} // namespace kav
