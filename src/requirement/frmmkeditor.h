#pragma once
// The mixed-culture planner: a tree of crops on the left, the bed over one year on the right. Crops
// are dragged from the tree onto the bed as coloured bars, moved, recoloured and removed; the plan is
// saved, deleted or printed, and the wizard goes on to the green-manure step.
#include "frame/seite.h"
#include "platform/baumansicht.h"
#include "platform/bildliste.h"
#include "platform/linie.h"
#include "platform/steuerfeld.h"

#include <QLabel>
#include <QMetaObject>
#include <QPointF>
#include <QString>

#include <functional>

class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace kav {

class frmMKEditor : public Seite {
    Q_OBJECT
public:
    frmMKEditor();
    ~frmMKEditor() override;

    // Controls
    QLabel* lblName() const { return m_lblName; }
    QToolButton* cmdLoeschen() const { return m_cmdLoeschen; }
    QTreeWidget* trvKulturen() const { return m_trvKulturen; }
    QWidget* pcbFeld() const { return m_pcbFeld; }
    QLabel* lblMonat(int i) const { return m_lblMonat(i); }
    QLabel* lblTeil(int i) const { return m_lblTeil(i); }
    forms::Linie* linRasterVertikal(int i) const { return m_linRasterVertikal(i); }
    forms::Linie* linRastQuer(int i) const { return m_linRastQuer(i); }
    // Bar i (0 is the hidden template); Count() elements including the template.
    const forms::SteuerFeld<QLabel>& txtKulturen() const { return m_txtKulturen; }
    QToolButton* cmdNext() const { return m_cmdNext; }
    QToolButton* cmdBack() const { return m_cmdBack; }
    QToolButton* cmdAbbruch() const { return m_cmdAbbruch; }
    QToolButton* cmdSpeichern() const { return m_cmdSpeichern; }
    QToolButton* cmdDrucken() const { return m_cmdDrucken; }
    const forms::BildListe& imlTreeview() const { return m_imlTreeview; }
    // The plan was changed since the page was loaded (drop, move, right click on a bar, colour).
    bool blnGeaendert() const { return m_blnGeaendert; }
    // The tree node of a crop key, or nullptr. A node holds its key and its tag ("Grp", "Kultur" or
    // the crop's colour as decimal text) in these roles.
    QTreeWidgetItem* knoten(const QString& schluessel) const;
    static constexpr int kSchluesselRolle = Qt::UserRole;
    static constexpr int kTagRolle = Qt::UserRole + 1;

    void Form_Load() override;
    void Form_Unload() override;
    void anordnen(Anordnung& a) override;

    // Rebuilds the bar table from the bars (from the twips they are placed at) and enables Next, Save
    // and Print when a bar is visible; the chart takes the focus unless `fokusLassen` (a layout pass
    // leaves the focus where the user put it).
    void ZeichnungEinlesen(bool fokusLassen = false);
    // Gives every bar with the text of bar `index` the colour `Farbe` (a colour number as decimal
    // text; any other text gives the grey of a crop without colour) and the matching text colour.
    void BalkenEinfaerben(const QString& Farbe, int index);
    // Removes the bar last pressed (intAktBalken): hidden and of size 0.
    void BalkenLoeschen();
    // Adds the stored bars of plan `strMKID`; on a read error nothing is added and the user is told.
    bool MischkulturEintragen(const QString& strMKID);
    // Stores the bars as a new plan (`blnNeu`) or in place of the plan in lblName's tag. On success
    // the tag and strAktKulturNr are the plan id; on failure the user is told and the page keeps its
    // bars.
    bool PlanungSpeichern(bool blnNeu);
    // Saves unsaved changes, writes the stored plan as a PDF document and opens it; when no viewer
    // opens it, offers to save a copy (the document itself goes when the program ends).
    void PlanungDrucken();

    // Event handlers
    void pcbFeld_DragDrop(QTreeWidgetItem* knoten, const QPointF& twips);
    void txtKulturen_MouseDown(int index, Qt::MouseButton knopf, const QPoint& global);
    void txtKulturen_DblClick(int index);
    void cmdNext_Click();
    void cmdBack_MouseUp();
    void cmdAbbruch_Click();
    void cmdSpeichern_Click();
    void cmdLoeschen_Click();
    void Form_MouseMove();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    void baumFuellen();
    void KulturFarbenEinlesen(const std::vector<struct MischkulturKultur>& kulturen);
    QLabel* neuerBalken();
    bool baumEreignis(QEvent* e);
    bool balkenEreignis(int index, QEvent* e);
    // Unsaved changes may go: true when there are none or the user lets them go.
    bool aenderungenVerwerfen();
    void melde(const QString& text) const;

    QLabel* m_lblName = nullptr;
    QToolButton* m_cmdLoeschen = nullptr;
    forms::Baumansicht* m_trvKulturen = nullptr;
    QWidget* m_pcbFeld = nullptr;
    forms::SteuerFeld<QLabel> m_lblMonat{0};
    forms::SteuerFeld<QLabel> m_lblTeil{0};
    forms::SteuerFeld<forms::Linie> m_linRasterVertikal{0};
    forms::SteuerFeld<forms::Linie> m_linRastQuer{0};
    forms::SteuerFeld<QLabel> m_txtKulturen{0};
    QToolButton* m_cmdNext = nullptr;
    QToolButton* m_cmdBack = nullptr;
    QToolButton* m_cmdAbbruch = nullptr;
    QToolButton* m_cmdSpeichern = nullptr;
    QToolButton* m_cmdDrucken = nullptr;
    forms::BildListe m_imlTreeview;

    bool m_blnGeaendert = false;
    bool m_ungespeichert = false; // changes since the plan was loaded or last saved

    // dragging from the tree
    bool m_blnZiehenBereit = false;
    bool m_blnZiehenAktiv = false;
    QTreeWidgetItem* m_objZiehKnoten = nullptr;
    QString m_strZiehKulturNr;
    // moving a bar: the bar and where in it the mouse took hold (pixels)
    int m_schiebeBalken = 0;
    bool m_geschoben = false;
    QPoint m_griff;

    std::vector<QMetaObject::Connection> m_menueVerbindungen;
};

// The planner when it is loaded, else nullptr.
frmMKEditor* mkEditor();

// Opens the planner for the plot strAktFlaechenNr (the bed's size in sngBeetLaenge, sngBeetBreite):
// unloads the task pages, loads frmMKEditor with the plan's name, an empty plan id for a new plan or
// the id of a saved plan (whose bars it adds), sets the step "MKEditor" and shows it.
frmMKEditor* MischkulturPlanerOeffnen(const QString& planName, const QString& planId);

} // namespace kav
