#pragma once
// The organic-matter step: whether compost or manure was spread on the plot this year, which of six
// soil improvers, the yearly amount advised, and its credits against the need; Next opens the
// fertiliser step.
#include "frame/schrittknoepfe.h"
#include "frame/seite.h"
#include "platform/bild.h"
#include "platform/bildliste.h"
#include "platform/linie.h"
#include "platform/steuerfeld.h"

#include <QLabel>

class QToolButton;

namespace kav {

class frmNPK2b : public Seite {
    Q_OBJECT
public:
    frmNPK2b();

    QLabel* lblUeberschrift() const { return m_lblUeberschrift; }
    forms::Bild* imgJaNein(int i) const { return m_imgJaNein(i); }
    QLabel* lblJaNein(int i) const { return m_lblJaNein(i); }
    forms::Bild* imgOS(int i) const { return m_imgOS(i); }
    QLabel* lblOS(int i) const { return m_lblOS(i); }
    QLabel* lblArtMenge() const { return m_lblArtMenge; }
    QLabel* lblMeldung() const { return m_lblMeldung; }
    forms::Linie* linTrennung() const { return m_linTrennung; }
    QToolButton* cmbAbbruch() const { return m_knoepfe->abbruch(); }
    QToolButton* cmbBack() const { return m_knoepfe->zurueck(); }
    QToolButton* cmbNext() const { return m_knoepfe->weiter(); }

    void Form_Load() override;
    void anordnen(Anordnung& a) override;

    // Event handlers
    void imgJaNein_Click(int index);
    void imgOS_Click(int index);
    void lblUeberschrift_Click();
    void cmbNext_MouseUp();
    void cmbBack_MouseUp();
    void cmbAbbruch_MouseUp();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    void MaterialListeAnzeigen(int intAntwort);
    void AufwandmengeBerechnen(int intNr, int intAntwort);
    void option(forms::Bild* b, bool an);
    int antwort() const;

    QLabel* m_lblUeberschrift = nullptr;
    forms::SteuerFeld<forms::Bild> m_imgJaNein{0};
    forms::SteuerFeld<QLabel> m_lblJaNein{0};
    forms::SteuerFeld<forms::Bild> m_imgOS{1};
    forms::SteuerFeld<QLabel> m_lblOS{1};
    QLabel* m_lblArtMenge = nullptr;
    QLabel* m_lblMeldung = nullptr;
    forms::Linie* m_linTrennung = nullptr;
    Schrittknoepfe* m_knoepfe = nullptr;
    forms::BildListe m_imlEinstellungen;
};

} // namespace kav
