// The planner's mouse: dragging crops from the tree onto the bed, moving bars, the bar's pop-up menu,
// the colour choice by double-click, and the hover colours of the buttons.
#include "frame/mdizentral.h"
#include "frame/oberflaeche.h"
#include "requirement/balkengeometrie.h"
#include "requirement/bedarfsquellen.h"
#include "requirement/frmdialog.h"
#include "requirement/frmmkeditor.h"
#include "services/appcontext.h"
#include "services/datenbanken.h"
#include "services/einstellungen.h"
#include "services/sql.h"

#include <QMenu>
#include <QMouseEvent>
#include <QToolButton>
#include <QTreeWidget>

namespace kav {

namespace {


bool gruppe(const QTreeWidgetItem* k)
{
    return k && k->data(0, frmMKEditor::kTagRolle).toString() == QLatin1String("Grp");
}

} // namespace

bool frmMKEditor::eventFilter(QObject* o, QEvent* e)
{
    if (o == m_trvKulturen->viewport())
        return baumEreignis(e) || Seite::eventFilter(o, e);
    for (int i = 1; i < m_txtKulturen.Count(); ++i)
        if (o == m_txtKulturen.oderNull(i))
            return balkenEreignis(i, e) || Seite::eventFilter(o, e);
    if (auto* b = qobject_cast<QToolButton*>(o); b && (e->type() == QEvent::Enter || e->type() == QEvent::MouseMove)) {
        const QColor c = benutzerFarbe(app().einstellungen);
        if (b == m_cmdBack || b == m_cmdNext) {
            Hervorheben(b);
            QToolButton* anderer = b == m_cmdBack ? m_cmdNext : m_cmdBack;
            if (forms::BackColor(anderer) != c)
                forms::setBackColor(anderer, c);
        } else {
            Hervorheben(b);
        }
    }
    return Seite::eventFilter(o, e);
}

void frmMKEditor::Form_MouseMove()
{
    const QColor c = benutzerFarbe(app().einstellungen);
    const QColor hell = benutzerFarbeHell(app().einstellungen);
    for (QToolButton* b : {m_cmdAbbruch, m_cmdNext, m_cmdBack, m_cmdSpeichern, m_cmdLoeschen, m_cmdDrucken}) {
        if (forms::BackColor(b) == hell) {
            forms::setBackColor(b, c);
            return;
        }
    }
}

void frmMKEditor::mouseMoveEvent(QMouseEvent* e)
{
    Form_MouseMove();
    Seite::mouseMoveEvent(e);
}

// ---------------------------------------------------------------- dragging from the tree

bool frmMKEditor::baumEreignis(QEvent* e)
{
    const auto typ = e->type();
    if (typ != QEvent::MouseButtonPress && typ != QEvent::MouseMove && typ != QEvent::MouseButtonRelease)
        return false;
    auto* m = static_cast<QMouseEvent*>(e);
    QTreeWidgetItem* unter = m_trvKulturen->itemAt(m->position().toPoint()); // nullptr: no node there
    if (typ == QEvent::MouseButtonPress) {
        if (m->button() != Qt::LeftButton || !unter)
            return false;
        m_blnZiehenBereit = !gruppe(unter);
        if (m_blnZiehenBereit) {
            m_objZiehKnoten = unter;
            m_strZiehKulturNr = unter->data(0, kSchluesselRolle).toString();
            m_trvKulturen->setCurrentItem(unter);
        }
        return false;
    }
    if (typ == QEvent::MouseMove) {
        if (m_blnZiehenAktiv)
            return true; // the tree neither selects nor scrolls while a crop is dragged
        if (m_blnZiehenBereit && (m->buttons() & Qt::LeftButton) && unter && !gruppe(unter)) {
            m_blnZiehenAktiv = true;
            const QPixmap bild = m_imlTreeview.pixmap(QStringLiteral("Ku1001"), QSize(32, 32));
            m_trvKulturen->viewport()->setCursor(bild.isNull() ? QCursor(Qt::DragCopyCursor) : QCursor(bild));
            return true;
        }
        return false;
    }
    // release: a crop dragged onto the bed is dropped there
    if (m->button() != Qt::LeftButton)
        return false;
    m_blnZiehenBereit = false;
    if (!m_blnZiehenAktiv)
        return false;
    m_blnZiehenAktiv = false;
    m_trvKulturen->viewport()->unsetCursor();
    const QPoint aufFeld = m_pcbFeld->mapFromGlobal(m->globalPosition().toPoint());
    if (m_pcbFeld->rect().contains(aufFeld) && m_objZiehKnoten) {
        const double tpp = forms::twipsProPixel();
        pcbFeld_DragDrop(m_objZiehKnoten, QPointF(aufFeld.x() * tpp, aufFeld.y() * tpp));
    }
    return true;
}

void frmMKEditor::pcbFeld_DragDrop(QTreeWidgetItem* knoten, const QPointF& twips)
{
    if (!knoten || knoten->treeWidget() != m_trvKulturen || gruppe(knoten))
        return;
    const QString schluessel = knoten->data(0, kSchluesselRolle).toString();
    const QTreeWidgetItem* eltern = knoten->parent();
    const QString gruppenSchluessel = eltern ? eltern->data(0, kSchluesselRolle).toString() : QString();
    const Abwurfart art = abwurfartFuer(gruppenSchluessel, schluessel);
    if (art == Abwurfart::Keine)
        return;
    std::optional<KulturZeile> kultur;
    try {
        if (app().db)
            kultur = SqlKulturen(app().db->cnKav()).kultur(schluessel);
    } catch (const sql::Error&) {
        melde(datenFehlerText(QStringLiteral("Die Kultur konnte nicht gelesen werden und wurde nicht eingeplant.")));
        return;
    }
    if (art == Abwurfart::NachTagen && (!kultur || kultur->Tage <= 0)) {
        melde(QStringLiteral("Für „%1“ ist keine Kulturdauer gespeichert. Die Kultur kann deshalb nicht "
                             "eingeplant werden.")
                  .arg(knoten->text(0)));
        return;
    }
    const forms::Tw feld(m_pcbFeld);
    const int n = m_txtKulturen.Count();
    QLabel* b = neuerBalken();
    forms::Tw(b).setRechteck(abwurfRechteck(art, kultur ? kultur->Tage : 365, twips, feld.Width(), feld.Height()));
    forms::setTag(b, kultur ? kultur->KulturNr : schluessel);
    b->setText(knoten->text(0));
    m_blnGeaendert = m_ungespeichert = true;
    BalkenEinfaerben(knoten->data(0, kTagRolle).toString(), n);
    forms::setVisible(b, true);
    ZeichnungEinlesen();
}

// ---------------------------------------------------------------- bars

bool frmMKEditor::balkenEreignis(int index, QEvent* e)
{
    QLabel* b = m_txtKulturen(index);
    switch (e->type()) {
    case QEvent::MouseButtonPress: {
        auto* m = static_cast<QMouseEvent*>(e);
        txtKulturen_MouseDown(index, m->button(), m->globalPosition().toPoint());
        if (m->button() == Qt::LeftButton) {
            m_schiebeBalken = index;
            m_geschoben = false;
            m_griff = m->position().toPoint();
            b->setCursor(Qt::SizeAllCursor);
        }
        return true;
    }
    case QEvent::MouseMove: {
        auto* m = static_cast<QMouseEvent*>(e);
        if (m_schiebeBalken != index || !(m->buttons() & Qt::LeftButton))
            return false;
        // the bar follows the mouse; the page is not laid out for it
        const QPoint oben = b->mapToParent(m->position().toPoint()) - m_griff;
        const double tpp = forms::twipsProPixel();
        const forms::Tw tw(b);
        tw.setRechteck(QRectF(oben.x() * tpp, oben.y() * tpp, tw.Width(), tw.Height()));
        m_geschoben = true;
        return true;
    }
    case QEvent::MouseButtonRelease: {
        if (m_schiebeBalken != index || static_cast<QMouseEvent*>(e)->button() != Qt::LeftButton)
            return false;
        m_schiebeBalken = 0;
        b->setCursor(Qt::ArrowCursor);
        // a click is a move by nothing: the bar is kept inside the picture and out of the top band too
        const forms::Tw feld(m_pcbFeld);
        const forms::Tw tw(b);
        const QRectF vorher = tw.rechteck();
        tw.setRechteck(verschobenBegrenzen(vorher, feld.Width(), feld.Height()));
        ZeichnungEinlesen();
        m_blnGeaendert = true;
        if (m_geschoben || tw.rechteck() != vorher)
            m_ungespeichert = true;
        return true;
    }
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton)
            txtKulturen_DblClick(index);
        return true;
    default:
        return false;
    }
}

void frmMKEditor::txtKulturen_MouseDown(int index, Qt::MouseButton knopf, const QPoint& global)
{
    app().bedarf.intAktBalken = static_cast<qint16>(index);
    if (knopf != Qt::RightButton)
        return;
    // the bar's pop-up menu, shown by the bed while its tag says so
    forms::setTag(m_pcbFeld, QStringLiteral("1"));
    if (forms::Tag(m_pcbFeld).toInt() == 1)
        if (mdiZentral* h = ui().haupt.data())
            if (QMenu* menue = h->mnuPopUp(4))
                menue->popup(global);
    forms::setTag(m_pcbFeld, QStringLiteral("0"));
    m_blnGeaendert = true;
}

void frmMKEditor::txtKulturen_DblClick(int index)
{
    app().bedarf.intAktBalken = static_cast<qint16>(index);
    frmDialog dialog;
    if (dialog.FarbWahl(*this, index))
        m_ungespeichert = true;
    m_blnGeaendert = true;
}

} // namespace kav
