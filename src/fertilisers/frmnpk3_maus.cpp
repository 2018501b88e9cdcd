// The fertiliser step: mouse and keys. A pick is the release of a single left click on the node it
// went down on, or Enter or Space on the current node; the arrow keys only move. A right click
// acts on the node under the mouse; a double click, Enter or Space opens the editor of an add-new node.
// The list a pick built anew takes no press within the double-click time after the pick (the second
// click of a double click, quick ones after it): one click, one action, by the rule and on the clock of
// the step buttons (frame/klicksperre.h).
#include "fertilisers/frmnpk3.h"

#include "fertilisers/frmduengerinfo.h"
#include "frame/klicksperre.h"
#include "frame/oberflaeche.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <utility>

namespace kav {

namespace {

// A key that would write into the box; Tab, Enter and Escape go on to the next control and the window
// as in any box.
bool schreibtaste(const QKeyEvent* k)
{
    if (k->matches(QKeySequence::Copy) || k->matches(QKeySequence::SelectAll))
        return false;
    if (k->key() == Qt::Key_Backspace || k->key() == Qt::Key_Delete)
        return true;
    return !k->text().isEmpty() && k->text().at(0).isPrint();
}

// The add-new node of the fertilisers or of the limes: a double click, Enter or Space opens its editor.
bool neuKnoten(const QTreeWidgetItem* it)
{
    const QString tag = Duengerbaum::tag(it);
    return tag == QLatin1String("Grau") || tag == QLatin1String("GrauKalk");
}

} // namespace

bool frmNPK3::eventFilter(QObject* o, QEvent* e)
{
    const QEvent::Type typ = e->type();
    for (int i = 1; i <= 2; ++i) {
        Duengerbaum* t = m_trvDuenger(i);
        if (o == t->viewport() && (typ == QEvent::MouseButtonPress || typ == QEvent::MouseButtonRelease
                                   || typ == QEvent::MouseButtonDblClick)) {
            auto* m = static_cast<QMouseEvent*>(e);
            QTreeWidgetItem* unter = t->itemAt(m->position().toPoint());
            bool einzeln = false; // a double click whose first press was not taken: a click of its own
            if (i == 1 && typ != QEvent::MouseButtonRelease) {
                // One click, one action: no press on the catalogue is taken within the double-click
                // time after the click that rebuilt it, nor its release. Every later press is taken,
                // whatever Qt calls it.
                einzeln = typ == QEvent::MouseButtonDblClick && m_letzterGesperrt;
                m_druckGesperrt = Klicksperre::innerhalb(m_neuGebaut, m->timestamp());
                m_letzterGesperrt = m_druckGesperrt;
            }
            if (typ == QEvent::MouseButtonPress || einzeln) {
                if (i == 1 && m_druckGesperrt)
                    return true;
                if (m->button() == Qt::LeftButton) {
                    m_gedrueckt = unter ? Duengerbaum::key(unter) : QString();
                    m_doppelklick = false;
                }
                if (einzeln) {
                    // the view takes it as the press it is
                    QMouseEvent druck(QEvent::MouseButtonPress, m->position(), m->scenePosition(), m->globalPosition(),
                                      m->button(), m->buttons(), m->modifiers(), m->pointingDevice());
                    druck.setTimestamp(m->timestamp());
                    t->durchreichen(&druck);
                    return true;
                }
            } else if (typ == QEvent::MouseButtonDblClick) {
                m_doppelklick = true;
                const bool gesperrt = i == 1 && m_druckGesperrt;
                if (unter && !gesperrt)
                    t->setCurrentItem(unter);
                if (!gesperrt && neuKnoten(t->currentItem())) {
                    trvDuenger_DblClick(i);
                } else if (i == 1 && m_hinweisGezeigt) {
                    // the first click picked and opened a notice; the second one went down in this window
                    // and made it the active one: the notice takes the keyboard back, as after Enter
                    m_hinweisGezeigt = false;
                    if (auto* info = ui().fenster.fensterAls<frmDuengerInfo>(QStringLiteral("frmDuengerInfo")))
                        info->tastaturNehmen();
                }
                return true;
            } else if (i == 1 && std::exchange(m_druckGesperrt, false)) {
                return true;
            } else if (i == 1 && m->button() == Qt::RightButton) {
                const QString key = Duengerbaum::key(unter);
                t->durchreichen(e); // the view ends its click before the menu opens
                trvDuenger_Rechtsklick(t->itemVon(key), m->globalPosition().toPoint());
                return true;
            } else if (i == 1 && m->button() == Qt::LeftButton) {
                const bool pick = unter && !m_doppelklick && Duengerbaum::key(unter) == m_gedrueckt;
                const QString key = Duengerbaum::key(unter);
                m_gedrueckt.clear();
                m_doppelklick = false;
                m_hinweisGezeigt = false;
                if (pick) {
                    // the view ends its click first: the pick rebuilds the tree
                    t->durchreichen(e);
                    if (QTreeWidgetItem* it = t->itemVon(key)) {
                        t->setCurrentItem(it);
                        trvDuenger_Waehlen(it);
                    }
                    return true;
                }
            }
            return Seite::eventFilter(o, e);
        }
        if (o == t && typ == QEvent::KeyPress && i == 1) {
            const int taste = static_cast<QKeyEvent*>(e)->key();
            if (taste == Qt::Key_Return || taste == Qt::Key_Enter || taste == Qt::Key_Space) {
                // an add-new node opens its editor, as a double click does
                if (neuKnoten(t->currentItem()))
                    trvDuenger_DblClick(i);
                else
                    trvDuenger_Waehlen(t->currentItem());
                return true;
            }
        }
    }
    if (o == m_txtMenge && (typ == QEvent::KeyPress || typ == QEvent::KeyRelease)) {
        // the amount is proposed, not typed
        if (schreibtaste(static_cast<QKeyEvent*>(e))) {
            if (typ == QEvent::KeyPress)
                QApplication::beep();
            return true;
        }
    } else if (o == m_lblBedarf && typ == QEvent::MouseButtonRelease
               && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        lblBedarf_Click();
        return true;
    }
    return Seite::eventFilter(o, e);
}

void frmNPK3::mouseMoveEvent(QMouseEvent* e)
{
    m_knoepfe->Form_MouseMove();
    Seite::mouseMoveEvent(e);
}

} // namespace kav
