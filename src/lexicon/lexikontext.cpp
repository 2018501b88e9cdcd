#include "lexicon/lexikontext.h"

#include "lexicon/verweise.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>

namespace kav {

LexikonText::LexikonText(QWidget* eltern) : QTextBrowser(eltern)
{
    setReadOnly(true);
    setOpenLinks(false);
    setOpenExternalLinks(false);
    // links are the page's own business: no hand of the browser, no navigation
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    viewport()->setMouseTracking(true);
}

QString LexikonText::verweisBei(const QPoint& punkt) const
{
    const QPointF imText(punkt.x() + horizontalScrollBar()->value(), punkt.y() + verticalScrollBar()->value());
    const int pos = document()->documentLayout()->hitTest(imText, Qt::ExactHit);
    return pos < 0 ? QString() : verweisAn(*document(), pos);
}

int LexikonText::obersteStelle() const { return cursorForPosition(QPoint(1, 1)).position(); }

void LexikonText::zuStelle(int stelle)
{
    // the whole page laid out first, so that the scroll bar reaches every line
    (void)document()->documentLayout()->documentSize();
    QTextCursor c(document());
    c.setPosition(std::clamp(stelle, 0, std::max(0, document()->characterCount() - 1)));
    const QTextBlock b = c.block();
    const QTextLayout* l = b.layout();
    double y = document()->documentLayout()->blockBoundingRect(b).top();
    if (l && l->lineCount() > 0)
        y += l->lineForTextPosition(c.positionInBlock()).y();
    verticalScrollBar()->setValue(static_cast<int>(y));
}

QVariant LexikonText::loadResource(int type, const QUrl& name)
{
    const QString pfad = lexikonRessource(name, m_ordner);
    QFile f(pfad);
    if (pfad.isEmpty() || !f.open(QIODevice::ReadOnly)) {
        // an empty answer, so that the document does not fetch the file itself
        return type == QTextDocument::ImageResource ? QVariant(QImage()) : QVariant(QByteArray());
    }
    return f.readAll();
}

void LexikonText::mousePressEvent(QMouseEvent* e)
{
    m_druck = e->position().toPoint();
    QTextBrowser::mousePressEvent(e);
}

void LexikonText::mouseMoveEvent(QMouseEvent* e)
{
    QTextBrowser::mouseMoveEvent(e);
    // the hand only over links that lead somewhere: a chapter or a web page
    const bool verweis = verweisZiel(verweisBei(e->position().toPoint())).art != VerweisZiel::Art::Keins;
    viewport()->setCursor(verweis ? m_hand : QCursor(Qt::ArrowCursor));
}

void LexikonText::mouseReleaseEvent(QMouseEvent* e)
{
    QTextBrowser::mouseReleaseEvent(e);
    const QPoint p = e->position().toPoint();
    const bool gezogen = (p - m_druck).manhattanLength() > 4;
    m_druck = QPoint(-1000, -1000);
    if (e->button() == Qt::LeftButton && !gezogen)
        Q_EMIT geklickt(verweisBei(p));
}

} // namespace kav
