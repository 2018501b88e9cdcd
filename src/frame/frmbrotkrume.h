#pragma once
// The breadcrumb strip: the six steps of the requirement wizard under the navigation bar.
#include "frame/anordnung.h"
#include "platform/bild.h"
#include "platform/bildliste.h"
#include "platform/fenster.h"
#include "platform/linie.h"
#include "platform/steuerfeld.h"

#include <QLabel>

namespace kav {

class frmBrotkrume : public forms::Formular, public Anordenbar {
    Q_OBJECT
public:
    frmBrotkrume();

    forms::Bild* imgBrotkrume(int i) const { return m_img(i); }
    QLabel* lblBrotkrume(int i) const { return m_lbl(i); }
    forms::Linie* linTrennung() const { return m_linie; }
    const forms::BildListe& imlBrotkrume() const { return m_iml; }

    void Form_Load() override;
    // Steps before p "OK", step p "Aktiv" and bold, the later ones without picture.
    void schrittZeigen(int p);
    void Form_MouseMove();

    void anordnen(Anordnung& a) override;
    bool rahmenstreifen() const override { return true; }

protected:
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    forms::SteuerFeld<forms::Bild> m_img{0};
    forms::SteuerFeld<QLabel> m_lbl{0};
    forms::Linie* m_linie = nullptr;
    forms::BildListe m_iml;
};

} // namespace kav
