#pragma once
// The green-manure step: whether fresh green manure or crop residues were dug in lately and how tall
// the green manure had grown; the answer is the nitrogen the soil releases for the crop.
#include "frame/schrittknoepfe.h"
#include "frame/seite.h"
#include "platform/bild.h"
#include "platform/bildliste.h"
#include "platform/steuerfeld.h"

#include <QLabel>

class QToolButton;

namespace kav {

// The answers with the nitrogen each releases (g N/m²), by index.
inline constexpr float kGruenduengungZuschlag[6] = {0.0f, 1.0f, 2.0f, 4.0f, 6.0f, 1.5f};

class frmNPK2 : public Seite {
    Q_OBJECT
public:
    frmNPK2();

    QLabel* lblFrageGD() const { return m_lblFrageGD; }
    forms::Bild* imbGruenduengung(int i) const { return m_img(i); }
    QLabel* lblGruenduengung(int i) const { return m_lbl(i); }
    QToolButton* cmbAbbruch() const { return m_knoepfe->abbruch(); }
    QToolButton* cmbBack() const { return m_knoepfe->zurueck(); }
    QToolButton* cmbNext() const { return m_knoepfe->weiter(); }
    // The answer marked ("opb1"), -1 for none.
    int gewaehlt() const;

    void Form_Load() override;
    void anordnen(Anordnung& a) override;

    void imbGruenduengung_Click(int index);
    void lblFrageGD_Click();
    void cmbNext_MouseUp();
    void cmbBack_MouseUp();
    void cmbAbbruch_MouseUp();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    void markieren(int index);

    QLabel* m_lblFrageGD = nullptr;
    forms::SteuerFeld<forms::Bild> m_img{0};
    forms::SteuerFeld<QLabel> m_lbl{0};
    Schrittknoepfe* m_knoepfe = nullptr;
    forms::BildListe m_imlEinstellungen;
};

} // namespace kav
