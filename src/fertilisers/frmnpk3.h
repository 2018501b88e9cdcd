#pragma once
// The fertiliser step: the catalogue sorted against the remaining need on the left, the chosen
// fertilisers and lime with the amount of the last choice and the need lines on the right.
#include "fertilisers/duengerbaum.h"
#include "fertilisers/katalogbaum.h"
#include "frame/klicksperre.h"
#include "frame/schrittknoepfe.h"
#include "frame/seite.h"
#include "platform/bildliste.h"
#include "platform/steuerfeld.h"

#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QPointer>

#include <vector>

class QToolButton;

namespace kav {

struct Anzeige;

class frmNPK3 : public Seite {
    Q_OBJECT
public:
    frmNPK3();
    ~frmNPK3() override;

    // Controls
    Duengerbaum* trvDuenger(int i) const { return m_trvDuenger(i); }
    const forms::BildListe& imlDuenger(int) const { return m_imlDuenger; }
    QLabel* lblDuenger() const { return m_lblDuenger; }
    QLineEdit* txtMenge() const { return m_txtMenge; }
    QLabel* lblMenge() const { return m_lblMenge; }
    QLabel* lblMengeEinheit() const { return m_lblMengeEinheit; } // "g/m²" beside the amount
    QLabel* lblBedarf() const { return m_lblBedarf; }
    QLabel* lblVersorgung(int i) const { return m_lblVersorgung(i); }
    QWidget* linTrennung() const { return m_linTrennung; }
    QToolButton* cmbReset() const { return m_cmbReset; }
    QToolButton* cmbZurueck() const { return m_knoepfe->zurueck(); }
    QToolButton* cmbWeiter() const { return m_knoepfe->weiter(); }
    QToolButton* cmbAbbruch() const { return m_knoepfe->abbruch(); }
    const Schrittknoepfe& knoepfe() const { return *m_knoepfe; }

    void Form_Load() override;
    void Form_Unload() override;
    void anordnen(Anordnung& a) override;

    // What the catalogue shows: fertiliser classes, limes, or nothing more to choose.
    Katalogstand katalogstand() const { return m_stand; }
    // The node of the last right click in the catalogue (the pop-up menus act on it).
    QString menueDuengerNr() const { return m_menueDuengerNr; }
    QString menueKlasse() const { return m_menueKlasse; }
    QString menueKalkNr() const { return m_menueKalkNr; }

    // Shows the seasonal notice of an organic nitrogen fertiliser, if it has one.
    void Hornduenger(const QString& strDuengerNr);
    // Enters the liming material as the lime of this calculation with its dose (the plan page's Back
    // calls it with strAktKalkNr; "x" changes nothing).
    void KalkDuengerEintragen(const QString& KalkNr);
    // Computes the catalogue and the lines anew (after the method question, an editor, a deletion).
    void DuengerBaumFuellen();
    // Takes a fertiliser the editor has just saved into the choice when it suits the need.
    void NeuenDuengerUebernehmen(const QString& duengerNr);

    // Event handlers
    void trvDuenger_Waehlen(QTreeWidgetItem* item);  // a pick: left release, Enter or Space
    void trvDuenger_Rechtsklick(QTreeWidgetItem* item, const QPoint& globalPos);
    void trvDuenger_DblClick(int index);
    void cmbReset_Click();
    void cmbWeiter_MouseUp();
    void cmbZurueck_MouseUp();
    void cmbAbbruch_MouseUp();
    void lblBedarf_Click();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    void anzeigen(const Anzeige& a);
    // The amount sentence stays on its two lines beside the box: a long one takes a smaller font.
    void mengenSatzEinpassen();
    void melden(const QString& text) const;
    void lesefehler() const;
    void menueBefehleVerbinden();

    forms::SteuerFeld<Duengerbaum> m_trvDuenger{1};
    forms::BildListe m_imlDuenger;
    QLabel* m_lblDuenger = nullptr;
    QLineEdit* m_txtMenge = nullptr;
    QLabel* m_lblMenge = nullptr;
    QLabel* m_lblMengeEinheit = nullptr;
    QLabel* m_lblBedarf = nullptr;
    forms::SteuerFeld<QLabel> m_lblVersorgung{1};
    QWidget* m_linTrennung = nullptr;
    QToolButton* m_cmbReset = nullptr;
    Schrittknoepfe* m_knoepfe = nullptr;

    Katalogstand m_stand = Katalogstand::Klassen;
    QString m_menueDuengerNr, m_menueKlasse, m_menueKalkNr;
    QString m_gedrueckt;          // key of the catalogue node a single press went down on
    bool m_doppelklick = false;   // the release that ends a double click is no pick
    // One click, one action (frame/klicksperre.h): the click that last built the catalogue anew
    Klicksperre::Klick m_neuGebaut;
    bool m_druckGesperrt = false;   // a press not taken: its release is not taken either
    bool m_letzterGesperrt = false; // the last press was not taken: a double click on it is a click
    bool m_hinweisGezeigt = false; // the last pick by the mouse opened the notice window
    std::vector<QMetaObject::Connection> m_menueVerbindungen;
};

// The fertiliser step when it is loaded, else nullptr.
frmNPK3* duengerSeite();

// The way into the fertiliser step after the organic-matter step's Next: unloads the task pages,
// shows the title strip, starts an empty chosen list, shows frmNPK3 and asks for the selection
// method (frmVerfahren) when at least two of N, P2O5 and K2O still need 2 g/m² or more, unless the
// optimal method is set for good or the crop is a mixed-culture plan.
void DuengerauswahlOeffnen();

} // namespace kav
