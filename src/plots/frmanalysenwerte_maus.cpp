// The analysis page: mouse and keys (the right click on the tree, keyboard selection, the soil
// group pictures, the value captions, the value boxes, the button colours).
#include "frame/mdizentral.h"
#include "frame/oberflaeche.h"
#include "plots/flaechenbaumansicht.h"
#include "plots/frmanalysenwerte.h"
#include "services/appcontext.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QToolButton>

#include <utility>

namespace kav {

void frmAnalysenWerte::trvFlaechen_MouseUp(QTreeWidgetItem* item, const QPoint& globalPos)
{
    // the node under the mouse is the one acted on: it is selected and processed like a click
    if (!item)
        return;
    const int i = m_trvFlaechen->index(item);
    WizardState& w = app().bedarf;
    const KnotenNummern n = m_trvFlaechen->modell().nummern(i);
    // the node the page shows keeps what is typed; an analysis only while the page still shows
    // it (a change of the date moves the page to another analysis)
    const bool gezeigt = m_trvFlaechen->key(item) == m_letzterKnoten && m_trvFlaechen->currentItem() == item
                         && (n.art != KnotenArt::Analyse || w.strAktAnalysenNr == n.analysenNr);
    // the user who stays with values not yet stored gets no menu
    if (!gezeigt && !knotenVerarbeiten(item))
        return;
    mdiZentral* h = ui().haupt.data();
    if (!h || i < 0)
        return;
    w.strAktGruppierungNr = n.gruppierungNr;
    w.strAktFlaechenNr = n.flaechenNr;
    int menue = 0;
    switch (n.art) {
    case KnotenArt::Wurzel:
        if (QAction* u = h->menuePunkt(QStringLiteral("mnuUmschalt")))
            u->setText(app().einstellungen.blnAnzeigeAktuellFl ? QStringLiteral("Alles anzeigen")
                                                                : QStringLiteral("Anzeige reduzieren"));
        menue = 1;
        break;
    case KnotenArt::Gruppe: menue = 2; break;
    case KnotenArt::Flaeche: menue = 3; break;
    case KnotenArt::Analyse:
        w.strAktAnalysenNr = n.analysenNr;
        menue = 7;
        break;
    }
    if (QMenu* m = h->mnuPopUp(menue))
        m->popup(globalPos);
}

void frmAnalysenWerte::Form_MouseMove()
{
    for (QToolButton* b : {m_cmbWeiter, m_cmbSpeichern, m_cmbSenden}) {
        if (forms::BackColor(b) == benutzerFarbeHell(app().einstellungen)) {
            forms::setBackColor(b, benutzerFarbe(app().einstellungen));
            return;
        }
    }
    if (!m_txtWert(6)->text().isEmpty() && m_lblEinstufung(4)->text().isEmpty())
        AnalysenWerteEinstufen();
}

void frmAnalysenWerte::mouseMoveEvent(QMouseEvent* e)
{
    Form_MouseMove();
    Seite::mouseMoveEvent(e);
}

bool frmAnalysenWerte::eventFilter(QObject* o, QEvent* e)
{
    const QEvent::Type typ = e->type();
    if (o == m_trvFlaechen->viewport() && typ == QEvent::MouseButtonRelease) {
        auto* m = static_cast<QMouseEvent*>(e);
        if (m->button() == Qt::RightButton) {
            trvFlaechen_MouseUp(m_trvFlaechen->itemAt(m->position().toPoint()), m->globalPosition().toPoint());
            return true;
        }
    } else if (o == m_trvFlaechen && typ == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Menu || (k->key() == Qt::Key_F10 && k->modifiers() == Qt::ShiftModifier)) {
            // the menu key and Shift+F10 open the pop-up of the current node, beside it
            if (QTreeWidgetItem* cur = m_trvFlaechen->currentItem()) {
                const QRect r = m_trvFlaechen->visualItemRect(cur);
                trvFlaechen_MouseUp(cur, m_trvFlaechen->viewport()->mapToGlobal(QPoint(r.left() + r.height(), r.bottom())));
            }
            return true;
        }
        m_tasteImBaum = true;
    } else if ((o == m_trvFlaechen || o == m_trvFlaechen->viewport()) && typ == QEvent::ContextMenu
               && static_cast<QContextMenuEvent*>(e)->reason() == QContextMenuEvent::Keyboard) {
        return true; // the menu key is handled above
    } else if (o == m_trvFlaechen && typ == QEvent::FocusOut) {
        m_tasteImBaum = false;
    } else if (o == m_trvFlaechen && typ == QEvent::KeyRelease) {
        // a keyboard move to another node does what a click does; the release of a key pressed
        // elsewhere (Tab into the tree) is none
        QTreeWidgetItem* cur = m_trvFlaechen->currentItem();
        const bool imBaum = std::exchange(m_tasteImBaum, false);
        if (imBaum && cur && m_trvFlaechen->key(cur) != m_letzterKnoten)
            NodeClick();
    } else if (typ == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        for (int i = 0; i <= 2; ++i)
            if (o == m_imgBodenart(i) || o == m_lblBodenart(i))
                imgBodenart_Click(i);
        for (int i = 0; i <= 6; ++i)
            if (o == m_lblWert(i))
                lblWert_Click(i);
    } else if (typ == QEvent::MouseMove || typ == QEvent::Enter) {
        for (QToolButton* b : {m_cmbWeiter, m_cmbSpeichern, m_cmbSenden})
            if (o == b)
                Hervorheben(b);
    } else {
        for (int i = 2; i <= 6; ++i) {
            if (o != m_txtWert(i))
                continue;
            if (typ == QEvent::FocusOut) {
                txtWert_LostFocus(i);
            } else if (typ == QEvent::MouseButtonDblClick) {
                m_txtWert(i)->selectAll();
                return true;
            } else if (typ == QEvent::KeyPress) {
                const int taste = static_cast<QKeyEvent*>(e)->key();
                if (taste == Qt::Key_Return || taste == Qt::Key_Enter) {
                    QWidget* naechstes = i < 6 ? static_cast<QWidget*>(m_txtWert(i + 1))
                                         : m_cmbSpeichern->isVisible() ? static_cast<QWidget*>(m_cmbSpeichern)
                                                                       : static_cast<QWidget*>(m_cmbSenden);
                    naechstes->setFocus(Qt::TabFocusReason);
                    return true;
                }
            }
        }
    }
    return Seite::eventFilter(o, e);
}

} // namespace kav
