#pragma once
// The title strip of the wizard: crop, plot and date of the analysis the advice is computed for.
#include "frame/anordnung.h"
#include "platform/bild.h"
#include "platform/bildliste.h"
#include "platform/fenster.h"
#include "platform/steuerfeld.h"

#include <QLabel>

namespace kav {

class frmTitel : public forms::Formular, public Anordenbar {
    Q_OBJECT
public:
    frmTitel();

    forms::Bild* imgTitel(int i) const { return m_img(i); }
    QLabel* lblTitel(int i) const { return m_lbl(i); }
    const forms::BildListe& imlTitel() const { return m_iml; }

    void Form_Load() override;
    // Shows the three lines read for the current wizard state.
    void zeilenLesen();
    void anordnen(Anordnung& a) override;
    bool rahmenstreifen() const override { return true; }

private:
    void bildSetzen(int i, const QString& schluessel);
    forms::SteuerFeld<forms::Bild> m_img{1};
    forms::SteuerFeld<QLabel> m_lbl{1};
    forms::BildListe m_iml;
};

} // namespace kav
